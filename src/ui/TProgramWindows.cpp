// The program's windows in start-up order.
#include "ui/TProgramWindows.h"

#include <exception>

#include "app/GalleryUndo.h"
#include "app/Workspace.h"
#include "ui/TFscApplication.h"

namespace fsc {

TProgramWindows::TProgramWindows(Workspace& ws, ISettingsStore& store, IShell& shell)
    : StartWindow(ws.Program,
                  [this, &ws] {
                      // A build that a crash or a power cut ended: the user decides before
                      // anything else opens, so the question is the one modal window and
                      // the wizard sees the gallery as it is after the answer.
                      OfferRecovery(ws.HistoryFolder);
                      // "Start with Wizard" opens the wizard before the main window shows;
                      // files to open say what the user wants to work on instead.
                      if (!startFiles.empty()) {
                          Main.show();
                          Main.OpenFiles(startFiles);
                          return;
                      }
                      if (ws.Program.Wizard) Main.UseWizard();
                      Main.show();
                  }),
      Settings(ws, Messages, Ask),
      ParaOptions(ws.Para),
      ImageHTMLOptions(ws),
      ListOptions(ws.List),
      TableOptions(ws.Table),
      CollageOptions(ws.Collage),
      Compression(ws.Program),
      Options(ws.Program, store),
      SlideShowOptions(ws.SlideShow, shell),
      Main({ws, Settings, Options, Progress, Compression, Ask, shell, Messages,
            StartWindow.PictureFilter(), Styles()}) {
    Settings.SetStyleDialogs(Styles());
}

void TProgramWindows::OfferRecovery(const std::string& historyFolder) {
    if (historyFolder.empty()) return;
    try {
        OfferUndoOfUnfinishedBuilds(historyFolder, Ask);
    } catch (...) {
        TFscApplication::ReportError(std::current_exception());
    }
}

StyleDialogs TProgramWindows::Styles() {
    return {&TableOptions,     &ListOptions,       &ParaOptions,     &CollageOptions,
            &SlideShowOptions, &NavigationOptions, &ImageHTMLOptions};
}

}  // namespace fsc
