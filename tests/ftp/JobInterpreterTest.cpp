#include <gtest/gtest.h>

#include "base/Errors.h"
#include "base/Files.h"
#include "base/IProgress.h"
#include "base/Paths.h"
#include "ftp/FtpActions.h"
#include "ftp/GalleryUpload.h"
#include "ftp/TFtpJobQueue.h"
#include "support/TempDir.h"
#include "tests/ftp/FtpTestSupport.h"

namespace fsc {
namespace {

struct TStarted {
    TFtpRequest Request;
    std::string HostDirName, HostFileName, LocalFileName;
};

// A session that only records what the queue asks of it; the test completes each request.
class TScriptedSession : public IFtpSession {
public:
    IFtpSessionEvents* Events = nullptr;
    std::vector<TStarted> Started;
    bool IsConnected = true;
    std::string Dir;

    void SetEvents(IFtpSessionEvents* events) override { Events = events; }
    // The job queue never waits on a timer.
    void After(int, std::function<void()>) override {}
    void Start(TFtpRequest request) override {
        Started.push_back({request, HostDirName, HostFileName, LocalFileName});
    }
    bool Connected() const override { return IsConnected; }
    std::string DirResult() const override { return Dir; }
    int LastReplyCode() const override { return 0; }
    std::string ErrorText() const override { return "scripted failure"; }
    std::string ServerCertificate() const override { return {}; }

    const TStarted& Last() const { return Started.back(); }
    void Complete(int error = FtpOk) { Events->RequestDone(Started.back().Request, error); }
};

class TRecordingProgress : public IProgress {
public:
    std::vector<std::string> Texts;
    int Position = 0, Maximum = 0;
    bool Visible = false;
    void Update(int, int position, const std::string& text, int maximum) override {
        if (Texts.empty() || Texts.back() != text) Texts.push_back(text);
        Position = position;
        Maximum = maximum;
        Visible = true;
    }
    void Hide() override { Visible = false; }

protected:
    void ShowText(const std::string&) override {}
};

class JobInterpreter : public ::testing::Test {
protected:
    void SetUp() override {
        ForceDirectories(local / "tree");
        WriteFileBytes(local / "tree/a.jpg", "aa");
        WriteFileBytes(local / "tree/b.jpg", "bbb");
        WriteFileBytes(local / "f.jpg", "ffff");
        queue.OnBackgroundError = [this](const std::string& message) { errors.push_back(message); };
        queue.ChangeLocalDir(local.Path());
        queue.RemotePath = "/";
    }

    void Run(TStringList jobs) {
        queue.Jobs = std::move(jobs);
        queue.RunNextJob();
    }
    // Completes a LIST with the given remote entries.
    void CompleteList(const TStringList& lines) {
        ASSERT_EQ(int(session.Last().Request), int(TFtpRequest::List));
        SaveLines(session.Last().LocalFileName, lines);
        session.Complete();
    }
    static std::string Dir(const std::string& name) {
        return "drwxr-xr-x 2 u g 0 Jan 5 2001 " + name;
    }
    static std::string File(const std::string& name) {
        return "-rw-r--r-- 1 u g 7 Jan 5 2001 " + name;
    }

    test::TempDir local, state;
    TScriptedSession session;
    test::TScriptedAsk ask;
    test::TRecordingShell shell;
    test::TRecordingMessages messages;
    TRecordingProgress progress;
    TFtpJobQueue queue{session, ask, shell, messages, progress, state / "ftp.tmp"};
    std::vector<std::string> errors;
};

TEST_F(JobInterpreter, UpOfAFolderCreatesItEntersItAndUploadsEveryFile) {
    Run({"Up;tree", "List;"});
    // The remote folder is missing: create it, list, and try the same job again.
    ASSERT_EQ(int(session.Last().Request), int(TFtpRequest::MakeDir));
    EXPECT_EQ(session.Last().HostFileName, "tree");
    EXPECT_EQ(queue.Jobs, (TStringList{"List;", "ChDir;tree", "UpSelectAll", "ChDir;..", "List;"}));
    session.Complete();
    CompleteList({Dir("tree")});
    ASSERT_EQ(int(session.Last().Request), int(TFtpRequest::ChangeDir));
    EXPECT_EQ(session.Last().HostDirName, "/tree");
    EXPECT_EQ(queue.LocalDir, local / "tree");
    EXPECT_EQ(queue.Jobs, (TStringList{"PWD", "UpSelectAll", "ChDir;..", "List;"}));
    session.Complete();
    EXPECT_EQ(queue.RemotePath, "/tree");
    CompleteList({});
    EXPECT_FALSE(queue.RemoteShown) << "a listing inside a sequence is not shown";
    ASSERT_EQ(int(session.Last().Request), int(TFtpRequest::PrintDir));
    session.Dir = "/tree";
    session.Complete();
    // UpSelectAll queues the files in reverse list order.
    ASSERT_EQ(int(session.Last().Request), int(TFtpRequest::Put));
    EXPECT_EQ(session.Last().HostFileName, "b.jpg");
    EXPECT_EQ(session.Last().LocalFileName, local / "tree/b.jpg");
    EXPECT_EQ(session.Last().HostDirName, "/tree");
    EXPECT_EQ(queue.ExpectedSize, 3);
    EXPECT_EQ(progress.Texts.back(), "Upload b.jpg");
    EXPECT_EQ(queue.Jobs, (TStringList{"Up;a.jpg", "ChDir;..", "List;"}));
    session.Complete();
    EXPECT_EQ(session.Last().HostFileName, "a.jpg");
    session.Complete();
    // ".." needs no listing entry.
    ASSERT_EQ(int(session.Last().Request), int(TFtpRequest::ChangeDir));
    EXPECT_EQ(session.Last().HostDirName, "/tree/..");
    EXPECT_EQ(queue.LocalDir, local.Path());
    session.Complete();
    CompleteList({});
    session.Dir = "/";
    session.Complete();  // PWD
    CompleteList({Dir("tree")});
    EXPECT_TRUE(queue.Jobs.empty());
    EXPECT_FALSE(queue.Busy);
    EXPECT_TRUE(queue.RemoteShown);
    EXPECT_EQ(queue.RemotePath, "/");
    EXPECT_EQ(queue.StatusBarText, "0 actions left to do.");
    EXPECT_FALSE(progress.Visible);
}

TEST_F(JobInterpreter, ADirectoryIsCreatedAtMostOncePerJob) {
    Run({"WebChDir;x", "Up;f.jpg"});
    ASSERT_EQ(int(session.Last().Request), int(TFtpRequest::MakeDir));
    session.Complete(550);
    CompleteList({File("other")});
    // Still not listed: the change is tried without a second creation.
    ASSERT_EQ(int(session.Last().Request), int(TFtpRequest::ChangeDir));
    EXPECT_EQ(session.Last().HostDirName, "/x");
    session.Complete(550);
    EXPECT_EQ(queue.StatusText, "Status Cannot change to the remote directory /x.");
    EXPECT_TRUE(queue.Jobs.empty()) << "the upload would land in the wrong folder";
    ASSERT_EQ(int(session.Last().Request), int(TFtpRequest::List));
    EXPECT_EQ(session.Last().HostDirName, "/");
    EXPECT_EQ(session.Started.size(), 4u);
}

TEST_F(JobInterpreter, ARefusedLocalChDirReturnsToTheFormerLocalFolder) {
    queue.RemoteList.Add({"pics", true, false, 0, 0});
    Run({"ChDir;pics"});
    EXPECT_EQ(queue.LocalDir, local / "pics") << "the local folder is created and entered";
    session.Complete(550);
    EXPECT_EQ(queue.LocalDir, local.Path());
}

TEST_F(JobInterpreter, DeletingADirectoryQueuesItsTreeAfterYes) {
    queue.RemoteList.Add({"pics", true, false, 0, 0});
    ask.Answer = false;
    Run({"Del;pics;TRUE", "List;"});
    ASSERT_EQ(int(session.Last().Request), int(TFtpRequest::List));
    EXPECT_TRUE(queue.Jobs.empty());

    ask.Answer = true;
    CompleteList({Dir("pics")});
    Run({"Del;pics;TRUE", "List;"});
    ASSERT_EQ(int(session.Last().Request), int(TFtpRequest::ChangeDir));
    EXPECT_EQ(session.Last().HostDirName, "/pics");
    EXPECT_EQ(queue.Jobs, (TStringList{"PWD", "List;", "DelSelectAll", "WebChDir;..", "List;",
                                       "DelDir;pics;TRUE", "List;"}));
    EXPECT_EQ(queue.LocalDir, local.Path()) << "WebChDir leaves the local side alone";
    EXPECT_EQ(ask.Asked.back(), "Delete directory pics / including all of its files?");
}

TEST_F(JobInterpreter, SelectAllJobsQueueEveryEntryButDotAndDotDot) {
    for (const char* name : {".", "..", "a.jpg", "b.jpg"})
        queue.RemoteList.Add({name, name[0] == '.', false, 7, 0});
    Run({"DelSelectAll"});
    EXPECT_EQ(session.Last().HostFileName, "b.jpg");
    EXPECT_EQ(int(session.Last().Request), int(TFtpRequest::Delete));
    EXPECT_EQ(queue.Jobs, (TStringList{"Del;a.jpg;FALSE"}));

    session.Started.clear();
    Run({"DownSelectAll"});
    EXPECT_EQ(int(session.Last().Request), int(TFtpRequest::Get));
    EXPECT_EQ(session.Last().HostFileName, "b.jpg");
    EXPECT_EQ(session.Last().LocalFileName, local / "b.jpg");
    EXPECT_EQ(queue.ExpectedSize, 7);
    EXPECT_EQ(progress.Texts.back(), "Download b.jpg");
    EXPECT_EQ(queue.Jobs, (TStringList{"Down;a.jpg;FALSE"}));
}

TEST_F(JobInterpreter, JobsWithoutARequestRunOnAtOnce) {
    Run({"LocalCreate;made", "Browser;http://example.org/gal/index.html", "DelDir;x;FALSE",
         "Frobnicate;x"});
    EXPECT_TRUE(DirectoryExists(local / "made"));
    EXPECT_EQ(shell.Opened, (TStringList{"http://example.org/gal/index.html"}));
    // An unknown job name acts as "List".
    ASSERT_EQ(session.Started.size(), 1u);
    EXPECT_EQ(int(session.Last().Request), int(TFtpRequest::List));
    EXPECT_EQ(session.Last().LocalFileName, state / "ftp.tmp");
    EXPECT_EQ(session.Last().HostFileName, "");
    EXPECT_TRUE(queue.LocalList.Find("made") != nullptr) << "List re-reads the local folder";
}

TEST_F(JobInterpreter, ProgressShowsBytesAgainstTheExpectedSize) {
    Run({"Up;f.jpg", "List;", "List;"});
    queue.Progress(3);
    EXPECT_EQ(progress.Position, 3);
    EXPECT_EQ(progress.Maximum, 4);
    EXPECT_EQ(progress.Texts.back(), "Upload f.jpg");
    EXPECT_EQ(queue.StatusBarText,
              "2 actions left to do. Bytes transfered in current operation: 3");
    session.Complete();
    EXPECT_EQ(queue.StatusBarText, "2 actions left to do.");
}

TEST_F(JobInterpreter, ALocalFileErrorEndsTheSession) {
    Run({"Down;a.jpg;FALSE", "List;"});
    session.Complete(FtpErrorLocalFile);
    EXPECT_EQ(errors, (TStringList{"scripted failure"}));
    EXPECT_TRUE(queue.Jobs.empty());
    EXPECT_EQ(int(session.Last().Request), int(TFtpRequest::Quit));
}

TEST_F(JobInterpreter, ConnectListsTheRootAndClosingClearsEverything) {
    session.IsConnected = false;
    queue.Connect("h:2121", "anna", "secret", true);
    EXPECT_TRUE(session.Passive);
    EXPECT_EQ(session.UserName, "anna");
    EXPECT_EQ(progress.Texts.back(), "Connecting.");
    session.IsConnected = true;
    session.Events->SessionConnected();
    EXPECT_EQ(queue.StatusText, "Status Connected.");
    EXPECT_EQ(progress.Texts.back(), "Getting directory.");
    session.Complete();
    EXPECT_TRUE(session.PassWord.empty());
    // The server names the login folder; everything starts from there.
    ASSERT_EQ(int(session.Last().Request), int(TFtpRequest::PrintDir));
    session.Dir = "/home/anna";
    session.Complete();
    ASSERT_EQ(int(session.Last().Request), int(TFtpRequest::List));
    EXPECT_EQ(session.Last().HostDirName, "/home/anna");
    EXPECT_EQ(queue.PathFromLogin(), "/");
    CompleteList({File("a.jpg")});
    EXPECT_TRUE(queue.RemoteShown);

    queue.Jobs = {"Up;f.jpg"};
    session.IsConnected = false;
    session.Events->SessionClosed();
    EXPECT_EQ(queue.StatusText, "Status Disconnected.");
    EXPECT_TRUE(queue.Jobs.empty());
    EXPECT_EQ(queue.RemoteList.Count(), 0);
    EXPECT_EQ(queue.RemotePath, "");
    EXPECT_FALSE(queue.Working());
}

TEST_F(JobInterpreter, JobsWithoutAConnectionEndAtOnce) {
    session.IsConnected = false;
    Run({"Up;f.jpg", "List;"});
    session.Complete(FtpErrorNotConnected);
    EXPECT_FALSE(queue.Working()) << "the window must not stay busy";
    EXPECT_TRUE(queue.Jobs.empty());
    EXPECT_EQ(queue.StatusText, "Status Disconnected. scripted failure");
}

TEST_F(JobInterpreter, ConnectingAgainQuitsTheOldSessionFirst) {
    queue.Connect("h", "anna", "secret", false);
    ASSERT_EQ(int(session.Last().Request), int(TFtpRequest::Quit));
    session.Complete();
    session.IsConnected = false;
    session.Events->SessionClosed();
    EXPECT_EQ(int(session.Last().Request), int(TFtpRequest::Connect));
    EXPECT_EQ(session.PassWord, "secret");
}

TEST_F(JobInterpreter, UploadNeedsAConnectionAndABuiltGallery) {
    TGalleryUpload upload;
    upload.HTMLDir = local / "tree";
    upload.Images = {{"a.jpg", "a.jpg"}};
    session.IsConnected = false;
    try {
        UploadGallery(queue, &upload);
        ADD_FAILURE() << "uploaded without a connection";
    } catch (const EUserInputError& e) {
        EXPECT_STREQ(e.what(), "Not connected. Please connect to your homepage.");
    }
    session.IsConnected = true;
    try {
        UploadGallery(queue, nullptr);
        ADD_FAILURE() << "uploaded without a gallery";
    } catch (const EUserInputError& e) {
        EXPECT_STREQ(e.what(), "No Gallery computed!");
    }
    EXPECT_TRUE(session.Started.empty());

    UploadGallery(queue, &upload);
    EXPECT_EQ(queue.LocalDir, local / "tree");
    EXPECT_EQ(int(session.Last().Request), int(TFtpRequest::List));
    EXPECT_EQ(queue.Jobs, (TStringList{"Up;a.jpg", "Up;a.jpg", "List;"}));
    // While the queue works, a second press does nothing.
    UploadGallery(queue, &upload);
    EXPECT_EQ(queue.Jobs.size(), 3u);
}

TEST_F(JobInterpreter, WindowCommandsBecomeJobs) {
    // The local pane: ".", "..", "tree", then the file f.jpg.
    ASSERT_EQ(queue.LocalList.Get(3)->Name, "f.jpg");
    UploadSelected(queue, {3, 99});
    EXPECT_EQ(int(session.Last().Request), int(TFtpRequest::Put));
    EXPECT_EQ(queue.Jobs, (TStringList{"List;"}));
    UploadSelected(queue, {3});
    EXPECT_EQ(session.Started.size(), 1u) << "ignored while the queue works";
    session.Complete();
    CompleteList({Dir("pics"), File("a.jpg")});

    ask.Answer = false;
    DeleteSelected(queue, {0, 1});
    EXPECT_EQ(ask.Asked.back(), "Are you sure you want to / delete all the selected files?");
    EXPECT_EQ(session.Started.size(), 2u);
    ask.Answer = true;
    DeleteSelected(queue, {1});
    EXPECT_EQ(int(session.Last().Request), int(TFtpRequest::Delete));
    EXPECT_EQ(session.Last().HostFileName, "a.jpg");
    session.Complete();
    CompleteList({Dir("pics")});

    CreateRemoteDir(queue, "   ");
    EXPECT_EQ(session.Started.size(), 4u);
    CreateRemoteDir(queue, " new");
    EXPECT_EQ(session.Last().HostFileName, " new") << "used as typed";
    session.Complete();
    CompleteList({Dir("pics")});

    OpenRemoteRow(queue, 5);
    EXPECT_EQ(session.Started.size(), 6u) << "below the last row nothing happens";
    OpenRemoteRow(queue, 0);
    EXPECT_EQ(int(session.Last().Request), int(TFtpRequest::ChangeDir));
    EXPECT_EQ(session.Last().HostDirName, "/pics");
    EXPECT_EQ(progress.Texts.back(), "Changing Dir.");
}

TEST_F(JobInterpreter, LocalCommandsAndSorting) {
    OpenLocalRow(queue, 3);
    EXPECT_EQ(queue.LocalDir, local.Path()) << "a file row does nothing";
    OpenLocalRow(queue, 2);
    EXPECT_EQ(queue.LocalDir, local / "tree");
    OpenLocalRow(queue, 1);
    EXPECT_EQ(queue.LocalDir, local.Path()) << "\"..\" goes up";
    CreateLocalDir(queue, "made");
    EXPECT_TRUE(DirectoryExists(local / "made"));
    EXPECT_NE(queue.LocalList.Find("made"), nullptr);

    SortLocal(queue, TFileSortKey::Name, false);
    EXPECT_EQ(queue.LocalList.Get(0)->Name, "tree");
    EXPECT_EQ(queue.LocalList.Get(1)->Name, "made");

    for (const char* name : {"b.jpg", "a.html", "a.jpg"})
        queue.RemoteList.Add({name, false, false, 1, 0});
    queue.RemoteList.Add({"pics", true, false, 0, 0});
    SortRemote(queue, TFileSortKey::Type, true);
    EXPECT_TRUE(queue.RemoteShown);
    std::string names;
    for (const TFile& f : queue.RemoteList.Entries()) names += f.Name + " ";
    EXPECT_EQ(names, "pics a.html a.jpg b.jpg ");
}

TEST_F(JobInterpreter, AProfileGivesHostLoginAddressAndMode) {
    TConnList profiles;
    profiles.Add({"Home", "h:2121", "anna", "http://example.org", true});
    session.IsConnected = false;
    ConnectWithProfile(queue, profiles.Profile(1), "secret");
    EXPECT_EQ(int(session.Last().Request), int(TFtpRequest::Connect));
    EXPECT_EQ(session.HostName, "h:2121");
    EXPECT_EQ(session.UserName, "anna");
    EXPECT_TRUE(session.Passive);
    EXPECT_EQ(queue.WWWAddress, "http://example.org");
}

}  // namespace
}  // namespace fsc
