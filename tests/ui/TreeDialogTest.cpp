// The directory-tree dialog on a real folder tree: its fields, a run that builds galleries
// bottom-up and gives the user's gallery back, and the dialog's refusals.
#include <QCheckBox>
#include <QFileDialog>

#include "WorkflowFixture.h"
#include "base/AppFolders.h"
#include "base/Paths.h"
#include "ui/TCreateGalleryForImagesInDirForm.h"

namespace fsc {
namespace {

using test::Find;
using test::Windows;

class TreeDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureApplication();
        w = std::make_unique<Windows>();
        dialog = std::make_unique<TCreateGalleryForImagesInDirForm>(w->ws, w->main.ImageListState(),
                                                                    w->main.Services());
    }

    // "Select", answered in the real folder picker.
    void ChooseDirectory(const std::string& folder) {
        test::AnswerNextModal([folder](QWidget* modal) {
            auto* picker = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(picker, nullptr);
            picker->setDirectory(QString::fromStdString(folder));
            static_cast<QDialog*>(picker)->accept();
        });
        Find<QPushButton>(dialog.get(), "Button1")->click();
    }

    std::unique_ptr<Windows> w;
    std::unique_ptr<TCreateGalleryForImagesInDirForm> dialog;
};

TEST_F(TreeDialogTest, StartsWithTheDefaults) {
    EXPECT_EQ(dialog->windowTitle(), "Create gallery for all images in a directory");
    EXPECT_EQ(Find<QLineEdit>(dialog.get(), "FileEdit")->text(), "index.html");
    EXPECT_TRUE(Find<QLineEdit>(dialog.get(), "Edit1")->isReadOnly());
    EXPECT_TRUE(Find<QCheckBox>(dialog.get(), "CheckBox1")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>(dialog.get(), "NoNavigationCheckBox")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>(dialog.get(), "ResizeCheckbox")->isChecked());
}

TEST_F(TreeDialogTest, BuildsEveryFolderAndGivesTheUsersGalleryBack) {
    const std::string root = w->root / "tree";
    ForceDirectories(JoinPath(root, "a/b"));
    w->pictures = JoinPath(root, "a/b");
    w->Picture("one.jpg");
    w->Picture("two.jpg");
    // The user's own gallery, which the run must not lose.
    w->pictures = w->root / "pictures";
    w->Picture("mine.jpg");
    w->AddThroughDialog("\"mine.jpg\"");
    w->ws.Main.HTMLDir = w->site;
    w->ws.Main.HTMLFile = "home.html";

    dialog->show();
    ChooseDirectory(root);
    EXPECT_EQ(Find<QLineEdit>(dialog.get(), "Edit1")->text().toStdString(), root);
    auto* fileEdit = Find<QLineEdit>(dialog.get(), "FileEdit");
    fileEdit->selectAll();
    fileEdit->insert("album");
    Find<QPushButton>(dialog.get(), "Button2")->click();

    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(fileEdit->text(), "album.html");
    for (const char* folder : {"", "a", "a/b"}) {
        const std::string page = JoinPath(JoinPath(root, folder), "album.html");
        EXPECT_TRUE(FileExists(page)) << page;
    }
    EXPECT_TRUE(FileExists(JoinPath(root, "a/b.jpg"))) << "the cover of the gallery in b";
    EXPECT_EQ(w->shell.Opened, std::vector<std::string>{JoinPath(root, "album.html")});
    EXPECT_EQ(w->ImageNames(), std::vector<std::string>{"mine.jpg"});
    EXPECT_EQ(w->ws.Main.HTMLDir, w->site);
    EXPECT_EQ(w->ws.Main.HTMLFile, "home.html");
}

TEST_F(TreeDialogTest, RefusalsCloseTheDialogAndSayWhy) {
    std::string text, title;
    dialog->show();
    test::ReadNextMessageBox(text, title);
    Find<QPushButton>(dialog.get(), "Button2")->click();
    EXPECT_EQ(text, "No valid directory selected.");
    EXPECT_FALSE(dialog->isVisible());

    // A tree without any picture gets nothing, and the user is told so.
    const std::string empty = w->root / "empty";
    ForceDirectories(JoinPath(empty, "sub"));
    dialog->Options().Directory = empty;
    dialog->show();
    test::ReadNextMessageBox(text, title);
    Find<QPushButton>(dialog.get(), "Button2")->click();
    EXPECT_EQ(text, "No gallery was made in " + empty + " or below it.");
    EXPECT_FALSE(FileExists(JoinPath(empty, "index.html")));
    EXPECT_TRUE(w->shell.Opened.empty());
}

TEST_F(TreeDialogTest, TheFilesMenuOpensTheDialog) {
    QString title;
    test::AnswerNextModal([&title](QWidget* modal) {
        title = modal->windowTitle();
        Find<QPushButton>(modal, "Button3")->click();
    });
    auto* entry = Find<QAction>(&w->main, "CreateGalleriesInDir1");
    EXPECT_TRUE(entry->isEnabled());
    entry->trigger();
    EXPECT_EQ(title, "Create gallery for all images in a directory");
}

TEST_F(TreeDialogTest, HelpOpensItsPageFromTheDataFolder) {
    Find<QPushButton>(dialog.get(), "Button4")->click();
    const std::string page = JoinPath(DataFolder(), "RecursiveInDirs.html");
    EXPECT_EQ(w->shell.Opened, std::vector<std::string>{page});
    EXPECT_TRUE(FileExists(page));
}

}  // namespace
}  // namespace fsc
