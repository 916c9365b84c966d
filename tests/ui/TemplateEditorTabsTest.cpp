// The "HTML Templates" and "File Manager" panels on a real template and real files: the
// page list, typing into the template, Open and Save, and the file list with its dialogs.
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include "WorkflowFixture.h"
#include "base/IRandom.h"
#include "ui/TFileEditorForm.h"
#include "ui/THTMLTemplateEditorForm.h"

namespace fsc {
namespace {

using test::AnswerNextModal;
using test::Find;

// Types `name` into the real file dialog (folder and all) and accepts; `after` runs once the
// dialog has taken the name, before the program reads the file.
void ChooseInFileDialog(const std::string& path, std::function<void()> after = {}) {
    AnswerNextModal([path, after](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        Find<QLineEdit>(dialog, "fileNameEdit")->setText(QString::fromStdString(path));
        static_cast<QDialog*>(dialog)->accept();
        if (after) after();
    });
}

// Answers the next question, first reading its two lines.
void AnswerQuestion(bool yes, std::string* lines = nullptr, std::function<void()> next = {}) {
    AnswerNextModal([yes, lines, next](QWidget* modal) {
        if (lines)
            *lines = (Find<QLabel>(modal, "StatementLabel")->text() + " / " +
                      Find<QLabel>(modal, "QuestionLabel")->text())
                         .toStdString();
        if (next) next();
        Find<QPushButton>(modal, yes ? "YesButton" : "NoButton")->click();
    });
}

// The application exists before any window a fixture holds.
struct Application {
    Application() { test::EnsureApplication(); }
};

class HTMLTemplatesTabTest : public ::testing::Test {
protected:
    void SetUp() override {
        TTemplate& tpl = ws.Template;
        tpl.IndexPage = {"<html>index</html>"};
        tpl.GalleryPage = TStringList{"<html>gallery</html>"};
        tpl.ImagePageSkeleton = {"<html>image</html>"};
        tpl.ExtraPages.push_back({{"<frameset>"}, "", "frame.htm", "/src/frame.htm"});
        form.Reload();
    }
    QPlainTextEdit* Box() { return Find<QPlainTextEdit>(form.Panel(), "HTMLMemo"); }
    std::string BoxText() { return Box()->toPlainText().toStdString(); }
    void Choose(const char* entry) {
        auto* pages = Find<QComboBox>(form.Panel(), "PageComboBox");
        const int index = pages->findText(entry);
        ASSERT_GE(index, 0) << entry;
        pages->setCurrentIndex(index);
        pages->activated(index);
    }
    // Every text the editor may write into.
    auto Texts() const {
        const TTemplate& tpl = ws.Template;
        return std::make_tuple(tpl.IndexPage, tpl.GalleryPage, tpl.ImagePageSkeleton,
                               tpl.ExtraPages);
    }

    Application application;
    test::TempDir dir;
    Workspace ws;
    THTMLTemplateEditorForm form{ws, {}};
};

TEST_F(HTMLTemplatesTabTest, PageListNamesTheGalleryPageUnusedWhenTheIndexIsTheGallery) {
    const std::pair<bool, QStringList> cases[] = {
        {true, {"Index/Gallery HTML", "Gallery HTML (not used)", "Image HTML", "frame.htm"}},
        {false, {"Index HTML", "Gallery HTML", "Image HTML", "frame.htm"}},
    };
    for (const auto& [indexIsGallery, entries] : cases) {
        ws.Template.IndexIsGallery = indexIsGallery;
        form.Reload();
        auto* pages = Find<QComboBox>(form.Panel(), "PageComboBox");
        QStringList shown;
        for (int index = 0; index < pages->count(); ++index) shown << pages->itemText(index);
        EXPECT_EQ(shown, entries);
        EXPECT_EQ(pages->currentIndex(), 0);
        EXPECT_EQ(BoxText(), "<html>index</html>\n");
    }
    EXPECT_EQ(Box()->lineWrapMode(), QPlainTextEdit::NoWrap);
    // Without a help window "Help" cannot be pressed.
    EXPECT_FALSE(Find<QPushButton>(form.Panel(), "HTMLHelpButton")->isEnabled());
}

TEST_F(HTMLTemplatesTabTest, TypingGoesIntoTheChosenTextOnly) {
    Choose("Image HTML");
    QTest::keyClicks(Box(), "<!-x->");
    EXPECT_EQ(ws.Template.ImagePageSkeleton, TStringList{"<!-x-><html>image</html>"});
    Choose("frame.htm");
    QTest::keyClicks(Box(), "<");
    EXPECT_EQ(ws.Template.ExtraPages[0].Lines, TStringList{"<<frameset>"});
    EXPECT_EQ(ws.Template.IndexPage, TStringList{"<html>index</html>"});

    // The unused gallery page is no target: the box keeps its text and typing goes nowhere.
    const auto before = Texts();
    Choose("Gallery HTML (not used)");
    EXPECT_EQ(BoxText(), "<<frameset>\n");
    QTest::keyClicks(Box(), "lost");
    EXPECT_EQ(Texts(), before);
}

TEST_F(HTMLTemplatesTabTest, ATextThatIsNoUTF8KeepsItsBytesWhenEdited) {
    ws.Template.IndexPage = {"caf\xE9\xA0x"};
    form.Reload();
    QTest::keyClicks(Box(), "!");
    EXPECT_EQ(ws.Template.IndexPage, TStringList{"!caf\xE9\xA0x"});
}

TEST_F(HTMLTemplatesTabTest, TypingAfterAReloadElsewhereDoesNotWriteTheOldTextIntoTheNewTarget) {
    Choose("Image HTML");
    // A build read a fresh template and reloaded the editor while the box showed the image page.
    ws.Template.IndexPage = {"<html>fresh</html>"};
    ReloadHTMLTemplateEditor(ws.TemplateEditor, ws.Template);
    QTest::keyClicks(Box(), "x");
    EXPECT_EQ(ws.Template.IndexPage, TStringList{"<html>fresh</html>"});
    EXPECT_EQ(ws.Template.ImagePageSkeleton, TStringList{"<html>image</html>"});
    EXPECT_EQ(BoxText(), "<html>fresh</html>\n");

    // The main window's way to catch up after a command: only a reload shows anew.
    Choose("Image HTML");
    form.ShowChanges();
    EXPECT_EQ(BoxText(), "<html>image</html>\n");
    ReloadHTMLTemplateEditor(ws.TemplateEditor, ws.Template);
    form.ShowChanges();
    EXPECT_EQ(BoxText(), "<html>fresh</html>\n");
}

TEST_F(HTMLTemplatesTabTest, OpenLoadsIntoTheTargetAndAnUnreadableFileChangesNothing) {
    SaveLines(dir / "page.html", {"<p>one</p>", "<p>two</p>"});
    Choose("Image HTML");
    ChooseInFileDialog(dir / "page.html");
    Find<QPushButton>(form.Panel(), "OpenHTMLButton")->click();
    EXPECT_EQ(ws.Template.ImagePageSkeleton, (TStringList{"<p>one</p>", "<p>two</p>"}));
    EXPECT_EQ(BoxText(), "<p>one</p>\n<p>two</p>\n");

    // The file goes away between the choice and the reading.
    SaveLines(dir / "gone.html", {"never"});
    std::string error, title;
    ChooseInFileDialog(dir / "gone.html", [&] {
        DeleteFileIfExists(dir / "gone.html");
        test::ReadNextMessageBox(error, title);
    });
    Find<QPushButton>(form.Panel(), "OpenHTMLButton")->click();
    EXPECT_NE(error.find("gone.html"), std::string::npos) << error;
    EXPECT_EQ(ws.Template.ImagePageSkeleton, (TStringList{"<p>one</p>", "<p>two</p>"}));
    EXPECT_EQ(BoxText(), "<p>one</p>\n<p>two</p>\n");
}

TEST_F(HTMLTemplatesTabTest, SaveWritesWhatTheBoxShows) {
    QTest::keyClicks(Box(), "<!-x->");
    ChooseInFileDialog(dir / "copy.html");
    Find<QPushButton>(form.Panel(), "SaveHTMLButton")->click();
    EXPECT_EQ(LoadLines(dir / "copy.html"), TStringList{"<!-x-><html>index</html>"});
}

TEST(HTMLTemplatesBuildTest, TheNextBuildUsesTheEditedImagePage) {
    test::EnsureApplication();
    test::Windows w;
    THTMLTemplateEditorForm form{w.ws, {}};
    form.Reload();
    auto* pages = Find<QComboBox>(form.Panel(), "PageComboBox");
    pages->activated(pages->findText("Image HTML"));
    auto* box = Find<QPlainTextEdit>(form.Panel(), "HTMLMemo");
    box->selectAll();
    QTest::keyClicks(box, "<html>edited image page</html>");

    w.Picture("one.jpg");
    w.AddThroughDialog("\"one.jpg\"");
    w.main.Tabs()->setCurrentIndex(GeneralTab);
    Find<QCheckBox>(&w.main, "LinkToHTMLCheckBox")->click();
    w.Type("HTMLDIREdit", w.site.c_str());
    w.Type("HTMLFileEdit", "index");
    Find<QAction>(&w.main, "CreateGallery1")->trigger();
    EXPECT_NE(ReadFileBytes(w.site + "/images/image_one.jpg.html").find("edited image page"),
              std::string::npos);
}

class FileManagerTabTest : public ::testing::Test {
protected:
    class FixedRandom final : public IRandom {
    public:
        int Random(int) override { return 5; }
    };

    void SetUp() override {
        SaveLines(dir / "frame.htm", {"<frameset>"});
        SaveLines(dir / "style.css", {"body {}"});
    }
    // "Add" through the real file dialog, then "Edit File Parameters" with `directory`.
    void Add(const std::string& file, const char* directory, std::string* offered = nullptr) {
        ChooseInFileDialog(dir / file, [this, directory, offered] {
            AnswerNextModal([directory, offered](QWidget* edit) {
                auto* dirEdit = Find<QLineEdit>(edit, "DirEdit");
                if (offered)
                    *offered = (dirEdit->text() + "|" + Find<QLineEdit>(edit, "NameEdit")->text())
                                   .toStdString();
                dirEdit->setText(directory);
                Find<QPushButton>(edit, "OKButton")->click();
            });
        });
        Click("AddFileButton");
    }
    void Click(const char* name) { Find<QAbstractButton>(form.Panel(), name)->click(); }
    std::vector<std::string> Rows() {
        auto* grid = Find<QTableWidget>(form.Panel(), "StringGrid1");
        std::vector<std::string> rows;
        for (int row = 0; row < grid->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < 4; ++column) cells << grid->item(row, column)->text();
            rows.push_back(cells.join('|').toStdString());
        }
        return rows;
    }
    void Select(int row) {
        Find<QTableWidget>(form.Panel(), "StringGrid1")->setCurrentCell(row, 0);
    }

    Application application;
    test::TempDir dir;
    Workspace ws;
    TAskForm ask;
    QtMessages messages;
    FixedRandom random;
    TFileEditorForm form{ws, ask, messages, random};
};

TEST_F(FileManagerTabTest, AddedHTMLPagesListAboveOtherFilesAndKeepTheirText) {
    std::string offered;
    Add("style.css", "css", &offered);
    EXPECT_EQ(offered, "|style.css");
    Add("frame.htm", "");
    const std::vector<std::string> expected = {"HTML|" + dir / "frame.htm" + "||frame.htm",
                                               "Other|" + dir / "style.css" + "|css|style.css"};
    EXPECT_EQ(Rows(), expected);
    EXPECT_EQ(ws.Template.ExtraPages.at(0).Lines, TStringList{"<frameset>"});
    // The editor's page list names the new page at once.
    EXPECT_EQ(ws.TemplateEditor.Pages.back(), "frame.htm");

    // A page that cannot be read when it is added adds nothing.
    SaveLines(dir / "gone.htm", {"x"});
    std::string error, title;
    ChooseInFileDialog(dir / "gone.htm", [&] {
        DeleteFileIfExists(dir / "gone.htm");
        AnswerNextModal([&](QWidget* edit) {
            test::ReadNextMessageBox(error, title);
            Find<QPushButton>(edit, "OKButton")->click();
        });
    });
    Click("AddFileButton");
    EXPECT_NE(error.find("gone.htm"), std::string::npos) << error;
    EXPECT_EQ(Rows(), expected);
}

TEST_F(FileManagerTabTest, RemoveAndEditActOnTheChosenRowAfterTheirDialogs) {
    ws.Template.ExtraPages.push_back({{}, "", "frame.htm", "/t/frame.htm"});
    ws.Template.CopyFiles = {{"", "a.css", "/t/a.css"}, {"", "b.css", "/t/b.css"}};
    form.Refresh();
    Select(2);
    std::string lines;
    AnswerQuestion(false, &lines);
    Click("RemoveFileButton");
    EXPECT_EQ(lines, "This will remove this file from the list. / Are you sure?");
    EXPECT_EQ(ws.Template.CopyFiles.size(), 2u);
    AnswerQuestion(true);
    Click("RemoveFileButton");
    ASSERT_EQ(ws.Template.CopyFiles.size(), 1u);
    EXPECT_EQ(ws.Template.CopyFiles[0].FileName, "a.css");

    Select(0);
    AnswerNextModal([](QWidget* edit) {
        EXPECT_EQ(Find<QLineEdit>(edit, "NameEdit")->text(), "frame.htm");
        Find<QLineEdit>(edit, "DirEdit")->setText("frames");
        Find<QLineEdit>(edit, "NameEdit")->setText("top.htm");
        Find<QPushButton>(edit, "OKButton")->click();
    });
    Click("EditFileButton");
    EXPECT_EQ(Rows().at(0), "HTML|/t/frame.htm|frames|top.htm");
    EXPECT_EQ(ws.Template.ExtraPages[0].SourceFile, "/t/frame.htm");
}

TEST_F(FileManagerTabTest, SwitchingToASeparateGalleryAsksNamesItAndGivesItThePage) {
    auto* nameEdit = Find<QLineEdit>(form.Panel(), "GalleryNameEdit");
    auto* separate = Find<QRadioButton>(form.Panel(), "IndexIsNotGalleryRadioButton");
    EXPECT_FALSE(nameEdit->isEnabled());
    EXPECT_EQ(nameEdit->palette().color(QPalette::Base),
              QApplication::palette().color(QPalette::ToolTipBase));

    std::string lines;
    AnswerQuestion(false, &lines);
    separate->click();
    EXPECT_EQ(lines,
              "Are you sure? / If it is not linked from the index file, the gallery won't be "
              "displayed.");
    EXPECT_TRUE(ws.Template.IndexIsGallery);
    EXPECT_FALSE(separate->isChecked());

    std::string text, title;
    AnswerQuestion(true, nullptr, [&] { test::ReadNextMessageBox(text, title); });
    separate->click();
    EXPECT_EQ(title, "Information");
    EXPECT_EQ(text,
              "Created new gallery name. The gallery HTML content was set to the default "
              "gallery HTML. You can edit it on the HTML Template page.");
    EXPECT_FALSE(ws.Template.IndexIsGallery);
    EXPECT_EQ(ws.Template.GalleryPageName, "gal100004.html");
    EXPECT_EQ(ws.Template.GalleryPage, DefaultPageSkeleton());
    EXPECT_EQ(nameEdit->text(), "gal100004.html");
    EXPECT_TRUE(nameEdit->isEnabled());
    EXPECT_EQ(nameEdit->palette().color(QPalette::Base),
              QApplication::palette().color(QPalette::Base));
    QTest::keyClicks(nameEdit, "x");
    EXPECT_EQ(ws.Template.GalleryPageName, "gal100004.htmlx");

    AnswerQuestion(false, &lines);
    Click("IndexIsGalleryRadioButton");
    EXPECT_EQ(lines,
              "Are you sure? / Please take care that the index HTML template has a gallery tag!");
    EXPECT_TRUE(separate->isChecked());
    AnswerQuestion(true);
    Click("IndexIsGalleryRadioButton");
    EXPECT_TRUE(ws.Template.IndexIsGallery);
    EXPECT_FALSE(nameEdit->isEnabled());
}

}  // namespace
}  // namespace fsc
