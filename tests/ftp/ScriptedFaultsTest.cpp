#include <gtest/gtest.h>

#include "base/Files.h"
#include "base/IProgress.h"
#include "base/Text.h"
#include "ftp/GalleryUpload.h"
#include "ftp/TFtpClient.h"
#include "ftp/TFtpJobQueue.h"
#include "support/TempDir.h"
#include "tests/ftp/FtpTestSupport.h"

namespace fsc {
namespace {

// A session against the scripted server running one fault scenario.
class ScriptedServer : public ::testing::Test {
protected:
    void Start(const char* scenario, bool passive = false) {
        test::EnsureQtApplication();
        server = std::make_unique<test::FtpServerProcess>(
            test::TestScript("scripted_ftp_server.py"),
            QStringList{scenario, QString::fromStdString(work / "commands.log")});
        ASSERT_EQ(server->Error(), "");
        client.SetEvents(&events);
        client.SetTimeout(1500);
        client.Passive = passive;
        client.HostName = server->Host();
        client.UserName = "anna";
        client.PassWord = "secret";
    }

    int Run(TFtpRequest request) {
        const std::size_t before = events.Done.size();
        client.Start(request);
        if (!test::WaitFor([&] { return events.Done.size() > before; }, 8000)) return 9999;
        return events.Done.back().Error;
    }

    void Login() { ASSERT_EQ(Run(TFtpRequest::Connect), FtpOk) << client.ErrorText(); }

    std::string Commands() {
        return FileExists(work / "commands.log") ? ReadFileBytes(work / "commands.log") : "";
    }

    test::TempDir work;
    std::unique_ptr<test::FtpServerProcess> server;
    test::TEventRecorder events;
    TFtpClient client;
};

TEST_F(ScriptedServer, ReadsMultiLineAndLfOnlyReplies) {
    for (bool passive : {false, true}) {
        SCOPED_TRACE(passive ? "passive" : "active");
        Start("multiline", passive);
        Login();
        EXPECT_EQ(Run(TFtpRequest::PrintDir), FtpOk);
        EXPECT_EQ(client.DirResult(), "/cwd");
        client.LocalFileName = work / "got.txt";
        client.HostFileName = "ok.txt";
        EXPECT_EQ(Run(TFtpRequest::Get), FtpOk) << client.ErrorText();
        EXPECT_EQ(ReadFileBytes(work / "got.txt"), "hello");
        EXPECT_EQ(Run(TFtpRequest::Quit), FtpOk);
        server.reset();
    }
}

TEST_F(ScriptedServer, KeepsInStepWithSplitRepliesAndAStrayReply) {
    Start("split");
    Login();
    WriteFileBytes(work / "up.txt", "upload");
    client.LocalFileName = work / "up.txt";
    client.HostFileName = "up.txt";
    EXPECT_EQ(Run(TFtpRequest::Put), FtpOk) << client.ErrorText();
    // The stray "226" after the transfer must not pass for the answer to PWD.
    EXPECT_EQ(Run(TFtpRequest::PrintDir), FtpOk) << client.ErrorText();
    EXPECT_EQ(client.DirResult(), "/cwd");
    EXPECT_NE(Commands().find("USER anna\nPASS secret\nTYPE I\nPORT 127,0,0,1,"), std::string::npos)
        << Commands();
}

TEST_F(ScriptedServer, LogsInWithoutAPasswordWhenUserIsEnough) {
    Start("userok");
    Login();
    EXPECT_EQ(Run(TFtpRequest::PrintDir), FtpOk);
    EXPECT_EQ(Commands(), "USER anna\nTYPE I\nPWD\n")
        << "no PASS after 230, and a refused TYPE is no failure";
}

TEST_F(ScriptedServer, FallsBackToPasvWhenEpsvIsUnknown) {
    Start("noepsv", true);
    Login();
    client.HostFileName = "";
    client.LocalFileName = work / "listing";
    EXPECT_EQ(Run(TFtpRequest::List), FtpOk) << client.ErrorText();
    EXPECT_NE(ReadFileBytes(work / "listing").find("ok.txt"), std::string::npos);
    EXPECT_NE(Commands().find("EPSV\nPASV\nLIST\n"), std::string::npos) << Commands();
}

TEST_F(ScriptedServer, ABare227IsAnUnreadableReply) {
    Start("bare227", true);
    Login();
    client.HostFileName = "";
    client.LocalFileName = work / "listing";
    EXPECT_EQ(Run(TFtpRequest::List), FtpErrorProtocol);
    EXPECT_EQ(client.ErrorText(), "Unreadable reply: 227");
}

TEST_F(ScriptedServer, A421EndsTheSession) {
    Start("quit421");
    Login();
    client.HostDirName = "/x";
    EXPECT_EQ(Run(TFtpRequest::ChangeDir), 421);
    EXPECT_TRUE(test::WaitFor([&] { return events.ClosedCount == 1; }));
    EXPECT_FALSE(client.Connected());
}

TEST_F(ScriptedServer, ReadsAQuotedDirectoryWithDoubledQuotes) {
    Start("pwdquotes");
    Login();
    EXPECT_EQ(Run(TFtpRequest::PrintDir), FtpOk);
    EXPECT_EQ(client.DirResult(), "/a \"b\" c");
}

TEST_F(ScriptedServer, FailuresAfterTheTransferStartedLeaveNoFile) {
    const struct {
        const char* scenario;
        TFtpRequest request;
        int error;
    } cases[] = {
        {"nodata", TFtpRequest::Get, FtpErrorTimeout},
        {"nodata", TFtpRequest::List, FtpErrorTimeout},
        {"retr426", TFtpRequest::Get, 426},
        {"stor552", TFtpRequest::Put, 552},
        {"closemid", TFtpRequest::Put, FtpErrorConnection},
        {"silent", TFtpRequest::PrintDir, FtpErrorTimeout},
    };
    WriteFileBytes(work / "local.txt", std::string(200000, 'u'));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scenario);
        events = {};
        Start(c.scenario);
        Login();
        WriteFileBytes(work / "local.txt", "old contents");
        client.LocalFileName = work / "local.txt";
        client.HostFileName = "ok.txt";
        EXPECT_EQ(Run(c.request), c.error) << client.ErrorText();
        EXPECT_EQ(ReadFileBytes(work / "local.txt"), "old contents")
            << "a failed download replaces nothing";
        if (c.error == FtpErrorTimeout || c.error == FtpErrorConnection) {
            EXPECT_TRUE(test::WaitFor([&] { return events.ClosedCount == 1; }));
        }
        server.reset();
        // Settle the session before the next scenario, so no late event is counted there.
        client.Start(TFtpRequest::Abort);
        ASSERT_TRUE(
            test::WaitFor([&] { return events.Done.back().Request == TFtpRequest::Abort; }));
    }
    EXPECT_EQ(ListDirectory(work.Path()).size(), 2u) << "only local.txt and the command log";
}

// The job queue over the scripted server, for listings a real server does not send.
class ScriptedQueue : public ScriptedServer {
protected:
    void StartQueue(const char* scenario) {
        Start(scenario);
        ForceDirectories(work / "local/inner");
        queue = std::make_unique<TFtpJobQueue>(client, ask, shell, messages, progress,
                                               work / "state/ftp.tmp");
        queue->OnBackgroundError = [this](const std::string& message) {
            backgroundErrors.push_back(message);
        };
        queue->ChangeLocalDir(work / "local/inner");
        queue->Connect(server->Host(), "anna", "secret", false);
        ASSERT_TRUE(test::WaitFor([&] { return !queue->Working(); })) << queue->StatusText;
    }
    void Run(TStringList jobs) {
        queue->Jobs = std::move(jobs);
        queue->RunNextJob();
        ASSERT_TRUE(test::WaitFor([&] { return !queue->Working(); })) << queue->StatusText;
    }

    test::TScriptedAsk ask;
    test::TRecordingShell shell;
    test::TRecordingMessages messages;
    TSilentProgress progress;
    std::unique_ptr<TFtpJobQueue> queue;
    std::vector<std::string> backgroundErrors;
};

TEST_F(ScriptedQueue, SkipsALeadingTotalLine) {
    StartQueue("total");
    EXPECT_TRUE(backgroundErrors.empty());
    EXPECT_TRUE(queue->RemoteShown);
    // The login folder "/cwd" is not the root, so ".." leads up from it.
    ASSERT_EQ(queue->RemoteList.Count(), 3);
    EXPECT_EQ(queue->RemoteList.Get(0)->Name, "..");
    EXPECT_EQ(queue->RemoteList.Get(1)->Name, "pics");
}

TEST_F(ScriptedQueue, AListingWithoutGroupColumnEndsTheSession) {
    StartQueue("eightcol");
    ASSERT_EQ(backgroundErrors.size(), 1u);
    EXPECT_EQ(backgroundErrors[0],
              "Incompatible directory listing. -rw-r--r-- 1 u 5 Jan 5 2001 ok.txt");
    EXPECT_TRUE(test::WaitFor([&] { return !client.Connected(); }));
    EXPECT_EQ(queue->RemoteList.Count(), 0);
}

TEST_F(ScriptedQueue, NamesThatClimbOutOfTheFolderAreSkipped) {
    StartQueue("unsafe");
    ask.Answer = true;
    Run({"DownSelectAll", "List;"});
    EXPECT_EQ(ReadFileBytes(work / "local/inner/ok.txt"), "hello");
    EXPECT_FALSE(FileExists(work / "local/escape.txt"));
    EXPECT_FALSE(DirectoryExists(work / "up"));
    EXPECT_EQ(ListDirectory(work / "local/inner").size(), 1u) << "only ok.txt was written";

    Run({"Del;../escape.txt;FALSE", "Del;..;TRUE", "Del;sub/inner.txt;FALSE", "Del;ok.txt;FALSE",
         "List;"});
    const std::string commands = Commands();
    EXPECT_EQ(commands.find("escape"), std::string::npos) << commands;
    EXPECT_EQ(commands.find("inner.txt"), std::string::npos) << commands;
    EXPECT_EQ(commands.find("RMD"), std::string::npos) << commands;
    EXPECT_NE(commands.find("DELE ok.txt"), std::string::npos) << commands;
    EXPECT_TRUE(ask.Asked.empty()) << "\"..\" is never offered for deletion";
    EXPECT_TRUE(StartsWith(queue->StatusText, "Status Skipped the unsafe name"))
        << queue->StatusText;
}

TEST_F(ScriptedQueue, AServerClosingMidTransferEndsTheSequenceWithItsReason) {
    StartQueue("closemid");
    WriteFileBytes(work / "local/inner/big.bin", std::string(500000, 'b'));
    Run({"Up;big.bin", "Up;big.bin", "List;"});
    EXPECT_TRUE(test::WaitFor([&] { return !client.Connected(); }));
    EXPECT_TRUE(queue->Jobs.empty());
    EXPECT_TRUE(test::WaitFor([&] {
        return queue->StatusText == "Status Disconnected. The server closed the connection.";
    })) << queue->StatusText;
}

TEST_F(ScriptedQueue, AGalleryWithImagesAsThumbnailsSendsEachImageTwice) {
    StartQueue("plain");
    WriteFileBytes(work / "local/inner/index.html", "index");
    ForceDirectories(work / "local/inner/images");
    WriteFileBytes(work / "local/inner/images/a.jpg", "a");
    TGalleryUpload upload;
    upload.SubDir = "gal";
    upload.HTMLDir = work / "local/inner";
    upload.ImageDir = "images";
    upload.HTMLFile = "index.html";
    upload.Pages = {{"index.html", "", 1, 0}};
    upload.Images = {{"a.jpg", "a.jpg"}, {"text-only", "text-only"}};
    upload.WWWAddress = "http://example.org";
    upload.RemotePath = queue->PathFromLogin();
    UploadGallery(*queue, &upload);
    ASSERT_TRUE(test::WaitFor([&] { return !queue->Working(); })) << queue->StatusText;
    const std::string commands = Commands();
    const auto count = [&](const std::string& what) {
        std::size_t n = 0;
        for (std::size_t at = commands.find(what); at != std::string::npos;
             at = commands.find(what, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("STOR a.jpg\n"), 2u) << commands;
    EXPECT_EQ(count("STOR index.html\n"), 1u) << commands;
    EXPECT_EQ(count("MKD gal\n"), 1u) << commands;
    EXPECT_EQ(count("MKD images\n"), 1u) << commands;
    EXPECT_LT(commands.find("CWD /cwd/gal\n"), commands.find("STOR index.html"));
    EXPECT_LT(commands.find("CWD /cwd/images\n"), commands.find("STOR a.jpg"));
    EXPECT_TRUE(backgroundErrors.empty()) << "the text-only entry is skipped";
    EXPECT_EQ(shell.Opened, (TStringList{"http://example.org/gal/index.html"}));
}

}  // namespace
}  // namespace fsc
