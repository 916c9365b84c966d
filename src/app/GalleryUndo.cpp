// The desktop program's undo and its start-up question.
#include "app/GalleryUndo.h"

#include "app/CreateGallery.h"
#include "engine/GalleryHistories.h"
#include "engine/Undo.h"

namespace fsc {

void UndoCreatedGallery(Workspace& ws, const std::string& historyFolder) {
    if (!historyFolder.empty()) TakeOverHistory(ws.Journal, historyFolder, GalleryFilePath(ws));
    UndoGallery(ws.Journal, ws.Images);
}

void OfferUndoOfUnfinishedBuilds(const std::string& historyFolder, IAsk& ask) {
    for (const std::string& gallery : UnfinishedBuilds(historyFolder)) {
        if (ask.Ask("The last build of the gallery \"" + gallery + "\" did not finish.",
                    "Undo it now? Yes removes what it wrote and puts back the files it "
                    "replaced; No keeps it for a later undo.")) {
            UndoGalleryHistory(historyFolder, gallery);
        }
    }
}

}  // namespace fsc
