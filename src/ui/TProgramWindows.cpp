// The program's windows in start-up order.
#include "ui/TProgramWindows.h"

#include "app/Workspace.h"

namespace fsc {

TProgramWindows::TProgramWindows(Workspace& ws, ISettingsStore& store, IShell& shell)
    : StartWindow(ws.Program, [this] { Main.show(); }),
      Settings(ws, Messages, Ask),
      Compression(ws.Program),
      Options(ws.Program, store),
      Main({ws, Settings, Options, Progress, Compression, Ask, shell, Messages,
            StartWindow.PictureFilter()}) {}

}  // namespace fsc
