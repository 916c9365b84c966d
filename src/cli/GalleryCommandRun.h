// What the commands that build galleries (build, tree) set up alike before they start: Qt
// without a screen, Ctrl+C as a request to stop, the picture plug-ins, the workspace of the
// user's program options, and the console services a build reports through.
#pragma once

#include <optional>

#include "app/CreateGallery.h"
#include "app/Workspace.h"
#include "base/IClock.h"
#include "base/IRandom.h"
#include "cli/ConsoleServices.h"
#include "platform/QtSettingsStore.h"
#include "platform/QtTextRasteriser.h"

namespace fsc {

// Qt's offscreen platform and Ctrl+C, SIGTERM and SIGHUP as requests to stop: what every
// command that builds or sends files sets up first.
void SetUpConsoleProcess();

struct TConsoleChoices {
    // --yes or --no: the answer to every question (see TConsoleAsk).
    std::optional<bool> Answer;
    bool Quiet = false;
    // --open: the finished gallery also in the browser, not only its path printed.
    bool OpenGallery = false;
    // --skip-bad: unreadable pictures are left out, each named, instead of stopping the build.
    bool SkipBad = false;
};

// Lives for the whole command: the services refer to its members.
class TGalleryCommandRun {
    // First, so that Qt is offscreen before the rasteriser loads its fonts.
    struct TProcessSetUp {
        TProcessSetUp();
    } processSetUp;

public:
    explicit TGalleryCommandRun(const TConsoleChoices& choices);
    TGalleryCommandRun(const TGalleryCommandRun&) = delete;
    TGalleryCommandRun& operator=(const TGalleryCommandRun&) = delete;

    QtTextRasteriser Rasteriser;
    QtSettingsStore Store;
    Workspace Ws;
    TConsoleAsk Ask;
    TConsoleProgress Progress;
    TConsoleMessages Messages;
    TConsoleShell Shell;
    TSystemClock Clock;
    TSystemRandom Random;
    TNoCompressionDialog Compression;
    TCommandServices Services;
};

}  // namespace fsc
