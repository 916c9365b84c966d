// The undo lists, written through to the history on disk when there is one.
#include "engine/TBuildJournal.h"

#include <filesystem>
#include <vector>

#include "base/Files.h"
#include "engine/BuildHistory.h"

namespace fsc {

void TBuildJournal::AddCreated(const std::string& path) {
    if (History) History->AddCreated(path);
    CreatedFiles.push_back(path);
}

void TBuildJournal::AddBackup(const std::string& backup, const std::string& original) {
    if (History) History->AddBackup(backup, original);
    BackupFiles.push_back(backup);
    RestoreFiles.push_back(original);
}

void TBuildJournal::CreateFolders(const std::string& folder) {
    if (folder.empty() || DirectoryExists(folder)) return;
    namespace fs = std::filesystem;
    // Recorded as absolute paths: undo may run from another working folder.
    fs::path level = fs::absolute(folder).lexically_normal();
    if (level.filename().empty()) level = level.parent_path();  // "images/"
    std::vector<fs::path> missing;
    for (; !DirectoryExists(level.string()) && level != level.parent_path();
         level = level.parent_path())
        missing.push_back(level);
    for (auto made = missing.rbegin(); made != missing.rend(); ++made) {
        if (History) History->AddCreatedFolder(made->string());
        CreatedFolders.push_back(made->string());
        ForceDirectories(made->string());
    }
}

}  // namespace fsc
