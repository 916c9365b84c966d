// folioscope: the desktop program. Creates the workspace from the stored program options,
// then every window once; the start window hands over to the main window, which opens the
// files named on the command line.
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/Workspace.h"
#include "base/AppFolders.h"
#include "base/MemoryBudget.h"
#include "base/Version.h"
#include "engine/TempFolderCleanup.h"
#include "options/ProgramOptions.h"
#include "platform/QtSettingsStore.h"
#include "platform/QtShell.h"
#include "ui/TFscApplication.h"
#include "ui/TProgramWindows.h"

namespace {

const char* const Usage =
    "Usage: folioscope [FILE]...\n"
    "Turns photographs into a web gallery. Each FILE is opened in the main window:\n"
    "a gallery project (.gal) is opened, an image set (.set) or a picture is added to\n"
    "the image list.\n"
    "  -h, --help     print this text\n"
    "  --version      print the program's name and version\n"
    "Qt's own options (-platform, -style, ...) are taken as well.\n";

// The files to open. Qt has already taken its own options out of argv, and help and version
// were answered before. A file manager may hand over relative names; they are made
// absolute, since a project stores the paths it is given.
std::vector<std::string> FilesToOpen(int argc, char** argv) {
    std::vector<std::string> files;
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (!optionsEnd && arg == "--") {
            optionsEnd = true;
        } else if (!optionsEnd && arg.size() > 1 && arg[0] == '-') {
            throw std::invalid_argument("unknown option \"" + arg + "\"");
        } else if (!std::filesystem::is_regular_file(arg)) {
            throw std::invalid_argument("no such file: \"" + arg + "\"");
        } else {
            files.push_back(std::filesystem::absolute(arg).lexically_normal().string());
        }
    }
    return files;
}

int RunProgram(fsc::TFscApplication& application, std::vector<std::string> files) {
    fsc::QtSettingsStore store;
    fsc::Workspace ws = fsc::StartupWorkspace(fsc::LoadProgramOptions(store));
    ws.CacheFolder = fsc::ImageCacheFolder();
    ws.HistoryFolder = fsc::HistoryFolder();
    fsc::QtShell shell;
    fsc::TProgramWindows windows(ws, store, shell);
    windows.Start(std::move(files));
    const int status = application.exec();
    // Backups of overwritten pages do not outlive the run.
    fsc::CleanUpAtExit(ws.Images, fsc::TempFolder());
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    fsc::MapLargeBuffersApart();
    // Help and version need no display, so they are answered before Qt looks for one.
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") break;
        if (arg == "-h" || arg == "--help") {
            std::cout << Usage;
            return 0;
        }
        if (arg == "--version") {
            std::cout << fsc::ProgramNameAndVersion << '\n';
            return 0;
        }
    }
    fsc::TFscApplication application(argc, argv);
    std::vector<std::string> files;
    try {
        files = FilesToOpen(argc, argv);
    } catch (const std::invalid_argument& error) {
        std::cerr << "folioscope: " << error.what() << "\n\n" << Usage;
        return 2;
    }
    try {
        return RunProgram(application, std::move(files));
    } catch (...) {
        // Start-up failed before any window could take the message (an unreadable options
        // file, say): show it and end.
        fsc::TFscApplication::ReportError(std::current_exception());
        return 1;
    }
}
