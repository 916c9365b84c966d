// The main window: its tabs and menus as the user sees them, the settings panels writing
// through to the workspace, and commands reporting through the error handler.
#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <set>

#include "WorkflowFixture.h"
#include "app/GalleryProject.h"
#include "base/AppFolders.h"
#include "base/Files.h"
#include "base/Version.h"
#include "imaging/GraphicsIO.h"

namespace fsc {
namespace {

using test::Find;

// Every window the main window needs, over a workspace in a temporary folder.
using MainWindowFixture = test::Windows;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureApplication();
        windows = std::make_unique<MainWindowFixture>();
    }
    std::unique_ptr<MainWindowFixture> windows;
};

// What a menu shows: entries by caption, "-" for a separator, hidden entries left out.
std::vector<std::string> Captions(QMenu* menu) {
    std::vector<std::string> captions;
    for (QAction* action : menu->actions()) {
        if (!action->isVisible()) continue;
        captions.push_back(action->isSeparator() ? "-" : action->text().toStdString());
    }
    return captions;
}

// A caption as it reads, without the mark of its access key ("&Files" reads "Files").
std::string Plain(const QString& caption) {
    QString plain = caption;
    plain.replace("&&", QChar(0x1));
    plain.remove('&');
    plain.replace(QChar(0x1), "&&");
    return plain.toStdString();
}

QMenu* TopMenu(QMainWindow& window, const std::string& title) {
    for (QAction* action : window.menuBar()->actions())
        if (Plain(action->text()) == title) return action->menu();
    ADD_FAILURE() << "no menu " << title;
    return nullptr;
}

TEST_F(MainWindowTest, TitleAndTheTenTabsInTheirOrder) {
    EXPECT_EQ(windows->main.windowTitle(), "Orvik Folioscope 2.13");
    const std::vector<std::string> expected = {
        "General",           "Special",        "Images",           "Template",
        "File Manager",      "HTML Templates", "Thumbnail Scheme", "Image Scheme",
        "Navigation Scheme", "Gallery Scheme"};
    QTabWidget* tabs = windows->main.Tabs();
    std::vector<std::string> shown;
    for (int index = 0; index < tabs->count(); ++index)
        shown.push_back(tabs->tabText(index).toStdString());
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(tabs->currentIndex(), GeneralTab);

    // At its first size every caption shows in full, without scroll arrows, and the
    // window fits a 1280 x 800 screen.
    windows->main.show();
    QApplication::processEvents();
    QTabBar* bar = tabs->tabBar();
    EXPECT_GE(bar->width(), bar->sizeHint().width());
    for (int index = 0; index < tabs->count(); ++index) {
        SCOPED_TRACE(index);
        const QRect tab = bar->tabRect(index);
        EXPECT_GE(tab.left(), 0);
        EXPECT_LE(tab.right(), bar->width());
        EXPECT_GE(tab.width(), bar->fontMetrics().horizontalAdvance(tabs->tabText(index)));
    }
    for (auto* arrow : bar->findChildren<QToolButton*>()) EXPECT_FALSE(arrow->isVisible());
    EXPECT_LE(windows->main.frameGeometry().width(), 1280);
    EXPECT_LE(windows->main.frameGeometry().height(), 800);
}

TEST_F(MainWindowTest, EveryMenuWithItsEntriesInOrder) {
    struct MenuCase {
        std::string Title;
        std::vector<std::string> Entries;
    };
    const std::vector<MenuCase> menus = {
        {"Files",
         {"Open Gallery", "Save Gallery ", "-", "Add Images", "Add Image from Clipboard",
          "Add image by Capturing from the Screen", "-", "Add Set of images       ",
          "Save Set of images      (only Image Infos)",
          "Save Set of images      (Images+Image Infos)", "-",
          "Create galleries with all images in a directory and recursively for its subdirs", "-",
          "Use Wizard", "-", "Close"}},
        {"Template", {"Open Template", "Save Settings As Template"}},
        {"Create && Undo",
         {"Undo. Delete the created Gallery.", "-", "Let's go. Create the gallery."}},
        {"Style",
         {"List options", "Paragraph options", "Java Script Slide Show options", "Table options",
          "Collage/Image Map options ", "Navigation options"}},
        {"Images", {"Sort"}},
        {"Internet", {"FTP    (Upload Gallery and edit your homepage)"}},
        {"Options", {"Options"}},
        {"Help",
         {"About", "Help   (local HTML)", "-", "HTML Tutorials", "-", "Folioscope Page", "-",
          "Contact - Problems, Questions, want new tags, ..", "-", "Lumetta - our photo editor",
          "-", "Orvik-Freeware Shop", "Orvik-Freeware"}},
    };
    std::vector<std::string> titles;
    for (QAction* action : windows->main.menuBar()->actions())
        titles.push_back(Plain(action->text()));
    std::vector<std::string> expectedTitles;
    for (const MenuCase& menu : menus) expectedTitles.push_back(menu.Title);
    EXPECT_EQ(titles, expectedTitles);
    for (const MenuCase& menu : menus) {
        SCOPED_TRACE(menu.Title);
        QMenu* shown = TopMenu(windows->main, menu.Title);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(Captions(shown), menu.Entries);
    }
    QMenu* sort = Find<QMenu>(&windows->main, "Sort1");
    ASSERT_NE(sort, nullptr);
    EXPECT_EQ(Captions(sort),
              (std::vector<std::string>{"by Name", "by Date", "by Date Taken", "-", "Up", "Down"}));
}

TEST_F(MainWindowTest, EveryTopLevelMenuHasItsOwnAccessKey) {
    std::set<QChar> keys;
    for (QAction* action : windows->main.menuBar()->actions()) {
        SCOPED_TRACE(action->text().toStdString());
        QString text = action->text();
        text.remove("&&");
        const int mark = text.indexOf('&');
        ASSERT_GE(mark, 0) << "no access key";
        ASSERT_LT(mark + 1, text.size());
        EXPECT_EQ(text.indexOf('&', mark + 1), -1) << "two access keys";
        EXPECT_TRUE(keys.insert(text.at(mark + 1).toLower()).second) << "key taken twice";
    }
    EXPECT_EQ(keys.size(), 8u);
}

// The keys every desktop program answers to, pressed in the real window.
TEST_F(MainWindowTest, StandardCommandsAnswerToTheirStandardKeys) {
    struct KeyCase {
        const char* Entry;
        QKeySequence::StandardKey Command;
        QKeySequence Usual;
    };
    const KeyCase cases[] = {
        {"OpenGallery1", QKeySequence::Open, Qt::CTRL | Qt::Key_O},
        {"SaveGallery1", QKeySequence::Save, Qt::CTRL | Qt::Key_S},
        {"Close1", QKeySequence::Quit, Qt::CTRL | Qt::Key_Q},
        {"HelpLocal1", QKeySequence::HelpContents, Qt::Key_F1},
    };
    for (const KeyCase& key : cases) {
        SCOPED_TRACE(key.Entry);
        // The menu bar's own entries: other windows have entries of the same name.
        const QList<QKeySequence> shortcuts =
            Find<QAction>(windows->main.menuBar(), key.Entry)->shortcuts();
        ASSERT_FALSE(shortcuts.isEmpty());
        const QList<QKeySequence> standard = QKeySequence::keyBindings(key.Command);
        EXPECT_EQ(shortcuts, standard.isEmpty() ? QList<QKeySequence>{key.Usual} : standard);
    }
    windows->main.show();
    windows->main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&windows->main));
    QTest::keyClick(&windows->main, Qt::Key_F1);
    ASSERT_EQ(windows->shell.Opened.size(), 1u);
    EXPECT_TRUE(windows->shell.Opened[0].ends_with("/index.html"));
    // Ctrl+O asks for a project to open.
    bool fileDialog = false;
    test::AnswerNextModal([&fileDialog](QWidget* modal) {
        fileDialog = qobject_cast<QFileDialog*>(modal) != nullptr;
        static_cast<QDialog*>(modal)->reject();
    });
    QTest::keyClick(&windows->main, Qt::Key_O, Qt::ControlModifier);
    QTRY_VERIFY(fileDialog);
}

// Tab walks the General tab through controls the user can see take the focus, and comes
// back to where it started.
TEST_F(MainWindowTest, TabOnTheGeneralTabStopsOnlyWhereTheFocusShows) {
    windows->main.show();
    windows->main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&windows->main));
    auto* start = Find<QLineEdit>(&windows->main, "HTMLDIREdit");
    start->setFocus();
    QWidget* focus = start;
    int stops = 0;
    do {
        QTest::keyClick(focus, Qt::Key_Tab);
        focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        SCOPED_TRACE(focus->objectName().toStdString());
        EXPECT_FALSE(focus->visibleRegion().isEmpty()) << "a stop that cannot be seen";
        if (auto* edit = qobject_cast<QLineEdit*>(focus)) {
            EXPECT_FALSE(edit->isReadOnly()) << "a field without a cursor";
        }
    } while (focus != start && ++stops < 100);
    EXPECT_EQ(focus, start);
}

// Answers the next unsaved-changes question with `button`; `asked` tells that it came.
// `next` prepares the answer to the window that follows.
void AnswerUnsavedChanges(QMessageBox::StandardButton button, bool& asked,
                          std::function<void()> next = {}) {
    asked = false;
    test::AnswerNextModal([button, &asked, next](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        ASSERT_EQ(box->objectName(), "UnsavedChangesBox");
        asked = true;
        EXPECT_EQ(box->standardButtons(),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        if (next) next();
        box->button(button)->click();
    });
}

TEST_F(MainWindowTest, CloseAsksBeforeUnsavedChangesAreLost) {
    MainWindow& main = windows->main;
    // Nothing changed since the start: the window closes without a question.
    main.show();
    EXPECT_FALSE(main.HasUnsavedChanges());
    EXPECT_TRUE(main.close());
    EXPECT_FALSE(main.isVisible());

    main.show();
    windows->Picture("a.jpg");
    windows->Picture("b.jpg");
    windows->AddThroughDialog("\"a.jpg\" \"b.jpg\"");
    ASSERT_EQ(windows->ws.Images.size(), 2u);
    EXPECT_TRUE(main.HasUnsavedChanges());
    bool asked = false;
    AnswerUnsavedChanges(QMessageBox::Cancel, asked);
    EXPECT_FALSE(main.close());
    EXPECT_TRUE(asked);
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(windows->ws.Images.size(), 2u);

    // Reordering is a change as well; Save saves the project and then closes.
    windows->Select(1);
    windows->Click("UpButton");
    const std::string project = windows->root / "holiday.gal";
    AnswerUnsavedChanges(QMessageBox::Save, asked, [&] { test::ChooseFile(project); });
    EXPECT_TRUE(main.close());
    EXPECT_TRUE(asked);
    EXPECT_TRUE(FileExists(project));
    EXPECT_FALSE(main.HasUnsavedChanges());

    main.show();
    windows->Type("HTMLFileEdit", "other.html");
    EXPECT_TRUE(main.HasUnsavedChanges());
    AnswerUnsavedChanges(QMessageBox::Discard, asked);
    EXPECT_TRUE(main.close());
    EXPECT_TRUE(asked);
}

TEST_F(MainWindowTest, OpeningAnotherProjectAsksBeforeUnsavedChangesAreLost) {
    MainWindow& main = windows->main;
    main.show();
    windows->Picture("a.jpg");
    windows->AddThroughDialog("a.jpg");
    bool asked = false;
    AnswerUnsavedChanges(QMessageBox::Cancel, asked);
    Find<QAction>(main.menuBar(), "OpenGallery1")->trigger();
    EXPECT_TRUE(asked);
    // Cancel: no file dialog followed, and nothing changed.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(windows->ws.Images.size(), 1u);

    // Discard goes on to the file dialog; a project opened counts as saved.
    Workspace other;
    other.Main.HTMLDir = windows->root / "elsewhere";
    const std::string project = windows->root / "other.gal";
    SaveGalleryProject(other, project, windows->messages, windows->progress);
    AnswerUnsavedChanges(QMessageBox::Discard, asked, [&] { test::ChooseFile(project); });
    Find<QAction>(main.menuBar(), "OpenGallery1")->trigger();
    EXPECT_TRUE(asked);
    EXPECT_TRUE(windows->ws.Images.empty());
    EXPECT_EQ(windows->ws.Main.HTMLDir, windows->root / "elsewhere");
    EXPECT_FALSE(main.HasUnsavedChanges());
}

// The "ERROR" box about a name without an HTML extension offers Cancel: it keeps the name as
// typed, where OK takes the added extension.
TEST_F(MainWindowTest, TheBadExtensionBoxsCancelKeepsTheTypedName) {
    auto* field = Find<QLineEdit>(&windows->main, "HTMLFileEdit");
    for (const QMessageBox::StandardButton answer : {QMessageBox::Cancel, QMessageBox::Ok}) {
        SCOPED_TRACE(answer == QMessageBox::Ok ? "OK" : "Cancel");
        QString caption;
        test::AnswerNextModal([&caption, answer](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            caption = box->windowTitle();
            box->button(answer)->click();
        });
        windows->Type("HTMLFileEdit", "index.txt");
        field->editingFinished();
        EXPECT_EQ(caption, "ERROR");
        const std::string expected = answer == QMessageBox::Ok ? "index.txt.html" : "index.txt";
        EXPECT_EQ(windows->ws.Main.HTMLFile, expected);
        EXPECT_EQ(field->text().toStdString(), expected);
    }
}

TEST_F(MainWindowTest, SortStartsWithUpCheckedAndNoKey) {
    struct SortCase {
        const char* Entry;
        bool Checked;
    };
    for (const SortCase& entry :
         {SortCase{"ByName1", false}, SortCase{"ByDate1", false}, SortCase{"ByDateTaken1", false},
          SortCase{"Up1", true}, SortCase{"Down1", false}}) {
        SCOPED_TRACE(entry.Entry);
        auto* action = Find<QAction>(&windows->main, entry.Entry);
        ASSERT_NE(action, nullptr);
        EXPECT_TRUE(action->isCheckable());
        EXPECT_EQ(action->isChecked(), entry.Checked);
    }
}

TEST_F(MainWindowTest, UndoWithNothingBuiltSaysSoAndChangesNothing) {
    std::string text, title;
    test::ReadNextMessageBox(text, title);
    Find<QAction>(&windows->main, "Undo1")->trigger();
    EXPECT_EQ(text, "Nothing there to undo!");
}

TEST_F(MainWindowTest, UndoRemovesTheFilesOfTheLastBuild) {
    const std::string page = windows->root / "index.html";
    WriteFileBytes(page, "<html></html>");
    windows->ws.Journal.CreatedFiles.push_back(page);
    TThumbnail image;
    image.CopyTime = 45000;
    image.ThumbTime = 45000;
    windows->ws.Images.push_back(image);
    test::ClickInNextModal("YesButton");
    Find<QAction>(&windows->main, "Undo1")->trigger();
    EXPECT_FALSE(FileExists(page));
    EXPECT_TRUE(windows->ws.Journal.CreatedFiles.empty());
    EXPECT_EQ(windows->ws.Images[0].CopyTime, 0);
    EXPECT_EQ(windows->ws.Images[0].ThumbTime, 0);
}

TEST_F(MainWindowTest, HelpEntriesOpenPagesOfTheProgramsOwnHelp) {
    const char* const entries[] = {"HelpLocal1", "HTMLTutorials1", "FolioscopePage1", "Contact1",
                                   "Lumetta1",   "Shop1",          "OrvikFreeware1"};
    for (const char* entry : entries) Find<QAction>(&windows->main, entry)->trigger();
    const std::vector<std::string>& opened = windows->shell.Opened;
    ASSERT_EQ(opened.size(), std::size(entries));
    EXPECT_TRUE(opened[0].ends_with("/index.html")) << opened[0];
    for (const std::string& page : opened) {
        EXPECT_TRUE(page.starts_with(DataFolder() + "/")) << page;
        EXPECT_TRUE(FileExists(page)) << page;
    }
}

TEST_F(MainWindowTest, TheAboutBoxNamesTheProductAndItsVersionOnce) {
    std::string text, title;
    test::ReadNextMessageBox(text, title);
    Find<QAction>(&windows->main, "About1")->trigger();
    EXPECT_EQ(title, "About");
    EXPECT_EQ(text, "Orvik Folioscope\nVersion 2.13");
}

TEST_F(MainWindowTest, GeneralTabHoldsTheFiveSettingsPanels) {
    QWidget* general = windows->main.Tabs()->widget(GeneralTab);
    for (const char* panel :
         {"GroupBox1", "GroupBox3", "ThumbnailGroupbox", "GroupBox4", "GroupBox7"}) {
        SCOPED_TRACE(panel);
        auto* group = Find<QGroupBox>(general, panel);
        ASSERT_NE(group, nullptr);
    }
    // "Thumbnails" sits to the right of "Directories", "Style" below it.
    windows->main.show();
    QApplication::processEvents();
    auto* directories = Find<QWidget>(general, "GroupBox1");
    auto* style = Find<QWidget>(general, "GroupBox3");
    auto* thumbnails = Find<QWidget>(general, "ThumbnailGroupbox");
    EXPECT_GE(thumbnails->x(), directories->x() + directories->width());
    EXPECT_GE(style->y(), directories->y() + directories->height());
}

// One user action on a settings control and what the workspace must hold afterwards.
struct PanelEdit {
    const char* Control;
    std::function<void(QWidget*)> Act;
    std::function<bool(const MainSettings&)> Holds;
};

void TypeText(QWidget* widget, const char* text) {
    auto* edit = qobject_cast<QLineEdit*>(widget);
    edit->selectAll();
    edit->insert(text);  // counts as the user's edit, like typing
}

TEST_F(MainWindowTest, SettingsControlsWriteThroughToTheWorkspace) {
    auto click = [](QWidget* widget) { qobject_cast<QAbstractButton*>(widget)->click(); };
    auto spin = [](int value) {
        return [value](QWidget* widget) { qobject_cast<QSpinBox*>(widget)->setValue(value); };
    };
    const std::vector<PanelEdit> edits = {
        {"HTMLFileEdit", [](QWidget* w) { TypeText(w, "gallery.html"); },
         [](const MainSettings& m) { return m.HTMLFile == "gallery.html"; }},
        {"HTMLDIREdit", [](QWidget* w) { TypeText(w, "/srv/www"); },
         [](const MainSettings& m) { return m.HTMLDir == "/srv/www"; }},
        {"ImageDirEdit", [](QWidget* w) { TypeText(w, "pics"); },
         [](const MainSettings& m) { return m.ImageDir == "pics"; }},
        {"ListRadioButton", click,
         [](const MainSettings& m) { return m.Style == TGalleryStyle::List; }},
        {"CollageRadioButton", click,
         [](const MainSettings& m) { return m.Style == TGalleryStyle::Collage; }},
        {"ListRowEdit", spin(12), [](const MainSettings& m) { return m.ListRows == 12; }},
        {"ColEdit", spin(4), [](const MainSettings& m) { return m.Cols == 4; }},
        {"RowEdit", spin(7), [](const MainSettings& m) { return m.Rows == 7; }},
        {"Quality_very low", click,
         [](const MainSettings& m) { return m.ThumbQuality == TThumbQualityLevel::VeryLow; }},
        {"Size_hard limit", click,
         [](const MainSettings& m) { return m.ThumbSize == TThumbSizeMode::hardLimit; }},
        {"largeButton", click,
         [](const MainSettings& m) { return m.ThumbWidth == 100 && m.ThumbHeight == 100; }},
        {"smallButton", click,
         [](const MainSettings& m) { return m.ThumbWidth == 40 && m.ThumbHeight == 40; }},
        {"WidthEdit", spin(120), [](const MainSettings& m) { return m.ThumbWidth == 120; }},
        {"ResizeWidthCheckBox", click, [](const MainSettings& m) { return m.ResizeWidthChecked; }},
        {"ResizeHeightCheckBox", click,
         [](const MainSettings& m) { return m.ResizeHeightChecked; }},
        {"GreaterThanEdit", spin(640), [](const MainSettings& m) { return m.GreaterThan == 640; }},
        {"AdjustCompressionCheckBox", click,
         [](const MainSettings& m) { return m.AdjustCompression; }},
        {"SmoothResizeCheckBox", click,
         [](const MainSettings& m) { return m.ResizeMethod == TResizeMethod::Classic; }},
        {"WebpCheckBox", click, [](const MainSettings& m) { return m.WriteWebp; }},
        {"AvifCheckBox", click, [](const MainSettings& m) { return m.WriteAvif; }},
        {"OriginalsCheckBox", click, [](const MainSettings& m) { return m.OfferOriginals; }},
        {"LinkToHTMLCheckBox", click, [](const MainSettings& m) { return m.LinkToHTML; }},
        {"NoHTMLCheckBox", click, [](const MainSettings& m) { return m.NoHTML; }},
        {"ImagesAreThumbsCheckBox", click, [](const MainSettings& m) { return m.ImagesAreThumbs; }},
        {"DefaultExtEdit", [](QWidget* w) { TypeText(w, "php"); },
         [](const MainSettings& m) { return m.DefaultExt == "php"; }},
        {"TargetFrameCheckBox", click, [](const MainSettings& m) { return m.UseTargetFrame; }},
        {"TargetFrameEdit", [](QWidget* w) { TypeText(w, "main"); },
         [](const MainSettings& m) { return m.TargetFrame == "main"; }},
    };
    for (const PanelEdit& edit : edits) {
        SCOPED_TRACE(edit.Control);
        auto* control = Find<QWidget>(&windows->main, edit.Control);
        ASSERT_NE(control, nullptr);
        edit.Act(control);
        EXPECT_TRUE(edit.Holds(windows->ws.Main));
    }
}

TEST_F(MainWindowTest, StartValuesAreTheWorkspaceDefaults) {
    EXPECT_EQ(Find<QLineEdit>(&windows->main, "ImageDirEdit")->text(), "images");
    EXPECT_EQ(Find<QLineEdit>(&windows->main, "TemplateNameEdit")->text(), "- no template -");
    EXPECT_TRUE(Find<QLineEdit>(&windows->main, "TemplateNameEdit")->isReadOnly());
    EXPECT_TRUE(Find<QRadioButton>(&windows->main, "TableRadioButton")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>(&windows->main, "Quality_middle")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>(&windows->main, "Size_limit")->isChecked());
    EXPECT_EQ(Find<QSpinBox>(&windows->main, "WidthEdit")->value(), 70);
    EXPECT_EQ(Find<QSpinBox>(&windows->main, "GreaterThanEdit")->value(), 800);
    EXPECT_FALSE(Find<QLineEdit>(&windows->main, "TargetFrameEdit")->isEnabled());
}

TEST_F(MainWindowTest, QualityAndSizeAreTwoSeparateChoices) {
    Find<QRadioButton>(&windows->main, "Quality_high")->click();
    Find<QRadioButton>(&windows->main, "Size_fit")->click();
    EXPECT_TRUE(Find<QRadioButton>(&windows->main, "Quality_high")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>(&windows->main, "Size_fit")->isChecked());
    EXPECT_EQ(windows->ws.Main.ThumbQuality, TThumbQualityLevel::High);
    EXPECT_EQ(windows->ws.Main.ThumbSize, TThumbSizeMode::fit);
}

TEST_F(MainWindowTest, TargetFrameEditFollowsItsBox) {
    auto* box = Find<QCheckBox>(&windows->main, "TargetFrameCheckBox");
    auto* edit = Find<QLineEdit>(&windows->main, "TargetFrameEdit");
    box->click();
    EXPECT_TRUE(edit->isEnabled());
    box->click();
    EXPECT_FALSE(edit->isEnabled());
}

TEST_F(MainWindowTest, CheckingTheDefaultExtensionWarnsAndStaysChecked) {
    std::string text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    test::ReadNextMessageBox(text, title, nullptr, &icon);
    Find<QCheckBox>(&windows->main, "DefaultExtCheckBox")->click();
    EXPECT_EQ(title, ProgramTitle);
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(text,
              "This option is only for experts. Uncheck the box, if you're not sure. Please make "
              "sure, the extension you use is valid in your environment.");
    EXPECT_TRUE(windows->ws.Main.UseDefaultExt);
    EXPECT_TRUE(Find<QCheckBox>(&windows->main, "DefaultExtCheckBox")->isChecked());
}

TEST_F(MainWindowTest, ShowSettingsRefillsEveryControlFromTheWorkspace) {
    windows->ws.Main.HTMLFile = "caf\xc3\xa9.html";
    windows->ws.Main.Style = TGalleryStyle::SlideShow;
    windows->ws.Main.Cols = 9;
    windows->ws.Main.NoHTML = true;
    windows->ws.Main.TemplateName = "USER:/home/x/t.tpl";
    windows->settings.ShowSettings();
    EXPECT_EQ(Find<QLineEdit>(&windows->main, "HTMLFileEdit")->text(),
              QString::fromUtf8("café.html"));
    EXPECT_TRUE(Find<QRadioButton>(&windows->main, "SlideShowRadioButton")->isChecked());
    EXPECT_EQ(Find<QSpinBox>(&windows->main, "ColEdit")->value(), 9);
    EXPECT_TRUE(Find<QCheckBox>(&windows->main, "NoHTMLCheckBox")->isChecked());
    // A template opened from a file shows as its path, without the program's own "USER:".
    EXPECT_EQ(Find<QLineEdit>(&windows->main, "TemplateNameEdit")->text(), "/home/x/t.tpl");
    // The refill was no edit: the workspace kept exactly what it held.
    EXPECT_EQ(windows->ws.Main.HTMLFile, "caf\xc3\xa9.html");
    EXPECT_EQ(windows->ws.Main.TemplateName, "USER:/home/x/t.tpl");
}

TEST_F(MainWindowTest, BytesThatAreNotUtf8SurviveARefill) {
    windows->ws.Main.HTMLFile = "caf\xe9.html";
    windows->settings.ShowSettings();
    EXPECT_EQ(Find<QLineEdit>(&windows->main, "HTMLFileEdit")->text(),
              QString::fromLatin1("caf\xe9.html"));
    EXPECT_EQ(windows->ws.Main.HTMLFile, "caf\xe9.html");
}

TEST_F(MainWindowTest, SaveSettingsAsTemplateWritesTheChosenFile) {
    const std::string path = windows->root / "mine.tpl";
    test::AnswerNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(QString::fromStdString(windows->root / "mine"));
        static_cast<QDialog*>(dialog)->accept();
    });
    windows->ws.Main.HTMLFile = "index.html";
    Find<QAction>(&windows->main, "SaveSettingsAsTemplate1")->trigger();
    EXPECT_TRUE(FileExists(path));
}

// Without a desktop that offers global hot keys (here Qt's offscreen platform) only the
// delay can trigger a capture, and the window says so; "Cancel" adds nothing.
TEST_F(MainWindowTest, CaptureWindowDefaultsAndNoHotKeyWithoutADesktopForIt) {
    test::AnswerNextModal([](QWidget* modal) {
        EXPECT_EQ(modal->windowTitle(), "Folioscope Screen Capturer");
        EXPECT_TRUE(Find<QRadioButton>(modal, "DelayRadio")->isChecked());
        auto* delay = Find<QSpinBox>(modal, "DelayEdit");
        EXPECT_EQ(delay->value(), 1);
        EXPECT_EQ(delay->minimum(), 1);
        EXPECT_EQ(delay->maximum(), 120);
        EXPECT_FALSE(Find<QRadioButton>(modal, "HotKeyRadio")->isEnabled());
        EXPECT_FALSE(Find<QLabel>(modal, "HotKeyHint")->text().isEmpty());
        EXPECT_EQ(Find<QLineEdit>(modal, "HotKeyEdit")->text(), "<");
        EXPECT_TRUE(Find<QCheckBox>(modal, "HideBox")->isChecked());
        EXPECT_TRUE(Find<QRadioButton>(modal, "RectangleRadio")->isChecked());
        Find<QPushButton>(modal, "CancelButton")->click();
    });
    Find<QAction>(&windows->main, "AddImageByCapturing1")->trigger();
    EXPECT_TRUE(windows->ws.Images.empty());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace fsc
