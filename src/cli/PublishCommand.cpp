// Reading the publish command's words and syncing the gallery they name.
#include "cli/PublishCommand.h"

#include <unistd.h>

#include <iostream>
#include <optional>

#include "app/GalleryToPublish.h"
#include "base/AppFolders.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "base/Text.h"
#include "cli/CliUsage.h"
#include "cli/GalleryArguments.h"
#include "cli/GalleryCommandRun.h"
#include "cli/SyncGalleryFolder.h"
#include "platform/QtSettingsStore.h"

namespace fsc {

namespace {

struct TPublishArguments {
    std::vector<std::string> Gallery;
    std::optional<TUploadTarget> Target;
    // The options of the target, whether they come before or after its address.
    TUploadTarget Options;
    bool Quiet = false;
};

TPublishArguments ParsePublishArguments(const std::vector<std::string>& args) {
    TPublishArguments result;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (IsUploadOption(arg) && arg != "--sync") {
            ReadUploadOption(result.Options, arg, [&] {
                if (i + 1 == args.size()) throw EUsageError(arg + " needs a value");
                return args[++i];
            });
        } else if (arg == "--quiet") {
            result.Quiet = true;
        } else if (IsUploadAddress(arg)) {
            if (result.Target) throw EUsageError("publish: only one address");
            result.Target = ParseUploadAddress(arg);
        } else {
            result.Gallery.push_back(arg);
        }
    }
    if (!result.Target) {
        throw EUsageError(
            "publish needs an address sftp://USER@HOST[:PORT]/PATH or "
            "ftp://USER@HOST[:PORT]/PATH");
    }
    TUploadTarget target = result.Options;
    target.Sftp = result.Target->Sftp;
    target.User = result.Target->User;
    target.Host = result.Target->Host;
    target.SubDir = result.Target->SubDir;
    target.Sync = true;
    CheckUploadOptions(target);
    result.Target = target;
    return result;
}

}  // namespace

int RunPublishCommand(const std::vector<std::string>& args) {
    const TPublishArguments arguments = ParsePublishArguments(args);
    SetUpConsoleProcess();
    const TGalleryLocation gallery = GalleryOf(arguments.Gallery, "publish");
    if (!FileExists(gallery.GalleryFile)) {
        throw EUserInputError("The gallery " + gallery.GalleryFile +
                              " has not been built; build it before publishing it.");
    }
    QtSettingsStore store;
    const TGalleryToPublish published = GalleryToPublish(
        gallery.HTMLDir, gallery.GalleryFile, LoadProgramOptions(store), HistoryFolder());
    TConsoleProgress progress(std::cerr, arguments.Quiet, isatty(STDERR_FILENO) != 0);
    SyncGalleryFolder(published, *arguments.Target, progress, arguments.Quiet);
    TConsoleShell shell(std::cout, false);
    if (!arguments.Target->DryRun) PrintGalleryAddress(*arguments.Target, published.TopPage, shell);
    return 0;
}

}  // namespace fsc
