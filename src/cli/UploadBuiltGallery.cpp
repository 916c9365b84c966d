// Running the upload job list to its end in a command-line program.
#include "cli/UploadBuiltGallery.h"

#include <termios.h>
#include <unistd.h>

#include <QEventLoop>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <iostream>

#include "base/Errors.h"
#include "base/Text.h"
#include "ftp/TFtpClient.h"
#include "ftp/TFtpJobQueue.h"
#include "platform/QtTextRasteriser.h"

namespace fsc {

namespace {

// The session as the queue sees it, noting every file and folder the server refused: the
// queue goes on after a refused transfer and stops quietly at a folder it cannot enter, as
// the window does, whose listing shows the user what arrived; a script has only the exit
// status to go by.
class TRefusalNotingSession final : public IFtpSession, public IFtpSessionEvents {
public:
    std::vector<std::string> Refused;
    // The error of the last failed login, FtpOk when it succeeded.
    int ConnectError = FtpOk;

    explicit TRefusalNotingSession(IFtpSession& inner) : inner(inner) { inner.SetEvents(this); }
    ~TRefusalNotingSession() override { inner.SetEvents(nullptr); }

    void SetEvents(IFtpSessionEvents* newEvents) override { events = newEvents; }
    void Start(TFtpRequest request) override {
        inner.HostName = HostName;
        inner.UserName = UserName;
        inner.PassWord = PassWord;
        inner.HostDirName = HostDirName;
        inner.HostFileName = HostFileName;
        inner.LocalFileName = LocalFileName;
        inner.HostNewName = HostNewName;
        inner.Passive = Passive;
        inner.Security = Security;
        PassWord.clear();
        inner.Start(request);
    }
    bool Connected() const override { return inner.Connected(); }
    std::string DirResult() const override { return inner.DirResult(); }
    int LastReplyCode() const override { return inner.LastReplyCode(); }
    std::string ErrorText() const override { return inner.ErrorText(); }
    std::string ServerCertificate() const override { return inner.ServerCertificate(); }

    void SessionConnected() override {
        if (events) events->SessionConnected();
    }
    void SessionClosed() override {
        if (events) events->SessionClosed();
    }
    void RequestDone(TFtpRequest request, int error) override {
        if (request == TFtpRequest::Connect && error != FtpErrorBusy) ConnectError = error;
        if (request == TFtpRequest::Put && error != FtpOk && error != FtpErrorBusy &&
            error != FtpErrorAborted) {
            Refused.push_back(inner.HostFileName + " (" + inner.ErrorText() + ")");
        }
        if (request == TFtpRequest::ChangeDir && error != FtpOk && error != FtpErrorBusy &&
            error != FtpErrorAborted && inner.Connected()) {
            Refused.push_back("the folder " + inner.HostDirName + " (" + inner.ErrorText() + ")");
        }
        if (events) events->RequestDone(request, error);
    }
    void Progress(std::int64_t bytes) override {
        if (events) events->Progress(bytes);
    }
    void StateChanged(TFtpState state) override {
        if (events) events->StateChanged(state);
    }

private:
    IFtpSession& inner;
    IFtpSessionEvents* events = nullptr;
};

// Runs the event loop until `done` holds; Ctrl+C reaches the queue's abort meanwhile.
void RunUntil(const std::function<bool()>& done, TConsoleProgress& progress, bool& aborted) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (progress.PollInterrupt()) aborted = true;
        if (done()) loop.quit();
    });
    poll.start(50);
    if (!done()) loop.exec();
}

std::string WithoutStatusWord(const std::string& status) {
    return StartsWith(status, "Status ") ? status.substr(7) : status;
}

}  // namespace

std::string TlsAdvice(int error, const std::string& fingerprint) {
    switch (error) {
        case FtpErrorTlsRefused:
            return " To upload without encryption, with the password in clear text, add "
                   "--no-tls.";
        case FtpErrorUntrustedCertificate:
            return " If it is, add --trust-certificate " + fingerprint + ".";
        case FtpErrorCertificateChanged:
            return " If the server really has a new certificate, trust it with "
                   "--trust-certificate " +
                   fingerprint + ".";
        default:
            return "";
    }
}

namespace {

std::string ReadHiddenLine() {
    termios saved{};
    const bool hidden = tcgetattr(STDIN_FILENO, &saved) == 0;
    if (hidden) {
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    std::string line;
    std::getline(std::cin, line);
    if (hidden) tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    std::cerr << '\n';
    return line;
}

}  // namespace

TGalleryUpload GalleryUploadOf(const Workspace& ws, const TUploadTarget& target) {
    TGalleryUpload upload;
    upload.SubDir = target.SubDir;
    upload.HTMLDir = ws.Main.HTMLDir;
    upload.ImageDir = ws.Main.ImageDir;
    while (!upload.ImageDir.empty() &&
           (upload.ImageDir.back() == '/' || upload.ImageDir.back() == '\\')) {
        upload.ImageDir.pop_back();
    }
    upload.HTMLFile = ws.Main.HTMLFile;
    if (ws.LastHTML) {
        for (const TFSC_File& page : ws.LastHTML->Files) {
            upload.Pages.push_back({page.FileName, page.SubDir, page.PageNumber, page.ImageNumber});
        }
    }
    for (const TThumbnail& image : ws.Images)
        upload.Images.push_back({image.Name, image.ThumbName});
    upload.ExtraImages.assign(ws.Journal.ExtraImages.begin(), ws.Journal.ExtraImages.end());
    for (const TTemplateFile& file : ws.Template.CopyFiles) {
        upload.CopyFiles.push_back({file.SubDir, file.FileName});
    }
    upload.WWWAddress = target.WWWAddress;
    return upload;
}

std::string FtpPassword() {
    if (const char* password = std::getenv("FOLIOSCOPE_FTP_PASSWORD")) return password;
    if (!isatty(STDIN_FILENO) || !isatty(STDERR_FILENO)) {
        throw EUserInputError(
            "No FTP password: set FOLIOSCOPE_FTP_PASSWORD, or run on a terminal.");
    }
    std::cerr << "FTP password: " << std::flush;
    return ReadHiddenLine();
}

void UploadBuiltGallery(const Workspace& ws, const TUploadTarget& target,
                        const TUploadServices& services) {
    const std::string password = FtpPassword();
    // The sockets' events need an application; a build without a watermark made none.
    EnsureGuiApplication();
    TFtpClient client;
    TRefusalNotingSession session(client);
    TFtpJobQueue queue(session, services.Ask, services.Shell, services.Messages, services.Progress,
                       ListingFilePath());
    std::string failure;
    queue.OnBackgroundError = [&failure](const std::string& message) { failure = message; };
    bool aborted = false;
    const auto idle = [&queue] { return !queue.Working(); };

    services.Progress.SetUnit("bytes");
    queue.Connect(target.Host, target.User, password, target.Passive,
                  {target.Tls, target.TrustedCertificate});
    RunUntil(idle, services.Progress, aborted);
    if (aborted) throw EFSC_Exception("Upload aborted.");
    if (!queue.Connected()) {
        throw EFSC_Exception("FTP: " + WithoutStatusWord(queue.StatusText) +
                             TlsAdvice(session.ConnectError, session.ServerCertificate()));
    }
    TGalleryUpload upload = GalleryUploadOf(ws, target);
    upload.RemotePath = queue.PathFromLogin();
    UploadGallery(queue, &upload);
    RunUntil(idle, services.Progress, aborted);
    if (aborted) throw EFSC_Exception("Upload aborted; the files sent so far stay on the server.");
    if (!failure.empty()) throw EFSC_Exception("Upload failed: " + failure);
    if (!queue.Connected()) {
        throw EFSC_Exception("Upload failed: " + WithoutStatusWord(queue.StatusText));
    }
    queue.Quit();
    RunUntil([&queue] { return !queue.Connected(); }, services.Progress, aborted);
    services.Progress.SetUnit("");
    if (!session.Refused.empty()) {
        std::string names;
        for (const std::string& name : session.Refused) names += "\n  " + name;
        throw EFSC_Exception("The upload is incomplete; the server refused:" + names);
    }
}

}  // namespace fsc
