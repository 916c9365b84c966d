// folioscope: the desktop program. Creates the workspace from the stored program options,
// then every window once; the start window hands over to the main window.
#include <QTimer>
#include <exception>

#include "app/Workspace.h"
#include "base/AppFolders.h"
#include "engine/TempFolderCleanup.h"
#include "options/ProgramOptions.h"
#include "platform/QtSettingsStore.h"
#include "platform/QtShell.h"
#include "ui/QtMessages.h"
#include "ui/TAskForm.h"
#include "ui/TDarevudIroForm.h"
#include "ui/TFolioscopeForm.h"
#include "ui/TFscApplication.h"
#include "ui/TOptionsForm.h"
#include "ui/TProgress.h"
#include "ui/TRirevidedOzizidoForm.h"

namespace {

int RunProgram(fsc::TFscApplication& application) {
    fsc::QtSettingsStore store;
    fsc::Workspace ws = fsc::StartupWorkspace(fsc::LoadProgramOptions(store));
    fsc::QtShell shell;
    fsc::QtMessages messages;

    fsc::TDarevudIroForm* mainWindow = nullptr;
    // The start window is created first, as it registers the picture readers.
    fsc::TFolioscopeForm startWindow(ws.Program, [&] { mainWindow->show(); });
    fsc::TAskForm ask;
    fsc::TRirevidedOzizidoForm settings(ws, messages, ask);
    fsc::TProgress progress;
    fsc::TOptionsForm options(ws.Program, store);
    fsc::TDarevudIroForm main(
        {ws, settings, options, progress, ask, shell, messages, startWindow.PictureFilter()});
    mainWindow = &main;
    startWindow.show();

    const int status = application.exec();
    fsc::CleanUpAtExit(ws.Images, fsc::TempFolder());
    return status;
}

}  // namespace

int main(int argc, char** argv) {
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
