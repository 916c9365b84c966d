// The undo histories of all galleries, one per gallery in a folder of the state folder:
// tying a build to its gallery's history, undoing or forgetting one from another process,
// and listing them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/TBuildJournal.h"

namespace fsc {

// A history keeps the builds of its gallery as a stack, bounded by these: the oldest build
// goes when there are more, or when their backups take more room.
inline constexpr std::size_t KeptBuilds = 10;
inline constexpr std::uint64_t KeptBackupBytes = std::uint64_t(2) << 30;

// Before a build of `gallery` (its HTML file path): ties `journal` to the gallery's history
// in `root`, locked for this process, and opens a new build on its stack; the in-memory
// lists of another gallery or an earlier build are let go (they are on disk). A build that
// never finished is continued instead, so its backups stay with the new build's. The
// journal learns what the earlier builds produced. Raises EUserInputError when another
// process holds the gallery, EFSC_Exception when its history is damaged; nothing is deleted
// then.
void AttachHistory(TBuildJournal& journal, const std::string& root, const std::string& gallery);

// After the build, however it ended while the process lived: a build that wrote nothing
// leaves the stack as it was before it, and the journal untied. Returns a line for each
// oldest build dropped to keep the stack in its bounds.
std::vector<std::string> FinishHistoryBuild(TBuildJournal& journal);

// Undo of the newest build of `gallery` from its history alone, as the main window's Undo
// does it: "Nothing there to undo!" when there is none. Run again, it undoes the one before.
void UndoGalleryHistory(const std::string& root, const std::string& gallery);

// Loads the newest build of `gallery` into a `journal` whose undo lists are empty, tied to
// the history (taken from an earlier process, or the one it is tied to), locked for this
// process, so that undo reaches it. False when there is no build to undo.
bool TakeOverHistory(TBuildJournal& journal, const std::string& root, const std::string& gallery);

// After undo of the newest build: it leaves the stack. `keep`, when it holds backups that
// could not go back, takes its place for another undo.
void PopNewestBuild(TBuildJournal& journal, const TBuildJournal* keep = nullptr);

// Forgets the history of `gallery`: its backups go, the gallery's files stay.
void ForgetGalleryHistory(const std::string& root, const std::string& gallery);

struct THistoryBuildSummary {
    long long StartTime = 0;
    bool Finished = true;
    std::size_t CreatedFiles = 0;
    std::size_t BackupFiles = 0;
};

struct THistorySummary {
    std::string Folder;
    std::string Gallery;
    // Another process is building or undoing it right now.
    bool Busy = false;
    // Its stack, the newest build first.
    std::vector<THistoryBuildSummary> Builds;
    // The reason when the history cannot be read; the other fields are then empty.
    std::string Damage;
};

// Every history in `root`, the one with the most recent build first.
std::vector<THistorySummary> ListHistories(const std::string& root);

// The galleries whose last build began and never ended, and that no process holds now.
std::vector<std::string> UnfinishedBuilds(const std::string& root);

}  // namespace fsc
