// The desktop program's undo, which also reaches a history an earlier run left on disk, and
// its start-up question about a build that never finished.
#pragma once

#include <string>

#include "app/Workspace.h"
#include "base/IAsk.h"

namespace fsc {

// "Undo. Delete the created Gallery.": with nothing recorded in this run, the history that
// an earlier run kept on disk for the gallery in the HTML directory and file fields (from
// `historyFolder`; none when empty) is taken over first; then the undo of this run.
void UndoCreatedGallery(Workspace& ws, const std::string& historyFolder);

// For every build that began and never ended: asks whether to undo it now, naming the
// gallery, and undoes it on "Yes". A build not undone stays in its history for later.
void OfferUndoOfUnfinishedBuilds(const std::string& historyFolder, IAsk& ask);

}  // namespace fsc
