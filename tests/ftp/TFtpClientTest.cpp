#include <gtest/gtest.h>

#include <QTcpServer>

#include "base/Files.h"
#include "ftp/TFtpClient.h"
#include "support/TempDir.h"
#include "tests/ftp/FtpTestSupport.h"

namespace fsc {
namespace {

using test::TDone;

class TFtpClientTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        test::EnsureQtApplication();
        server = std::make_unique<test::FtpServerProcess>(
            test::TestScript("pyftpd_server.py"),
            QStringList{QString::fromStdString(home.Path()), "anna", "secret"});
        ASSERT_EQ(server->Error(), "");
        client.SetEvents(&events);
        client.SetTimeout(10000);
        client.Passive = GetParam();
    }

    // Starts a request and waits for its completion; returns its error code.
    int Run(TFtpRequest request) {
        const std::size_t before = events.Done.size();
        client.Start(request);
        // Completion comes through the event loop, never from inside Start.
        EXPECT_EQ(events.Done.size(), before);
        if (!test::WaitFor([&] { return events.Done.size() > before; })) return 9999;
        EXPECT_EQ(int(events.Done.back().Request), int(request));
        return events.Done.back().Error;
    }

    void Login() {
        client.HostName = server->Host();
        client.UserName = "anna";
        client.PassWord = "secret";
        ASSERT_EQ(Run(TFtpRequest::Connect), FtpOk) << client.ErrorText();
        ASSERT_TRUE(client.Connected());
    }

    // Before the client: its sockets load the TLS back end, which wants the application.
    const bool appReady = (test::EnsureQtApplication(), true);
    test::TempDir home, local;
    std::unique_ptr<test::FtpServerProcess> server;
    test::TEventRecorder events;
    TFtpClient client;
};

TEST_P(TFtpClientTest, RefusedLoginIsReportedWithTheServersCode) {
    client.HostName = server->Host();
    client.UserName = "anna";
    client.PassWord = "wrong";
    EXPECT_EQ(Run(TFtpRequest::Connect), 530);
    EXPECT_EQ(events.ConnectedCount, 1);
}

TEST_P(TFtpClientTest, MissingInputsFailWithoutAskingTheServer) {
    client.HostName = server->Host();
    client.UserName = "anna";
    client.PassWord = "";
    EXPECT_EQ(Run(TFtpRequest::Connect), FtpErrorBadInput);
    EXPECT_EQ(events.ConnectedCount, 0);
    Login();
    client.HostDirName = "";
    EXPECT_EQ(Run(TFtpRequest::ChangeDir), FtpErrorBadInput);
    client.HostFileName = "x\r\nDELE y";
    EXPECT_EQ(Run(TFtpRequest::MakeDir), FtpErrorBadInput);
    client.HostName = "127.0.0.1:notaport";
    EXPECT_EQ(Run(TFtpRequest::Connect), FtpErrorBusy) << "already connected";
}

TEST_P(TFtpClientTest, MovesFilesAndDirectoriesBothWays) {
    Login();
    std::string picture(300000, '\0');
    for (std::size_t i = 0; i < picture.size(); ++i) picture[i] = char(i * 7 % 256);
    WriteFileBytes(local / "up.jpg", picture);

    client.HostFileName = "pics";
    EXPECT_EQ(Run(TFtpRequest::MakeDir), FtpOk);
    client.HostDirName = "/pics";
    EXPECT_EQ(Run(TFtpRequest::ChangeDir), FtpOk);
    EXPECT_EQ(Run(TFtpRequest::PrintDir), FtpOk);
    EXPECT_EQ(client.DirResult(), "/pics");

    client.HostFileName = "up.jpg";
    client.LocalFileName = local / "up.jpg";
    EXPECT_EQ(Run(TFtpRequest::Put), FtpOk) << client.ErrorText();
    EXPECT_EQ(ReadFileBytes(home / "pics/up.jpg"), picture) << "binary data must arrive unchanged";
    EXPECT_EQ(events.LastProgress, std::int64_t(picture.size()));

    client.LocalFileName = local / "down.jpg";
    EXPECT_EQ(Run(TFtpRequest::Get), FtpOk) << client.ErrorText();
    EXPECT_EQ(ReadFileBytes(local / "down.jpg"), picture);

    // An empty file has no data to send; the transfer must still end.
    WriteFileBytes(local / "empty.txt", "");
    client.HostFileName = "empty.txt";
    client.LocalFileName = local / "empty.txt";
    EXPECT_EQ(Run(TFtpRequest::Put), FtpOk) << client.ErrorText();
    client.LocalFileName = local / "empty-again.txt";
    EXPECT_EQ(Run(TFtpRequest::Get), FtpOk) << client.ErrorText();
    EXPECT_EQ(ReadFileBytes(local / "empty-again.txt"), "");

    client.HostFileName = "";
    client.LocalFileName = local / "listing";
    EXPECT_EQ(Run(TFtpRequest::List), FtpOk);
    EXPECT_NE(ReadFileBytes(local / "listing").find("up.jpg"), std::string::npos);

    for (const char* name : {"up.jpg", "empty.txt"}) {
        client.HostFileName = name;
        EXPECT_EQ(Run(TFtpRequest::Delete), FtpOk) << name;
    }
    client.HostDirName = "/";
    EXPECT_EQ(Run(TFtpRequest::ChangeDir), FtpOk);
    client.HostFileName = "pics";
    EXPECT_EQ(Run(TFtpRequest::RemoveDir), FtpOk);
    EXPECT_FALSE(DirectoryExists(home / "pics"));

    EXPECT_EQ(Run(TFtpRequest::Quit), FtpOk);
    EXPECT_TRUE(test::WaitFor([&] { return events.ClosedCount == 1; }));
    EXPECT_FALSE(client.Connected());
}

TEST_P(TFtpClientTest, RefusedTransfersLeaveLocalFilesAlone) {
    Login();
    WriteFileBytes(local / "keep.jpg", "old contents");
    client.HostFileName = "missing.jpg";
    client.LocalFileName = local / "keep.jpg";
    EXPECT_EQ(Run(TFtpRequest::Get), 550);
    EXPECT_EQ(ReadFileBytes(local / "keep.jpg"), "old contents");
    EXPECT_EQ(ListDirectory(local.Path()).size(), 1u) << "no temporary file is left behind";

    client.LocalFileName = local / "does-not-exist.jpg";
    client.HostFileName = "x.jpg";
    EXPECT_EQ(Run(TFtpRequest::Put), FtpErrorLocalFile);
    EXPECT_FALSE(FileExists(home / "x.jpg"));
    // The session goes on after refusals.
    EXPECT_EQ(Run(TFtpRequest::PrintDir), FtpOk);
    EXPECT_EQ(client.DirResult(), "/");
}

TEST_P(TFtpClientTest, AbortClosesAtOnce) {
    Login();
    client.Start(TFtpRequest::PrintDir);
    client.Start(TFtpRequest::Abort);
    EXPECT_TRUE(test::WaitFor([&] { return events.ClosedCount == 1; }));
    EXPECT_FALSE(client.Connected());
    ASSERT_FALSE(events.Done.empty());
    EXPECT_EQ(int(events.Done.back().Request), int(TFtpRequest::Abort));
}

INSTANTIATE_TEST_SUITE_P(Modes, TFtpClientTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Passive" : "Active"; });

TEST(TFtpClientTimeout, ASilentServerIsReportedAndClosed) {
    test::EnsureQtApplication();
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    test::TEventRecorder events;
    TFtpClient client;
    client.SetEvents(&events);
    client.SetTimeout(1000);
    client.HostName = "127.0.0.1:" + std::to_string(silent.serverPort());
    client.UserName = "anna";
    client.PassWord = "secret";
    client.Start(TFtpRequest::Connect);
    ASSERT_TRUE(test::WaitFor([&] { return !events.Done.empty(); }, 5000));
    EXPECT_EQ(events.Done.back().Error, FtpErrorTimeout);
    EXPECT_EQ(client.ErrorText(),
              "The server did not answer for 1 seconds; the connection was closed.");
    EXPECT_TRUE(test::WaitFor([&] { return events.ClosedCount == 1; }, 2000));
    EXPECT_FALSE(client.Connected());
}

TEST(TFtpClientConnect, ARefusedConnectionIsReported) {
    test::EnsureQtApplication();
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();
    test::TEventRecorder events;
    TFtpClient client;
    client.SetEvents(&events);
    client.HostName = "127.0.0.1:" + std::to_string(port);
    client.UserName = "anna";
    client.PassWord = "secret";
    client.Start(TFtpRequest::Connect);
    ASSERT_TRUE(test::WaitFor([&] { return !events.Done.empty(); }, 5000));
    EXPECT_EQ(events.Done.back().Error, FtpErrorConnection);
    EXPECT_NE(client.ErrorText().find("Cannot connect to 127.0.0.1:"), std::string::npos)
        << client.ErrorText();
    EXPECT_EQ(events.ConnectedCount, 0);
}

}  // namespace
}  // namespace fsc
