// The undo histories of all galleries.
#include "engine/GalleryHistories.h"

#include <algorithm>

#include "base/Errors.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "engine/BuildHistory.h"
#include "engine/Undo.h"

namespace fsc {

namespace {

void Append(TStringList& to, const TStringList& from) {
    to.insert(to.end(), from.begin(), from.end());
}

template <class TLists>
void LoadContents(TBuildJournal& journal, const TLists& contents) {
    Append(journal.CreatedFiles, contents.CreatedFiles);
    Append(journal.BackupFiles, contents.BackupFiles);
    Append(journal.RestoreFiles, contents.RestoreFiles);
    Append(journal.CreatedFolders, contents.CreatedFolders);
}

}  // namespace

void AttachHistory(TBuildJournal& journal, const std::string& root, const std::string& gallery) {
    const std::string folder = HistoryFolderOf(root, gallery);
    if (journal.History && journal.History->Folder() == folder) {
        journal.History->StartBuild();
        return;
    }
    std::shared_ptr<TBuildHistory> history = TBuildHistory::Lock(root, gallery);
    THistoryContents previous;
    if (history->Exists()) previous = history->Read();
    if (journal.History) {
        // The other gallery's lists belong to its history on disk, which keeps them.
        journal.History.reset();
        journal.CreatedFiles.clear();
        journal.BackupFiles.clear();
        journal.RestoreFiles.clear();
        journal.CreatedFolders.clear();
    }
    TBuildJournal taken;
    if (!previous.Finished) {
        LoadContents(taken, previous);
    } else {
        // Also clears backups a process made but died before it could record.
        history->Remove();
    }
    LoadContents(taken, journal);
    history->Rewrite(taken);
    history->StartBuild();
    journal.CreatedFiles = std::move(taken.CreatedFiles);
    journal.BackupFiles = std::move(taken.BackupFiles);
    journal.RestoreFiles = std::move(taken.RestoreFiles);
    journal.CreatedFolders = std::move(taken.CreatedFolders);
    journal.History = std::move(history);
}

void FinishHistoryBuild(TBuildJournal& journal) {
    if (!journal.History) return;
    // A build that found everything as it would write it leaves nothing to undo: no history
    // is kept that would list it as undoable.
    if (journal.HasNothingToUndo()) return Forget(journal);
    journal.History->FinishBuild();
}

void UndoGalleryHistory(const std::string& root, const std::string& gallery) {
    TBuildJournal journal;
    std::shared_ptr<TBuildHistory> history = TBuildHistory::Lock(root, gallery);
    if (!history->Exists()) throw EUserInputError(NothingToUndoText);
    LoadContents(journal, history->Read());
    journal.History = history;
    if (journal.HasNothingToUndo()) {
        Forget(journal);
        throw EUserInputError(NothingToUndoText);
    }
    Undo(journal);
}

bool TakeOverHistory(TBuildJournal& journal, const std::string& root, const std::string& gallery) {
    if (journal.History || !journal.CreatedFiles.empty() || !journal.BackupFiles.empty())
        return false;
    std::shared_ptr<TBuildHistory> history = TBuildHistory::Lock(root, gallery);
    if (!history->Exists()) return false;
    LoadContents(journal, history->Read());
    journal.History = history;
    return true;
}

void ForgetGalleryHistory(const std::string& root, const std::string& gallery) {
    TBuildJournal journal;
    std::shared_ptr<TBuildHistory> history = TBuildHistory::Lock(root, gallery);
    if (!history->Exists()) {
        throw EUserInputError("There is no undo history of the gallery \"" + history->Gallery() +
                              "\".");
    }
    // A damaged history raises here: its backups may be the only copies of the user's files.
    LoadContents(journal, history->Read());
    journal.History = history;
    Forget(journal);
}

std::vector<THistorySummary> ListHistories(const std::string& root) {
    std::vector<THistorySummary> list;
    if (!DirectoryExists(root)) return list;
    for (const TDirEntry& entry : ListDirectory(root)) {
        const std::string folder = JoinPath(root, entry.Name);
        const std::string file = JoinPath(folder, HistoryFileName);
        if (!entry.IsDirectory || !FileExists(file)) continue;
        THistorySummary summary;
        summary.Folder = folder;
        summary.Busy = IsHistoryLocked(folder);
        try {
            const THistoryContents contents = ReadHistoryFile(file);
            summary.Gallery = contents.Gallery;
            summary.StartTime = contents.StartTime;
            summary.Finished = contents.Finished;
            summary.CreatedFiles = contents.CreatedFiles.size();
            summary.BackupFiles = contents.BackupFiles.size();
        } catch (const EFscError& error) {
            summary.Damage = error.what();
        }
        list.push_back(summary);
    }
    std::stable_sort(list.begin(), list.end(),
                     [](const auto& a, const auto& b) { return a.StartTime > b.StartTime; });
    return list;
}

std::vector<std::string> UnfinishedBuilds(const std::string& root) {
    std::vector<std::string> galleries;
    for (const THistorySummary& entry : ListHistories(root)) {
        if (!entry.Busy && !entry.Finished && entry.Damage.empty())
            galleries.push_back(entry.Gallery);
    }
    return galleries;
}

}  // namespace fsc
