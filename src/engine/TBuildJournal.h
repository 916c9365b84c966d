// What builds wrote and overwrote, so that undo can remove a gallery again; plus the
// per-build lists of collage pictures and navigation warnings.
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
    // The collage pictures of the last build; the upload sends them too.
    TStringList ExtraImages;
    // Notes of the navigation evaluator; nothing requires showing them.
    TStringList Warnings;

    // When set, the undo lists are also kept on disk: every entry is written there before
    // the file it names is touched, so the history outlives the process.
    std::shared_ptr<TBuildHistory> History;

    // Nothing to undo: no file written or replaced, no folder made.
    bool HasNothingToUndo() const {
        return CreatedFiles.empty() && BackupFiles.empty() && CreatedFolders.empty();
    }

    // A build starts with empty per-build lists; the undo lists accumulate.
    void StartBuild() {
        ExtraImages.clear();
        Warnings.clear();
    }

    // The only ways into the undo lists while a build runs, so that the history on disk
    // always knows at least what the disk holds.
    void AddCreated(const std::string& path);
    void AddBackup(const std::string& backup, const std::string& original);
    // Makes the missing levels of `folder`, each recorded before it is made.
    void CreateFolders(const std::string& folder);
};

}  // namespace fsc
