// The FTP session as the job queue sees it: inputs, one request at a time, and events.
// Kept free of Qt so that the queue's logic can also run over a scripted session.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace fsc {

enum class TFtpRequest {
    Connect,
    Quit,
    Abort,
    ChangeDir,
    PrintDir,
    MakeDir,
    RemoveDir,
    Delete,
    List,
    Get,
    Put,
    // HostFileName to HostNewName (RNFR, then RNTO).
    Rename,
    // The size of HostFileName on the server (SIZE), read by SizeResult.
    Size
};

enum class TFtpState { NotConnected, Connecting, Ready, Busy, Aborting };

// Error codes of a finished request besides the server's reply codes (which are 100..599).
inline constexpr int FtpOk = 0;
inline constexpr int FtpErrorNotConnected = -1;
inline constexpr int FtpErrorBusy = -2;
inline constexpr int FtpErrorBadInput = -3;
inline constexpr int FtpErrorConnection = -4;
inline constexpr int FtpErrorTimeout = -5;
inline constexpr int FtpErrorAborted = -6;
inline constexpr int FtpErrorLocalFile = -7;
inline constexpr int FtpErrorProtocol = -8;
// Encryption was asked for and the server refused AUTH TLS, PBSZ or PROT: nothing more was sent.
inline constexpr int FtpErrorTlsRefused = -9;
// No authority vouches for the server's certificate and the user has not trusted it.
inline constexpr int FtpErrorUntrustedCertificate = -10;
// The server shows another certificate than the one the user trusted.
inline constexpr int FtpErrorCertificateChanged = -11;
// The encrypted connection could not be set up (or broke) for another reason.
inline constexpr int FtpErrorTls = -12;
// The server's certificate is made out for another name, and the user has not accepted that.
inline constexpr int FtpErrorHostnameMismatch = -14;
// A listing or a download went past MaxDownloadBytes: the transfer was cut off.
inline constexpr int FtpErrorTooLarge = -13;
// SFTP: a host key that is not known, refused unless the user names its fingerprint.
inline constexpr int FtpErrorUnknownHostKey = -15;
// SFTP: a host key other than the one known for the server, always refused.
inline constexpr int FtpErrorHostKeyChanged = -16;

// How a login is protected.
struct TFtpSecurity {
    // Explicit TLS (AUTH TLS, PBSZ 0, PROT P): the login and every data connection encrypted.
    bool Tls = false;
    // The fingerprint (as ParseFingerprint writes it) of a certificate the user trusts though
    // no authority of the system vouches for it; empty for none.
    std::string TrustedCertificate;
    // A certificate made out for another name is accepted (a shared host's own name, say).
    // Pinning a fingerprint does not do that: the pin says which certificate, not which
    // server.
    bool AcceptHostnameMismatch = false;
};

// Every event is delivered through the event loop, never from inside the call that
// started the request, so a handler may start the next request at once.
class IFtpSessionEvents {
public:
    virtual ~IFtpSessionEvents() = default;
    virtual void SessionConnected() = 0;
    virtual void SessionClosed() = 0;
    virtual void RequestDone(TFtpRequest request, int error) = 0;
    // Bytes moved so far in the current data transfer.
    virtual void Progress(std::int64_t bytes) = 0;
    virtual void StateChanged(TFtpState state) = 0;
};

class IFtpSession {
public:
    virtual ~IFtpSession() = default;

    // Inputs, set before a request. HostName may carry a port: "host:2121", "[::1]:2121".
    std::string HostName, UserName, PassWord;
    std::string HostDirName, HostFileName, LocalFileName;
    std::string HostNewName;
    // Passive data connections (EPSV, then PASV) instead of active ones (PORT).
    bool Passive = false;
    TFtpSecurity Security;
    // The most a List or Get may bring; 0 for no limit. A server that sends more is not
    // believed: no real listing or manifest comes near the limits callers set.
    std::int64_t MaxDownloadBytes = 0;

    virtual void SetEvents(IFtpSessionEvents* events) = 0;
    virtual void Start(TFtpRequest request) = 0;
    // Runs `work` on the session's event loop after `milliseconds`, or with 0 once the
    // current event has been handled; dropped if the session goes first. A caller that may
    // itself be gone by then guards `work`.
    virtual void After(int milliseconds, std::function<void()> work) = 0;
    virtual bool Connected() const = 0;
    // The directory quoted in the last PWD reply.
    virtual std::string DirResult() const = 0;
    // The reply code and a readable text of the last failure.
    virtual int LastReplyCode() const = 0;
    virtual std::string ErrorText() const = 0;
    // The fingerprint of the certificate (SFTP: the host key) the server showed at the last
    // encrypted login, also
    // when it was refused; empty without one.
    virtual std::string ServerCertificate() const = 0;
    // Something the user should know about the last successful login, such as a trusted
    // certificate that has expired; empty for nothing.
    virtual std::string LoginNotice() const { return ""; }
    // The size the last successful Size request read; -1 before one.
    virtual std::int64_t SizeResult() const { return -1; }
};

}  // namespace fsc
