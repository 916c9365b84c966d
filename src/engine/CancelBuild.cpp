// Cancelling a build.
#include "engine/CancelBuild.h"

#include "base/Errors.h"
#include "engine/Undo.h"

namespace fsc {

void CheckBuildAbort(TBuildContext& context) {
    if (!context.Images.Abort) return;
    context.Services.Progress.Hide();
    const TBuildJournal& journal = context.Journal;
    if (journal.HasNothingToUndo()) {
        for (TThumbnail& thumb : context.Thumbs) thumb.CopyTime = thumb.ThumbTime = 0;
    } else {
        UndoGallery(context.Journal, context.Thumbs);
    }
    throw EOperationAborted(BuildAbortedText);
}

}  // namespace fsc
