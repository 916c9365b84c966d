// The desktop program's undo and its start-up question.
#include "app/GalleryUndo.h"

#include <set>

#include "app/CreateGallery.h"
#include "base/Errors.h"
#include "engine/BuildHistory.h"
#include "engine/GalleryHistories.h"
#include "engine/Undo.h"

namespace fsc {

namespace {

std::string Files(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " file" : " files");
}

}  // namespace

void UndoCreatedGallery(Workspace& ws, const std::string& historyFolder, IAsk& ask) {
    if (!historyFolder.empty()) TakeOverHistory(ws.Journal, historyFolder, GalleryFilePath(ws));
    const TBuildJournal& journal = ws.Journal;
    if (journal.HasNothingToUndo()) throw EUserInputError(NothingToUndoText);
    const std::string gallery = journal.History ? journal.History->Gallery() : GalleryFilePath(ws);
    const std::set<std::string> written(journal.CreatedFiles.begin(), journal.CreatedFiles.end());
    if (!ask.Ask("Undo the last build of the gallery \"" + gallery + "\"?",
                 "Yes removes the " + Files(written.size()) + " it wrote and puts back the " +
                     Files(journal.BackupFiles.size()) + " it replaced or removed.")) {
        return;
    }
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
