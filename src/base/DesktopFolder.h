// The user's desktop folder, the start value of the gallery's HTML directory.
#pragma once

#include <string>

namespace fsc {

// XDG_DESKTOP_DIR from the environment or from the user's user-dirs.dirs when that folder
// exists; otherwise the home folder.
std::string DesktopFolder();

}  // namespace fsc
