// Explicit TLS against pyftpdlib's TLS handler, which refuses a login before AUTH TLS, any
// transfer before PROT P and a data connection that does not resume the control connection's
// TLS session: files move encrypted in either data mode, and a certificate that no authority
// vouches for is refused until the user trusts its fingerprint.
#include <gtest/gtest.h>

#include <QSslConfiguration>

#include "base/Files.h"
#include "ftp/TFtpClient.h"
#include "support/TempDir.h"
#include "tests/ftp/FtpTestSupport.h"

namespace fsc {
namespace {

class TlsSessionTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        test::EnsureQtApplication();
        fingerprint = test::MakeCertificate(certificates / "server.pem");
        ASSERT_NE(fingerprint, "");
        StartServer({"--tls=" + QString::fromStdString(certificates / "server.pem")});
        client.SetEvents(&events);
        client.SetTimeout(10000);
        client.Passive = GetParam();
        client.Security.Tls = true;
        client.UserName = "anna";
    }

    void StartServer(const QStringList& options) {
        server = std::make_unique<test::FtpServerProcess>(
            test::TestScript("pyftpd_server.py"),
            options + QStringList{QString::fromStdString(home.Path()), "anna", "secret"});
        ASSERT_EQ(server->Error(), "");
        client.HostName = server->Host();
    }

    int Run(TFtpRequest request) {
        const std::size_t before = events.Done.size();
        client.Start(request);
        if (!test::WaitFor([&] { return events.Done.size() > before; }, 20000)) return 9999;
        return events.Done.back().Error;
    }

    int Connect() {
        client.PassWord = "secret";
        return Run(TFtpRequest::Connect);
    }

    // Before the client: its sockets load the TLS back end, which wants the application.
    const bool appReady = (test::EnsureQtApplication(), true);
    test::TempDir home, local, certificates;
    std::string fingerprint;
    std::unique_ptr<test::FtpServerProcess> server;
    test::TEventRecorder events;
    TFtpClient client;
};

TEST_P(TlsSessionTest, MovesFilesEncryptedOnceTheCertificateIsTrusted) {
    client.Security.TrustedCertificate = fingerprint;
    ASSERT_EQ(Connect(), FtpOk) << client.ErrorText();
    EXPECT_EQ(client.ServerCertificate(), fingerprint);
    // An empty listing: the server closes the encrypted data connection without sending.
    client.LocalFileName = local / "empty";
    ASSERT_EQ(Run(TFtpRequest::List), FtpOk) << client.ErrorText();
    EXPECT_EQ(ReadFileBytes(local / "empty"), "");

    std::string picture(300000, '\0');
    for (std::size_t i = 0; i < picture.size(); ++i) picture[i] = char(i * 13 % 256);
    WriteFileBytes(local / "up.jpg", picture);
    client.LocalFileName = local / "up.jpg";
    client.HostFileName = "up.jpg";
    ASSERT_EQ(Run(TFtpRequest::Put), FtpOk) << client.ErrorText();
    EXPECT_EQ(ReadFileBytes(home / "up.jpg"), picture);

    client.LocalFileName = local / "down.jpg";
    ASSERT_EQ(Run(TFtpRequest::Get), FtpOk) << client.ErrorText();
    EXPECT_EQ(ReadFileBytes(local / "down.jpg"), picture);

    client.HostFileName = "";
    client.LocalFileName = local / "listing";
    ASSERT_EQ(Run(TFtpRequest::List), FtpOk) << client.ErrorText();
    EXPECT_NE(ReadFileBytes(local / "listing").find("up.jpg"), std::string::npos);
    EXPECT_EQ(Run(TFtpRequest::Quit), FtpOk);
}

TEST_P(TlsSessionTest, AnUnknownCertificateIsRefusedWithItsFingerprintUntilTrusted) {
    EXPECT_EQ(Connect(), FtpErrorUntrustedCertificate);
    EXPECT_EQ(client.ServerCertificate(), fingerprint);
    EXPECT_NE(client.ErrorText().find("fingerprint is " + fingerprint), std::string::npos)
        << client.ErrorText();
    EXPECT_TRUE(test::WaitFor([&] { return !client.Connected(); }));

    // The same fingerprint typed as tools print it, in lower case without the prefix.
    std::string typed = fingerprint.substr(7);
    for (char& c : typed) c = char(std::tolower(static_cast<unsigned char>(c)));
    client.Security.TrustedCertificate = typed;
    EXPECT_EQ(Connect(), FtpOk) << client.ErrorText();
    EXPECT_EQ(Run(TFtpRequest::Quit), FtpOk);

    // The certificate is made out for 127.0.0.1: reached as "localhost" it is refused for its
    // name, pinned or not, until the user accepts the other name.
    client.HostName = "localhost:" + std::to_string(server->Port());
    EXPECT_EQ(Connect(), FtpErrorHostnameMismatch);
    EXPECT_NE(client.ErrorText().find("another name than localhost"), std::string::npos)
        << client.ErrorText();
    EXPECT_TRUE(test::WaitFor([&] { return !client.Connected(); }));
    client.Security.AcceptHostnameMismatch = true;
    EXPECT_EQ(Connect(), FtpOk) << client.ErrorText();
}

TEST_P(TlsSessionTest, AChangedCertificateOfATrustedServerIsRefusedNamingBoth) {
    const std::string newFingerprint = test::MakeCertificate(certificates / "new.pem");
    server.reset();
    StartServer({"--tls=" + QString::fromStdString(certificates / "new.pem")});
    client.Security.TrustedCertificate = fingerprint;
    EXPECT_EQ(Connect(), FtpErrorCertificateChanged);
    EXPECT_NE(client.ErrorText().find(fingerprint), std::string::npos) << client.ErrorText();
    EXPECT_NE(client.ErrorText().find(newFingerprint), std::string::npos) << client.ErrorText();
    EXPECT_EQ(client.ServerCertificate(), newFingerprint);
    EXPECT_TRUE(test::WaitFor([&] { return !client.Connected(); }));

    // A trusted certificate whose time is up still logs in, with a notice to renew it.
    const std::string expired = test::MakeCertificate(certificates / "expired.pem", {}, true);
    server.reset();
    StartServer({"--tls=" + QString::fromStdString(certificates / "expired.pem")});
    client.Security.TrustedCertificate = expired;
    EXPECT_EQ(Connect(), FtpOk) << client.ErrorText();
    EXPECT_NE(client.LoginNotice().find("trusted certificate expired on"), std::string::npos)
        << client.LoginNotice();
}

TEST_P(TlsSessionTest, AServerWithoutEncryptionIsRefusedNotUsedInClearText) {
    server.reset();
    StartServer({});
    EXPECT_EQ(Connect(), FtpErrorTlsRefused);
    EXPECT_NE(client.ErrorText().find("does not offer encryption"), std::string::npos)
        << client.ErrorText();
    EXPECT_EQ(client.ServerCertificate(), "");
}

// The program takes the system's authorities from Qt's default configuration; the test's
// own authority is added there for this test only.
TEST_P(TlsSessionTest, ACertificateAnAuthorityVouchesForIsAcceptedWithoutAsking) {
    const std::string signedFingerprint =
        test::MakeCertificate(certificates / "signed.pem", certificates / "authority.pem");
    server.reset();
    StartServer({"--tls=" + QString::fromStdString(certificates / "signed.pem")});
    const QSslConfiguration system = QSslConfiguration::defaultConfiguration();
    QSslConfiguration withAuthority = system;
    withAuthority.addCaCertificates(QString::fromStdString(certificates / "authority.pem"));
    QSslConfiguration::setDefaultConfiguration(withAuthority);

    EXPECT_EQ(Connect(), FtpOk) << client.ErrorText();
    EXPECT_EQ(client.ServerCertificate(), signedFingerprint);
    WriteFileBytes(local / "page.html", "<html></html>");
    client.LocalFileName = local / "page.html";
    client.HostFileName = "page.html";
    EXPECT_EQ(Run(TFtpRequest::Put), FtpOk) << client.ErrorText();
    EXPECT_EQ(ReadFileBytes(home / "page.html"), "<html></html>");
    EXPECT_EQ(Run(TFtpRequest::Quit), FtpOk);

    // A pinned certificate wins over the authorities: another one is refused, naming both.
    client.Security.TrustedCertificate = fingerprint;
    EXPECT_EQ(Connect(), FtpErrorCertificateChanged);
    EXPECT_NE(client.ErrorText().find(fingerprint), std::string::npos) << client.ErrorText();
    EXPECT_NE(client.ErrorText().find(signedFingerprint), std::string::npos) << client.ErrorText();
    EXPECT_TRUE(test::WaitFor([&] { return !client.Connected(); }));
    QSslConfiguration::setDefaultConfiguration(system);
}

INSTANTIATE_TEST_SUITE_P(DataModes, TlsSessionTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Passive" : "Active"; });

}  // namespace
}  // namespace fsc
