// The template file manager's commands on the workspace's current template: add, remove and
// edit an extra page or plain copy, and the gallery name field. Each ends with the template
// as the refreshed panel shows it; the GUI refreshes its grid afterwards.
#pragma once

#include <optional>
#include <string>

#include "app/Workspace.h"
#include "base/IAsk.h"
#include "tools/IFileParametersDialog.h"

namespace fsc {

// "Add": `chosenFile` is the file-open dialog's choice (none when cancelled). The parameter
// dialog starts with an empty directory and the file's name. On OK an HTML file (by the
// program options' HTML file test) becomes an extra page whose text is read now, any other
// file a plain copy. A file that cannot be read raises and adds nothing.
void AddTemplateFile(Workspace& ws, const std::optional<std::string>& chosenFile,
                     IFileParametersDialog& dialog);

// "Remove" of grid row `row`: asks "This will remove this file from the list." /
// "Are you sure?" first; the header, the divider and rows past the end remove nothing.
void RemoveTemplateFile(Workspace& ws, int row, IAsk& ask);

// "Edit ": the dialog shows the row's directory and name; on OK they replace the entry's.
// The source never changes. The header, the divider and rows past the end do nothing.
void EditTemplateFile(Workspace& ws, int row, IFileParametersDialog& dialog);

// Every change of the gallery name field, and leaving it.
void SetGalleryPageName(Workspace& ws, const std::string& name);

}  // namespace fsc
