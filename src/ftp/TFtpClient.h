// The FTP client session over Qt Network: one control connection, one request at a time,
// active (PORT) or passive (EPSV, then PASV) data connections, events through the event loop.
// With UseTls the control connection is encrypted before the login (AUTH TLS) and so is every
// data connection (PBSZ 0, PROT P); a server that refuses is never used in clear text.
#pragma once

#include <QFile>
#include <QObject>
#include <QSaveFile>
#include <QSslCertificate>
#include <QSslError>
#include <QSslSocket>
#include <QTimer>
#include <functional>
#include <memory>

#include "ftp/FtpReplies.h"
#include "ftp/IFtpSession.h"
#include "ftp/SslDataServer.h"

namespace fsc {

class TFtpClient : public QObject, public IFtpSession {
    Q_OBJECT

public:
    explicit TFtpClient(QObject* parent = nullptr);
    ~TFtpClient() override;

    void SetEvents(IFtpSessionEvents* events) override { this->events = events; }
    void Start(TFtpRequest request) override;
    void After(int milliseconds, std::function<void()> work) override {
        QTimer::singleShot(milliseconds, this, std::move(work));
    }
    bool Connected() const override;
    std::string DirResult() const override { return dirResult; }
    std::int64_t SizeResult() const override { return sizeResult; }
    std::string LoginNotice() const override { return loginNotice; }
    int LastReplyCode() const override { return lastReplyCode; }
    std::string ErrorText() const override { return errorText; }
    std::string ServerCertificate() const override { return serverCertificate; }

    // A request fails when neither a reply nor data arrives for this long (60 s by default).
    void SetTimeout(int milliseconds) { timeoutMs = milliseconds; }

private:
    enum class TStep {
        Idle,
        Connecting,
        Greeting,
        AuthTls,
        Handshake,
        User,
        Pass,
        Pbsz,
        Prot,
        Type,
        Simple,
        Quit,
        Port,
        Epsv,
        Pasv,
        Transfer
    };

    IFtpSessionEvents* events = nullptr;
    QSslSocket control;
    TSslDataServer dataServer;
    std::unique_ptr<QSslSocket> data;
    QTimer timeout;
    int timeoutMs = 60000;
    TFtpReplyReader replies;

    TStep step = TStep::Idle;
    TFtpRequest current = TFtpRequest::Connect;
    std::string transferCommand;
    std::unique_ptr<QFile> source;
    std::unique_ptr<QSaveFile> target;
    std::int64_t bytesMoved = 0;
    bool dataDone = false;
    bool preliminary = false;  // the 125/150 reply to the transfer command has come
    int finalCode = 0;
    bool wasConnected = false;
    // PROT P was accepted: data connections of this session are encrypted.
    bool dataEncrypted = false;
    // The certificate the control connection accepted; a data connection must show the same.
    QSslCertificate acceptedCertificate;
    std::string serverCertificate;
    // Why the last TLS handshake was refused, reported once the socket reports the failure.
    int tlsError = FtpOk;
    std::string tlsErrorText;

    std::string dirResult;
    std::int64_t sizeResult = -1;
    std::string loginNotice;
    int lastReplyCode = 0;
    std::string errorText;

    void StartConnect();
    void StartSimple(const std::string& command);
    void StartTransfer();
    bool OpenLocalFile();
    void StartAbort();
    void Send(const std::string& line);

    void OnControlReadyRead();
    void OnControlConnected();
    void OnControlClosed();
    void OnControlError();
    void OnReply(const TFtpReply& reply);
    void OnLoginReply(const TFtpReply& reply);
    void AfterLogin();
    void OnTlsReply(const TFtpReply& reply);
    void StartControlEncryption();
    void OnControlEncrypted();
    void OnControlSslErrors(const QList<QSslError>& errors);
    void FailTls();
    void OnDataSetupReply(const TFtpReply& reply);
    void OnTransferReply(const TFtpReply& reply);
    bool SimpleSuccess(int code) const;

    void SendPort();
    void ConnectPassiveData(std::uint16_t port);
    void OnDataConnection();
    void AttachData();
    void OnDataUsable();
    void StartDataEncryption();
    bool DataReady() const;
    void OnDataReadyRead();
    void OnDataBytesWritten();
    void OnDataClosed();
    void TryFinishTransfer();

    void Finish(int error, const std::string& text = {});
    void CloseData();
    void CloseAll();
    void Post(std::function<void(IFtpSessionEvents&)> event);
    void SetState(TFtpState state);
};

}  // namespace fsc
