#include <gtest/gtest.h>

#include "base/Files.h"
#include "base/IProgress.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "ftp/GalleryUpload.h"
#include "ftp/TFtpClient.h"
#include "ftp/TFtpJobQueue.h"
#include "support/TempDir.h"
#include "tests/ftp/FtpTestSupport.h"

namespace fsc {
namespace {

std::string Names(const TFileList& list) {
    std::string names;
    for (const TFile& f : list.Entries()) names += (names.empty() ? "" : ",") + f.Name;
    return names;
}

// The job queue over a real session and a real server; the parameter picks passive mode.
class TFtpJobQueueTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        test::EnsureQtApplication();
        server = std::make_unique<test::FtpServerProcess>(
            test::TestScript("pyftpd_server.py"),
            QStringList{QString::fromStdString(home.Path()), "anna", "secret", "limited",
                        "secret"});
        ASSERT_EQ(server->Error(), "");
        client.SetTimeout(10000);
        queue = std::make_unique<TFtpJobQueue>(client, ask, shell, messages, progress,
                                               state / "ftp.tmp");
        queue->OnBackgroundError = [this](const std::string& message) {
            backgroundErrors.push_back(message);
        };
        queue->ChangeLocalDir(local.Path());
    }

    void Connect(const std::string& user = "anna", const std::string& password = "secret") {
        queue->Connect(server->Host(), user, password, GetParam());
        ASSERT_TRUE(test::WaitFor([&] { return !queue->Working(); })) << queue->StatusText;
    }

    void Run(TStringList jobs) {
        queue->Jobs = std::move(jobs);
        queue->RunNextJob();
        ASSERT_TRUE(test::WaitFor([&] { return !queue->Working(); }, 20000)) << queue->StatusText;
    }

    void Put(const std::string& path, const std::string& bytes) {
        ForceDirectories(ExtractFileDir(path));
        WriteFileBytes(path, bytes);
    }

    test::TempDir home, local, state;
    std::unique_ptr<test::FtpServerProcess> server;
    TFtpClient client;
    test::TScriptedAsk ask;
    test::TRecordingShell shell;
    test::TRecordingMessages messages;
    TSilentProgress progress;
    std::unique_ptr<TFtpJobQueue> queue;
    std::vector<std::string> backgroundErrors;
};

TEST_P(TFtpJobQueueTest, ConnectShowsTheLoginDirectory) {
    Put(home / "a.jpg", "a");
    ForceDirectories(home / "pics");
    Connect();
    EXPECT_EQ(queue->StatusText, "Status Connected.");
    EXPECT_EQ(queue->HostText, "Host: " + server->Host());
    EXPECT_EQ(queue->RemotePath, "/");
    EXPECT_TRUE(queue->RemoteShown);
    EXPECT_EQ(Names(queue->RemoteList), "pics,a.jpg");
    EXPECT_TRUE(client.PassWord.empty()) << "the password serves one login only";
}

TEST_P(TFtpJobQueueTest, ARefusedLoginIsSaidAndEndsTheSession) {
    Connect("anna", "wrong");
    EXPECT_TRUE(test::WaitFor([&] { return !client.Connected(); }));
    // The reason stays in the status line after the session has closed.
    EXPECT_TRUE(test::WaitFor([&] {
        return StartsWith(queue->StatusText, "Status Disconnected. Connection failed: 530");
    })) << queue->StatusText;
    EXPECT_FALSE(queue->RemoteShown);
}

TEST_P(TFtpJobQueueTest, UploadsAGalleryIntoNewDirectoriesAndOverwritesOnTheSecondRun) {
    Put(local / "index.html", "index 1");
    Put(local / "page2.html", "page 2");
    Put(local / "images/a.jpg", std::string(70000, 'a'));
    Put(local / "images/b.jpg", std::string(1000, 'b'));
    const TStringList gallery = {"WebChDir;gal", "List;",    "Up;index.html", "Up;page2.html",
                                 "ChDir;images", "Up;a.jpg", "Up;a.jpg",      "Up;b.jpg",
                                 "Up;b.jpg",     "ChDir;..", "List;"};
    Connect();
    Run(gallery);
    EXPECT_EQ(ReadFileBytes(home / "gal/index.html"), "index 1");
    EXPECT_EQ(ReadFileBytes(home / "gal/page2.html"), "page 2");
    EXPECT_EQ(ReadFileBytes(home / "gal/images/a.jpg"), std::string(70000, 'a'));
    EXPECT_EQ(ReadFileBytes(home / "gal/images/b.jpg"), std::string(1000, 'b'));
    EXPECT_EQ(queue->RemotePath, "/gal");
    EXPECT_EQ(queue->LocalDir, local.Path());
    EXPECT_TRUE(queue->RemoteShown);
    EXPECT_EQ(Names(queue->RemoteList), "..,images,index.html,page2.html");
    EXPECT_EQ(queue->StatusBarText, "0 actions left to do.");

    // The second run finds the directories and replaces the files.
    Put(local / "index.html", "index 2");
    Run({"WebChDir;..", "List;"});
    EXPECT_EQ(queue->RemotePath, "/");
    Run(gallery);
    EXPECT_EQ(ReadFileBytes(home / "gal/index.html"), "index 2");
    EXPECT_TRUE(backgroundErrors.empty());
}

TEST_P(TFtpJobQueueTest, PublishesABuiltGalleryWithItsFolders) {
    Put(local / "gallery/index.html", "thumbnails");
    Put(local / "gallery/images/a.jpg", std::string(40000, 'a'));
    Put(local / "gallery/images/a_t.jpg", "thumb a");
    Put(local / "gallery/images/a.html", "page a");
    Put(local / "gallery/extra/about.html", "about");
    Connect();
    TGalleryUpload upload;
    upload.SubDir = "gal";
    upload.HTMLDir = local / "gallery";
    upload.ImageDir = "images";
    upload.HTMLFile = "index.html";
    upload.Pages = {{"index.html", "", 1, 0}, {"a.html", "", 0, 1}, {"about.html", "extra", 0, 0}};
    upload.Images = {{"a.jpg", "a_t.jpg"}};
    upload.WWWAddress = "http://example.org/~anna";
    upload.RemotePath = queue->RemotePath;
    UploadGallery(*queue, &upload);
    ASSERT_TRUE(test::WaitFor([&] { return !queue->Working(); }, 20000)) << queue->StatusText;
    EXPECT_EQ(ReadFileBytes(home / "gal/index.html"), "thumbnails");
    EXPECT_EQ(ReadFileBytes(home / "gal/images/a.jpg"), std::string(40000, 'a'));
    EXPECT_EQ(ReadFileBytes(home / "gal/images/a_t.jpg"), "thumb a");
    EXPECT_EQ(ReadFileBytes(home / "gal/images/a.html"), "page a");
    EXPECT_EQ(ReadFileBytes(home / "gal/extra/about.html"), "about");
    EXPECT_EQ(shell.Opened, (TStringList{"http://example.org/~anna/gal/index.html"}));
    EXPECT_EQ(queue->RemotePath, "/gal");
    EXPECT_TRUE(queue->RemoteShown) << "the final listing is shown after the browser job";
    EXPECT_EQ(Names(queue->RemoteList), "..,extra,images,index.html");
    EXPECT_TRUE(backgroundErrors.empty());
}

TEST_P(TFtpJobQueueTest, ASubdirectoryListsItsParentSoThatTheUserCanGoBack) {
    Put(home / "pics/a.jpg", "a");
    Connect();
    EXPECT_EQ(Names(queue->RemoteList), "pics") << "the top has no parent to offer";
    Run({"WebChDir;pics", "List;"});
    EXPECT_EQ(queue->RemotePath, "/pics");
    EXPECT_EQ(Names(queue->RemoteList), "..,a.jpg");
    EXPECT_TRUE(queue->RemoteList.Get(0)->IsDir);
    Run({"WebChDir;..", "List;"});
    EXPECT_EQ(queue->RemotePath, "/");
    EXPECT_EQ(Names(queue->RemoteList), "pics");
}

TEST_P(TFtpJobQueueTest, UploadingALocalFolderSendsItsWholeTree) {
    Put(local / "tree/top.txt", "top");
    Put(local / "tree/sub/deep.txt", "deep");
    Connect();
    Run({"Up;tree", "List;"});
    EXPECT_EQ(ReadFileBytes(home / "tree/top.txt"), "top");
    EXPECT_EQ(ReadFileBytes(home / "tree/sub/deep.txt"), "deep");
    EXPECT_EQ(queue->RemotePath, "/");
    EXPECT_EQ(queue->LocalDir, local.Path());
    EXPECT_EQ(Names(queue->RemoteList), "tree");
}

TEST_P(TFtpJobQueueTest, DownloadsFilesAndTrees) {
    Put(home / "pics/a.jpg", "picture a");
    Put(home / "pics/sub/b.jpg", "picture b");
    Put(home / "c.jpg", "new c");
    Put(local / "c.jpg", "old c");
    Connect();
    Run({"Down;pics;TRUE", "Down;c.jpg;FALSE", "List;"});
    EXPECT_EQ(ReadFileBytes(local / "pics/a.jpg"), "picture a");
    EXPECT_EQ(ReadFileBytes(local / "pics/sub/b.jpg"), "picture b");
    EXPECT_EQ(ReadFileBytes(local / "c.jpg"), "new c");
    EXPECT_EQ(queue->RemotePath, "/");
    EXPECT_EQ(queue->LocalDir, local.Path());
    EXPECT_EQ(queue->ExpectedSize, 5) << "the size of the listed entry";
}

TEST_P(TFtpJobQueueTest, DeletesADirectoryTreeOnlyAfterYes) {
    Put(home / "pics/a.jpg", "a");
    Put(home / "pics/sub/b.jpg", "b");
    Put(home / "keep.jpg", "k");
    Connect();
    ask.Answer = false;
    Run({"Del;pics;TRUE", "List;"});
    EXPECT_TRUE(FileExists(home / "pics/sub/b.jpg"));
    ASSERT_EQ(ask.Asked.size(), 1u);
    EXPECT_EQ(ask.Asked[0], "Delete directory pics / including all of its files?");

    ask.Answer = true;
    Run({"Del;pics;TRUE", "List;"});
    EXPECT_FALSE(DirectoryExists(home / "pics"));
    EXPECT_TRUE(FileExists(home / "keep.jpg"));
    EXPECT_EQ(queue->RemotePath, "/");
    EXPECT_EQ(Names(queue->RemoteList), "keep.jpg");
}

TEST_P(TFtpJobQueueTest, RefusedCommandsDoNotStopTheQueue) {
    Connect();
    Run({"Del;missing.jpg;FALSE", "DelDir;nothing;TRUE", "Create;made", "List;"});
    EXPECT_TRUE(DirectoryExists(home / "made"));
    EXPECT_EQ(Names(queue->RemoteList), "made");
    EXPECT_TRUE(backgroundErrors.empty());
}

TEST_P(TFtpJobQueueTest, ADirectoryTheServerWillNotCreateStopsTheSequence) {
    Put(local / "a.jpg", "a");
    Connect("limited", "secret");
    Run({"WebChDir;new", "Up;a.jpg", "List;"});
    EXPECT_EQ(queue->StatusText, "Status Cannot change to the remote directory /new.");
    EXPECT_FALSE(FileExists(home / "a.jpg")) << "the upload must not land in the wrong folder";
    EXPECT_EQ(queue->RemotePath, "/");
    EXPECT_TRUE(client.Connected());
}

TEST_P(TFtpJobQueueTest, AMissingLocalFileEndsTheSession) {
    Connect();
    Run({"Up;missing.jpg", "List;"});
    ASSERT_EQ(backgroundErrors.size(), 1u);
    EXPECT_EQ(backgroundErrors[0], "Cannot open the file " + (local / "missing.jpg") + ".");
    EXPECT_TRUE(queue->Jobs.empty());
    EXPECT_TRUE(test::WaitFor([&] { return !client.Connected(); }));
    EXPECT_TRUE(test::WaitFor([&] { return queue->StatusText == "Status Disconnected."; }));
}

TEST_P(TFtpJobQueueTest, AbortEmptiesTheQueueAndCloses) {
    Put(local / "big.bin", std::string(20'000'000, 'x'));
    Connect();
    queue->Jobs = {"Up;big.bin", "Up;big.bin", "List;"};
    queue->RunNextJob();
    progress.Abort();
    ASSERT_TRUE(test::WaitFor([&] { return !queue->Working() && !client.Connected(); }));
    EXPECT_TRUE(queue->Jobs.empty());
    EXPECT_TRUE(test::WaitFor([&] { return queue->StatusText == "Status Disconnected."; }));
}

INSTANTIATE_TEST_SUITE_P(Modes, TFtpJobQueueTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Passive" : "Active"; });

}  // namespace
}  // namespace fsc
