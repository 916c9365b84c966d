// The scheme editor and the template help window on real files: typing into a scheme,
// switching schemes, opening and saving scheme files, failures that keep the text, and the
// help documents.
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include "app/Workspace.h"
#include "base/AppFolders.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "support/TempDir.h"
#include "templates/TScheme.h"
#include "ui/THelpForm.h"
#include "ui/TSchemeEditorForm.h"
#include "ui/UiTestSupport.h"

namespace fsc {
namespace {

using test::Find;

std::string Shown(QPlainTextEdit* box) { return box->toPlainText().toStdString(); }

// What the box shows for a scheme: its lines, one per row.
std::string AsBoxText(const TStringList& lines) {
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
    return text;
}

// Types at the end of the box, key by key, as the user does; "\n" is the Return key.
void TypeAtEnd(QPlainTextEdit* box, const std::string& text) {
    box->moveCursor(QTextCursor::End);
    std::size_t start = 0;
    for (std::size_t end = text.find('\n'); end != std::string::npos;
         start = end + 1, end = text.find('\n', start)) {
        QTest::keyClicks(box, QString::fromStdString(text.substr(start, end - start)));
        QTest::keyClick(box, Qt::Key_Return);
    }
    QTest::keyClicks(box, QString::fromStdString(text.substr(start)));
}

// Answers the next file dialog with `name` in `folder`, after noting what it offered.
void ChooseFile(const std::string& folder, const std::string& name, QStringList& filters,
                QString& suffix) {
    test::AnswerNextModal([=, &filters, &suffix](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        suffix = dialog->defaultSuffix();
        dialog->setDirectory(QString::fromStdString(folder));
        auto* nameEdit = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(nameEdit, nullptr);
        nameEdit->setText(QString::fromStdString(name));
        static_cast<QDialog*>(dialog)->accept();
    });
}

class SchemeEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureApplication();
        help = std::make_unique<THelpForm>();
        editor = std::make_unique<TSchemeEditorForm>(ws, *help);
        box = Find<QPlainTextEdit>(editor->Panel(), "SchemeMemo");
    }

    test::TempDir root;
    Workspace ws;
    std::unique_ptr<THelpForm> help;
    std::unique_ptr<TSchemeEditorForm> editor;
    QPlainTextEdit* box = nullptr;
};

TEST_F(SchemeEditorTest, StartsOnTheImageSchemeWithItsLayout) {
    EXPECT_EQ(ws.EditedScheme, SchemeImage);
    EXPECT_EQ(Shown(box), AsBoxText(DefaultSchemeText(SchemeImage)));
    EXPECT_EQ(box->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_TRUE(Find<QTextEdit>(editor->Panel(), "SchemeHelpRichEdit")->isReadOnly());
    // Until a wizard is handed in, its button is unusable.
    EXPECT_FALSE(Find<QPushButton>(editor->Panel(), "SchemeWizardButton")->isEnabled());
}

TEST_F(SchemeEditorTest, TypingChangesTheShownSchemeOnly) {
    editor->EditScheme(SchemeNavigation);
    EXPECT_EQ(editor->Panel()->title(), "Navigation Scheme");
    EXPECT_EQ(Shown(box), AsBoxText(DefaultSchemeText(SchemeNavigation)));
    TypeAtEnd(box, "\n<b>x</b>");
    TStringList typed = DefaultSchemeText(SchemeNavigation);
    typed.push_back("<b>x</b>");
    EXPECT_EQ(ws.Schemes.Navigation.Text, typed);

    // Another tab: its scheme is shown, the first keeps what was typed, and undo cannot
    // bring the navigation text into the gallery scheme.
    editor->EditScheme(SchemeGallery);
    EXPECT_EQ(ws.EditedScheme, SchemeGallery);
    EXPECT_EQ(Shown(box), AsBoxText(DefaultSchemeText(SchemeGallery)));
    EXPECT_EQ(ws.Schemes.Navigation.Text, typed);
    EXPECT_EQ(ws.Schemes.Gallery.Text, DefaultSchemeText(SchemeGallery));
    EXPECT_FALSE(box->document()->isUndoAvailable());

    editor->EditScheme(SchemeNavigation);
    EXPECT_EQ(Shown(box), AsBoxText(typed));

    // An empty line at the end is a line of the scheme, as it is in a file.
    box->setPlainText("a\n");
    EXPECT_EQ(ws.Schemes.Navigation.Text, (TStringList{"a", ""}));
    box->clear();
    EXPECT_TRUE(ws.Schemes.Navigation.Text.empty());
}

TEST_F(SchemeEditorTest, TextReplacedElsewhereIsNeverOverwrittenByTheBox) {
    // The edited scheme changes without the box being refilled yet: typing still belongs
    // to the scheme the box shows.
    ws.EditedScheme = SchemeThumbnail;
    TypeAtEnd(box, "!");
    EXPECT_EQ(ws.Schemes.Thumbnail.Text, DefaultSchemeText(SchemeThumbnail));
    EXPECT_EQ(ws.Schemes.Image.Text.back(), DefaultSchemeText(SchemeImage).back() + "!");

    // A template replaces schemes while the panel is away; when it appears again it shows
    // the edited scheme as it is now.
    editor->show();
    editor->Panel()->hide();
    ws.EditedScheme = SchemeImage;
    ws.Schemes.Image.Text = {"from the template"};
    editor->Panel()->show();
    EXPECT_EQ(Shown(box), "from the template");
    TypeAtEnd(box, "?");
    EXPECT_EQ(ws.Schemes.Image.Text, TStringList{"from the template?"});

    // Replaced while the panel stays on screen and nobody refreshed the box: the key is
    // not written over the new text, which is shown instead.
    ws.Schemes.Image.Text = {"from a project"};
    TypeAtEnd(box, "#");
    EXPECT_EQ(ws.Schemes.Image.Text, TStringList{"from a project"});
    EXPECT_EQ(Shown(box), "from a project");
}

TEST_F(SchemeEditorTest, OpenOffersTheKindsFilesAndLoadsOne) {
    const std::string file = root / "links.nvs";
    SaveLines(file, {"<!-IFINDEX-> <a href=\"<!-LINK->\"><!-NAME-></a> <!-ENDIF->", "<hr>"});
    editor->EditScheme(SchemeNavigation);
    QStringList filters;
    QString suffix;
    ChooseFile(root.Path(), "links.nvs", filters, suffix);
    Find<QPushButton>(editor->Panel(), "OpenSchemeButton")->click();

    EXPECT_EQ(filters, QStringList{"Navigation Scheme (*.nvs)"});
    EXPECT_EQ(suffix, "nvs");
    EXPECT_EQ(ws.Schemes.Navigation.Text, LoadLines(file));
    EXPECT_EQ(Shown(box), AsBoxText(LoadLines(file)));
    EXPECT_EQ(ws.Schemes.Gallery.Text, DefaultSchemeText(SchemeGallery));
    // The loaded text is not an edit to be undone into the previous scheme.
    EXPECT_FALSE(box->document()->isUndoAvailable());
}

TEST_F(SchemeEditorTest, SaveWritesTheLinesUnderTheKindsSuffix) {
    TypeAtEnd(box, "\n<p><!-HINT-></p>");
    QStringList filters;
    QString suffix;
    ChooseFile(root.Path(), "mine", filters, suffix);
    Find<QPushButton>(editor->Panel(), "SaveSchemeButton")->click();

    EXPECT_EQ(filters, QStringList{"Image Scheme (*.ims)"});
    const std::string file = root / "mine.ims";
    ASSERT_TRUE(FileExists(file));
    EXPECT_EQ(
        ReadFileBytes(file),
        "<!-IMAGE-> <br> <!-DESCRIPTION-> \r\n<br><br><!-ORVIKLINK-> \r\n<p><!-HINT-></p>\r\n");
}

TEST_F(SchemeEditorTest, FilesThatFailKeepTheTextAndSayWhy) {
    editor->EditScheme(SchemeThumbnail);
    TypeAtEnd(box, " kept");
    const TStringList kept = ws.Schemes.Thumbnail.Text;
    struct Failure {
        const char* Why;
        std::function<void()> Do;
        std::string Named;
    };
    const Failure failures[] = {
        {"missing file", [&] { editor->LoadFromFile(root / "missing.ths"); }, "missing.ths"},
        {"a folder", [&] { editor->LoadFromFile(root.Path()); }, root.Path()},
        {"no such folder", [&] { editor->SaveToFile(root / "no/such/x.ths"); }, "x.ths"},
    };
    for (const Failure& failure : failures) {
        SCOPED_TRACE(failure.Why);
        std::string text, title;
        test::ReadNextMessageBox(text, title);
        failure.Do();
        EXPECT_NE(text.find(failure.Named), std::string::npos) << text;
        EXPECT_EQ(ws.Schemes.Thumbnail.Text, kept);
        EXPECT_EQ(Shown(box), AsBoxText(kept));
    }
    EXPECT_FALSE(FileExists(root / "no/such/x.ths"));
    // The editor goes on working.
    TypeAtEnd(box, "!");
    EXPECT_EQ(ws.Schemes.Thumbnail.Text.back(), kept.back() + "!");
}

TEST_F(SchemeEditorTest, HelpBoxShowsTheSchemeTagsAndHelpOpensTheHelpWindow) {
    auto* helpBox = Find<QTextEdit>(editor->Panel(), "SchemeHelpRichEdit");
    const QString text = helpBox->toPlainText();
    EXPECT_TRUE(text.startsWith("Scheme tags\n")) << text.left(40).toStdString();
    for (const char* tag : {"<!-THUMB->", "<!-IFNEXT->", "<!-GALLERY->", "<!-BACKTOGALLERY->"})
        EXPECT_TRUE(text.contains(tag)) << tag;
    // The RTF markup itself never reaches the reader.
    for (const char* markup : {"\\par", "\\b", "fonttbl", "{", "Helvetica"})
        EXPECT_FALSE(text.contains(markup)) << markup;
    QTextCursor heading(helpBox->document());
    heading.setPosition(1);
    EXPECT_EQ(heading.charFormat().fontWeight(), QFont::Bold);

    Find<QPushButton>(editor->Panel(), "SchemeHelpButton")->click();
    EXPECT_TRUE(help->isVisible());
    EXPECT_FALSE(help->isModal());
}

TEST(SchemeEditorWithoutHelp, ReportsTheMissingFileAndStillEdits) {
    test::EnsureApplication();
    test::TempDir data;
    test::ScopedEnv dataVar("FOLIOSCOPE_DATA_DIR", data.Path());
    Workspace ws;
    std::string text, title;
    test::ReadNextMessageBox(text, title);
    THelpForm help;
    EXPECT_NE(text.find("General.rtf"), std::string::npos) << text;
    test::ReadNextMessageBox(text, title);
    TSchemeEditorForm editor(ws, help);
    EXPECT_NE(text.find("Schemes.rtf"), std::string::npos) << text;
    EXPECT_TRUE(Find<QTextEdit>(editor.Panel(), "SchemeHelpRichEdit")->toPlainText().isEmpty());
    auto* box = Find<QPlainTextEdit>(editor.Panel(), "SchemeMemo");
    box->setPlainText("typed");
    EXPECT_EQ(ws.Schemes.Image.Text, TStringList{"typed"});
}

class HelpFormTest : public ::testing::Test {
protected:
    void SetUp() override { test::EnsureApplication(); }

    static QString BoxText(THelpForm& help) {
        return Find<QTextEdit>(&help, "HelpRichEdit")->toPlainText();
    }
};

TEST_F(HelpFormTest, EachButtonLoadsItsDocument) {
    THelpForm help;
    EXPECT_EQ(help.windowTitle(), "Template and Scheme Help");
    EXPECT_TRUE(Find<QTextEdit>(&help, "HelpRichEdit")->isReadOnly());
    EXPECT_TRUE(BoxText(help).startsWith("Templates and schemes\n"));
    const std::pair<const char*, const char*> buttons[] = {
        {"HTMLTemplatesButton", "HTML and templates\n"},
        {"SchemeTagsButton", "Scheme tags\n"},
        {"GeneralButton", "Templates and schemes\n"},
    };
    for (const auto& [button, heading] : buttons) {
        Find<QPushButton>(&help, button)->click();
        EXPECT_TRUE(BoxText(help).startsWith(heading)) << button;
    }
    help.show();
    Find<QPushButton>(&help, "CloseButton")->click();
    EXPECT_FALSE(help.isVisible());
}

TEST_F(HelpFormTest, AMissingDocumentLeavesTheBoxAndAPlainOneShowsAsText) {
    test::TempDir data;
    test::ScopedEnv dataVar("FOLIOSCOPE_DATA_DIR", data.Path());
    // Not RTF at all: shown as it is, braces and backslashes included.
    SaveLines(data / "General.rtf", {"Plain help {with braces} and C:\\path"});
    THelpForm help;
    EXPECT_EQ(BoxText(help), "Plain help {with braces} and C:\\path\n");

    std::string text, title;
    test::ReadNextMessageBox(text, title);
    Find<QPushButton>(&help, "HTMLTemplatesButton")->click();
    EXPECT_NE(text.find("HTMLTemp.rtf"), std::string::npos) << text;
    EXPECT_EQ(BoxText(help), "Plain help {with braces} and C:\\path\n");
}

}  // namespace
}  // namespace fsc
