// The desktop program's undo, which also reaches a history an earlier run left on disk, and
// its start-up question about a build that never finished.
#pragma once

#include <string>

#include "app/Workspace.h"
#include "base/IAsk.h"

namespace fsc {

// "Undo. Delete the created Gallery.": undoes the newest build, after asking, with the
// number of files it removes and puts back. With nothing recorded in this run, the newest
// build that the history on disk keeps for the gallery in the HTML directory and file fields
// (from `historyFolder`; none when empty) is taken over first. Raises "Nothing there to
// undo!" when there is none.
void UndoCreatedGallery(Workspace& ws, const std::string& historyFolder, IAsk& ask);

// For every build that began and never ended: asks whether to undo it now, naming the
// gallery, and undoes it on "Yes". A build not undone stays in its history for later.
void OfferUndoOfUnfinishedBuilds(const std::string& historyFolder, IAsk& ask);

}  // namespace fsc
