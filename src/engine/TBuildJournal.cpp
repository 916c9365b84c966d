// The undo lists, written through to the history on disk when there is one.
#include "engine/TBuildJournal.h"

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

}  // namespace fsc
