// The rules of the "Directories" panel: the HTML directory's "Select", the HTML file's
// "Select" and check, and the image directory field.
#pragma once

#include <optional>
#include <string>

#include "app/Workspace.h"
#include "base/IAsk.h"
#include "base/IMessages.h"

namespace fsc {

inline constexpr const char* HTMLFileOutsideText = "File must be in the HTML directory.";
inline constexpr const char* HTMLExtensionAddedText =
    "The HTML file must have a HTML extension (e.g. html, htm, php, asp, ..). Added html as "
    "extension to the file name.";
inline constexpr const char* ImageDirColonText =
    "The image dir is a subdir of HTML dir. \":\" is not allowed in the name of subdir!";

// The folder browser's outcome: a chosen folder becomes the HTML directory; either way
// separators at the end of the field go.
void SelectHTMLDir(Workspace& ws, const std::optional<std::string>& chosen);

// The HTML file save dialog's outcome. The file must lie in the HTML directory
// (EUserInputError "File must be in the HTML directory." otherwise); the field gets its path
// below the directory, cut before the first ".HTM" (any case), and the check below runs
// as when the field is left.
void SelectHTMLFile(Workspace& ws, const std::string& chosen, IMessages& messages, IAsk& ask);

// Who runs the HTML file check: only the field itself asks about an existing file.
enum class THTMLFileCheck { Field, CreateGallery };

// Trims the field; a name without an HTML extension gets "." and the options' default
// extension, with the "ERROR" box when it had another extension, whose "Cancel" keeps the
// name as typed. Run by the field, an existing file may become the current template's
// index page after "The HTML-File NAME does already exist." / "Use the existing file as
// HTML template? ", asked once per file and run.
void CheckHTMLFile(Workspace& ws, THTMLFileCheck caller, IMessages& messages, IAsk& ask);

// Every change of the image directory field: trimmed. A colon sets the field back to
// "images" and raises EUserInputError. A name that leaves the HTML directory (absolute,
// or climbing out with "..") is kept here and refused by the build, since the field
// passes through such names while it is typed.
void SetImageDir(Workspace& ws, const std::string& text);

}  // namespace fsc
