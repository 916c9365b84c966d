// folioscope: the desktop program. Creates the workspace from the stored program options,
// then every window once; the start window hands over to the main window.
#include <exception>

#include "app/GalleryUndo.h"
#include "app/Workspace.h"
#include "base/AppFolders.h"
#include "base/MemoryBudget.h"
#include "engine/TempFolderCleanup.h"
#include "options/ProgramOptions.h"
#include "platform/QtSettingsStore.h"
#include "platform/QtShell.h"
#include "ui/TFscApplication.h"
#include "ui/TProgramWindows.h"

namespace {

int RunProgram(fsc::TFscApplication& application) {
    fsc::QtSettingsStore store;
    fsc::Workspace ws = fsc::StartupWorkspace(fsc::LoadProgramOptions(store));
    ws.CacheFolder = fsc::ImageCacheFolder();
    fsc::QtShell shell;
    fsc::TProgramWindows windows(ws, store, shell);
    windows.Start();
    try {
        // A build that a crash or a power cut ended: the user decides before anything else.
        fsc::OfferUndoOfUnfinishedBuilds(fsc::HistoryFolder(), windows.Ask);
    } catch (...) {
        fsc::TFscApplication::ReportError(std::current_exception());
    }
    const int status = application.exec();
    // Backups of overwritten pages do not outlive the run.
    fsc::CleanUpAtExit(ws.Images, fsc::TempFolder());
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    fsc::MapLargeBuffersApart();
    fsc::TFscApplication application(argc, argv);
    try {
        return RunProgram(application);
    } catch (...) {
        // Start-up failed before any window could take the message (an unreadable options
        // file, say): show it and end.
        fsc::TFscApplication::ReportError(std::current_exception());
        return 1;
    }
}
