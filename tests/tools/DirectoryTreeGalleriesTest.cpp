// The directory-tree galleries on real folders: the galleries, covers and links of a tree, a
// second run, undo, foreign pages, the input checks and the user's project put back.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "app/AddImages.h"
#include "app/CommandTestSupport.h"
#include "base/Errors.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "engine/CancelBuild.h"
#include "engine/GalleryHistories.h"
#include "engine/Undo.h"
#include "imaging/BmpReader.h"
#include "tools/DirectoryTreeGalleries.h"
#include "tools/PlaceholderPicture.h"
#include "tools/TreeFolderPictures.h"
#include "tools/TreeNavigation.h"

namespace fsc {
namespace {

using test::IsOld;
using test::MakeOld;
using test::MessageOf;
using test::ReadPicture;
using test::TCommandFixture;

class DirectoryTreeTest : public ::testing::Test {
protected:
    TCommandFixture f;
    std::string Tree = f.Root / "tree";
    std::string Work = f.State + "/temp";
    DirectoryTreeOptions Options;

    DirectoryTreeTest() {
        ForceDirectories(Tree + "/a/b");
        Options.Directory = Tree;
        // The user's own gallery, which the tool must leave as it found it.
        AddOneFile(f.Ws.Images, f.Picture("mine.jpg"));
        f.Ws.Main.HTMLFile = "mine.html";
    }

    bool Run() { return CreateDirectoryTreeGalleries(f.Ws, f.Panel, Options, f.Services, Work); }

    std::string Page(const std::string& folder) { return ReadFileBytes(folder + "/index.html"); }

    std::vector<std::string> Files(const std::string& folder) {
        std::vector<std::string> names;
        for (const TDirEntry& entry : ListDirectory(folder)) {
            names.push_back(entry.Name + (entry.IsDirectory ? "/" : ""));
        }
        return names;
    }

    static bool Has(const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    }

    void ExpectUsersProject() {
        ASSERT_EQ(f.Ws.Images.size(), 1u);
        EXPECT_EQ(f.Ws.Images[0].Name, "mine.jpg");
        EXPECT_EQ(f.Ws.Main.HTMLDir, f.Site);
        EXPECT_EQ(f.Ws.Main.HTMLFile, "mine.html");
        EXPECT_EQ(f.Ws.Main.ImageDir, "images");
        EXPECT_EQ(f.Ws.Schemes.Navigation.Text, TSchemes().Navigation.Text);
        EXPECT_FALSE(Has(JoinLines(f.Ws.Template.IndexPage), RecurseFileMarker));
    }
};

TEST_F(DirectoryTreeTest, PicturesOnlyDeepDownGiveLinkedGalleriesAllTheWayUp) {
    f.Picture("p1.jpg", 120, 90, "tree/a/b");
    f.Picture("p2.jpg", 90, 120, "tree/a/b");
    const std::string original = ReadFileBytes(Tree + "/a/b/p1.jpg");
    EXPECT_TRUE(Run());

    EXPECT_EQ(Files(Tree + "/a/b"),
              (std::vector<std::string>{"index.html", "p1.jpg", "p1_fsc_th.jpg", "p2.jpg",
                                        "p2_fsc_th.jpg"}));
    EXPECT_EQ(ReadFileBytes(Tree + "/a/b/p1.jpg"), original);
    // A folder without pictures shows a cover of each subfolder, made from its first thumbnail.
    EXPECT_EQ(Files(Tree + "/a"), (std::vector<std::string>{".folioscope-covers", "b/", "b.jpg",
                                                            "b_fsc_th.jpg", "index.html"}));
    EXPECT_EQ(Files(Tree), (std::vector<std::string>{".folioscope-covers", "a/", "a.jpg",
                                                     "a_fsc_th.jpg", "index.html"}));
    EXPECT_EQ(ReadFileBytes(Tree + "/a.jpg"), ReadFileBytes(Tree + "/a/b/p1_fsc_th.jpg"));
    const std::string parent = R"(<a href="../index.html">..</a>)";
    for (const char* shown : {"tree", "tree/a", "tree/a/b"}) {
        const std::string folder = f.Root / shown;
        SCOPED_TRACE(folder);
        EXPECT_EQ(SplitLines(Page(folder)).at(0), RecurseFileMarker);
        EXPECT_TRUE(Has(Page(folder), "<b>Directory: " + std::string(shown) + " </b> <br>"));
        EXPECT_EQ(Has(Page(folder), parent), folder != Tree);
    }
    EXPECT_TRUE(Has(Page(Tree), R"(<a href="a/index.html">a</a>)"));
    EXPECT_TRUE(Has(Page(Tree + "/a"), R"(<a href="b/index.html">b</a>)"));
    EXPECT_TRUE(Has(Page(Tree + "/a/b"), "p2_fsc_th.jpg"));
    EXPECT_EQ(f.Shell.Opened, (std::vector<std::string>{Tree + "/index.html"}));
    EXPECT_TRUE(FileExists(Work + "/template.tpl"));
    ExpectUsersProject();
}

TEST_F(DirectoryTreeTest, ASecondRunTakesItsOwnPagesWithoutAskingAndAddsNothing) {
    f.Picture("p1.jpg", 120, 90, "tree/a/b");
    f.Picture("p2.jpg", 60, 60, "tree/a/b");
    Run();
    const auto first = std::vector{Files(Tree), Files(Tree + "/a"), Files(Tree + "/a/b")};
    for (const std::string& folder : {Tree, Tree + "/a", Tree + "/a/b"})
        MakeOld(folder + "/index.html");
    Run();  // the scripted questions fail the test on any question
    EXPECT_EQ((std::vector{Files(Tree), Files(Tree + "/a"), Files(Tree + "/a/b")}), first);
    for (const std::string& folder : {Tree, Tree + "/a", Tree + "/a/b"}) {
        SCOPED_TRACE(folder);
        // The pages came out as they were, so they were left untouched.
        EXPECT_TRUE(IsOld(folder + "/index.html"));
        EXPECT_FALSE(Has(Page(folder), "_fsc_th_fsc_th"));
    }
    // One cover, not the cover and a copy of it side by side.
    EXPECT_FALSE(Has(Page(Tree + "/a"), "b_2"));
    ExpectUsersProject();
}

TEST_F(DirectoryTreeTest, UndoRemovesEverythingTheRunWrote) {
    f.Picture("p1.jpg", 120, 90, "tree/a/b");
    f.Picture("my photo.jpg", 90, 120, "tree/a/b");
    Run();
    Undo(f.Ws.Journal);
    EXPECT_EQ(Files(Tree), (std::vector<std::string>{"a/"}));
    EXPECT_EQ(Files(Tree + "/a"), (std::vector<std::string>{"b/"}));
    EXPECT_EQ(Files(Tree + "/a/b"), (std::vector<std::string>{"my photo.jpg", "p1.jpg"}));
}

TEST_F(DirectoryTreeTest, WithHistoriesAnAbortTakesBackEveryGalleryOfTheRun) {
    f.Services.HistoryFolder = f.State + "/history";
    f.Picture("p1.jpg", 120, 90, "tree/a/b");
    WriteFileBytes(Tree + "/a/index.html", "<html>my own page</html>");
    f.Ask.Answers = {true};
    // The user's gallery, whose journal the run must neither add to nor undo.
    f.Ws.Journal.CreatedFiles = {f.Site + "/mine.html"};
    const auto treeFiles = [&] {
        std::map<std::string, std::string> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(Tree)) {
            if (entry.is_regular_file()) files[entry.path()] = ReadFileBytes(entry.path());
        }
        return files;
    };
    const auto before = treeFiles();
    // The top folder's build comes third, after the galleries of a/b and a were finished.
    int builds = 0;
    f.Progress.OnText = [&](const std::string& text) {
        if (text == "Folioscope." && ++builds == 3) f.Progress.Abort();
    };
    EXPECT_EQ(MessageOf<EFSC_Exception>([&] { Run(); }), BuildAbortedText);
    EXPECT_EQ(builds, 3);
    EXPECT_EQ(treeFiles(), before);
    EXPECT_TRUE(ListHistories(f.Services.HistoryFolder).empty());
    EXPECT_EQ(f.Ws.Journal.CreatedFiles, TStringList{f.Site + "/mine.html"});
    ExpectUsersProject();
}

TEST_F(DirectoryTreeTest, AForeignPageIsReplacedOnlyAfterYesAndNoSkipsTheSubtree) {
    f.Picture("p1.jpg", 120, 90, "tree/a/b");
    WriteFileBytes(Tree + "/a/index.html", "<html>my own page</html>");
    f.Ask.Answers = {false};
    EXPECT_FALSE(Run());
    ASSERT_EQ(f.Ask.Asked.size(), 1u);
    EXPECT_EQ(f.Ask.Asked[0].first, "index.html already exists in " + Tree + "/a");
    EXPECT_EQ(f.Ask.Asked[0].second, "and is not a file create by this method. Overwrite?");
    EXPECT_EQ(Page(Tree + "/a"), "<html>my own page</html>");
    EXPECT_EQ(Files(Tree), (std::vector<std::string>{"a/"}));
    EXPECT_EQ(Files(Tree + "/a/b"), (std::vector<std::string>{"p1.jpg"}));
    EXPECT_TRUE(f.Shell.Opened.empty());
    ExpectUsersProject();

    f.Ask.Answers = {true};
    EXPECT_TRUE(Run());
    EXPECT_EQ(SplitLines(Page(Tree + "/a")).at(0), RecurseFileMarker);
    EXPECT_TRUE(Has(Page(Tree), R"(<a href="a/index.html">a</a>)"));
}

TEST_F(DirectoryTreeTest, ACopyNeverLandsOnAnotherPictureOfTheFolder) {
    f.Picture("a b.jpg", 120, 90, "tree");
    f.Picture("a_b.jpg", 60, 40, "tree");
    f.Picture("IMG_1.JPG", 90, 60, "tree");
    Run();
    EXPECT_EQ(ReadPicture(Tree + "/a_b.jpg").Width, 60);
    EXPECT_EQ(ReadPicture(Tree + "/a_b_2.jpg").Width, 120);
    EXPECT_TRUE(Has(Page(Tree), R"(href="a_b_2.jpg")"));
    EXPECT_TRUE(Has(Page(Tree), R"(href="a_b.jpg")"));
    EXPECT_TRUE(Has(Page(Tree), R"(href="IMG_1.JPG")"));
}

TEST_F(DirectoryTreeTest, AJpegSpelledOtherwiseIsItsOwnCopy) {
    f.Picture("IMG_1.JPG", 90, 60, "tree/a");
    f.Picture("IMG_2.jpeg", 90, 60, "tree/a");
    Run();
    EXPECT_TRUE(Has(Page(Tree + "/a"), R"(href="IMG_1.JPG")"));
    EXPECT_TRUE(Has(Page(Tree + "/a"), R"(href="IMG_2.jpeg")"));
    // Nothing is written beside it, so a second run finds the same pictures.
    const auto first = Files(Tree + "/a");
    EXPECT_EQ(first, (std::vector<std::string>{"IMG_1.JPG", "IMG_1_fsc_th.jpg", "IMG_2._fsc_th.jpg",
                                               "IMG_2.jpeg", "b/", "index.html"}));
    Run();
    EXPECT_EQ(Files(Tree + "/a"), first);
}

TEST_F(DirectoryTreeTest, FoldersWithoutPicturesOrGalleriesBelowGetNoFiles) {
    ForceDirectories(Tree + "/empty/deeper");
    f.Picture("p1.jpg", 80, 60, "tree/a");
    Run();
    EXPECT_TRUE(Files(Tree + "/empty/deeper").empty());
    EXPECT_EQ(Files(Tree + "/empty"), (std::vector<std::string>{"deeper/"}));
    EXPECT_FALSE(Has(Page(Tree), "empty/"));
    EXPECT_TRUE(Files(Tree + "/a/b").empty());
}

TEST_F(DirectoryTreeTest, ALinkBackUpTheTreeIsVisitedOnlyOnce) {
    f.Picture("p1.jpg", 80, 60, "tree/a");
    std::filesystem::create_directory_symlink(Tree, Tree + "/a/back");
    EXPECT_TRUE(Run());
    EXPECT_TRUE(Has(Page(Tree), R"(<a href="a/index.html">a</a>)"));
    EXPECT_FALSE(Has(Page(Tree + "/a"), "back/"));
}

TEST_F(DirectoryTreeTest, TheProgressLineShowsTheFolderShortened) {
    f.Picture("p1.jpg", 80, 60, "tree/a/b");
    Run();
    const std::string deep = Tree + "/a/b";
    const std::string shown = "Checking dir. ..." + deep.substr(deep.size() - 18);
    EXPECT_NE(std::find(f.Progress.Texts.begin(), f.Progress.Texts.end(), shown),
              f.Progress.Texts.end());
    EXPECT_TRUE(f.Progress.Hidden);
    struct Case {
        std::string Folder, Shown;
    };
    for (const Case& c :
         {Case{"/photos", "/photos"}, Case{"/1234567890123456789", "/1234567890123456789"},
          Case{"/12345678901234567890", "...345678901234567890"}}) {
        EXPECT_EQ(ShownFolderText(c.Folder), c.Shown) << c.Folder;
    }
}

TEST_F(DirectoryTreeTest, WithoutNavigationThePagesCarryOnlyTheUsersScheme) {
    f.Picture("p1.jpg", 120, 90, "tree/a/b");
    Options.NoNavigation = true;
    Run();
    for (const std::string& folder : {Tree, Tree + "/a", Tree + "/a/b"}) {
        SCOPED_TRACE(folder);
        EXPECT_FALSE(Has(Page(folder), "Directory:"));
        EXPECT_FALSE(Has(Page(folder), "index.html\""));
    }
}

TEST_F(DirectoryTreeTest, OnlyTheChosenFolderWithoutSubdirectories) {
    f.Picture("top.jpg", 80, 60, "tree");
    f.Picture("p1.jpg", 80, 60, "tree/a/b");
    Options.IncludeSubdirectories = false;
    Run();
    EXPECT_TRUE(FileExists(Tree + "/index.html"));
    EXPECT_FALSE(Has(Page(Tree), "a/index.html"));
    EXPECT_EQ(Files(Tree + "/a/b"), (std::vector<std::string>{"p1.jpg"}));
}

TEST_F(DirectoryTreeTest, FolderNamesAreWrittenAsTextAndAsWorkingLinks) {
    ForceDirectories(Tree + "/#1 & <co>");
    f.Picture("p.jpg", 80, 60, "tree/#1 & <co>");
    f.Picture("p.jpg", 80, 60, "tree/x:y");
    Run();
    EXPECT_TRUE(
        Has(Page(Tree), R"(<a href="%231%20%26%20%3Cco%3E/index.html">#1 &amp; &lt;co&gt;</a>)"));
    // Not an address with the scheme "x".
    EXPECT_TRUE(Has(Page(Tree), R"(<a href="x%3Ay/index.html">x:y</a>)"));
    EXPECT_TRUE(Has(Page(Tree + "/#1 & <co>"), "#1 &amp; &lt;co&gt; </b>"));
}

TEST_F(DirectoryTreeTest, BadInputStopsBeforeAnythingChanges) {
    WriteFileBytes(f.Root / "plain-file", "x");
    struct Case {
        std::string Directory, FileName, Message;
    };
    for (const Case& c :
         {Case{"", "index.html", "No valid directory selected."},
          Case{f.Root / "missing", "index.html", "No valid directory selected."},
          Case{f.Root / "plain-file", "index.html", "No valid directory selected."},
          Case{Tree, "", "No valid name for files."}, Case{Tree, "   ", "No valid name for files."},
          Case{Tree, "sub/index.html", "No valid name for files."},
          Case{Tree, "sub\\index.html", "No valid name for files."}}) {
        SCOPED_TRACE("\"" + c.Directory + "\" \"" + c.FileName + "\"");
        Options.Directory = c.Directory;
        Options.FileName = c.FileName;
        EXPECT_EQ(MessageOf<EFSC_Exception>([&] { Run(); }), c.Message);
        EXPECT_EQ(Options.FileName, c.FileName);
        EXPECT_FALSE(FileExists(Work + "/template.tpl"));
        EXPECT_TRUE(DirectoryExists(Work));
        EXPECT_EQ(f.Ws.Main.HTMLFile, "mine.html");
        EXPECT_EQ(f.Ws.Images.size(), 1u);
    }
}

TEST_F(DirectoryTreeTest, TheFileNameGetsHtmlAppendedUnlessItEndsSo) {
    struct Case {
        std::string Typed, Used;
    };
    for (const Case& c : {Case{"index", "index.html"}, Case{"PAGE.HTML", "PAGE.HTML"},
                          Case{"gallery.htm", "gallery.htm.html"}, Case{"x.Html", "x.Html"}}) {
        SCOPED_TRACE(c.Typed);
        Options.FileName = c.Typed;
        Run();
        EXPECT_EQ(Options.FileName, c.Used);
    }
}

TEST_F(DirectoryTreeTest, AllowingModificationWithResizeOnAsksFirst) {
    struct Case {
        bool Allow, ResizeWidth, ResizeHeight;
        std::vector<bool> Answers;
        bool Asked, AllowAfter;
    };
    for (const Case& c :
         {Case{true, true, false, {false}, true, false},
          Case{true, false, true, {true}, true, true}, Case{true, false, false, {}, false, true},
          Case{false, true, true, {}, false, false}}) {
        SCOPED_TRACE(testing::Message() << c.Allow << c.ResizeWidth << c.ResizeHeight);
        Options.AllowModify = c.Allow;
        f.Ws.Main.ResizeWidthChecked = c.ResizeWidth;
        f.Ws.Main.ResizeHeightChecked = c.ResizeHeight;
        f.Ask.Asked.clear();
        f.Ask.Answers.assign(c.Answers.begin(), c.Answers.end());
        Run();
        EXPECT_EQ(f.Ask.Asked.size(), c.Asked ? 1u : 0u);
        if (c.Asked) {
            EXPECT_EQ(f.Ask.Asked[0].first,
                      "Are you sure you want to allow to modify the original images?");
            EXPECT_EQ(f.Ask.Asked[0].second, "This will destroy them!");
        }
        EXPECT_EQ(Options.AllowModify, c.AllowAfter);
    }
}

TEST_F(DirectoryTreeTest, OriginalsAreKeptUnlessModificationIsAllowed) {
    f.Picture("big.jpg", 300, 200, "tree");
    f.Ws.Main.ResizeWidthChecked = true;
    f.Ws.Main.GreaterThan = 100;
    f.Ask.Answers = {false};  // "Replace the original image?" of the build, if it asked
    Run();
    EXPECT_EQ(ReadPicture(Tree + "/big.jpg").Width, 300);

    Options.AllowModify = true;
    f.Ask.Answers = {true, true};
    Run();
    EXPECT_EQ(ReadPicture(Tree + "/big.jpg").Width, 100);
}

TEST_F(DirectoryTreeTest, AnErrorInsideTheRunStillPutsTheUsersProjectBack) {
    f.Picture("good.jpg", 80, 60, "tree/a");
    WriteFileBytes(Tree + "/a/b/broken.jpg", "this is no picture");
    EXPECT_TRUE(StartsWith(MessageOf<EFSC_Exception>([&] { Run(); }),
                           "Cannot read the picture \"" + Tree + "/a/b/broken.jpg\": "));
    EXPECT_FALSE(FileExists(Tree + "/a/index.html"));
    EXPECT_TRUE(f.Shell.Opened.empty());
    EXPECT_TRUE(f.Progress.Hidden);
    ExpectUsersProject();
}

TEST(TreeFolderPicturesTest, PatternsInOrderEachFileOnceWithoutTheToolsOwnFiles) {
    test::TempDir dir;
    for (const char* name :
         {"b.jpg", "a.JPG", "c.jpeg", "d.png", "e.bmp", "f.gif", "g.jpg.txt", "b_fsc_th.jpg",
          "fsc_bmp.bmp", "fsc_bmp.jpg", "fsc_bmp_fsc_th.jpg", "notes.txt", "scan.TIF", "phone.heic",
          "IMG_1.CR2", "IMG_1.JPG", "IMG_2.nef"}) {
        WriteFileBytes(dir / name, "x");
    }
    // Listed covers that are still as written are the tool's; a picture of the user's that
    // took a cover's name later is not.
    WriteFileBytes(dir / "cover.jpg", "xy");
    WriteFileBytes(dir / "h.jpg", "x");
    WriteFileBytes(dir / ".folioscope-covers", "cover.jpg\t2\r\nh.jpg\t2\r\n");
    ForceDirectories(dir / "folder.jpg");
    TStringList names;
    for (const std::string& path : TreeFolderPictures(dir.Path()))
        names.push_back(ExtractFileName(path));
    // A raw file whose camera also saved a JPEG is shown by that JPEG.
    EXPECT_EQ(names, (TStringList{"IMG_1.JPG", "a.JPG", "b.jpg", "h.jpg", "c.jpeg", "d.png",
                                  "e.bmp", "f.gif", "scan.TIF", "phone.heic", "IMG_2.nef"}));
}

TEST(PlaceholderPictureTest, IsAFiveByFiveBitmapTheReadersAccept) {
    const TBitmap picture = DecodeBmp(PlaceholderPictureBytes());
    EXPECT_EQ(picture.Width, 5);
    EXPECT_EQ(picture.Height, 5);
}

}  // namespace
}  // namespace fsc
