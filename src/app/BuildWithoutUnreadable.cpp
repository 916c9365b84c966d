// Building again without the pictures that cannot be read.
#include "app/BuildWithoutUnreadable.h"

#include "app/LeftOutPictures.h"
#include "base/Errors.h"
#include "engine/Undo.h"

namespace fsc {

namespace {

std::string JoinedLines(const TStringList& lines) {
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
    return text;
}

// A build that stopped at its first picture wrote nothing there is to take back.
void UndoStoppedBuild(Workspace& ws) {
    if (ws.Journal.HasNothingToUndo()) return;
    UndoGallery(ws.Journal, ws.Images);
}

}  // namespace

void CreateGalleryOrSkipUnreadable(Workspace& ws, TCreateMode mode, TCommandServices& services) {
    try {
        CreateGallery(ws, mode, services);
        return;
    } catch (const EUnreadablePicture& error) {
        if (ws.SkipBadPictures ||
            !services.Build.Ask.Ask(error.what(), BuildWithoutUnreadableQuestion))
            throw;
    }
    UndoStoppedBuild(ws);
    ws.LeftOutPictures.clear();
    ws.SkipBadPictures = true;
    struct TSkipOnce {
        Workspace& Ws;
        ~TSkipOnce() { Ws.SkipBadPictures = false; }
    } skipOnce{ws};
    CreateGallery(ws, mode, services);
    const TStringList lines = LeftOutPicturesLines(ws.LeftOutPictures);
    if (!lines.empty()) services.Messages.ShowMessage(JoinedLines(lines));
}

}  // namespace fsc
