// Undo and forget.
#include "engine/Undo.h"

#include <unistd.h>

#include <vector>

#include "base/Errors.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "engine/BuildHistory.h"
#include "engine/GalleryHistories.h"

namespace fsc {

namespace {

// Undo and forget pair backup i with restore path i; lists out of step would put one
// file's backup over another file.
void RequireParallelLists(const TBuildJournal& journal) {
    if (journal.BackupFiles.size() != journal.RestoreFiles.size()) {
        throw EFSC_Exception("Clear Error (Code:Restore)");
    }
}

// A file that cannot be deleted is left without a message. A build killed while writing
// one may have left its temporary file beside it, which goes too; each folder is read once,
// so that undoing thousands of pictures takes no longer than writing them did.
void DeleteQuietly(const TStringList& paths) {
    try {
        DeleteUnfinishedWrites(paths);
    } catch (const EFscError&) {
    }
    for (const std::string& path : paths) {
        try {
            DeleteFileIfExists(path);
        } catch (const EFscError&) {
        }
    }
}

// Innermost first. A folder that holds anything, the user's files or what undo could not
// delete, stays; rmdir never takes a file.
void RemoveEmptyFolders(const TStringList& folders) {
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder)
        ::rmdir(folder->c_str());
}

struct TFailedRestore {
    std::string Backup;
    std::string Original;
    std::string Reason;
};

// Latest first: when a path was backed up more than once, its oldest backup (what was
// there before the whole history) is moved back last and stays.
std::vector<TFailedRestore> RestoreBackups(const TBuildJournal& journal) {
    std::vector<TFailedRestore> failed;
    for (std::size_t i = journal.BackupFiles.size(); i-- > 0;) {
        const std::string& backup = journal.BackupFiles[i];
        const std::string& original = journal.RestoreFiles[i];
        try {
            // The shell's move creates missing folders without asking; so does this.
            ForceDirectories(ExtractFileDir(original));
            MoveFileSilently(backup, original);
        } catch (const EFscError& error) {
            failed.insert(failed.begin(), {backup, original, error.what()});
            continue;
        }
        // Once recorded, an undo cut short here does not try to move this backup again. A
        // note that cannot be written only costs that later undo a message about a backup
        // that is gone; stopping here would leave the files after it unrestored.
        try {
            if (journal.History) journal.History->Restored(backup);
        } catch (const EFscError&) {
        }
    }
    return failed;
}

}  // namespace

void Undo(TBuildJournal& journal) {
    // A build that failed on its first picture made its folders and nothing else: they go.
    if (journal.HasNothingToUndo()) throw EUserInputError(NothingToUndoText);
    RequireParallelLists(journal);
    DeleteQuietly(journal.CreatedFiles);
    RemoveEmptyFolders(journal.CreatedFolders);
    // A restored file is also a created one: an undo that went on after a crash must not
    // delete it again.
    if (journal.History) journal.History->CreatedFilesDeleted();
    const std::vector<TFailedRestore> failed = RestoreBackups(journal);
    // Backups that could not go back are the only copies of the user's files: they are
    // kept out of Forget and stay in the lists for another try.
    journal.ClearUndoLists();
    for (const TFailedRestore& entry : failed) {
        journal.BackupFiles.push_back(entry.Backup);
        journal.RestoreFiles.push_back(entry.Original);
    }
    if (journal.History) PopNewestBuild(journal, &journal);
    if (failed.empty()) return;
    throw EFSC_Exception("Cannot restore \"" + failed.front().Original + "\" (" +
                         failed.front().Reason + "); its backup is kept at \"" +
                         failed.front().Backup + "\" for another undo.");
}

void Forget(TBuildJournal& journal) {
    RequireParallelLists(journal);
    if (journal.History) {
        journal.History->Remove();
        journal.History.reset();
    }
    journal.CreatedFiles.clear();
    journal.CreatedFolders.clear();
    DeleteQuietly(journal.BackupFiles);
    journal.BackupFiles.clear();
    journal.RestoreFiles.clear();
}

namespace {

void ClearCacheTimes(TThumbnailArray& thumbs) {
    for (TThumbnail& thumb : thumbs) {
        thumb.CopyTime = 0;
        thumb.ThumbTime = 0;
    }
}

}  // namespace

void UndoGallery(TBuildJournal& journal, TThumbnailArray& thumbs) {
    try {
        Undo(journal);
    } catch (const EFSC_Exception&) {
        // The files are gone even when a backup could not go back.
        ClearCacheTimes(thumbs);
        throw;
    }
    ClearCacheTimes(thumbs);
}

}  // namespace fsc
