// The undo histories of all galleries, one per gallery in a folder of the state folder:
// tying a build to its gallery's history, undoing or forgetting one from another process,
// and listing them.
#pragma once

#include <string>
#include <vector>

#include "engine/TBuildJournal.h"

namespace fsc {

// Before a build of `gallery` (its HTML file path): ties `journal` to the gallery's history
// in `root` and locks it for this process. A journal already tied to it goes on adding to it,
// as builds within one run do. Otherwise the in-memory lists of another gallery are let go
// (that history stays on disk), a history left by a build that never finished is taken
// over, so its backups stay with the new build's, and a finished one is forgotten: each
// gallery keeps the history of its last build. Raises EUserInputError when another process
// holds the gallery, EFSC_Exception when its history is damaged; nothing is deleted then.
void AttachHistory(TBuildJournal& journal, const std::string& root, const std::string& gallery);

// After the build, however it ended while the process lived; a build that wrote nothing
// keeps no history.
void FinishHistoryBuild(TBuildJournal& journal);

// Undo of the last build of `gallery` from its history alone, as the main window's Undo
// does it: "Nothing there to undo!" when there is none.
void UndoGalleryHistory(const std::string& root, const std::string& gallery);

// Ties an empty, untied `journal` to the history of `gallery` kept on disk by an earlier
// process, locked for this one, so that undo reaches it. False, and nothing changed, when
// there is none.
bool TakeOverHistory(TBuildJournal& journal, const std::string& root, const std::string& gallery);

// Forgets the history of `gallery`: its backups go, the gallery's files stay.
void ForgetGalleryHistory(const std::string& root, const std::string& gallery);

struct THistorySummary {
    std::string Folder;
    std::string Gallery;
    long long StartTime = 0;
    bool Finished = true;
    // Another process is building or undoing it right now.
    bool Busy = false;
    std::size_t CreatedFiles = 0;
    std::size_t BackupFiles = 0;
    // The reason when the history cannot be read; the other fields are then empty.
    std::string Damage;
};

// Every history in `root`, the most recent build first.
std::vector<THistorySummary> ListHistories(const std::string& root);

// The galleries whose last build began and never ended, and that no process holds now.
std::vector<std::string> UnfinishedBuilds(const std::string& root);

}  // namespace fsc
