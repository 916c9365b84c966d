// Output paths, journal entries with backups, and safe copies.
#include "engine/BuildFiles.h"

#include <filesystem>

#include "base/Files.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "engine/JournalFile.h"

namespace fsc {

namespace fs = std::filesystem;

std::string InHTMLDir(const std::string& htmlDir, const std::string& relative) {
    std::string part = ToInternalPath(relative);
    std::size_t skip = 0;
    while (skip < part.size() && part[skip] == '/') ++skip;
    return IncludeTrailingSeparator(htmlDir) + part.substr(skip);
}

std::string ImageTargetDir(const TFSC_HTML& html) {
    if (html.ImageDir.empty() || html.ImageDir == ".")
        return IncludeTrailingSeparator(html.HTMLDir);
    return IncludeTrailingSeparator(InHTMLDir(html.HTMLDir, html.ImageDir));
}

void JournalTarget(TBuildContext& context, const std::string& path) {
    JournalFile(context.Journal, path, context.BackupFolder, context.Services.Random);
}

namespace {

bool WrittenByHistory(const TBuildJournal& journal, const std::string& path) {
    return IndexOfLine(journal.CreatedFiles, path) >= 0;
}

// K.tmp with K the length of the backup list; a name some other backup uses, of this build
// or of an earlier one on the history's stack, is passed over, so no backup can replace
// another.
std::string CopyBackupName(const TBuildContext& context) {
    const TStringList& backups = context.Journal.BackupFiles;
    std::size_t number = backups.size();
    std::string name;
    do {
        name = JoinPath(context.CopyBackupFolder, std::to_string(number++) + ".tmp");
    } while (IndexOfLine(backups, name) >= 0 || FileExists(name));
    return name;
}

}  // namespace

void JournalImageTarget(TBuildContext& context, const std::string& path) {
    TBuildJournal& journal = context.Journal;
    // What this history wrote itself, in a build that was killed and is now run again, is
    // removed by undo; a backup of it would bring back what the unfinished build left.
    if (FileExists(path) && !WrittenByHistory(journal, path)) {
        ForceDirectories(context.CopyBackupFolder);
        const std::string backup = CopyBackupName(context);
        CopyFileBytes(path, backup);
        journal.AddBackup(backup, path);
    }
    journal.AddCreated(path);
}

namespace {

std::string Normal(const std::string& path) { return fs::path(path).lexically_normal().string(); }

bool SameOnDisk(const std::string& a, const std::string& b) {
    std::error_code error;
    return fs::equivalent(a, b, error) && !error;
}

}  // namespace

bool IsSameFile(const std::string& a, const std::string& b) {
    return Normal(a) == Normal(b) || SameOnDisk(a, b);
}

bool IsSameFileIgnoringCase(const std::string& a, const std::string& b) {
    return SameText(Normal(a), Normal(b)) || SameOnDisk(a, b);
}

void CopyFileSafely(const std::string& from, const std::string& to) {
    if (SameOnDisk(from, to)) return;
    WriteFileBytes(to, ReadFileBytes(from));
}

}  // namespace fsc
