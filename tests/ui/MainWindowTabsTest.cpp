// The tabs that show other windows' panels: the Special groups, the one scheme editor on
// four tabs, and the template editors following the template chosen on the Template tab.
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "WorkflowFixture.h"
#include "app/DirectoryFields.h"
#include "app/GalleryProject.h"
#include "base/TStringList.h"
#include "templates/TScheme.h"
#include "templates/TemplateLibrary.h"
#include "ui/TOnePara.h"

namespace fsc {
namespace {

using test::Find;
using test::Windows;

class MainWindowTabsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureApplication();
        w = std::make_unique<Windows>();
        w->main.show();
    }
    QWidget* Page(int tab) {
        w->main.Tabs()->setCurrentIndex(tab);
        return w->main.Tabs()->currentWidget();
    }
    std::unique_ptr<Windows> w;
};

TEST_F(MainWindowTabsTest, TheSpecialTabShowsBothGroupsSideBySide) {
    QWidget* page = Page(SpecialTab);
    auto* metaTags = Find<QGroupBox>(page, "MetaTagsGroupBox");
    ASSERT_NE(metaTags, nullptr);
    EXPECT_EQ(metaTags->title(), "Meta Tags");
    auto groups = page->findChildren<QGroupBox*>(Qt::FindChildrenRecursively);
    const auto protect = std::find_if(groups.begin(), groups.end(), [](QGroupBox* group) {
        return group->title() == "Protect your images";
    });
    ASSERT_NE(protect, groups.end());
    EXPECT_TRUE((*protect)->isVisible());
    EXPECT_GT((*protect)->x(), metaTags->x());
}

TEST_F(MainWindowTabsTest, EachSchemeTabEditsItsOwnScheme) {
    struct SchemeTab {
        int Tab;
        int Kind;
    };
    const SchemeTab tabs[] = {{ThumbnailSchemeTab, SchemeThumbnail},
                              {ImageSchemeTab, SchemeImage},
                              {NavigationSchemeTab, SchemeNavigation},
                              {GallerySchemeTab, SchemeGallery}};
    for (const SchemeTab& tab : tabs) {
        SCOPED_TRACE(tab.Tab);
        auto* memo = Find<QPlainTextEdit>(Page(tab.Tab), "SchemeMemo");
        ASSERT_NE(memo, nullptr);
        EXPECT_EQ(SplitLines(QStringToBytes(memo->toPlainText())),
                  w->ws.Schemes.OfKind(tab.Kind).Text);
        memo->selectAll();
        memo->insertPlainText(QString("scheme %1").arg(tab.Kind));
    }
    // What was typed on one tab stays with its scheme when the others are edited.
    for (const SchemeTab& tab : tabs) {
        EXPECT_EQ(w->ws.Schemes.OfKind(tab.Kind).Text,
                  TStringList{"scheme " + std::to_string(tab.Kind)});
    }
    auto* memo = Find<QPlainTextEdit>(Page(NavigationSchemeTab), "SchemeMemo");
    EXPECT_EQ(memo->toPlainText(), QString("scheme %1").arg(SchemeNavigation));
}

TEST_F(MainWindowTabsTest, AProjectOpenedOnASchemeTabIsShownBeforeTheBoxCanWrite) {
    Workspace project;
    project.Schemes.Image.Text = {"<!-IMAGE-> from the project"};
    const std::string path = w->root / "project.gal";
    SaveGalleryProject(project, path, w->messages, w->progress);

    auto* memo = Find<QPlainTextEdit>(Page(ImageSchemeTab), "SchemeMemo");
    test::ChooseFile(path);
    Find<QAction>(&w->main, "OpenGallery1")->trigger();
    EXPECT_EQ(memo->toPlainText(), "<!-IMAGE-> from the project");
    // The first key the user types adds to the project's scheme, not to the old text.
    memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo, "!");
    EXPECT_EQ(w->ws.Schemes.Image.Text, TStringList{"<!-IMAGE-> from the project!"});
}

TEST_F(MainWindowTabsTest, TheTemplateEditorsFollowTheChosenTemplate) {
    w->ws.TemplateLibrary = TemplateLibraryFolder();
    w->ws.Selection.Entries = ListTemplates(w->ws.TemplateLibrary);
    QWidget* templatePage = Page(TemplateTab);
    auto* list = Find<QComboBox>(templatePage, "TemplateComboBox");
    const int frames = list->findText("Frames");
    ASSERT_GE(frames, 0);
    test::ClickInNextModal("YesButton");
    list->setCurrentIndex(frames);
    list->activated(frames);

    // Frames keeps its gallery apart from its index page.
    auto* pages = Find<QComboBox>(Page(HTMLTemplatesTab), "PageComboBox");
    ASSERT_GE(pages->count(), 2);
    EXPECT_EQ(pages->itemText(0), "Index HTML");
    EXPECT_EQ(pages->itemText(1), "Gallery HTML");
    auto* grid = Find<QWidget>(Page(FileManagerTab), "StringGrid1");
    ASSERT_NE(grid, nullptr);
    EXPECT_TRUE(Find<QWidget>(w->main.Tabs()->currentWidget(), "IndexIsNotGalleryRadioButton")
                    ->property("checked")
                    .toBool());
}

TEST_F(MainWindowTabsTest, SaveSettingsAsTemplateTakesWhatTheTemplateTabStillHolds) {
    w->ws.TemplateLibrary = TemplateLibraryFolder();
    w->ws.Selection.Entries = ListTemplates(w->ws.TemplateLibrary);
    QWidget* templatePage = Page(TemplateTab);
    auto* list = Find<QComboBox>(templatePage, "TemplateComboBox");
    const int classic = list->findText("Classic");
    ASSERT_GE(classic, 0);
    test::ClickInNextModal("YesButton");
    list->setCurrentIndex(classic);
    list->activated(classic);
    // Classic asks for its title first; the new one is typed but not applied.
    const auto rows = Find<QWidget>(templatePage, "ParameterRows")->findChildren<TOnePara*>();
    ASSERT_FALSE(rows.empty());
    auto* title = Find<QLineEdit>(rows.front(), "ValueEdit");
    title->selectAll();
    QTest::keyClicks(title, "EDITED TITLE");
    w->ws.Main.HTMLFile = "gallery.txt";

    // The menu, as "Save Gallery " does, first checks the HTML file and applies the tab.
    const std::string path = w->root / "mine.tpl";
    std::string message, caption;
    test::AnswerNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(QString::fromStdString(path));
        test::ReadNextMessageBox(message, caption);
        static_cast<QDialog*>(dialog)->accept();
    });
    Find<QAction>(&w->main, "SaveSettingsAsTemplate1")->trigger();
    EXPECT_EQ(caption, "ERROR");
    EXPECT_EQ(message, HTMLExtensionAddedText);
    const TStringList lines = LoadLines(path);
    EXPECT_GE(IndexOfLine(lines, "ASKDEFAULT=EDITED TITLE"), 0);
    EXPECT_GE(IndexOfLine(lines, "INDEXFILE=mine.tpl.dir\\gallery.txt.html"), 0);

    // A "no Template" clicked on the tab is taken too.
    Find<QRadioButton>(templatePage, "NoTemplateRadioButton")->click();
    test::ChooseFile(w->root / "plain.tpl");
    Find<QAction>(&w->main, "SaveSettingsAsTemplate1")->trigger();
    EXPECT_TRUE(FileExists(w->root / "plain.tpl"));
    EXPECT_EQ(w->ws.Main.TemplateName, "- no template -");
    EXPECT_EQ(Find<QLineEdit>(&w->main, "TemplateNameEdit")->text(), "- no template -");
}

TEST_F(MainWindowTabsTest, TheInternetMenuOpensTheFtpWindowOnTheHTMLDirectory) {
    w->ws.Main.HTMLDir = w->site;
    ForceDirectories(w->site);
    QString title, localFolder;
    test::AnswerNextModal([&](QWidget* modal) {
        title = modal->windowTitle();
        if (auto* folder = modal->findChild<QLineEdit*>("LocalDirEdit"))
            localFolder = folder->text();
        modal->close();
    });
    auto* entry = Find<QAction>(&w->main, "FTP1");
    EXPECT_TRUE(entry->isEnabled());
    entry->trigger();
    EXPECT_EQ(title, "Orvik Folioscope FTP");
    EXPECT_EQ(localFolder.toStdString(), w->site);
}

TEST_F(MainWindowTabsTest, UseWizardFromAnyTabEndsOnTheGeneralTab) {
    Page(ImagesTab);
    bool wizardShown = false;
    std::function<void(QWidget*)> answer = [&](QWidget* modal) {
        // The wizard asks for a template first.
        if (modal->windowTitle() == "Folioscope Select Template") {
            test::AnswerNextModal(answer);
            Find<QPushButton>(Find<QWidget>(modal, "Panel1"), "CancelButton")->click();
            return;
        }
        wizardShown = modal->windowTitle().startsWith("Folioscope Wizard");
        Find<QPushButton>(modal, "CloseWizardButton")->click();
    };
    test::AnswerNextModal(answer);
    Find<QAction>(&w->main, "UseWizard1")->trigger();
    EXPECT_TRUE(wizardShown);
    EXPECT_EQ(w->main.Tabs()->currentIndex(), GeneralTab);
    // The panels the wizard borrowed are back on their tabs.
    EXPECT_TRUE(Find<QWidget>(Page(ImagesTab), "ImagesListBox")->isVisible());
    EXPECT_TRUE(Find<QWidget>(Page(TemplateTab), "TemplateComboBox")->isVisible());
}

TEST_F(MainWindowTabsTest, TheWizardButtonsOfThePanelsAreEnabled) {
    EXPECT_TRUE(Find<QPushButton>(Page(TemplateTab), "ColorWizardButton")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>(Page(ImageSchemeTab), "SchemeWizardButton")->isEnabled());
}

}  // namespace
}  // namespace fsc
