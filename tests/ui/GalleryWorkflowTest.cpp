// A user's way through the main window on real files: add pictures through the real file
// dialog, edit and reorder them on the "Images" tab, build a gallery, undo it, abort one.
#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QTabWidget>
#include <QTimer>
#include <filesystem>
#include <map>

#include "WorkflowFixture.h"
#include "base/Paths.h"
#include "base/Version.h"

namespace fsc {
namespace {

using test::Find;
using test::Windows;

class GalleryWorkflowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureApplication();
        w = std::make_unique<Windows>();
    }
    // Six pictures added through the dialog, for a gallery written to `galleryFile`.
    void SixPicturesFor(const std::string& galleryFile) {
        std::string typed;
        for (int index = 0; index < 6; ++index) {
            const std::string name = "p" + std::to_string(index) + ".jpg";
            w->Picture(name, 400, 300);
            typed += "\"" + name + "\" ";
        }
        w->AddThroughDialog(QString::fromStdString(typed));
        w->ws.Main.HTMLDir = ExtractFileDir(galleryFile);
        w->ws.Main.HTMLFile = ExtractFileName(galleryFile);
    }
    // "Let's go": the text of the message box the build ends with.
    std::string BuildAndReadMessage() {
        std::string text, title;
        test::ReadNextMessageBox(text, title);
        Find<QAction>(&w->main, "CreateGallery1")->trigger();
        return text;
    }
    std::unique_ptr<Windows> w;
};

TEST_F(GalleryWorkflowTest, AddedPicturesAppearInTheReverseOfTheDialogsOrder) {
    w->Picture("a.jpg");
    w->Picture("b.jpg");
    w->Picture("My Photo [1].jpg");
    w->AddThroughDialog("\"a.jpg\" \"b.jpg\" \"My Photo [1].jpg\"");
    const std::vector<std::string> expected = {"My_Photo__1_.jpg", "b.jpg", "a.jpg"};
    EXPECT_EQ(w->ImageNames(), expected);
    EXPECT_EQ(w->ListedNames(), expected);
    EXPECT_EQ(w->main.Tabs()->currentIndex(), ImagesTab);
    EXPECT_EQ(Find<QListWidget>(&w->main, "ImagesListBox")->toolTip(), "3 Images");
}

TEST_F(GalleryWorkflowTest, CancellingTheDialogAddsNothing) {
    test::AnswerNextModal([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
    Find<QAction>(&w->main, "AddImages1")->trigger();
    EXPECT_TRUE(w->ws.Images.empty());
}

TEST_F(GalleryWorkflowTest, SelectingShowsTheImageAndTypedTextsAreStored) {
    const std::string path = w->Picture("x.jpg");
    w->AddThroughDialog("\"x.jpg\"");
    w->Select(0);
    EXPECT_EQ(Find<QLineEdit>(&w->main, "NmEdit")->text(), "x.jpg");
    EXPECT_EQ(Find<QLineEdit>(&w->main, "FNEdit")->text().toStdString(), path);
    w->Type("HintEdit", "Sunset");
    EXPECT_EQ(w->ws.Images[0].Hint, "Sunset");
    // A new name shows in the list at once; selecting it again repairs it.
    w->Type("NmEdit", "pic.png");
    EXPECT_EQ(w->ListedNames(), std::vector<std::string>{"pic.png"});
    Find<QLineEdit>(&w->main, "NmEdit")->editingFinished();
    EXPECT_EQ(w->ws.Images[0].Name, "pic.png.jpg");
    EXPECT_EQ(w->ws.Images[0].Link, "pic.png.jpg");
    EXPECT_EQ(Find<QLineEdit>(&w->main, "NmEdit")->text(), "pic.png.jpg");
    EXPECT_EQ(w->ListedNames(), std::vector<std::string>{"pic.png.jpg"});
}

TEST_F(GalleryWorkflowTest, LeavingTheNameFieldWarnsAboutIdenticalNames) {
    w->Picture("a.jpg");
    w->Picture("b.jpg");
    w->AddThroughDialog("\"a.jpg\" \"b.jpg\"");
    w->Select(0);
    w->Type("NmEdit", "a.jpg");
    std::string text, title;
    test::ReadNextMessageBox(text, title);
    Find<QLineEdit>(&w->main, "NmEdit")->editingFinished();
    EXPECT_EQ(text, "Warning: 2 identical image names - at 1 and 2 - name: a.jpg");
}

TEST_F(GalleryWorkflowTest, UpDownRemoveAndClear) {
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) w->Picture(name);
    w->AddThroughDialog("\"c.jpg\" \"b.jpg\" \"a.jpg\"");
    ASSERT_EQ(w->ImageNames(), (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg"}));
    struct Step {
        int Select;
        const char* Button;
        std::vector<std::string> Names;
        int Selected;
    };
    const std::vector<Step> steps = {
        {0, "UpButton", {"a.jpg", "b.jpg", "c.jpg"}, 0},
        {0, "DownButton", {"b.jpg", "a.jpg", "c.jpg"}, 1},
        {2, "DownButton", {"b.jpg", "a.jpg", "c.jpg"}, 2},
        {2, "UpButton", {"b.jpg", "c.jpg", "a.jpg"}, 1},
        {0, "RemoveButton", {"c.jpg", "a.jpg"}, 0},
        {1, "ClearButton", {}, -1},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(std::string(step.Button) + " on " + std::to_string(step.Select));
        w->Select(step.Select);
        w->Click(step.Button);
        EXPECT_EQ(w->ImageNames(), step.Names);
        EXPECT_EQ(w->ListedNames(), step.Names);
        EXPECT_EQ(Find<QListWidget>(&w->main, "ImagesListBox")->currentRow(), step.Selected);
    }
}

TEST_F(GalleryWorkflowTest, SortByNameDownThenUp) {
    for (const char* name : {"b.jpg", "c.jpg", "a.jpg"}) w->Picture(name);
    w->AddThroughDialog("\"b.jpg\" \"c.jpg\" \"a.jpg\"");
    Find<QAction>(&w->main, "ByName1")->trigger();
    EXPECT_EQ(w->ListedNames(), (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg"}));
    Find<QAction>(&w->main, "Down1")->trigger();
    EXPECT_EQ(w->ListedNames(), (std::vector<std::string>{"c.jpg", "b.jpg", "a.jpg"}));
    EXPECT_TRUE(Find<QAction>(&w->main, "ByName1")->isChecked());
    EXPECT_FALSE(Find<QAction>(&w->main, "Up1")->isChecked());
}

TEST_F(GalleryWorkflowTest, LetsGoBuildsTheGalleryOpensItAndUndoRemovesIt) {
    w->Picture("one.jpg");
    w->Picture("two.jpg");
    w->AddThroughDialog("\"one.jpg\" \"two.jpg\"");
    w->main.Tabs()->setCurrentIndex(GeneralTab);
    w->Type("HTMLDIREdit", w->site.c_str());
    w->Type("HTMLFileEdit", "index");
    Find<QAction>(&w->main, "CreateGallery1")->trigger();

    // The HTML file check gave the name its extension, and the field shows it.
    EXPECT_EQ(Find<QLineEdit>(&w->main, "HTMLFileEdit")->text(), "index.html");
    const std::vector<std::string> written = {"index.html", "images/one.jpg", "images/two.jpg",
                                              "images/one_th.jpg", "images/two_th.jpg"};
    for (const std::string& file : written) {
        SCOPED_TRACE(file);
        EXPECT_TRUE(FileExists(w->site + "/" + file));
    }
    const std::string page = ReadFileBytes(w->site + "/index.html");
    EXPECT_NE(page.find("one_th.jpg"), std::string::npos);
    EXPECT_NE(page.find("two_th.jpg"), std::string::npos);
    ASSERT_EQ(w->shell.Opened.size(), 1u);
    EXPECT_EQ(w->shell.Opened[0], w->site + "/index.html");
    EXPECT_FALSE(w->progress.isVisible());

    test::ClickInNextModal("YesButton");
    Find<QAction>(&w->main, "Undo1")->trigger();
    for (const std::string& file : written) {
        SCOPED_TRACE(file);
        EXPECT_FALSE(FileExists(w->site + "/" + file));
    }
}

// Five rebuilds in one sitting opened five browser tabs, and a build said nothing when no
// browser could be opened.
TEST_F(GalleryWorkflowTest, EveryBuildSaysSoInTheStatusBarButOnlyTheFirstOpensTheBrowser) {
    w->Picture("one.jpg");
    w->Picture("two.jpg");
    w->AddThroughDialog("\"one.jpg\" \"two.jpg\"");
    w->main.show();
    w->ws.Main.HTMLDir = w->site;
    w->ws.Main.HTMLFile = "index.html";
    auto* status = Find<QLabel>(&w->main, "BuildStatusLabel");
    EXPECT_FALSE(status->isVisible());
    for (int build = 0; build < 3; ++build) {
        SCOPED_TRACE(build);
        Find<QAction>(&w->main, "CreateGallery1")->trigger();
        ASSERT_TRUE(FileExists(w->site + "/index.html"));
        EXPECT_TRUE(status->isVisible());
        EXPECT_EQ(status->text().toStdString(),
                  "Gallery written: 2 pictures, 1 page \u2014 <a href=\"open\">Open</a>");
        EXPECT_EQ(w->shell.Opened.size(), 1u);
    }
    // Its link opens the gallery on demand.
    status->linkActivated("open");
    ASSERT_EQ(w->shell.Opened.size(), 2u);
    EXPECT_EQ(w->shell.Opened[1], w->site + "/index.html");

    // Another gallery's first build opens it; with the option on, so does every rebuild.
    w->ws.Main.HTMLFile = "other.html";
    Find<QAction>(&w->main, "CreateGallery1")->trigger();
    ASSERT_EQ(w->shell.Opened.size(), 3u);
    EXPECT_EQ(w->shell.Opened[2], w->site + "/other.html");
    w->ws.Program.OpenAfterRebuild = true;
    Find<QAction>(&w->main, "CreateGallery1")->trigger();
    EXPECT_EQ(w->shell.Opened.size(), 4u);
}

TEST_F(GalleryWorkflowTest, UndoInTheNextRunPutsBackWhatTheBuildReplaced) {
    w->Picture("one.jpg");
    w->AddThroughDialog("\"one.jpg\"");
    ForceDirectories(w->site);
    WriteFileBytes(w->site + "/index.html", "the user's own page");
    w->main.Tabs()->setCurrentIndex(GeneralTab);
    w->Type("HTMLDIREdit", w->site.c_str());
    w->Type("HTMLFileEdit", "index");
    Find<QAction>(&w->main, "CreateGallery1")->trigger();
    ASSERT_TRUE(FileExists(w->site + "/images/one_th.jpg"));
    // The run ends: its lists and its hold on the history go with it.
    w->ws.Journal = TBuildJournal{};

    Windows next(w->root / "state");
    next.main.Tabs()->setCurrentIndex(GeneralTab);
    next.Type("HTMLDIREdit", w->site.c_str());
    next.Type("HTMLFileEdit", "index.html");
    test::ClickInNextModal("YesButton");
    Find<QAction>(&next.main, "Undo1")->trigger();
    EXPECT_EQ(ReadFileBytes(w->site + "/index.html"), "the user's own page");
    EXPECT_FALSE(FileExists(w->site + "/images/one.jpg"));
    EXPECT_FALSE(FileExists(w->site + "/images/one_th.jpg"));
    // Undo twice: the history went with the first.
    std::string text, title;
    test::ReadNextMessageBox(text, title);
    Find<QAction>(&next.main, "Undo1")->trigger();
    EXPECT_EQ(text, "Nothing there to undo!");
}

TEST_F(GalleryWorkflowTest, LetsGoWithoutImagesSaysSo) {
    w->ws.Main.HTMLFile = "index.html";
    std::string text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    test::ReadNextMessageBox(text, title, nullptr, &icon);
    Find<QAction>(&w->main, "CreateGallery1")->trigger();
    EXPECT_EQ(text, "No images! Please add images to the gallery.");
    EXPECT_EQ(title, ProgramTitle);
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_TRUE(w->shell.Opened.empty());
}

TEST_F(GalleryWorkflowTest, AbortDuringABuildUndoesIt) {
    SixPicturesFor(w->site + "/index.html");
    // The click arrives while the build lets the GUI handle events at a progress update,
    // in the middle of the image copies (each step starts with a fresh abort flag).
    bool clicked = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        const QString line = Find<QLabel>(&w->progress, "ProgressText")->text();
        if (clicked || !line.contains("Copying Images. 2")) return;
        clicked = true;
        // While the build runs, the progress window holds the input of every window.
        EXPECT_EQ(QApplication::activeModalWidget(), &w->progress);
        Find<QPushButton>(&w->progress, "AbortButton")->click();
    });
    poll.start(0);
    std::string text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    test::ReadNextMessageBox(text, title, nullptr, &icon);
    Find<QAction>(&w->main, "CreateGallery1")->trigger();
    EXPECT_TRUE(clicked);
    EXPECT_EQ(text, "Folioscope Creation aborted and undone.");
    // The user's own Abort is no failure: no error sign.
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_FALSE(FileExists(w->site + "/index.html"));
    // The copies written before the click are gone again.
    EXPECT_FALSE(FileExists(w->site + "/images/p0.jpg"));
    EXPECT_FALSE(FileExists(w->site + "/images/p1.jpg"));
    EXPECT_FALSE(w->progress.isVisible());
    EXPECT_TRUE(w->shell.Opened.empty());
}

// Every file below `folder` with its bytes.
std::map<std::string, std::string> FolderBytes(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file())
            files[entry.path().string()] = ReadFileBytes(entry.path().string());
    }
    return files;
}

// Abort takes back only the build it stops: the gallery the build before made stays as it
// was, byte for byte, and Undo then asks before taking that one back.
TEST_F(GalleryWorkflowTest, AbortOfASecondBuildKeepsTheFirstGallery) {
    SixPicturesFor(w->site + "/index.html");
    Find<QAction>(&w->main, "CreateGallery1")->trigger();
    const std::map<std::string, std::string> first = FolderBytes(w->site);
    ASSERT_EQ(first.count(w->site + "/images/p5_th.jpg"), 1u);

    w->ws.Main.ThumbWidth = 120;
    w->ws.Main.ThumbHeight = 120;
    bool clicked = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        const QString line = Find<QLabel>(&w->progress, "ProgressText")->text();
        if (clicked || !line.contains("Copying Images. 3")) return;
        clicked = true;
        Find<QPushButton>(&w->progress, "AbortButton")->click();
    });
    poll.start(0);
    EXPECT_EQ(BuildAndReadMessage(), "Folioscope Creation aborted and undone.");
    ASSERT_TRUE(clicked);
    EXPECT_TRUE(FolderBytes(w->site) == first) << "the first gallery changed";

    std::string statement;
    test::AnswerNextModal([&](QWidget* modal) {
        statement = modal->findChild<QLabel*>()->text().toStdString();
        modal->findChild<QAbstractButton*>("YesButton")->click();
    });
    Find<QAction>(&w->main, "Undo1")->trigger();
    EXPECT_NE(statement.find("Undo the last build of the gallery"), std::string::npos);
    EXPECT_FALSE(FileExists(w->site + "/index.html"));
    EXPECT_FALSE(FileExists(w->site + "/images/p0.jpg"));
}

}  // namespace
}  // namespace fsc
