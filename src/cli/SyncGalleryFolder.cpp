// Running a sync to its end in a command-line program.
#include "cli/SyncGalleryFolder.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <iostream>
#include <memory>

#include "app/GalleryToPublish.h"
#include "base/AppFolders.h"
#include "base/Errors.h"
#include "base/Text.h"
#include "cli/FtpLogin.h"
#include "ftp/ByteProgress.h"
#include "ftp/GalleryUpload.h"
#include "ftp/PublishedFiles.h"
#include "ftp/TFtpClient.h"
#include "ftp/TGallerySync.h"
#include "ftp/TSftpSession.h"

namespace fsc {

namespace {

// The FTP and SFTP sessions need an event loop, not a screen: a publish does without the
// platform plugin and fonts a QGuiApplication loads. A build before it may have made one.
void EnsureEventLoopApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "folioscope";
    static char* argv[] = {name, nullptr};
    new QCoreApplication(argc, argv);
}

void RunUntilFinished(TGallerySync& sync, TConsoleProgress& progress) {
    QEventLoop loop;
    // Quit as soon as the sync ends; the poll is for Ctrl+C.
    sync.OnFinished = [&loop] { loop.quit(); };
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (progress.PollInterrupt()) sync.Abort();
        if (sync.Finished()) loop.quit();
    });
    poll.start(50);
    if (!sync.Finished()) loop.exec();
    sync.OnFinished = nullptr;
}

// The plan on stdout, one line a file in sending order, then the counts: what a script
// reads before it lets a publish loose on a server.
void PrintPlan(const TSyncPlan& plan) {
    for (const TSyncFile& file : plan.Send) std::cout << "send " << file.Path << '\n';
    for (const std::string& path : plan.Delete) std::cout << "delete " << path << '\n';
    std::cout << PlanSummary(plan) << '\n';
}

std::string RefusedList(const TGallerySync& sync) {
    std::string names;
    for (const std::string& name : sync.Refused) names += "\n  " + name;
    return names;
}

TPublishChoice PublishChoiceOf(const TGalleryToPublish& gallery, const TUploadTarget& target) {
    TPublishChoice choice;
    choice.Include = target.Include;
    choice.Exclude = target.Exclude;
    choice.TopPage = gallery.TopPage;
    choice.PageExtensions = gallery.PageExtensions;
    choice.HashCacheFolder = StateFolder() + "/publish-hashes";
    return choice;
}

std::vector<TSyncFile> FilesToSend(const TGalleryToPublish& gallery, const TUploadTarget& target,
                                   bool quiet) {
    TPublishedFiles chosen =
        PublishedFiles(gallery.HTMLDir, RecordedOutputs(gallery), PublishChoiceOf(gallery, target));
    if (!chosen.FromRecord && !quiet) {
        std::cerr << "No record of the gallery's last build (undone, forgotten, or built by an "
                     "older version): sending every file of "
                  << gallery.HTMLDir << ".\n";
    }
    if (!quiet) {
        for (const std::string& warning : chosen.Warnings) std::cerr << warning << '\n';
    }
    return std::move(chosen.Files);
}

std::unique_ptr<IFtpSession> OpenSession(const TUploadTarget& target) {
    if (!target.Sftp) return std::make_unique<TFtpClient>();
    auto session = std::make_unique<TSftpSession>();
    session->TrustedHostKey = target.TrustedHostKey;
    session->Identity = target.Identity;
    session->AskPassword = SftpPassword;
    session->AskPassphrase = KeyPassphrase;
    return session;
}

}  // namespace

void SyncGalleryFolder(const TGalleryToPublish& gallery, const TUploadTarget& target,
                       TConsoleProgress& progress, bool quiet) {
    std::vector<TSyncFile> files = FilesToSend(gallery, target, quiet);
    // A plain upload sends everything: its plan needs no server.
    if (target.DryRun && !target.Sync) return PrintPlan(PlanSync(files, {}));
    // An SFTP login asks for a password only when no key was accepted.
    const std::string password = target.Sftp ? std::string() : FtpPassword();
    EnsureEventLoopApplication();
    const std::unique_ptr<IFtpSession> session = OpenSession(target);
    IFtpSession& client = *session;
    TGallerySync sync(client,
                      {target.Host,
                       target.User,
                       password,
                       target.Passive,
                       {target.Tls, target.TrustedCertificate, target.AcceptHostnameMismatch}},
                      target.SubDir, std::move(files));
    sync.KeepManifest = target.Sync;
    sync.PlanOnly = target.DryRun;
    sync.Connections = target.Connections;
    sync.NewSession = [&target] { return OpenSession(target); };
    const std::string what = target.Sync ? "Sync" : "Upload";
    const std::string the = target.Sync ? "The sync" : "The upload";
    std::string status;
    sync.OnStatus = [&](const std::string& text) {
        status = text;
        progress.Update(0, 0, text, 1);
    };
    sync.OnProgress = [&](std::int64_t bytes, std::int64_t expected) {
        ShowBytes(progress, bytes, expected, status);
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
    if (sync.Aborted) {
        throw EFSC_Exception(what + " aborted; the files sent so far are on the server.");
    }
    if (!sync.Failure.empty()) {
        const std::string refused =
            sync.Refused.empty() ? "" : "\nBefore that, the server refused:" + RefusedList(sync);
        throw EFSC_Exception(what + " failed: " + sync.Failure +
                             TlsAdvice(sync.LoginError, client.ServerCertificate()) + refused);
    }
    if (!sync.Refused.empty()) {
        throw EFSC_Exception(the + " is incomplete; the server refused:" + RefusedList(sync));
    }
    if (target.DryRun) {
        PrintPlan(sync.Plan);
    } else if (!quiet && !target.Sync) {
        std::cerr << "Uploaded: " << sync.SentCount << " files.\n";
    } else if (!quiet) {
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
