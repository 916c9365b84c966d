// Deleting the backups of the "temp" folder at exit.
#include "engine/TempFolderCleanup.h"

#include <filesystem>

#include "base/Errors.h"
#include "base/Files.h"
#include "base/Paths.h"

namespace fsc {

void DeleteTempFolderFiles(const std::string& tempFolder) {
    if (!DirectoryExists(tempFolder)) return;
    for (const TDirEntry& entry : ListDirectory(tempFolder)) {
        if (entry.IsDirectory) continue;
        try {
            DeleteFileIfExists(JoinPath(tempFolder, entry.Name));
        } catch (const EFscError&) {
            // The program is ending; a file that will not go is left for the next exit.
        }
    }
}

void CleanUpAtExit(TThumbnailArray& thumbs, const std::string& tempFolder) {
    DeleteTempFolderFiles(tempFolder);
    // Each process has a folder of its own; an empty one would only pile up.
    std::error_code ignored;
    std::filesystem::remove(tempFolder, ignored);
    thumbs.clear();
}

}  // namespace fsc
