// The FTP window against a real FTP server on 127.0.0.1: logging in through the connection
// editor and the password dialog, the panes, transfers both ways, remote and local
// directories, the gallery upload, and the failures a user meets.
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <filesystem>

#include "WorkflowFixture.h"
#include "base/AppFolders.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "ftp/TFtpJobQueue.h"
#include "tests/ftp/FtpTestSupport.h"
#include "tests/ftp/SshdServer.h"
#include "ui/TFTPForm.h"

namespace fsc {
namespace {

using test::Find;
using test::Windows;

constexpr const char* HomepageAddress = "http://www.example.com/";

class FtpWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureApplication();
        w = std::make_unique<Windows>();
        local = w->root / "local";
        ForceDirectories(local);
        server = std::make_unique<test::FtpServerProcess>(
            test::TestScript("pyftpd_server.py"),
            QStringList{QString::fromStdString(home.Path()), "anna", "secret"});
        ASSERT_EQ(server->Error(), "");
    }

    void Open() {
        form = std::make_unique<TFTPForm>(w->ws, w->ask, w->shell, w->messages);
        form->SetLocalDirectory(local);
        form->show();
    }

    // Answers the password dialog that the next connection opens.
    static void TypePassword(const std::string& password) {
        test::AnswerNextModal([password](QWidget* dialog) {
            EXPECT_EQ(dialog->windowTitle(), "Password");
            Find<QLineEdit>(dialog, "PasswordEdit")->setText(QString::fromStdString(password));
            Find<QPushButton>(dialog, "OKButton")->click();
        });
    }

    // Answers the password dialog, then registers the answer to the modal window after it.
    static void TypePasswordThen(const std::string& password, std::function<void()> next) {
        test::AnswerNextModal([password, next](QWidget* dialog) {
            EXPECT_EQ(dialog->windowTitle(), "Password");
            Find<QLineEdit>(dialog, "PasswordEdit")->setText(QString::fromStdString(password));
            next();
            Find<QPushButton>(dialog, "OKButton")->click();
        });
    }

    // "New Connection": the profile typed into the connection editor, then the password.
    void NewConnection(const std::string& password) {
        test::AnswerNextModal([this, password](QWidget* editor) {
            EXPECT_EQ(editor->windowTitle(), "Connection Editor");
            EXPECT_EQ(Find<QLineEdit>(editor, "ConnName")->text(), "A New Connection");
            EXPECT_EQ(Find<QComboBox>(editor, "ProtocolComboBox")->currentIndex(), 1)
                << "new profiles are encrypted FTP";
            Find<QLineEdit>(editor, "ConnName")->setText("Homepage");
            Find<QLineEdit>(editor, "Host")->setText(QString::fromStdString(server->Host()));
            Find<QLineEdit>(editor, "UserID")->setText("anna");
            Find<QLineEdit>(editor, "URLEdit")->setText(HomepageAddress);
            // The server of these tests is a plain one.
            Find<QComboBox>(editor, "ProtocolComboBox")->setCurrentIndex(2);
            TypePassword(password);
            Find<QPushButton>(editor, "OKButton")->click();
        });
        Find<QAction>(form.get(), "NewConnection1")->trigger();
        WaitIdle();
    }

    void WaitIdle() {
        ASSERT_TRUE(test::WaitFor([&] { return !form->Queue().Working(); }, 20000))
            << Text("StatusEdit");
    }

    std::string Text(const char* editName) {
        return Find<QLineEdit>(form.get(), editName)->text().toStdString();
    }

    QTableWidget* Grid(const char* name) { return Find<QTableWidget>(form.get(), name); }

    // The name column of a grid, top to bottom.
    static std::vector<std::string> Names(QTableWidget* grid) {
        std::vector<std::string> names;
        for (int row = 0; row < grid->rowCount(); ++row)
            names.push_back(grid->item(row, 3)->text().toStdString());
        return names;
    }

    static int RowOf(QTableWidget* grid, const std::string& name) {
        for (int row = 0; row < grid->rowCount(); ++row)
            if (grid->item(row, 3)->text().toStdString() == name) return row;
        ADD_FAILURE() << "no row " << name;
        return -1;
    }

    static void SelectOnly(QTableWidget* grid, const std::string& name) {
        grid->clearSelection();
        grid->selectRow(RowOf(grid, name));
    }

    static void DoubleClick(QTableWidget* grid, const std::string& name) {
        // The first column is always inside the viewport; the wide name column may not be.
        const QRect cell = grid->visualItemRect(grid->item(RowOf(grid, name), 0));
        // A real double click: the first click, then the second press that Qt reports as
        // the double click.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }

    void Put(const std::string& path, const std::string& bytes) {
        ForceDirectories(ExtractFileDir(path));
        WriteFileBytes(path, bytes);
    }

    std::unique_ptr<Windows> w;
    test::TempDir home;
    std::string local;
    std::unique_ptr<test::FtpServerProcess> server;
    std::unique_ptr<TFTPForm> form;
};

TEST_F(FtpWindowTest, LogsInThroughTheEditorAndListsTheServerWithoutStoringThePassword) {
    Put(home / "a.jpg", "picture");
    ForceDirectories(home / "pics");
    Open();
    EXPECT_EQ(form->windowTitle(), "Orvik Folioscope FTP");
    EXPECT_EQ(Text("StatusEdit"), "Status:");
    EXPECT_EQ(Text("ConnectedHostEdit"), "Host:");
    NewConnection("secret");

    EXPECT_EQ(Text("StatusEdit"), "Status Connected.");
    EXPECT_EQ(Text("ConnectedHostEdit"), "Host: " + server->Host());
    EXPECT_EQ(Text("WebDirEdit"), "/");
    QTableWidget* web = Grid("WebStringGrid");
    EXPECT_EQ(Names(web), (std::vector<std::string>{"pics", "a.jpg"}));
    EXPECT_EQ(web->item(0, 0)->text(), "Folder");
    EXPECT_EQ(web->item(1, 0)->text(), "File");
    EXPECT_EQ(web->item(1, 1)->text(), "7");
    EXPECT_EQ(Text("LocalDirEdit"), local);

    const std::string profileFile = ReadFileBytes(ConnListFilePath());
    EXPECT_NE(profileFile.find("Homepage;" + server->Host() + ";anna;" + HomepageAddress),
              std::string::npos);
    EXPECT_EQ(profileFile.find("secret"), std::string::npos);
    QMenu* profiles = Find<QMenu>(form.get(), "ConnectProfilesMenu");
    ASSERT_EQ(profiles->actions().size(), 1);
    EXPECT_EQ(profiles->actions()[0]->text(), "Homepage");

    // Closing ends the session; the saved profile connects again after reopening.
    form->close();
    EXPECT_TRUE(test::WaitFor([&] { return Text("StatusEdit") == "Status Disconnected."; }));
    form->show();
    TypePassword("secret");
    profiles->actions()[0]->trigger();
    WaitIdle();
    EXPECT_EQ(Text("StatusEdit"), "Status Connected.");
    EXPECT_EQ(Names(web), (std::vector<std::string>{"pics", "a.jpg"}));
}

// A new profile is encrypted. The server's self-signed certificate is shown with its
// fingerprint; trusted, it is stored with the profile and the login goes on. A server that
// shows another certificate later is refused, naming both.
TEST_F(FtpWindowTest, TrustsAnUnknownCertificateForTheProfileAndRefusesAChangedOne) {
    const std::string fingerprint = test::MakeCertificate(w->root / "server.pem");
    const auto startServer = [this](const std::string& pem) {
        server = std::make_unique<test::FtpServerProcess>(
            test::TestScript("pyftpd_server.py"),
            QStringList{"--tls=" + QString::fromStdString(pem), QString::fromStdString(home.Path()),
                        "anna", "secret"});
        ASSERT_EQ(server->Error(), "");
    };
    startServer(w->root / "server.pem");
    Put(home / "a.jpg", "picture");
    Open();
    std::string asked;
    test::AnswerNextModal([&](QWidget* editor) {
        EXPECT_EQ(Find<QComboBox>(editor, "ProtocolComboBox")->currentText(),
                  "FTPS (encrypted FTP)");
        Find<QLineEdit>(editor, "ConnName")->setText("Secure");
        Find<QLineEdit>(editor, "Host")->setText(QString::fromStdString(server->Host()));
        Find<QLineEdit>(editor, "UserID")->setText("anna");
        // The first login is refused; the question comes, and the password once more.
        TypePasswordThen("secret", [&asked] {
            test::AnswerNextModal([&asked](QWidget* question) {
                asked = Find<QLabel>(question, "StatementLabel")->text().toStdString() + " / " +
                        Find<QLabel>(question, "QuestionLabel")->text().toStdString();
                TypePassword("secret");
                Find<QPushButton>(question, "YesButton")->click();
            });
        });
        Find<QPushButton>(editor, "OKButton")->click();
    });
    Find<QAction>(form.get(), "NewConnection1")->trigger();
    // "Status Connected." comes with the network connection, before the login; the listing
    // comes only after it.
    ASSERT_TRUE(test::WaitFor([&] { return Grid("WebStringGrid")->rowCount() == 1; }, 20000))
        << Text("StatusEdit");
    EXPECT_NE(asked.find(fingerprint), std::string::npos) << asked;
    EXPECT_EQ(Names(Grid("WebStringGrid")), std::vector<std::string>{"a.jpg"});
    EXPECT_NE(ReadFileBytes(ConnListFilePath())
                  .find("Secure;" + server->Host() + ";anna;http://;;TLS;" + fingerprint),
              std::string::npos)
        << ReadFileBytes(ConnListFilePath());

    // The same profile, the server now with another certificate.
    form->close();
    const std::string oldHost = server->Host();
    const std::string changed = test::MakeCertificate(w->root / "other.pem");
    startServer(w->root / "other.pem");
    std::string profileFile = ReadFileBytes(ConnListFilePath());
    profileFile.replace(profileFile.find(oldHost), oldHost.size(), server->Host());
    WriteFileBytes(ConnListFilePath(), profileFile);
    Open();
    std::string message, title;
    TypePasswordThen("secret", [&] { test::ReadNextMessageBox(message, title); });
    Find<QMenu>(form.get(), "ConnectProfilesMenu")->actions()[0]->trigger();
    ASSERT_TRUE(test::WaitFor([&] { return !message.empty(); }, 20000)) << Text("StatusEdit");
    EXPECT_NE(message.find(fingerprint), std::string::npos) << message;
    EXPECT_NE(message.find(changed), std::string::npos) << message;
    EXPECT_NE(message.find("Trusted Certificate"), std::string::npos) << message;
    EXPECT_FALSE(form->Queue().Connected());
}

// An SFTP profile logs in with the user's key, without a password. The unknown host key is
// shown with its fingerprint and, trusted, written to known_hosts; the remote pane lists the
// server's folder and a file goes up.
TEST_F(FtpWindowTest, AnSftpProfileLogsInWithTheKeyAndTrustsTheHostKeyIntoKnownHosts) {
    const std::string userHome = w->root / "user";
    const std::string served = w->root / "served";
    test::TSshdServer sshd(w->root / "sshd", served, test::MakeKey(userHome + "/.ssh/id_ed25519"));
    Put(served + "/a.jpg", "picture");
    Put(local + "/b.jpg", "another picture");
    // The window's session finds the user's keys and known_hosts below HOME.
    const std::string savedHome = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
    struct TRestoreHome {
        std::string Home;
        ~TRestoreHome() { setenv("HOME", Home.c_str(), 1); }
    } restore{savedHome};
    Open();
    setenv("HOME", userHome.c_str(), 1);
    unsetenv("SSH_AUTH_SOCK");
    std::string asked;
    test::AnswerNextModal([&](QWidget* editor) {
        Find<QComboBox>(editor, "ProtocolComboBox")->setCurrentIndex(0);
        EXPECT_FALSE(Find<QCheckBox>(editor, "PassiveCheckBox")->isEnabled());
        Find<QLineEdit>(editor, "ConnName")->setText("Home server");
        Find<QLineEdit>(editor, "Host")->setText(QString::fromStdString(sshd.Host()));
        Find<QLineEdit>(editor, "UserID")->setText(QString::fromStdString(test::LoginName()));
        test::AnswerNextModal([&asked](QWidget* question) {
            asked = Find<QLabel>(question, "StatementLabel")->text().toStdString();
            Find<QPushButton>(question, "YesButton")->click();
        });
        Find<QPushButton>(editor, "OKButton")->click();
    });
    Find<QAction>(form.get(), "NewConnection1")->trigger();
    // The login folder is the user's own, with ".." above it.
    ASSERT_TRUE(test::WaitFor([&] { return Grid("WebStringGrid")->rowCount() == 2; }, 20000))
        << Text("StatusEdit");
    EXPECT_NE(asked.find(sshd.Fingerprint()), std::string::npos) << asked;
    EXPECT_EQ(Names(Grid("WebStringGrid")), (std::vector<std::string>{"..", "a.jpg"}));
    EXPECT_NE(ReadFileBytes(userHome + "/.ssh/known_hosts").find("ssh-ed25519"), std::string::npos);
    EXPECT_NE(ReadFileBytes(ConnListFilePath()).find("Home server;" + sshd.Host() + ";"),
              std::string::npos);
    EXPECT_NE(ReadFileBytes(ConnListFilePath()).find(";SFTP"), std::string::npos);

    SelectOnly(Grid("LocalStringGrid"), "b.jpg");
    Find<QPushButton>(form.get(), "UpButton")->click();
    WaitIdle();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "no message about the upload";
    EXPECT_EQ(ReadFileBytes(served + "/b.jpg"), "another picture");

    // Folders are made and removed with what they hold, as over FTP.
    test::AnswerNextModal([](QWidget* dialog) {
        Find<QLineEdit>(dialog, "DirectoryEdit")->setText("made");
        Find<QPushButton>(dialog, "OKButton")->click();
    });
    Find<QAction>(form.get(), "WebCreateDir1")->trigger();
    WaitIdle();
    ASSERT_TRUE(DirectoryExists(served + "/made"));
    Put(served + "/made/inner.txt", "inner");
    SelectOnly(Grid("WebStringGrid"), "made");
    test::AnswerNextModal([](QWidget* first) {
        test::ClickInNextModal("YesButton");
        Find<QPushButton>(first, "YesButton")->click();
    });
    Find<QAction>(form.get(), "WebDeleteSelected1")->trigger();
    WaitIdle();
    EXPECT_TRUE(test::WaitFor([&] { return !DirectoryExists(served + "/made"); }));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(FtpWindowTest, AWrongPasswordIsSaidInTheStatusAndTheWindowGoesOn) {
    Put(home / "a.jpg", "picture");
    Open();
    NewConnection("wrong");
    EXPECT_TRUE(test::WaitFor([&] { return !form->Queue().Connected(); }));
    EXPECT_TRUE(test::WaitFor([&] {
        return StartsWith(Text("StatusEdit"), "Status Disconnected. Connection failed: 530");
    })) << Text("StatusEdit");
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(Grid("WebStringGrid")->rowCount(), 0);

    TypePassword("secret");
    Find<QMenu>(form.get(), "ConnectProfilesMenu")->actions()[0]->trigger();
    WaitIdle();
    EXPECT_EQ(Text("StatusEdit"), "Status Connected.");
    EXPECT_EQ(Names(Grid("WebStringGrid")), std::vector<std::string>{"a.jpg"});
}

TEST_F(FtpWindowTest, UploadsTheBuiltGalleryIntoASubdirectoryByteForByte) {
    w->Picture("one.jpg");
    w->Picture("two.jpg");
    w->AddThroughDialog("\"one.jpg\" \"two.jpg\"");
    w->Type("HTMLDIREdit", w->site.c_str());
    w->Type("HTMLFileEdit", "index");
    Find<QAction>(&w->main, "CreateGallery1")->trigger();
    ASSERT_TRUE(FileExists(w->site + "/images/one_th.jpg"));
    // The field may change for the next gallery; the upload sends the one that was built.
    w->Type("HTMLDIREdit", (w->root / "elsewhere").c_str());

    local = w->site;
    Open();
    NewConnection("secret");
    Find<QLineEdit>(form.get(), "SubDirEdit")->setText("gal");
    Find<QPushButton>(form.get(), "UploadButton")->click();
    WaitIdle();

    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(w->site)) {
        if (!entry.is_regular_file()) continue;
        const std::string relative = std::filesystem::relative(entry.path(), w->site).string();
        SCOPED_TRACE(relative);
        ++files;
        ASSERT_TRUE(FileExists(home / ("gal/" + relative)));
        EXPECT_EQ(ReadFileBytes(home / ("gal/" + relative)), ReadFileBytes(entry.path().string()));
    }
    EXPECT_GE(files, 5);
    EXPECT_EQ(Text("WebDirEdit"), "/gal");
    EXPECT_EQ(Names(Grid("WebStringGrid")),
              (std::vector<std::string>{"..", "images", "index.html"}));
    EXPECT_EQ(w->shell.Opened.back(), std::string(HomepageAddress) + "gal/index.html");
    EXPECT_EQ(Find<QStatusBar>(form.get(), "StatusBar1")->currentMessage(),
              "0 actions left to do.");
}

// "Sync" beside "Upload": the window says how much will go before anything does, and the
// second sync of an unchanged gallery has nothing to send. What goes is the gallery as it
// was built, whatever the fields say now and whatever else lies in its folder.
TEST_F(FtpWindowTest, SyncSaysWhatItWillSendAndSendsOnlyWhatIsNotThereYet) {
    // As the program's start sets it: the builds' records are read from there.
    w->ws.HistoryFolder = HistoryFolder();
    w->Picture("one.jpg");
    w->Picture("two.jpg");
    w->AddThroughDialog("\"one.jpg\" \"two.jpg\"");
    w->Type("HTMLDIREdit", w->site.c_str());
    w->Type("HTMLFileEdit", "index");
    Find<QAction>(&w->main, "CreateGallery1")->trigger();
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(w->site))
        files += entry.is_regular_file();
    ASSERT_GE(files, 5u);
    w->Type("HTMLDIREdit", (w->root / "elsewhere").c_str());
    w->Type("HTMLFileEdit", "next");
    WriteFileBytes(w->site + "/notes.txt", "not part of the gallery");

    local = w->site;
    Open();
    NewConnection("secret");
    Find<QLineEdit>(form.get(), "SubDirEdit")->setText("gal");
    Find<QCheckBox>(form.get(), "SyncCheckBox")->setChecked(true);
    const auto syncAnswering = [this](bool yes) {
        auto statement = std::make_shared<std::string>();
        test::AnswerNextModal([statement, yes](QWidget* dialog) {
            *statement = Find<QLabel>(dialog, "StatementLabel")->text().toStdString();
            Find<QPushButton>(dialog, yes ? "YesButton" : "NoButton")->click();
        });
        Find<QPushButton>(form.get(), "UploadButton")->click();
        EXPECT_TRUE(test::WaitFor([&] { return !form->Queue().Working(); }, 20000));
        return *statement;
    };
    EXPECT_EQ(syncAnswering(true),
              "Sync: " + std::to_string(files) + " files to send, 0 to delete, 0 unchanged.");
    for (const auto& entry : std::filesystem::recursive_directory_iterator(w->site)) {
        if (!entry.is_regular_file() || entry.path().filename() == "notes.txt") continue;
        const std::string relative = std::filesystem::relative(entry.path(), w->site).string();
        EXPECT_EQ(ReadFileBytes(home / ("gal/" + relative)), ReadFileBytes(entry.path().string()))
            << relative;
    }
    EXPECT_TRUE(FileExists(home / "gal/.folioscope-manifest"));
    EXPECT_FALSE(FileExists(home / "gal/notes.txt"));
    EXPECT_EQ(Text("StatusEdit"), "Status Synced: " + std::to_string(files) + " sent, 0 deleted.");
    EXPECT_EQ(Text("WebDirEdit"), "/");
    EXPECT_EQ(Names(Grid("WebStringGrid")), std::vector<std::string>{"gal"});

    EXPECT_EQ(syncAnswering(false),
              "Sync: 0 files to send, 0 to delete, " + std::to_string(files) + " unchanged.");
    EXPECT_EQ(Text("StatusEdit"), "Status Sync cancelled.");
    EXPECT_TRUE(form->Queue().Connected());
}

TEST_F(FtpWindowTest, UploadNeedsAConnectionAndABuiltGallery) {
    Open();
    std::string text, title;
    test::ReadNextMessageBox(text, title);
    Find<QPushButton>(form.get(), "UploadButton")->click();
    EXPECT_EQ(text, "Not connected. Please connect to your homepage.");

    NewConnection("secret");
    test::ReadNextMessageBox(text, title);
    Find<QPushButton>(form.get(), "UploadButton")->click();
    EXPECT_EQ(text, "No Gallery computed!");
    EXPECT_TRUE(form->Queue().Connected());
    EXPECT_TRUE(std::filesystem::is_empty(home.Path()));
}

TEST_F(FtpWindowTest, TheArrowButtonsSendAndFetchTheSelectedRows) {
    Put(local + "/up.txt", std::string(50000, 'u'));
    Put(local + "/stay.txt", "stay");
    Put(home / "down.bin", std::string(30000, '\x7f'));
    Open();
    NewConnection("secret");

    SelectOnly(Grid("LocalStringGrid"), "up.txt");
    Find<QPushButton>(form.get(), "UpButton")->click();
    WaitIdle();
    EXPECT_EQ(ReadFileBytes(home / "up.txt"), std::string(50000, 'u'));
    EXPECT_FALSE(FileExists(home / "stay.txt"));

    SelectOnly(Grid("WebStringGrid"), "down.bin");
    Find<QPushButton>(form.get(), "DownButton")->click();
    WaitIdle();
    EXPECT_EQ(ReadFileBytes(local + "/down.bin"), std::string(30000, '\x7f'));
    EXPECT_EQ(Names(Grid("WebStringGrid")), (std::vector<std::string>{"down.bin", "up.txt"}));
    EXPECT_EQ(Find<QStatusBar>(form.get(), "StatusBar1")->currentMessage(),
              "0 actions left to do.");
}

TEST_F(FtpWindowTest, AbortInTheProgressWindowCutsATransferOffAndTheWindowStays) {
    Put(local + "/big.bin", std::string(30 << 20, 'b'));
    Open();
    NewConnection("secret");
    SelectOnly(Grid("LocalStringGrid"), "big.bin");
    Find<QPushButton>(form.get(), "UpButton")->click();
    // The transfer has only begun: its data moves once the event loop runs again.
    auto* progress = Find<QDialog>(form.get(), "Progress");
    ASSERT_TRUE(progress->isVisible());
    EXPECT_EQ(Find<QLabel>(progress, "ProgressText")->text(), "Upload big.bin");
    Find<QPushButton>(progress, "AbortButton")->click();
    EXPECT_FALSE(progress->isVisible());
    EXPECT_TRUE(test::WaitFor([&] { return !form->Queue().Connected(); }));
    WaitIdle();
    EXPECT_TRUE(StartsWith(Text("StatusEdit"), "Status Disconnected.")) << Text("StatusEdit");
    EXPECT_TRUE(form->isVisible());
    EXPECT_LT(FileExists(home / "big.bin") ? FileSize(home / "big.bin") : 0, 30u << 20);

    // The window goes on: the next login works.
    TypePassword("secret");
    Find<QMenu>(form.get(), "ConnectProfilesMenu")->actions()[0]->trigger();
    WaitIdle();
    EXPECT_EQ(Text("StatusEdit"), "Status Connected.");
}

TEST_F(FtpWindowTest, CreatesEntersAndDeletesRemoteDirectoriesAndCreatesLocalOnes) {
    Open();
    NewConnection("secret");
    test::AnswerNextModal([](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Create Directory");
        Find<QLineEdit>(dialog, "DirectoryEdit")->setText("made");
        Find<QPushButton>(dialog, "OKButton")->click();
    });
    Find<QAction>(form.get(), "WebCreateDir1")->trigger();
    WaitIdle();
    EXPECT_TRUE(DirectoryExists(home / "made"));
    QTableWidget* web = Grid("WebStringGrid");
    EXPECT_EQ(Names(web), std::vector<std::string>{"made"});

    // A double click enters a directory; one on a file does nothing.
    Put(home / "made/inner.txt", "inner");
    DoubleClick(web, "made");
    WaitIdle();
    EXPECT_EQ(Text("WebDirEdit"), "/made");
    QTest::qWait(1100);  // the grid stays disabled until the window's one-second timer
    DoubleClick(web, "inner.txt");
    EXPECT_FALSE(form->Queue().Working());
    EXPECT_EQ(Text("WebDirEdit"), "/made");

    // Back up through the parent's row, then the tree goes after two questions.
    EXPECT_EQ(Names(web), (std::vector<std::string>{"..", "inner.txt"}));
    DoubleClick(web, "..");
    WaitIdle();
    EXPECT_EQ(Text("WebDirEdit"), "/");
    SelectOnly(web, "made");
    std::vector<std::string> asked;
    test::AnswerNextModal([&asked](QWidget* first) {
        asked.push_back(Find<QLabel>(first, "StatementLabel")->text().toStdString() + " / " +
                        Find<QLabel>(first, "QuestionLabel")->text().toStdString());
        test::AnswerNextModal([&asked](QWidget* second) {
            asked.push_back(Find<QLabel>(second, "StatementLabel")->text().toStdString() + " / " +
                            Find<QLabel>(second, "QuestionLabel")->text().toStdString());
            Find<QPushButton>(second, "YesButton")->click();
        });
        Find<QPushButton>(first, "YesButton")->click();
    });
    Find<QAction>(form.get(), "WebDeleteSelected1")->trigger();
    WaitIdle();
    EXPECT_TRUE(test::WaitFor([&] { return asked.size() == 2; }));
    WaitIdle();
    EXPECT_EQ(asked,
              (std::vector<std::string>{"Are you sure you want to / delete all the selected files?",
                                        "Delete directory made / including all of its files?"}));
    EXPECT_FALSE(DirectoryExists(home / "made"));
    EXPECT_EQ(Text("WebDirEdit"), "/");
    EXPECT_EQ(web->rowCount(), 0);

    test::AnswerNextModal([](QWidget* dialog) {
        Find<QLineEdit>(dialog, "DirectoryEdit")->setText("new local");
        Find<QPushButton>(dialog, "OKButton")->click();
    });
    Find<QAction>(form.get(), "LocalCreateDir1")->trigger();
    EXPECT_TRUE(DirectoryExists(local + "/new local"));
    QTableWidget* localGrid = Grid("LocalStringGrid");
    EXPECT_GE(RowOf(localGrid, "new local"), 0);

    // The local pane enters it; a quick second double click is not taken as another one.
    DoubleClick(localGrid, "new local");
    EXPECT_EQ(Text("LocalDirEdit"), local + "/new local");
    DoubleClick(localGrid, "..");
    EXPECT_EQ(Text("LocalDirEdit"), local + "/new local");
    QTest::qWait(1100);
    DoubleClick(localGrid, "..");
    EXPECT_EQ(Text("LocalDirEdit"), local);
}

TEST_F(FtpWindowTest, AJobThatCannotReadItsFileClosesTheWindowAndSaysWhy) {
    Put(local + "/gone.txt", "soon gone");
    Open();
    NewConnection("secret");
    SelectOnly(Grid("LocalStringGrid"), "gone.txt");
    std::filesystem::remove(local + "/gone.txt");
    std::string text, title;
    test::ReadNextMessageBox(text, title);
    Find<QPushButton>(form.get(), "UpButton")->click();
    EXPECT_TRUE(test::WaitFor([&] { return !text.empty(); }));
    EXPECT_NE(text.find("gone.txt"), std::string::npos) << text;
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(test::WaitFor([&] { return !form->Queue().Connected(); }));
}

TEST_F(FtpWindowTest, TheProfileMenusListLinesTwoOnAndEditOrDeleteThem) {
    const std::string path = ConnListFilePath();
    ForceDirectories(ExtractFileDir(path));
    SaveLines(path, {"first;never.example;x;http://one/", "second;two.example;bob;http://two/",
                     "third;three.example;eve;http://three/"});
    Open();
    QMenu* connectMenu = Find<QMenu>(form.get(), "ConnectProfilesMenu");
    QMenu* editMenu = Find<QMenu>(form.get(), "EditConnectionsMenu");
    for (QMenu* menu : {connectMenu, editMenu}) {
        ASSERT_EQ(menu->actions().size(), 2);
        EXPECT_EQ(menu->actions()[0]->text(), "second");
        EXPECT_EQ(menu->actions()[1]->text(), "third");
    }

    // "OK" replaces the line in place; "Delete" removes it from the file at once.
    test::AnswerNextModal([](QWidget* editor) {
        EXPECT_EQ(Find<QLineEdit>(editor, "Host")->text(), "two.example");
        Find<QLineEdit>(editor, "UserID")->setText("robert");
        Find<QPushButton>(editor, "OKButton")->click();
    });
    editMenu->actions()[0]->trigger();
    test::ClickInNextModal("DeleteButton");
    editMenu->actions()[1]->trigger();
    EXPECT_EQ(LoadLines(path), (TStringList{"first;never.example;x;http://one/",
                                            "second;two.example;robert;http://two/"}));
    ASSERT_EQ(connectMenu->actions().size(), 1);
    EXPECT_EQ(connectMenu->actions()[0]->text(), "second");

    // A ";" cannot be stored: the editor says so and stays open with what was typed.
    std::string error;
    test::AnswerNextModal([&error](QWidget* editor) {
        Find<QLineEdit>(editor, "ConnName")->setText("a;b");
        std::string title;
        test::ReadNextMessageBox(error, title);
        Find<QPushButton>(editor, "OKButton")->click();
        EXPECT_TRUE(editor->isVisible());
        EXPECT_EQ(Find<QLineEdit>(editor, "ConnName")->text(), "a;b");
        Find<QPushButton>(editor, "CancelButton")->click();
    });
    editMenu->actions()[0]->trigger();
    EXPECT_NE(error.find("\";\""), std::string::npos) << error;
    EXPECT_EQ(LoadLines(path).size(), 2u);
}

TEST_F(FtpWindowTest, TheSortMenusReorderTheGrids) {
    Put(home / "b.jpg", "bb");
    Put(home / "a.html", "a");
    Put(home / "a.jpg", "aaa");
    ForceDirectories(home / "pics");
    Open();
    NewConnection("secret");
    QTableWidget* web = Grid("WebStringGrid");
    EXPECT_EQ(Names(web), (std::vector<std::string>{"pics", "a.html", "a.jpg", "b.jpg"}));
    Find<QAction>(form.get(), "WebBySize1")->trigger();
    Find<QAction>(form.get(), "WebDown1")->trigger();
    // The directory's listed size depends on the file system; the files are what is checked.
    std::vector<std::string> files = Names(web);
    std::erase(files, "pics");
    EXPECT_EQ(files, (std::vector<std::string>{"a.jpg", "b.jpg", "a.html"}));

    // The column headings sort too: by name upwards, then, clicked again, downwards.
    QHeaderView* header = web->horizontalHeader();
    EXPECT_EQ(web->horizontalHeaderItem(3)->text(), "Name");
    emit header->sectionClicked(3);
    EXPECT_EQ(Names(web), (std::vector<std::string>{"a.html", "a.jpg", "b.jpg", "pics"}));
    EXPECT_TRUE(Find<QAction>(form.get(), "WebByName1")->isChecked());
    EXPECT_TRUE(Find<QAction>(form.get(), "WebUp1")->isChecked());
    emit header->sectionClicked(3);
    EXPECT_EQ(Names(web), (std::vector<std::string>{"pics", "b.jpg", "a.jpg", "a.html"}));
    EXPECT_EQ(header->sortIndicatorSection(), 3);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);

    Put(local + "/z.txt", "z");
    Put(local + "/y.txt", "yy");
    Find<QAction>(form.get(), "LocalByName1")->trigger();
    Find<QAction>(form.get(), "LocalDown1")->trigger();
    EXPECT_EQ(Names(Grid("LocalStringGrid")),
              (std::vector<std::string>{"z.txt", "y.txt", "..", "."}));
}

}  // namespace
}  // namespace fsc
