// Reading the publish command's words and syncing the gallery they name.
#include "cli/PublishCommand.h"

#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <optional>

#include "base/Errors.h"
#include "base/Files.h"
#include "base/Text.h"
#include "cli/CliUsage.h"
#include "cli/GalleryArguments.h"
#include "cli/StopSignals.h"
#include "cli/SyncGalleryFolder.h"

namespace fsc {

namespace {

struct TPublishArguments {
    std::vector<std::string> Gallery;
    std::optional<TUploadTarget> Target;
    bool Passive = false, Quiet = false, Tls = true;
    std::string TrustedCertificate, WWWAddress;
};

TPublishArguments ParsePublishArguments(const std::vector<std::string>& args) {
    TPublishArguments result;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--passive") {
            result.Passive = true;
        } else if (arg == "--no-tls") {
            result.Tls = false;
        } else if (arg == "--trust-certificate") {
            if (i + 1 == args.size()) throw EUsageError("--trust-certificate needs a value");
            result.TrustedCertificate = TrustedCertificateArgument(args[++i]);
        } else if (arg == "--quiet") {
            result.Quiet = true;
        } else if (arg == "--www") {
            if (i + 1 == args.size()) throw EUsageError("--www needs a value");
            result.WWWAddress = args[++i];
        } else if (StartsWithNoCase(arg, "ftp://")) {
            if (result.Target) throw EUsageError("publish: only one ftp:// address");
            result.Target = ParseUploadAddress(arg);
        } else {
            result.Gallery.push_back(arg);
        }
    }
    if (!result.Target) throw EUsageError("publish needs an address ftp://USER@HOST[:PORT]/SUBDIR");
    if (!result.Tls && !result.TrustedCertificate.empty())
        throw EUsageError("--trust-certificate and --no-tls together");
    result.Target->Passive = result.Passive;
    result.Target->Tls = result.Tls;
    result.Target->TrustedCertificate = result.TrustedCertificate;
    result.Target->WWWAddress = result.WWWAddress;
    result.Target->Sync = true;
    return result;
}

}  // namespace

int RunPublishCommand(const std::vector<std::string>& args) {
    const TPublishArguments arguments = ParsePublishArguments(args);
    UseOffscreenQt();
    InstallStopSignalHandlers();
    const TGalleryLocation gallery = GalleryOf(arguments.Gallery, "publish");
    if (!FileExists(gallery.GalleryFile)) {
        throw EUserInputError("The gallery " + gallery.GalleryFile +
                              " has not been built; build it before publishing it.");
    }
    TConsoleProgress progress(std::cerr, arguments.Quiet, isatty(STDERR_FILENO) != 0);
    SyncGalleryFolder(gallery.HTMLDir, *arguments.Target, progress, arguments.Quiet);
    TConsoleShell shell(std::cout, false);
    const std::string htmlFile = std::filesystem::path(gallery.GalleryFile)
                                     .lexically_relative(gallery.HTMLDir)
                                     .generic_string();
    PrintGalleryAddress(*arguments.Target, htmlFile, shell);
    return 0;
}

}  // namespace fsc
