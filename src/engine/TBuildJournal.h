// What the newest build wrote and overwrote, so that undo can take it back; what earlier
// builds produced, so that a build can remove what it no longer makes; plus the per-build
// lists of collage pictures and navigation warnings.
#pragma once

#include <memory>

#include "base/TStringList.h"

namespace fsc {

class TBuildHistory;

struct TBuildJournal {
    // Every file a build writes, in order of writing; a path may appear twice.
    TStringList CreatedFiles;
    // Parallel lists: BackupFiles[i] is a copy of RestoreFiles[i] made before it was
    // overwritten.
    TStringList BackupFiles;
    TStringList RestoreFiles;
    // Folders a build made, outermost first: undo takes away those it leaves empty.
    TStringList CreatedFolders;
    // Every file this build produced, written or found as it would write it; never a source
    // picture.
    TStringList Outputs;
    // What the earlier builds of this gallery produced: what this build does not produce
    // again is stale and goes at its end.
    TStringList EarlierOutputs;
    // The collage pictures of the last build; the upload sends them too.
    TStringList ExtraImages;
    // Notes of the navigation evaluator; nothing requires showing them.
    TStringList Warnings;
    // The pictures a build left out because they could not be read, each with the reason.
    TStringList LeftOut;

    // When set, the undo lists are also kept on disk: every entry is written there before
    // the file it names is touched, so the history outlives the process.
    std::shared_ptr<TBuildHistory> History;

    // Nothing to undo: no file written or replaced, no folder made.
    bool HasNothingToUndo() const {
        return CreatedFiles.empty() && BackupFiles.empty() && CreatedFolders.empty();
    }

    // A build starts with empty per-build lists; without a history on disk the undo lists
    // accumulate.
    void StartBuild() {
        ExtraImages.clear();
        Warnings.clear();
        LeftOut.clear();
        Outputs.clear();
    }

    // The undo lists of the newest build, as a history keeps them.
    void ClearUndoLists() {
        CreatedFiles.clear();
        BackupFiles.clear();
        RestoreFiles.clear();
        CreatedFolders.clear();
    }

    // The only ways into the undo lists while a build runs, so that the history on disk
    // always knows at least what the disk holds.
    void AddCreated(const std::string& path);
    void AddBackup(const std::string& backup, const std::string& original);
    void AddOutput(const std::string& path) { Outputs.push_back(path); }
    // Makes the missing levels of `folder`, each recorded before it is made.
    void CreateFolders(const std::string& folder);
};

}  // namespace fsc
