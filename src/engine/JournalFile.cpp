// Journal entries and backups of overwritten files.
#include "engine/JournalFile.h"

#include "base/Files.h"
#include "base/Paths.h"

namespace fsc {

namespace {

std::string Candidate(const std::string& folder, int number) {
    return JoinPath(folder, std::to_string(number) + ".tmp");
}

// Random names keep backups of several builds apart; after 101 tries the last candidate
// is taken even if it exists, so a full folder cannot stall a build.
std::string BackupName(const std::string& folder, IRandom& random) {
    int number = random.Random(32000);
    std::string candidate = Candidate(folder, number);
    for (int tried = 1; FileExists(candidate) && tried < 101; ++tried) {
        number += random.Random(1000);
        if (number < 0) number = random.Random(32000);
        candidate = Candidate(folder, number);
    }
    return candidate;
}

}  // namespace

void JournalFile(TBuildJournal& journal, const std::string& path, const std::string& backupFolder,
                 IRandom& random) {
    journal.CreatedFiles.push_back(path);
    if (!FileExists(path)) return;
    ForceDirectories(backupFolder);
    const std::string backup = BackupName(backupFolder, random);
    CopyFileBytes(path, backup);
    journal.BackupFiles.push_back(backup);
    journal.RestoreFiles.push_back(path);
}

}  // namespace fsc
