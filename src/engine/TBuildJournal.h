// What builds wrote and overwrote, so that undo can remove a gallery again; plus the
// per-build lists of collage pictures and navigation warnings.
#pragma once

#include "base/TStringList.h"

namespace fsc {

struct TBuildJournal {
    // Every file a build writes, in order of writing; a path may appear twice.
    TStringList CreatedFiles;
    // Parallel lists: BackupFiles[i] is a copy of RestoreFiles[i] made before it was
    // overwritten.
    TStringList BackupFiles;
    TStringList RestoreFiles;
    // The collage pictures of the last build; the upload sends them too.
    TStringList ExtraImages;
    // Notes of the navigation evaluator; nothing requires showing them.
    TStringList Warnings;

    // A build starts with empty per-build lists; the undo lists accumulate.
    void StartBuild() {
        ExtraImages.clear();
        Warnings.clear();
    }
};

}  // namespace fsc
