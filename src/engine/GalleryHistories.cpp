// The undo histories of all galleries.
#include "engine/GalleryHistories.h"

#include <algorithm>
#include <chrono>

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

void LoadBuild(TBuildJournal& journal, const THistoryBuild& build) {
    Append(journal.CreatedFiles, build.CreatedFiles);
    Append(journal.BackupFiles, build.BackupFiles);
    Append(journal.RestoreFiles, build.RestoreFiles);
    Append(journal.CreatedFolders, build.CreatedFolders);
}

long long SecondsNow() {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

// Everything the builds wrote: a history kept before outputs were recorded names its files
// only as created ones.
TStringList EarlierOutputsOf(const THistoryContents& contents) {
    TStringList outputs;
    for (const THistoryBuild& build : contents.Builds) {
        Append(outputs, build.Outputs);
        Append(outputs, build.CreatedFiles);
    }
    return outputs;
}

// Backups the history does not name are what a process made before it died and could record
// them; nobody can restore them, so they go.
void DeleteUnlistedBackups(const TBuildHistory& history, const THistoryContents& contents) {
    TStringList listed;
    for (const THistoryBuild& build : contents.Builds) Append(listed, build.BackupFiles);
    std::sort(listed.begin(), listed.end());
    for (const std::string& folder : {history.PageBackupFolder(), history.ImageBackupFolder()}) {
        if (!DirectoryExists(folder)) continue;
        for (const TDirEntry& entry : ListDirectory(folder)) {
            const std::string path = JoinPath(folder, entry.Name);
            if (entry.IsDirectory || std::binary_search(listed.begin(), listed.end(), path))
                continue;
            try {
                DeleteFileIfExists(path);
            } catch (const EFscError&) {
            }
        }
    }
}

std::uint64_t BackupBytes(const THistoryBuild& build) {
    std::uint64_t bytes = 0;
    for (const std::string& path : build.BackupFiles) {
        const TFileStamp stamp = FileStampOf(path);
        if (stamp.Size > 0) bytes += std::uint64_t(stamp.Size);
    }
    return bytes;
}

void DeleteBackups(const THistoryBuild& build) {
    for (const std::string& path : build.BackupFiles) {
        try {
            DeleteFileIfExists(path);
        } catch (const EFscError&) {
        }
    }
}

// The oldest builds go while the stack is over its bounds; the newest always stays.
std::vector<std::string> KeepWithinBounds(TBuildHistory& history, THistoryContents& contents) {
    std::vector<THistoryBuild>& builds = contents.Builds;
    std::uint64_t bytes = 0;
    for (const THistoryBuild& build : builds) bytes += BackupBytes(build);
    std::vector<std::string> notes;
    while (builds.size() > 1 && (builds.size() > KeptBuilds || bytes > KeptBackupBytes)) {
        bytes -= std::min(bytes, BackupBytes(builds.front()));
        notes.push_back("The oldest build of \"" + contents.Gallery +
                        "\" can no longer be undone: the undo history keeps the last " +
                        std::to_string(KeptBuilds) + " builds and " +
                        std::to_string(KeptBackupBytes >> 30) + " GB of backups.");
        // The history first: it must never name backups that are gone.
        const THistoryBuild dropped = builds.front();
        builds.erase(builds.begin());
        history.Rewrite(builds);
        DeleteBackups(dropped);
    }
    return notes;
}

}  // namespace

void AttachHistory(TBuildJournal& journal, const std::string& root, const std::string& gallery) {
    const std::string folder = HistoryFolderOf(root, gallery);
    std::shared_ptr<TBuildHistory> history = journal.History && journal.History->Folder() == folder
                                                 ? journal.History
                                                 : TBuildHistory::Lock(root, gallery);
    THistoryContents contents;
    if (history->Exists()) contents = history->Read();
    // Lists in memory are those of another gallery or of this one's newest build: both are
    // on disk already.
    journal.History.reset();
    journal.ClearUndoLists();
    journal.EarlierOutputs = EarlierOutputsOf(contents);
    if (!contents.Builds.empty() && !contents.Builds.back().Finished) {
        // A build that never ended is continued, so that what it wrote is removed by the undo
        // of this one and never backed up as if it were the user's.
        LoadBuild(journal, contents.Builds.back());
    } else {
        THistoryBuild fresh;
        fresh.StartTime = SecondsNow();
        fresh.Finished = false;
        contents.Builds.push_back(fresh);
    }
    DeleteUnlistedBackups(*history, contents);
    history->Rewrite(contents.Builds);
    journal.History = std::move(history);
}

std::vector<std::string> FinishHistoryBuild(TBuildJournal& journal) {
    if (!journal.History) return {};
    TBuildHistory& history = *journal.History;
    if (journal.HasNothingToUndo()) {
        // A build that found everything as it would write it leaves nothing to undo: it
        // takes no place in the stack, and the build before it stays the one undo takes back.
        THistoryContents contents = history.Read();
        if (!contents.Builds.empty()) contents.Builds.pop_back();
        history.Rewrite(contents.Builds);
        journal.History.reset();
        return {};
    }
    history.AddOutputs(journal.Outputs);
    history.FinishBuild();
    THistoryContents contents = history.Read();
    return KeepWithinBounds(history, contents);
}

bool TakeOverHistory(TBuildJournal& journal, const std::string& root, const std::string& gallery) {
    if (!journal.HasNothingToUndo()) return false;
    std::shared_ptr<TBuildHistory> history =
        journal.History && journal.History->Folder() == HistoryFolderOf(root, gallery)
            ? journal.History
            : TBuildHistory::Lock(root, gallery);
    if (!history->Exists()) return false;
    THistoryContents contents = history->Read();
    // A build killed before it wrote anything has nothing to take back: the one before it
    // is the newest.
    const auto empty = [](const THistoryBuild& build) {
        return build.CreatedFiles.empty() && build.BackupFiles.empty() &&
               build.CreatedFolders.empty();
    };
    if (!contents.Builds.empty() && empty(contents.Builds.back())) {
        while (!contents.Builds.empty() && empty(contents.Builds.back()))
            contents.Builds.pop_back();
        history->Rewrite(contents.Builds);
    }
    if (contents.Builds.empty()) {
        if (journal.History == history) journal.History.reset();
        return false;
    }
    LoadBuild(journal, contents.Builds.back());
    journal.History = std::move(history);
    return true;
}

void UndoGalleryHistory(const std::string& root, const std::string& gallery) {
    TBuildJournal journal;
    if (!TakeOverHistory(journal, root, gallery)) throw EUserInputError(NothingToUndoText);
    Undo(journal);
}

void PopNewestBuild(TBuildJournal& journal, const TBuildJournal* keep) {
    TBuildHistory& history = *journal.History;
    THistoryContents contents = history.Read();
    if (!contents.Builds.empty()) contents.Builds.pop_back();
    if (keep != nullptr && !keep->HasNothingToUndo()) {
        THistoryBuild rest;
        rest.BackupFiles = keep->BackupFiles;
        rest.RestoreFiles = keep->RestoreFiles;
        contents.Builds.push_back(rest);
    }
    history.Rewrite(contents.Builds);
    // Untied, the journal is no longer this build's: the build's own end leaves the stack
    // alone, and the next undo loads the build before.
    if (journal.HasNothingToUndo()) journal.History.reset();
}

void ForgetGalleryHistory(const std::string& root, const std::string& gallery) {
    TBuildJournal journal;
    std::shared_ptr<TBuildHistory> history = TBuildHistory::Lock(root, gallery);
    if (!history->Exists()) {
        throw EUserInputError("There is no undo history of the gallery \"" + history->Gallery() +
                              "\".");
    }
    // A damaged history raises here: its backups may be the only copies of the user's files.
    for (const THistoryBuild& build : history->Read().Builds) LoadBuild(journal, build);
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
            for (auto build = contents.Builds.rbegin(); build != contents.Builds.rend(); ++build) {
                summary.Builds.push_back({build->StartTime, build->Finished,
                                          build->CreatedFiles.size(), build->BackupFiles.size()});
            }
        } catch (const EFscError& error) {
            summary.Damage = error.what();
        }
        list.push_back(summary);
    }
    const auto newest = [](const THistorySummary& entry) {
        return entry.Builds.empty() ? 0 : entry.Builds.front().StartTime;
    };
    std::stable_sort(list.begin(), list.end(),
                     [&](const auto& a, const auto& b) { return newest(a) > newest(b); });
    return list;
}

std::vector<std::string> UnfinishedBuilds(const std::string& root) {
    std::vector<std::string> galleries;
    for (const THistorySummary& entry : ListHistories(root)) {
        if (!entry.Busy && entry.Damage.empty() && !entry.Builds.empty() &&
            !entry.Builds.front().Finished)
            galleries.push_back(entry.Gallery);
    }
    return galleries;
}

}  // namespace fsc
