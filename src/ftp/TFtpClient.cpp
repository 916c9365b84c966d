// The FTP session: request steps on the control connection, data connections and time-out.
#include "ftp/TFtpClient.h"

#include <fcntl.h>
#include <unistd.h>

#include <QHostAddress>
#include <QSslConfiguration>

#include "ftp/CertificateFingerprint.h"

namespace fsc {

namespace {

constexpr qint64 ChunkSize = 64 * 1024;

QString LocalPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// A line break inside an argument would smuggle a second command onto the connection.
bool HasLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

std::string FirstLine(const TFtpReply& reply) {
    return reply.Text.substr(0, reply.Text.find('\n'));
}

std::string ErrorList(const QList<QSslError>& errors) {
    std::string text;
    for (const QSslError& error : errors) {
        const std::string line = error.errorString().toStdString();
        if (text.find(line) != std::string::npos) continue;
        text += (text.empty() ? "" : "; ") + line;
    }
    return text;
}

}  // namespace

TFtpClient::TFtpClient(QObject* parent) : QObject(parent) {
    timeout.setSingleShot(true);
    connect(&timeout, &QTimer::timeout, this, [this] {
        const std::string text = "The server did not answer for " +
                                 std::to_string(timeoutMs / 1000) +
                                 " seconds; the connection was closed.";
        Finish(FtpErrorTimeout, text);
        CloseAll();
    });
    connect(&control, &QTcpSocket::connected, this, &TFtpClient::OnControlConnected);
    connect(&control, &QTcpSocket::readyRead, this, &TFtpClient::OnControlReadyRead);
    connect(&control, &QTcpSocket::disconnected, this, &TFtpClient::OnControlClosed);
    connect(&control, &QTcpSocket::errorOccurred, this, &TFtpClient::OnControlError);
    connect(&control, &QSslSocket::encrypted, this, &TFtpClient::OnControlEncrypted);
    connect(&control, &QSslSocket::sslErrors, this, &TFtpClient::OnControlSslErrors);
    connect(&dataServer, &QTcpServer::newConnection, this, &TFtpClient::OnDataConnection);
}

TFtpClient::~TFtpClient() {
    events = nullptr;
    control.disconnect(this);
    CloseData();
}

bool TFtpClient::Connected() const { return control.state() == QAbstractSocket::ConnectedState; }

void TFtpClient::Start(TFtpRequest request) {
    if (request == TFtpRequest::Abort) {
        StartAbort();
        return;
    }
    if (step != TStep::Idle) {
        // The running request keeps going; only the new one is refused.
        Post([request](IFtpSessionEvents& e) { e.RequestDone(request, FtpErrorBusy); });
        return;
    }
    current = request;
    errorText.clear();
    if (request == TFtpRequest::Connect) {
        StartConnect();
        return;
    }
    if (!Connected()) return Finish(FtpErrorNotConnected, "Not connected.");
    if (HasLineBreak(HostDirName) || HasLineBreak(HostFileName) || HasLineBreak(HostNewName)) {
        return Finish(FtpErrorBadInput, "A remote name may not contain a line break.");
    }
    SetState(TFtpState::Busy);
    switch (request) {
        case TFtpRequest::Quit:
            step = TStep::Quit;
            Send("QUIT");
            break;
        case TFtpRequest::ChangeDir:
            if (HostDirName.empty()) return Finish(FtpErrorBadInput, "No remote directory given.");
            StartSimple("CWD " + HostDirName);
            break;
        case TFtpRequest::PrintDir:
            StartSimple("PWD");
            break;
        case TFtpRequest::MakeDir:
            StartSimple("MKD " + HostFileName);
            break;
        case TFtpRequest::RemoveDir:
            StartSimple("RMD " + HostFileName);
            break;
        case TFtpRequest::Delete:
            StartSimple("DELE " + HostFileName);
            break;
        case TFtpRequest::Rename:
            StartSimple("RNFR " + HostFileName);
            break;
        case TFtpRequest::Size:
            sizeResult = -1;
            StartSimple("SIZE " + HostFileName);
            break;
        case TFtpRequest::List:
            transferCommand = HostFileName.empty() ? "LIST" : "LIST " + HostFileName;
            StartTransfer();
            break;
        case TFtpRequest::Get:
            transferCommand = "RETR " + HostFileName;
            StartTransfer();
            break;
        case TFtpRequest::Put:
            transferCommand = "STOR " + HostFileName;
            StartTransfer();
            break;
        default:
            break;
    }
}

void TFtpClient::StartConnect() {
    if (Connected()) return Finish(FtpErrorBusy, "Already connected.");
    if (UserName.empty() || PassWord.empty()) {
        return Finish(FtpErrorBadInput, "A user name and a password are needed.");
    }
    if (HasLineBreak(UserName) || HasLineBreak(PassWord)) {
        return Finish(FtpErrorBadInput, "The user name or password contains a line break.");
    }
    std::string host;
    std::uint16_t port = 21;
    if (!SplitHostPort(HostName, host, port))
        return Finish(FtpErrorBadInput, "Invalid host: " + HostName);
    // A socket still closing from the last session cannot connect again until reset.
    if (control.state() != QAbstractSocket::UnconnectedState) control.abort();
    step = TStep::Connecting;
    SetState(TFtpState::Connecting);
    dataEncrypted = false;
    acceptedCertificate = QSslCertificate();
    serverCertificate.clear();
    tlsError = FtpOk;
    tlsErrorText.clear();
    loginNotice.clear();
    replies.Reset();
    timeout.start(timeoutMs);
    control.connectToHost(QString::fromStdString(host), port);
}

void TFtpClient::StartSimple(const std::string& command) {
    step = TStep::Simple;
    Send(command);
}

void TFtpClient::StartTransfer() {
    CloseData();
    bytesMoved = 0;
    dataDone = false;
    preliminary = false;
    finalCode = 0;
    if (!OpenLocalFile()) return;
    if (Passive) {
        step = TStep::Epsv;
        Send("EPSV");
    } else {
        SendPort();
    }
}

bool TFtpClient::OpenLocalFile() {
    if (current == TFtpRequest::Put) {
        // Opened by its bytes: a name that is not valid UTF-8 has no QString that finds it.
        source = std::make_unique<QFile>();
        const int handle = ::open(LocalFileName.c_str(), O_RDONLY | O_CLOEXEC);
        if (handle < 0 ||
            !source->open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
            if (handle >= 0 && !source->isOpen()) ::close(handle);
            Finish(FtpErrorLocalFile, "Cannot open the local file " + LocalFileName + ".");
            return false;
        }
    } else {
        // The old file stays intact until the whole transfer succeeded.
        target = std::make_unique<QSaveFile>(LocalPath(LocalFileName));
        if (!target->open(QIODevice::WriteOnly)) {
            Finish(FtpErrorLocalFile, "Cannot create the local file " + LocalFileName + ".");
            return false;
        }
    }
    return true;
}

void TFtpClient::StartAbort() {
    current = TFtpRequest::Abort;
    SetState(TFtpState::Aborting);
    Finish(FtpOk);
    CloseAll();
}

void TFtpClient::Send(const std::string& line) {
    control.write(QByteArray::fromStdString(line + "\r\n"));
    timeout.start(timeoutMs);
}

void TFtpClient::OnControlConnected() {
    wasConnected = true;
    step = TStep::Greeting;
    Post([](IFtpSessionEvents& e) { e.SessionConnected(); });
}

void TFtpClient::OnControlReadyRead() {
    const QByteArray bytes = control.readAll();
    for (const TFtpReply& reply :
         replies.Feed(std::string_view(bytes.constData(), std::size_t(bytes.size())))) {
        if (!Connected()) return;
        OnReply(reply);
    }
}

void TFtpClient::OnReply(const TFtpReply& reply) {
    lastReplyCode = reply.Code;
    // A reply nobody waits for (a late one, or a second one to the same command) is
    // dropped, so that it cannot be taken for the answer to the next request.
    if (step == TStep::Idle || step == TStep::Connecting) {
        if (reply.Code == 421) CloseAll();
        return;
    }
    timeout.start(timeoutMs);
    // "226" closes a data connection; outside a transfer it is a late reply of the last one.
    if ((reply.Code == 225 || reply.Code == 226) && step != TStep::Transfer) return;
    const std::string firstLine = reply.Text.substr(0, reply.Text.find('\n'));
    if (reply.Code == 421) {
        Finish(421, firstLine);
        CloseAll();
        return;
    }
    switch (step) {
        case TStep::Greeting:
        case TStep::User:
        case TStep::Pass:
        case TStep::Type:
            OnLoginReply(reply);
            break;
        case TStep::AuthTls:
        case TStep::Pbsz:
        case TStep::Prot:
            OnTlsReply(reply);
            break;
        case TStep::Simple:
            if (reply.Code / 100 == 1) return;
            if (current == TFtpRequest::Rename && reply.Code == 350)
                return Send("RNTO " + HostNewName);
            if (!SimpleSuccess(reply.Code)) return Finish(reply.Code, firstLine);
            if (current == TFtpRequest::PrintDir && !QuotedDirectory(reply.Text, dirResult)) {
                return Finish(FtpErrorProtocol,
                              "The server's reply names no directory: " + firstLine);
            }
            if (current == TFtpRequest::Size && !SizeOfReply(reply.Text, sizeResult)) {
                return Finish(FtpErrorProtocol, "The server's reply names no size: " + firstLine);
            }
            Finish(FtpOk);
            break;
        case TStep::Quit:
            Finish(reply.Code == 221 ? FtpOk : reply.Code, firstLine);
            control.disconnectFromHost();
            break;
        case TStep::Port:
        case TStep::Epsv:
        case TStep::Pasv:
            OnDataSetupReply(reply);
            break;
        case TStep::Transfer:
            OnTransferReply(reply);
            break;
        default:
            break;
    }
}

void TFtpClient::OnLoginReply(const TFtpReply& reply) {
    const int code = reply.Code;
    if (code / 100 == 1) return;  // 120: the server will be ready soon
    const std::string firstLine = reply.Text.substr(0, reply.Text.find('\n'));
    switch (step) {
        case TStep::Greeting:
            if (code != 220) {
                Finish(code, firstLine);
                CloseAll();
                return;
            }
            if (Security.Tls) {
                step = TStep::AuthTls;
                Send("AUTH TLS");
                return;
            }
            step = TStep::User;
            Send("USER " + UserName);
            break;
        case TStep::User:
            if (code == 331) {
                step = TStep::Pass;
                Send("PASS " + PassWord);
            } else if (code == 230) {
                AfterLogin();
            } else {
                Finish(code, firstLine);
            }
            break;
        case TStep::Pass:
            if (code != 230) return Finish(code, firstLine);
            AfterLogin();
            break;
        default:
            // A server that refuses TYPE still transfers; the login stands.
            SetState(TFtpState::Ready);
            Finish(FtpOk);
            break;
    }
}

void TFtpClient::AfterLogin() {
    if (Security.Tls) {
        // Without PROT P the files would still travel in clear text.
        step = TStep::Pbsz;
        Send("PBSZ 0");
        return;
    }
    // Pictures must travel as bytes; the server's default type may be ASCII.
    step = TStep::Type;
    Send("TYPE I");
}

void TFtpClient::OnTlsReply(const TFtpReply& reply) {
    if (reply.Code / 100 == 1) return;
    const std::string firstLine = FirstLine(reply);
    switch (step) {
        case TStep::AuthTls:
            if (reply.Code != 234) {
                return Finish(FtpErrorTlsRefused,
                              "The server does not offer encryption (AUTH TLS was answered \"" +
                                  firstLine + "\"); the login was not sent.");
            }
            StartControlEncryption();
            break;
        case TStep::Pbsz:
        case TStep::Prot:
            if (reply.Code != 200) {
                return Finish(FtpErrorTlsRefused,
                              "The server will not encrypt the file transfers (" +
                                  std::string(step == TStep::Pbsz ? "PBSZ 0" : "PROT P") +
                                  " was answered \"" + firstLine + "\").");
            }
            if (step == TStep::Pbsz) {
                step = TStep::Prot;
                Send("PROT P");
                return;
            }
            dataEncrypted = true;
            step = TStep::Type;
            Send("TYPE I");
            break;
        default:
            break;
    }
}

void TFtpClient::StartControlEncryption() {
    step = TStep::Handshake;
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setPeerVerifyMode(QSslSocket::VerifyPeer);
    // Many servers want the data connections to resume the control connection's session.
    configuration.setSslOption(QSsl::SslOptionDisableSessionPersistence, false);
    control.setSslConfiguration(configuration);
    timeout.start(timeoutMs);
    control.startClientEncryption();
}

void TFtpClient::OnControlSslErrors(const QList<QSslError>& errors) {
    const QSslCertificate certificate = control.peerCertificate();
    serverCertificate = certificate.isNull() ? "" : CertificateFingerprint(certificate);
    const std::string trusted =
        ParseFingerprint(Security.TrustedCertificate).value_or(Security.TrustedCertificate);
    QList<QSslError> others;
    for (const QSslError& error : errors) {
        if (error.error() != QSslError::HostNameMismatch) others.append(error);
    }
    if (others.size() != errors.size() && !Security.AcceptHostnameMismatch) {
        tlsError = FtpErrorHostnameMismatch;
        tlsErrorText = "The server's certificate is made out for another name than " +
                       std::string(control.peerName().toUtf8().constData()) +
                       "; the login was not sent. A trusted fingerprint does not change that.";
        return;
    }
    if (others.isEmpty()) {
        // Only the name differs, and the user accepted that.
        control.ignoreSslErrors();
        return;
    }
    if (!serverCertificate.empty() && serverCertificate == trusted) {
        // The user checked this very certificate; it stands in for an authority. One whose
        // time is up still is the server's, but it is time to get a new one.
        for (const QSslError& error : others) {
            if (error.error() == QSslError::CertificateExpired) {
                loginNotice = "The server's trusted certificate expired on " +
                              certificate.expiryDate().toString(Qt::ISODate).toStdString() +
                              "; ask its administrator for a new one.";
            }
        }
        control.ignoreSslErrors();
        return;
    }
    if (certificate.isNull()) {
        tlsError = FtpErrorTls;
        tlsErrorText = "The server's certificate was refused: " + ErrorList(errors);
    } else if (!trusted.empty()) {
        tlsError = FtpErrorCertificateChanged;
        tlsErrorText = "The server's certificate has changed: the trusted one is " + trusted +
                       ", the server now shows " + serverCertificate +
                       ". Someone may be listening in; the login was not sent.";
    } else {
        tlsError = FtpErrorUntrustedCertificate;
        tlsErrorText = "No known authority vouches for the server's certificate (" +
                       ErrorList(errors) +
                       "); the login was not sent. Its SHA-256 fingerprint is " +
                       serverCertificate + "; trust it only if it is the server's own.";
    }
}

void TFtpClient::OnControlEncrypted() {
    if (step != TStep::Handshake) return;
    acceptedCertificate = control.peerCertificate();
    serverCertificate = CertificateFingerprint(acceptedCertificate);
    const std::string trusted =
        ParseFingerprint(Security.TrustedCertificate).value_or(Security.TrustedCertificate);
    if (!trusted.empty() && serverCertificate != trusted) {
        // A pinned certificate wins over the authorities: one of them may have been
        // misled into vouching for someone else's.
        tlsError = FtpErrorCertificateChanged;
        tlsErrorText = "The server's certificate has changed: the trusted one is " + trusted +
                       ", the server now shows " + serverCertificate +
                       " (an authority vouches for it, but it is not the one trusted). Someone "
                       "may be listening in; the login was not sent.";
        return FailTls();
    }
    step = TStep::User;
    Send("USER " + UserName);
}

void TFtpClient::FailTls() {
    const int error = tlsError != FtpOk ? tlsError : FtpErrorTls;
    const std::string text = tlsError != FtpOk ? tlsErrorText
                                               : "The encrypted connection failed: " +
                                                     control.errorString().toStdString();
    Finish(error, text);
    // The socket is still closing from inside its own handshake; it is reset afterwards.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (step == TStep::Idle) CloseAll();
        },
        Qt::QueuedConnection);
}

bool TFtpClient::SimpleSuccess(int code) const {
    switch (current) {
        case TFtpRequest::ChangeDir:
            return code == 200 || code == 250 || code == 257;
        case TFtpRequest::Size:
            return code == 213;
        default:
            return code == 250 || code == 257;
    }
}

void TFtpClient::SendPort() {
    QHostAddress local = control.localAddress();
    bool isV4 = false;
    const quint32 v4 = local.toIPv4Address(&isV4);
    if (isV4) local = QHostAddress(v4);
    if (!dataServer.listen(local, 0)) {
        return Finish(FtpErrorConnection,
                      "Cannot open a data port: " + dataServer.errorString().toStdString());
    }
    step = TStep::Port;
    if (isV4) {
        Send("PORT " + PortArgument(local.toString().toStdString(), dataServer.serverPort()));
    } else {
        Send("EPRT |2|" + local.toString().toStdString() + "|" +
             std::to_string(dataServer.serverPort()) + "|");
    }
}

void TFtpClient::OnDataSetupReply(const TFtpReply& reply) {
    if (reply.Code / 100 == 1) return;
    const std::string firstLine = reply.Text.substr(0, reply.Text.find('\n'));
    std::uint16_t port = 0;
    if (step == TStep::Port) {
        if (reply.Code != 200) return Finish(reply.Code, firstLine);
    } else if (step == TStep::Epsv && reply.Code != 229) {
        // Servers without EPSV answer 500 or 502; older ones still know PASV.
        if (reply.Code < 500) return Finish(reply.Code, firstLine);
        step = TStep::Pasv;
        Send("PASV");
        return;
    } else if (step == TStep::Epsv) {
        if (!EpsvPort(reply.Text, port))
            return Finish(FtpErrorProtocol, "Unreadable reply: " + firstLine);
        ConnectPassiveData(port);
    } else {
        if (reply.Code != 227) return Finish(reply.Code, firstLine);
        if (!PasvPort(reply.Text, port))
            return Finish(FtpErrorProtocol, "Unreadable reply: " + firstLine);
        ConnectPassiveData(port);
    }
    step = TStep::Transfer;
    Send(transferCommand);
}

void TFtpClient::OnTransferReply(const TFtpReply& reply) {
    if (reply.Code / 100 == 1) {
        preliminary = true;
        OnDataUsable();
        return;
    }
    if (reply.Code != 226 && reply.Code != 250) {
        return Finish(reply.Code, reply.Text.substr(0, reply.Text.find('\n')));
    }
    finalCode = reply.Code;
    TryFinishTransfer();
}

void TFtpClient::ConnectPassiveData(std::uint16_t port) {
    data = std::make_unique<QSslSocket>();
    AttachData();
    connect(data.get(), &QTcpSocket::connected, this, &TFtpClient::OnDataUsable);
    data->connectToHost(control.peerAddress(), port);
}

void TFtpClient::OnDataConnection() {
    QTcpSocket* incoming = dataServer.nextPendingConnection();
    if (incoming == nullptr) return;
    // Only the server we talk to may deliver the data; anyone else is turned away.
    if (data || !incoming->peerAddress().isEqual(control.peerAddress(),
                                                 QHostAddress::ConvertV4MappedToIPv4)) {
        incoming->abort();
        incoming->deleteLater();
        return;
    }
    incoming->setParent(nullptr);
    data.reset(static_cast<QSslSocket*>(incoming));
    dataServer.close();
    AttachData();
    OnDataUsable();
}

void TFtpClient::AttachData() {
    connect(data.get(), &QTcpSocket::readyRead, this, &TFtpClient::OnDataReadyRead);
    connect(data.get(), &QTcpSocket::bytesWritten, this, &TFtpClient::OnDataBytesWritten);
    connect(data.get(), &QTcpSocket::disconnected, this, &TFtpClient::OnDataClosed);
    connect(data.get(), &QTcpSocket::errorOccurred, this,
            [this](QAbstractSocket::SocketError error) {
                if (error == QAbstractSocket::RemoteHostClosedError || step != TStep::Transfer)
                    return;
                if (error == QAbstractSocket::SslHandshakeFailedError) {
                    return Finish(FtpErrorTls, "The encrypted data connection failed: " +
                                                   data->errorString().toStdString());
                }
                if (data && data->state() != QAbstractSocket::ConnectedState) {
                    Finish(FtpErrorConnection,
                           "The data connection failed: " + data->errorString().toStdString());
                }
            });
}

void TFtpClient::OnDataUsable() {
    // As the common clients do, TLS starts once the server has taken the transfer command:
    // a server may not read a data connection before that, and an active-mode one connects
    // as early as the PORT command.
    if (dataEncrypted && data && preliminary && data->state() == QAbstractSocket::ConnectedState &&
        data->mode() == QSslSocket::UnencryptedMode) {
        return StartDataEncryption();
    }
    OnDataBytesWritten();
}

void TFtpClient::StartDataEncryption() {
    // The client speaks TLS first on every data connection, also one the server opened.
    QSslConfiguration configuration = control.sslConfiguration();
    data->setSslConfiguration(configuration);
    data->setPeerVerifyName(control.peerName());
    connect(data.get(), &QSslSocket::sslErrors, this, [this](const QList<QSslError>&) {
        // The server's own certificate, accepted on the control connection, is accepted here
        // too; any other is not.
        if (data && !acceptedCertificate.isNull() && data->peerCertificate() == acceptedCertificate)
            data->ignoreSslErrors();
    });
    connect(data.get(), &QSslSocket::encrypted, this, &TFtpClient::OnDataBytesWritten);
    // Encrypted bytes leave later than the plain ones were taken; the next chunk waits for them.
    connect(data.get(), &QSslSocket::encryptedBytesWritten, this, &TFtpClient::OnDataBytesWritten);
    data->startClientEncryption();
}

bool TFtpClient::DataReady() const {
    return data && data->state() == QAbstractSocket::ConnectedState &&
           (!dataEncrypted || data->isEncrypted());
}

void TFtpClient::OnDataReadyRead() {
    if (!data) return;
    const QByteArray bytes = data->readAll();
    if (bytes.isEmpty() || !target) return;
    if (MaxDownloadBytes > 0 && bytesMoved + bytes.size() > MaxDownloadBytes) {
        return Finish(FtpErrorTooLarge, "The server sent more than " +
                                            std::to_string(MaxDownloadBytes) + " bytes for " +
                                            (HostFileName.empty() ? "the listing" : HostFileName) +
                                            "; the transfer was cut off.");
    }
    if (target->write(bytes) != bytes.size()) {
        return Finish(FtpErrorLocalFile, "Cannot write the local file " + LocalFileName + ".");
    }
    bytesMoved += bytes.size();
    timeout.start(timeoutMs);
    Post([moved = bytesMoved](IFtpSessionEvents& e) { e.Progress(moved); });
}

void TFtpClient::OnDataBytesWritten() {
    // Data goes out only once the server has taken STOR: a server may drop a passive data
    // connection that closes (an empty file) before the command arrived.
    if (!source || !preliminary || !DataReady()) return;
    timeout.start(timeoutMs);
    if (data->bytesToWrite() > 0 || data->encryptedBytesToWrite() > 0) return;
    if (source->atEnd()) {
        data->disconnectFromHost();
        return;
    }
    const QByteArray chunk = source->read(ChunkSize);
    if (chunk.isEmpty())
        return Finish(FtpErrorLocalFile, "Cannot read the local file " + LocalFileName + ".");
    data->write(chunk);
    bytesMoved += chunk.size();
    Post([moved = bytesMoved](IFtpSessionEvents& e) { e.Progress(moved); });
}

void TFtpClient::OnDataClosed() {
    OnDataReadyRead();
    if (step != TStep::Transfer) return;
    if (current == TFtpRequest::Put && source && !source->atEnd()) {
        return Finish(FtpErrorConnection, "The server closed the data connection early.");
    }
    dataDone = true;
    TryFinishTransfer();
}

void TFtpClient::TryFinishTransfer() {
    if (step != TStep::Transfer || !dataDone || finalCode == 0) return;
    if (target && !target->commit()) {
        target.reset();
        return Finish(FtpErrorLocalFile, "Cannot write the local file " + LocalFileName + ".");
    }
    target.reset();
    Finish(FtpOk);
}

void TFtpClient::OnControlError() {
    if (step == TStep::Handshake) return FailTls();
    if (step == TStep::Connecting) {
        Finish(FtpErrorConnection,
               "Cannot connect to " + HostName + ": " + control.errorString().toStdString());
        SetState(TFtpState::NotConnected);
    }
}

void TFtpClient::OnControlClosed() {
    if (!wasConnected) return;
    wasConnected = false;
    if (step == TStep::Quit) {
        Finish(FtpOk);
    } else if (step == TStep::Handshake) {
        FailTls();
    } else if (step != TStep::Idle) {
        Finish(FtpErrorConnection, "The server closed the connection.");
    }
    CloseData();
    replies.Reset();
    SetState(TFtpState::NotConnected);
    Post([](IFtpSessionEvents& e) { e.SessionClosed(); });
}

void TFtpClient::Finish(int error, const std::string& text) {
    timeout.stop();
    CloseData();
    source.reset();
    if (target) target->cancelWriting();
    target.reset();
    // Server text reaches a terminal: escape sequences in it could rewrite what the user sees.
    if (error != FtpOk)
        errorText = text.empty() ? "Error " + std::to_string(error) : PrintableText(text);
    step = TStep::Idle;
    if (Connected() && current != TFtpRequest::Abort) SetState(TFtpState::Ready);
    Post([request = current, error](IFtpSessionEvents& e) { e.RequestDone(request, error); });
}

void TFtpClient::CloseData() {
    dataServer.close();
    if (!data) return;
    data->disconnect(this);
    data->abort();
    data.release()->deleteLater();
}

void TFtpClient::CloseAll() {
    CloseData();
    replies.Reset();
    const bool wasOpen = wasConnected;
    control.abort();
    // abort() reports the close itself on most paths; make sure it is reported once.
    if (wasOpen) OnControlClosed();
}

void TFtpClient::Post(std::function<void(IFtpSessionEvents&)> event) {
    QMetaObject::invokeMethod(
        this,
        [this, event = std::move(event)] {
            if (events) event(*events);
        },
        Qt::QueuedConnection);
}

void TFtpClient::SetState(TFtpState state) {
    Post([state](IFtpSessionEvents& e) { e.StateChanged(state); });
}

}  // namespace fsc
