// Journal entries and backups of overwritten files.
#include "engine/JournalFile.h"

#include <unistd.h>

#include "base/Files.h"
#include "base/Paths.h"

namespace fsc {

namespace {

std::string Candidate(const std::string& folder, int number) {
    return JoinPath(folder, std::to_string(number) + ".tmp");
}

// Random names keep backups of several builds apart. After 101 random tries the numbers
// are walked upwards instead: taking a name that exists would destroy an older backup.
std::string BackupName(const std::string& folder, IRandom& random) {
    int number = random.Random(32000);
    std::string candidate = Candidate(folder, number);
    for (int tried = 1; FileExists(candidate) && tried < 101; ++tried) {
        number += random.Random(1000);
        if (number < 0) number = random.Random(32000);
        candidate = Candidate(folder, number);
    }
    for (number = 0; FileExists(candidate); ++number) candidate = Candidate(folder, number);
    return candidate;
}

// A second name for the file costs nothing where the backups lie on the same disk.
void KeepAsBackup(const std::string& path, const std::string& backup) {
    if (::link(path.c_str(), backup.c_str()) != 0) CopyFileBytes(path, backup);
}

}  // namespace

void JournalFile(TBuildJournal& journal, const std::string& path, const std::string& backupFolder,
                 IRandom& random) {
    // The backup comes first: if it fails, nothing is recorded, so a later undo can never
    // delete a file of the user's that was never replaced. A file this history wrote itself
    // (a build that was killed and is now run again) is not backed up: undo must remove it,
    // not bring back what the unfinished build left.
    if (FileExists(path) && IndexOfLine(journal.CreatedFiles, path) < 0) {
        ForceDirectories(backupFolder);
        const std::string backup = BackupName(backupFolder, random);
        CopyFileBytes(path, backup);
        journal.AddBackup(backup, path);
    }
    journal.AddCreated(path);
}

void JournalRemoval(TBuildJournal& journal, const std::string& path,
                    const std::string& backupFolder, IRandom& random) {
    ForceDirectories(backupFolder);
    const std::string backup = BackupName(backupFolder, random);
    KeepAsBackup(path, backup);
    journal.AddBackup(backup, path);
    DeleteFileIfExists(path);
}

}  // namespace fsc
