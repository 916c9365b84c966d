// The FTP session interface over SSH's file transfer protocol, with libssh: the gallery sync
// runs unchanged over SFTP. Each request runs on a worker thread, since libssh blocks; its
// events come back through the event loop of the thread that made the session.
#pragma once

#include <QObject>
#include <QTimer>
#include <atomic>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "ftp/IFtpSession.h"

struct ssh_session_struct;
struct sftp_session_struct;

namespace fsc {

// The login was refused with every way that was tried.
inline constexpr int SftpAuthRefused = 530;

class TSftpSession final : public QObject, public IFtpSession {
public:
    TSftpSession();
    ~TSftpSession() override;

    // The host key's fingerprint the user trusts ("SHA256:..."); an unknown key with it is
    // added to known_hosts.
    std::string TrustedHostKey;
    // A private key file to log in with instead of the agent and the default keys.
    std::string Identity;
    // Asked (on the worker thread) when the server takes a password and no key was
    // accepted; empty for none.
    std::function<std::string()> AskPassword;
    // Asked for a key's passphrase (on the worker thread); empty for none.
    std::function<std::string(const std::string& prompt)> AskPassphrase;

    void SetEvents(IFtpSessionEvents* events) override { this->events = events; }
    void Start(TFtpRequest request) override;
    void After(int milliseconds, std::function<void()> work) override {
        QTimer::singleShot(milliseconds, this, std::move(work));
    }
    bool Connected() const override { return connected; }
    std::string DirResult() const override { return dirResult; }
    int LastReplyCode() const override { return lastCode; }
    std::string ErrorText() const override { return errorText; }
    std::string ServerCertificate() const override { return hostKey; }
    std::int64_t SizeResult() const override { return sizeResult; }

private:
    struct TInputs {
        std::string HostName, UserName, HostDirName, HostFileName, LocalFileName, HostNewName;
        std::int64_t MaxDownloadBytes = 0;
    };

    int Run(TFtpRequest request, const TInputs& in);
    int Connect(const TInputs& in);
    int LogIn(const TInputs& in, const std::string& host);
    void Close();
    int ChangeDir(const TInputs& in);
    int PrintDir();
    int List(const TInputs& in);
    int Get(const TInputs& in);
    int Put(const TInputs& in);
    int Rename(const TInputs& in);
    int Size(const TInputs& in);
    // Closes a local file a request wrote: failing to write it outranks a success.
    int Closed(std::ofstream& out, const std::string& path, int code);
    std::string Remote(const std::string& path) const;
    // The result code for a failed libssh call, with errorText naming `what`.
    int Failed(const std::string& what);
    void Finish(TFtpRequest request, int code);
    void PostProgress(std::int64_t bytes);

    IFtpSessionEvents* events = nullptr;
    std::thread worker;
    std::atomic<bool> busy{false}, aborting{false}, connected{false};
    // Abort came while a request ran: its end is reported as the Abort's.
    bool abortPending = false;
    ssh_session_struct* ssh = nullptr;
    sftp_session_struct* sftp = nullptr;
    std::string cwd, dirResult, errorText, hostKey;
    int lastCode = 0;
    std::int64_t sizeResult = -1;
};

}  // namespace fsc
