// Finding the desktop folder the XDG way.
#include "base/DesktopFolder.h"

#include <cstdlib>

#include "base/AppFolders.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/Text.h"

namespace fsc {

namespace {

// user-dirs.dirs writes XDG_DESKTOP_DIR="$HOME/Desktop"; only $HOME is expanded there.
std::string ExpandHome(std::string value) {
    if (StartsWith(value, "\"") && EndsWith(value, "\"") && value.size() >= 2) {
        value = value.substr(1, value.size() - 2);
    }
    return ReplaceFirst(value, "$HOME", HomeFolder());
}

std::string DesktopFromUserDirs() {
    const std::string file = JoinPath(ConfigHome(), "user-dirs.dirs");
    if (!FileExists(file)) return {};
    std::string found;
    for (const std::string& line : LoadLines(file)) {
        const std::string trimmed = Trim(line);
        if (StartsWith(trimmed, "XDG_DESKTOP_DIR=")) found = ExpandHome(trimmed.substr(16));
    }
    return found;
}

}  // namespace

std::string DesktopFolder() {
    const char* variable = std::getenv("XDG_DESKTOP_DIR");
    std::string desktop = variable != nullptr ? ExpandHome(variable) : DesktopFromUserDirs();
    if (IsAbsolutePath(desktop) && DirectoryExists(desktop)) return desktop;
    return HomeFolder();
}

}  // namespace fsc
