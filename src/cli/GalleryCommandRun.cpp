// The set-up the gallery-building commands share.
#include "cli/GalleryCommandRun.h"

#include <unistd.h>

#include <iostream>

#include "base/AppFolders.h"
#include "cli/StopSignals.h"
#include "imaging/GraphicsIO.h"

namespace fsc {

void SetUpConsoleProcess() {
    UseOffscreenQt();
    InstallStopSignalHandlers();
}

TGalleryCommandRun::TProcessSetUp::TProcessSetUp() { SetUpConsoleProcess(); }

TGalleryCommandRun::TGalleryCommandRun(const TConsoleChoices& choices)
    : Ws(StartupWorkspace(LoadProgramOptions(Store))),
      Ask(choices.Answer, choices.Quiet),
      Progress(std::cerr, choices.Quiet, isatty(STDERR_FILENO) != 0),
      Messages(std::cerr),
      Shell(std::cout, choices.OpenGallery),
      Services{{Ask, Progress, Clock, Random, Rasteriser, Compression, &Messages},
               Messages,
               Shell,
               TempFolder(),
               TempFolder(),
               HistoryFolder()} {
    Ws.CacheFolder = ImageCacheFolder();
    // A folder of photos is read without the copies a gallery built into it left there.
    Ws.HistoryFolder = HistoryFolder();
    Ws.SkipBadPictures = choices.SkipBad;
    RegisterPicturePlugins();
}

}  // namespace fsc
