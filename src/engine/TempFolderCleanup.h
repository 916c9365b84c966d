// The exit hook of the GUI and the CLI: backups in the "temp" folder do not outlive the run.
#pragma once

#include <string>

#include "engine/TThumbnail.h"

namespace fsc {

// Deletes every file directly in `tempFolder` (normally TempFolder()); folders and files
// that cannot be deleted are left. A missing folder is no error.
void DeleteTempFolderFiles(const std::string& tempFolder);

// What the program does at exit: the backups in the "temp" folder go, the image list is
// emptied.
void CleanUpAtExit(TThumbnailArray& thumbs, const std::string& tempFolder);

}  // namespace fsc
