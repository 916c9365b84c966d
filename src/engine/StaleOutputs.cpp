// Stale output removal.
#include "engine/StaleOutputs.h"

#include <set>

#include "base/Errors.h"
#include "base/Files.h"
#include "engine/JournalFile.h"

namespace fsc {

namespace {

// Builds may name the same file through a relative path or a linked folder.
std::set<std::string> CanonicalSet(const TStringList& paths) {
    std::set<std::string> set;
    for (const std::string& path : paths) set.insert(CanonicalPath(path));
    return set;
}

}  // namespace

void RemoveStaleOutputs(TBuildJournal& journal, const std::string& backupFolder, IRandom& random,
                        const TThumbnailArray& pictures) {
    std::set<std::string> kept = CanonicalSet(journal.Outputs);
    for (const TThumbnail& picture : pictures) kept.insert(CanonicalPath(picture.FileName));
    const std::set<std::string> writtenNow(journal.CreatedFiles.begin(),
                                           journal.CreatedFiles.end());
    for (const std::string& path : journal.EarlierOutputs) {
        if (!kept.insert(CanonicalPath(path)).second || !FileExists(path)) continue;
        if (writtenNow.count(path) != 0) {
            DeleteFileIfExists(path);
        } else {
            JournalRemoval(journal, path, backupFolder, random);
        }
    }
    journal.EarlierOutputs = journal.Outputs;
}

}  // namespace fsc
