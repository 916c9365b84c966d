// The template file manager: the grid, add, remove, edit and the index-is-gallery switch.
#include <gtest/gtest.h>

#include <deque>

#include "base/Errors.h"
#include "base/Files.h"
#include "support/TempDir.h"
#include "tools/FileManagerRows.h"
#include "tools/IndexIsGallerySwitch.h"
#include "tools/TemplateFileManager.h"

namespace fsc {
namespace {

using test::TempDir;

// Answers from a script and remembers every question; an unexpected one fails.
class TScriptedAsk final : public IAsk {
public:
    std::deque<bool> Answers;
    std::vector<std::string> Asked;
    bool Ask(const std::string& statement, const std::string& question) override {
        Asked.push_back(statement + " / " + question);
        if (Answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << Asked.back();
            return false;
        }
        const bool answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
};

// The "Edit File Parameters" dialog: records what it showed and answers with OK and new
// values, or Cancel.
class TScriptedDialog final : public IFileParametersDialog {
public:
    bool Ok = true;
    std::string NewDirectory, NewName;
    std::vector<std::pair<std::string, std::string>> Shown;
    bool Execute(std::string& directory, std::string& fileName) override {
        Shown.emplace_back(directory, fileName);
        if (!Ok) return false;
        directory = NewDirectory;
        fileName = NewName;
        return true;
    }
};

class TFixedRandom final : public IRandom {
public:
    int Value = 0;
    std::vector<int> Ranges;
    int Random(int range) override {
        Ranges.push_back(range);
        return Value;
    }
};

class TRecordedMessages final : public IMessages {
public:
    std::vector<std::string> Information;
    void ShowError(const std::string& text) override { ADD_FAILURE() << "error box: " << text; }
    void ShowInformation(const std::string& text) override { Information.push_back(text); }
    void ShowMessage(const std::string& text) override { ADD_FAILURE() << "message: " << text; }
};

class FileManager : public ::testing::Test {
protected:
    std::string File(const std::string& name, const std::string& text = "<p>x</p>\r\n") {
        const std::string path = dir / name;
        WriteFileBytes(path, text);
        return path;
    }
    void Add(const std::string& path, const std::string& subDir = "") {
        dialog.Ok = true;
        dialog.NewDirectory = subDir;
        dialog.NewName = ExtractName(path);
        AddTemplateFile(ws, path, dialog);
    }
    static std::string ExtractName(const std::string& path) {
        return path.substr(path.find_last_of('/') + 1);
    }
    std::vector<std::string> Column(int column) {
        std::vector<std::string> cells;
        const TFileManagerPanel panel = RefreshFileManager(ws.Template);
        for (std::size_t row = FileManagerFirstEntryRow; row < panel.Rows.size(); ++row) {
            cells.push_back(panel.Rows[row][std::size_t(column)]);
        }
        return cells;
    }

    TempDir dir;
    Workspace ws;
    TScriptedDialog dialog;
    TScriptedAsk ask;
};

using Cells = std::vector<std::string>;

TEST_F(FileManager, GridHasHeaderDividerThenHtmlRowsBeforeOtherRows) {
    const TFileManagerPanel empty = RefreshFileManager(ws.Template);
    ASSERT_EQ(empty.Rows.size(), 2u);
    EXPECT_EQ(empty.Rows[0], (TFileManagerRow{"File Type", "Source", "Directory", "Name"}));
    EXPECT_EQ(empty.Rows[1], TFileManagerRow{});
    EXPECT_TRUE(empty.IndexIsGallery);
    EXPECT_FALSE(empty.GalleryNameEnabled);

    // Whatever the order of adding, extra pages are listed before plain copies.
    Add(File("style.css"), "css");
    Add(File("frame.htm"));
    Add(File("logo.png"));
    Add(File("page.PHP"), "sub");
    EXPECT_EQ(Column(0), (Cells{"HTML", "HTML", "Other", "Other"}));
    EXPECT_EQ(Column(1),
              (Cells{dir / "frame.htm", dir / "page.PHP", dir / "style.css", dir / "logo.png"}));
    EXPECT_EQ(Column(2), (Cells{"", "sub", "css", ""}));
    EXPECT_EQ(Column(3), (Cells{"frame.htm", "page.PHP", "style.css", "logo.png"}));
}

TEST_F(FileManager, AddedPageKeepsTheTextOfTheMomentAndTheDialogFields) {
    const std::string source = File("frame.html", "<p>first</p>\r\n<p><!-PARA=T-></p>\r\n");
    dialog.NewDirectory = "pages";
    dialog.NewName = "renamed.html";
    AddTemplateFile(ws, source, dialog);
    WriteFileBytes(source, "<p>changed later</p>\r\n");
    ASSERT_EQ(dialog.Shown.size(), 1u);
    EXPECT_EQ(dialog.Shown[0], (std::pair<std::string, std::string>{"", "frame.html"}));
    ASSERT_EQ(ws.Template.ExtraPages.size(), 1u);
    const TFSC_File& page = ws.Template.ExtraPages[0];
    EXPECT_EQ(page.Lines, (TStringList{"<p>first</p>", "<p><!-PARA=T-></p>"}));
    EXPECT_EQ(page.SubDir, "pages");
    EXPECT_EQ(page.FileName, "renamed.html");
    EXPECT_EQ(page.SourceFile, source);
    EXPECT_EQ(page.PageNumber, 0);
    EXPECT_EQ(page.ImageNumber, 0);
    // The HTML template editor lists the new page at once.
    EXPECT_EQ(ws.TemplateEditor.Pages, EditorPageList(ws.Template));
}

TEST_F(FileManager, AddFollowsTheProgramOptionsHtmlExtensions) {
    ws.Program.HTMLExt = {"HTML", "HTM", "SHTML"};
    Add(File("a.shtml"));
    Add(File("b.php"));
    EXPECT_EQ(Column(0), (Cells{"HTML", "Other"}));
}

TEST_F(FileManager, CancelledOrFailedAddChangesNothing) {
    AddTemplateFile(ws, std::nullopt, dialog);
    EXPECT_TRUE(dialog.Shown.empty());
    dialog.Ok = false;
    AddTemplateFile(ws, File("a.html"), dialog);
    EXPECT_EQ(dialog.Shown.size(), 1u);
    // A page that cannot be read is an error and leaves the list alone.
    dialog.Ok = true;
    dialog.NewName = "gone.html";
    try {
        AddTemplateFile(ws, dir / "gone.html", dialog);
        ADD_FAILURE() << "an unreadable page was added";
    } catch (const EFSC_Exception& error) {
        EXPECT_NE(std::string(error.what()).find(dir / "gone.html"), std::string::npos)
            << error.what();
    }
    EXPECT_TRUE(ws.Template.ExtraPages.empty());
    EXPECT_TRUE(ws.Template.CopyFiles.empty());
}

TEST_F(FileManager, RemoveCountsEachKindOnItsOwnAfterTheQuestion) {
    Add(File("one.css"));
    Add(File("frame.htm"));
    Add(File("two.css"));
    Add(File("three.css"));
    // Row 2 is frame.htm, rows 3 to 5 the copies: row 4 is the second copy.
    ask.Answers = {true};
    RemoveTemplateFile(ws, 4, ask);
    EXPECT_EQ(ask.Asked, (Cells{"This will remove this file from the list. / Are you sure?"}));
    EXPECT_EQ(Column(3), (Cells{"frame.htm", "one.css", "three.css"}));

    ask.Answers = {false};
    RemoveTemplateFile(ws, 2, ask);
    EXPECT_EQ(Column(3), (Cells{"frame.htm", "one.css", "three.css"}));

    ask.Answers = {true};
    RemoveTemplateFile(ws, 2, ask);
    EXPECT_EQ(Column(3), (Cells{"one.css", "three.css"}));
    EXPECT_EQ(ws.TemplateEditor.Pages, EditorPageList(ws.Template));
}

TEST_F(FileManager, RemoveAndEditIgnoreHeaderDividerAndRowsPastTheEnd) {
    Add(File("frame.htm"));
    Add(File("one.css"));
    for (const int row : {FileManagerHeaderRow, FileManagerDividerRow, 4, 99, -1}) {
        ask.Answers = {true};
        RemoveTemplateFile(ws, row, ask);
        dialog.Shown.clear();
        EditTemplateFile(ws, row, dialog);
        EXPECT_TRUE(dialog.Shown.empty()) << row;
        EXPECT_EQ(Column(3), (Cells{"frame.htm", "one.css"})) << row;
    }
}

TEST_F(FileManager, EditChangesDirectoryAndNameButNeverTheSource) {
    Add(File("frame.htm"));
    Add(File("one.css"), "styles");
    struct Case {
        int Row;
        std::pair<std::string, std::string> Shown;
    };
    for (const Case& c : {Case{2, {"", "frame.htm"}}, Case{3, {"styles", "one.css"}}}) {
        dialog.Shown.clear();
        dialog.NewDirectory = "d" + std::to_string(c.Row);
        dialog.NewName = "n" + std::to_string(c.Row);
        EditTemplateFile(ws, c.Row, dialog);
        ASSERT_EQ(dialog.Shown.size(), 1u) << c.Row;
        EXPECT_EQ(dialog.Shown[0], c.Shown) << c.Row;
    }
    EXPECT_EQ(Column(1), (Cells{dir / "frame.htm", dir / "one.css"}));
    EXPECT_EQ(Column(2), (Cells{"d2", "d3"}));
    EXPECT_EQ(Column(3), (Cells{"n2", "n3"}));

    dialog.Ok = false;
    EditTemplateFile(ws, 2, dialog);
    EXPECT_EQ(Column(3), (Cells{"n2", "n3"}));
}

TEST_F(FileManager, GalleryNameFieldFollowsTheTemplate) {
    SetGalleryPageName(ws, "thumbs.html");
    ws.Template.IndexIsGallery = false;
    const TFileManagerPanel panel = RefreshFileManager(ws.Template);
    EXPECT_EQ(panel.GalleryName, "thumbs.html");
    EXPECT_FALSE(panel.IndexIsGallery);
    EXPECT_TRUE(panel.GalleryNameEnabled);
}

class GallerySwitch : public FileManager {
protected:
    void Switch(bool indexIsGallery) {
        SwitchIndexIsGallery(ws, indexIsGallery, ask, random, messages);
    }
    TFixedRandom random;
    TRecordedMessages messages;
};

TEST_F(GallerySwitch, NotTheSameCreatesAGalleryNameAndTheDefaultPage) {
    ws.Program.DefaultHTMLExt = "htm";
    random.Value = 12345;
    ask.Answers = {true};
    Switch(false);
    EXPECT_EQ(ask.Asked, (Cells{"Are you sure? / If it is not linked from the index file, the "
                                "gallery won't be displayed."}));
    EXPECT_EQ(random.Ranges, std::vector<int>{999999});
    EXPECT_FALSE(ws.Template.IndexIsGallery);
    EXPECT_EQ(ws.Template.GalleryPageName, "gal112344.htm");
    ASSERT_TRUE(ws.Template.GalleryPage);
    EXPECT_EQ(*ws.Template.GalleryPage, DefaultPageSkeleton());
    EXPECT_EQ(messages.Information,
              (Cells{"Created new gallery name. The gallery HTML content was set to the default "
                     "gallery HTML. You can edit it on the HTML Template page."}));
    EXPECT_TRUE(RefreshFileManager(ws.Template).GalleryNameEnabled);
}

TEST_F(GallerySwitch, GeneratedNamesSpanTheirWholeRange) {
    struct Case {
        int Random;
        std::string Ext, Name;
    };
    for (const Case& c : {Case{0, "html", "gal99999.html"}, Case{999998, "html", "gal1099997.html"},
                          Case{7, "", "gal100006.html"}, Case{1, "php", "gal100000.php"}}) {
        random.Value = c.Random;
        EXPECT_EQ(GeneratedGalleryName(random, c.Ext), c.Name) << c.Random << " " << c.Ext;
    }
}

TEST_F(GallerySwitch, KeepsAnOldNameAndOldGalleryText) {
    ws.Template.GalleryPageName = "mine.html";
    ws.Template.GalleryPage = TStringList{"<p>old gallery</p>"};
    ask.Answers = {true};
    Switch(false);
    EXPECT_TRUE(random.Ranges.empty());
    EXPECT_EQ(ws.Template.GalleryPageName, "mine.html");
    EXPECT_EQ(*ws.Template.GalleryPage, TStringList{"<p>old gallery</p>"});
    EXPECT_EQ(messages.Information,
              (Cells{" Used old contents for the gallery HTML. You can edit it on the HTML "
                     "Template page."}));
}

TEST_F(GallerySwitch, BlankGalleryTextGetsTheDefault) {
    ws.Template.GalleryPageName = "mine.html";
    ws.Template.GalleryPage = TStringList{"  ", ""};
    ask.Answers = {true};
    Switch(false);
    EXPECT_EQ(*ws.Template.GalleryPage, DefaultPageSkeleton());
    ASSERT_EQ(messages.Information.size(), 1u);
    EXPECT_EQ(messages.Information[0].rfind(" The gallery HTML content was set", 0), 0u);
}

TEST_F(GallerySwitch, NoLeavesEverythingAndTheButtonsGoBack) {
    ask.Answers = {false};
    Switch(false);
    EXPECT_TRUE(ws.Template.IndexIsGallery);
    EXPECT_TRUE(ws.Template.GalleryPageName.empty());
    EXPECT_FALSE(ws.Template.GalleryPage);
    EXPECT_TRUE(messages.Information.empty());
    EXPECT_TRUE(RefreshFileManager(ws.Template).IndexIsGallery);

    ws.Template.IndexIsGallery = false;
    ask.Answers = {false};
    Switch(true);
    EXPECT_FALSE(RefreshFileManager(ws.Template).IndexIsGallery);
}

TEST_F(GallerySwitch, BackToIndexIsGalleryAsksItsOwnQuestion) {
    ws.Template.IndexIsGallery = false;
    ws.Template.GalleryPageName = "g.html";
    ask.Answers = {true};
    Switch(true);
    EXPECT_EQ(ask.Asked, (Cells{"Are you sure? / Please take care that the index HTML template "
                                "has a gallery tag!"}));
    EXPECT_TRUE(ws.Template.IndexIsGallery);
    EXPECT_EQ(ws.Template.GalleryPageName, "g.html");
    EXPECT_TRUE(messages.Information.empty());
}

TEST_F(GallerySwitch, ClickingTheCheckedButtonDoesNothing) {
    Switch(true);
    ws.Template.IndexIsGallery = false;
    Switch(false);
    EXPECT_TRUE(ask.Asked.empty());
    EXPECT_TRUE(messages.Information.empty());
}

}  // namespace
}  // namespace fsc
