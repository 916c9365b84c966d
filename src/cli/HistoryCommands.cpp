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
#include "cli/GalleryArguments.h"
#include "cli/StopSignals.h"
#include "engine/GalleryHistories.h"
#include "engine/Undo.h"
#include "platform/QtSettingsStore.h"

namespace fsc {

namespace {

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
        if (gallery.empty()) throw EUserInputError(NothingToUndoText);
    } else {
        gallery = GalleryOf(args, "undo").GalleryFile;
    }
    const THeldStopSignals finishFirst;
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
        const std::string gallery =
            GalleryOf({args.begin() + 1, args.end()}, "history --forget").GalleryFile;
        ForgetGalleryHistory(HistoryFolder(), gallery);
        return 0;
    }
    // One line a build, the newest first: the first line of a gallery is what undo takes back.
    for (const THistorySummary& entry : ListHistories(HistoryFolder())) {
        if (!entry.Damage.empty()) {
            out << entry.Damage << '\n';
            continue;
        }
        for (std::size_t i = 0; i < entry.Builds.size(); ++i) {
            const THistoryBuildSummary& build = entry.Builds[i];
            out << entry.Gallery << "\t" << LocalTime(build.StartTime) << "\t" << build.CreatedFiles
                << " files written, " << build.BackupFiles << " backed up";
            if (i == 0 && entry.Busy) {
                out << ", being built now";
            } else if (!build.Finished) {
                out << ", did not finish";
            }
            out << '\n';
        }
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
