// The undo and history commands.
#include "cli/HistoryCommands.h"

#include <algorithm>

#include <ctime>
#include <filesystem>
#include <iostream>

#include "app/CreateGallery.h"
#include "app/DirectoryFields.h"
#include "app/GalleryProject.h"
#include "base/AppFolders.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "cli/CliUsage.h"
#include "cli/ConsoleServices.h"
#include "engine/GalleryHistories.h"
#include "engine/Undo.h"
#include "platform/QtSettingsStore.h"

namespace fsc {

namespace {

// The gallery's HTML file path exactly as the build command makes it from the same words.
std::string GalleryOf(const std::vector<std::string>& args, const std::string& command) {
    QtSettingsStore store;
    Workspace ws = StartupWorkspace(LoadProgramOptions(store));
    std::optional<std::string> dir, file;
    std::string project;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--html-dir" && hasValue) {
            dir = args[++i];
        } else if (args[i] == "--html-file" && hasValue) {
            file = args[++i];
        } else if (!StartsWith(args[i], "-") && project.empty()) {
            project = args[i];
        } else {
            throw EUsageError(command + ": unknown or incomplete argument \"" + args[i] + "\"");
        }
    }
    if (!project.empty()) {
        if (!FileExists(project)) {
            throw ELumettaError("The project \"" + project + "\" does not exist.");
        }
        ReadProjectGallery(ws, project);
    } else if (!dir) {
        throw EUsageError(command + " needs a project file or --html-dir");
    }
    if (dir) {
        SelectHTMLDir(ws, std::filesystem::absolute(*dir).lexically_normal().string());
    }
    if (file) ws.Main.HTMLFile = *file;
    TConsoleMessages messages(std::cerr);
    class TNoQuestions final : public IAsk {
    public:
        bool Ask(const std::string&, const std::string&) override { return false; }
    } noQuestions;
    CheckHTMLFile(ws, THTMLFileCheck::CreateGallery, messages, noQuestions);
    return GalleryFilePath(ws);
}

std::string LocalTime(long long seconds) {
    const std::time_t time = std::time_t(seconds);
    std::tm parts{};
    localtime_r(&time, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
    return text;
}

std::string UndoCommandFor(const std::string& gallery) {
    return "folioscope-cli undo --html-dir \"" + ExtractFileDir(gallery) + "\" --html-file \"" +
           ExtractFileName(gallery) + "\"";
}

}  // namespace

namespace {

// "--quiet" taken out, and whether it was there.
bool TakeQuiet(std::vector<std::string>& args) {
    const auto quiet = std::remove(args.begin(), args.end(), std::string("--quiet"));
    const bool found = quiet != args.end();
    args.erase(quiet, args.end());
    return found;
}

}  // namespace

int RunUndoCommand(std::vector<std::string> args) {
    const bool quiet = TakeQuiet(args);
    std::string gallery;
    if (args.empty()) {
        for (const THistorySummary& entry : ListHistories(HistoryFolder())) {
            if (entry.Damage.empty()) {
                gallery = entry.Gallery;
                break;
            }
        }
        if (gallery.empty()) throw ELumettaError(NothingToUndoText);
    } else {
        gallery = GalleryOf(args, "undo");
    }
    UndoGalleryHistory(HistoryFolder(), gallery);
    if (!quiet) std::cerr << "The last build of \"" << gallery << "\" was undone.\n";
    return 0;
}

int RunHistoryCommand(std::vector<std::string> args, std::ostream& out) {
    // The listing is all the command prints, so quiet changes nothing.
    TakeQuiet(args);
    if (!args.empty()) {
        if (args[0] != "--forget")
            throw EUsageError("history: unknown argument \"" + args[0] + "\"");
        const std::string gallery = GalleryOf({args.begin() + 1, args.end()}, "history --forget");
        ForgetGalleryHistory(HistoryFolder(), gallery);
        return 0;
    }
    for (const THistorySummary& entry : ListHistories(HistoryFolder())) {
        if (!entry.Damage.empty()) {
            out << entry.Damage << '\n';
            continue;
        }
        out << entry.Gallery << "\t" << LocalTime(entry.StartTime) << "\t" << entry.CreatedFiles
            << " files written, " << entry.BackupFiles << " backed up";
        if (entry.Busy) {
            out << ", being built now";
        } else if (!entry.Finished) {
            out << ", did not finish";
        }
        out << '\n';
    }
    return 0;
}

void ReportUnfinishedBuilds(std::ostream& err) {
    std::vector<std::string> galleries;
    try {
        galleries = UnfinishedBuilds(HistoryFolder());
    } catch (const EFscError&) {
        return;
    }
    for (const std::string& gallery : galleries) {
        err << "The last build of the gallery \"" << gallery << "\" did not finish. "
            << UndoCommandFor(gallery)
            << " removes what it wrote and puts back the files it replaced.\n";
    }
}

}  // namespace fsc
