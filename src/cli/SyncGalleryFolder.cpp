// Running a sync to its end in a command-line program.
#include "cli/SyncGalleryFolder.h"

#include <QEventLoop>
#include <QTimer>
#include <climits>
#include <iostream>

#include "base/Errors.h"
#include "base/Text.h"
#include "cli/UploadBuiltGallery.h"
#include "ftp/GalleryUpload.h"
#include "ftp/TFtpClient.h"
#include "ftp/TGallerySync.h"
#include "platform/QtTextRasteriser.h"

namespace fsc {

namespace {

void RunUntilFinished(TGallerySync& sync, TConsoleProgress& progress) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (progress.PollInterrupt()) sync.Abort();
        if (sync.Finished()) loop.quit();
    });
    poll.start(50);
    if (!sync.Finished()) loop.exec();
}

std::string RefusedList(const TGallerySync& sync) {
    std::string names;
    for (const std::string& name : sync.Refused) names += "\n  " + name;
    return names;
}

}  // namespace

void SyncGalleryFolder(const std::string& htmlDir, const TUploadTarget& target,
                       TConsoleProgress& progress, bool quiet) {
    std::vector<TSyncFile> files = GalleryFolderFiles(htmlDir);
    const std::string password = FtpPassword();
    EnsureGuiApplication();
    TFtpClient client;
    TGallerySync sync(client,
                      {target.Host,
                       target.User,
                       password,
                       target.Passive,
                       {target.Tls, target.TrustedCertificate}},
                      target.SubDir, std::move(files));
    std::string status;
    sync.OnStatus = [&](const std::string& text) {
        status = text;
        progress.Update(0, 0, text, 1);
    };
    sync.OnProgress = [&](std::int64_t bytes, std::int64_t expected) {
        // The bar counts in int; very large files are shown in coarser steps.
        while (expected > INT_MAX || bytes > INT_MAX) {
            expected /= 1024;
            bytes /= 1024;
        }
        progress.Update(0, int(bytes), status, int(expected));
    };
    sync.OnWarning = [quiet](const std::string& text) {
        if (!quiet) std::cerr << text << '\n';
    };
    progress.SetUnit("bytes");
    progress.SetAbortHandler([&sync] { sync.Abort(); });
    sync.Start();
    RunUntilFinished(sync, progress);
    progress.Hide();
    progress.SetUnit("");
    if (sync.Aborted) throw EFSC_Exception("Sync aborted.");
    if (!sync.Failure.empty()) {
        throw EFSC_Exception("Sync failed: " + sync.Failure +
                             TlsAdvice(sync.LoginError, client.ServerCertificate()));
    }
    if (!sync.Refused.empty()) {
        throw EFSC_Exception("The sync is incomplete; the server refused:" + RefusedList(sync));
    }
    if (!quiet) {
        std::cerr << "Synced: " << sync.SentCount << " sent, " << sync.DeletedCount
                  << " deleted.\n";
    }
}

void PrintGalleryAddress(const TUploadTarget& target, const std::string& htmlFile, IShell& shell) {
    if (Trim(target.WWWAddress).empty()) return;
    TGalleryUpload upload;
    upload.WWWAddress = target.WWWAddress;
    // A sync starts from the login folder, the folder a web address of the account names.
    upload.RemotePath = "/";
    upload.SubDir = target.SubDir;
    upload.HTMLFile = htmlFile;
    shell.Open(GalleryAddress(upload));
}

}  // namespace fsc
