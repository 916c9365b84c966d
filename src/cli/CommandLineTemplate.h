// Choosing a template from the command line, as the template dialog does it.
#pragma once

#include <string>

#include "app/Workspace.h"
#include "base/IAsk.h"

namespace fsc {

// A library name stays a name; a file (a path, a name ending in ".tpl" or a "USER:" entry)
// becomes a "USER:" entry with its full path, so it does not depend on the folder the
// program runs in. EUserInputError for a name the library lacks or a file that is missing.
std::string TemplateEntry(const std::string& library, const std::string& given);

// Selects the template in the workspace's selection dialog state (the dialog's selection
// change, not yet its "OK").
void SelectCommandLineTemplate(Workspace& ws, const std::string& given, IAsk& ask);

}  // namespace fsc
