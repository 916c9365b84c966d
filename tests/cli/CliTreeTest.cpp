// "folioscope-cli tree" run as a user would on a folder tree the test makes: the linked
// galleries, what their pages show of the folders, a second run, a foreign page, the
// template and the input errors.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <filesystem>
#include <map>

#include "base/Files.h"
#include "base/TStringList.h"
#include "base/Text.h"
#include "imaging/JpegWriter.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace fsc {
namespace {

using test::RunProgram;
using test::TempDir;

class CliTree : public ::testing::Test {
protected:
    TempDir root;
    std::string Tree = root / "tree";

    CliTree() { ForceDirectories(Tree + "/a/b"); }

    void Picture(const std::string& path, int width, int height) {
        TBitmap picture(width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width * 3; ++x) picture.Row(y)[x] = std::uint8_t(x * 5 + y * 3);
        }
        WriteFileBytes(path, EncodeJpeg(picture, 90, false));
    }

    // The state, settings and desktop folders of the run lie in the test's own folder.
    test::ProgramResult RunCli(const std::vector<std::string>& args) {
        return RunProgram(FSC_CLI_PATH, args,
                          {"FOLIOSCOPE_DATA_DIR=" FSC_DATA_DIR, "HOME=" + root.Path(),
                           "XDG_STATE_HOME=" + root / "state", "XDG_CONFIG_HOME=" + root / "config",
                           "XDG_DESKTOP_DIR=" + root / "desktop"});
    }
    test::ProgramResult RunTree(std::vector<std::string> args) {
        args.insert(args.begin(), "tree");
        return RunCli(args);
    }

    std::string Page(const std::string& folder, const std::string& name = "index.html") {
        return ReadFileBytes(folder + "/" + name);
    }
    static bool Has(const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    }
    static void MakeOld(const std::string& path) {
        struct utimbuf times {
            946684800, 946684800
        };
        ::utime(path.c_str(), &times);
    }
    static bool IsOld(const std::string& path) {
        struct stat info {};
        return ::stat(path.c_str(), &info) == 0 && info.st_mtime == 946684800;
    }
    // Every file below the tree with its contents.
    std::map<std::string, std::string> TreeFiles() {
        std::map<std::string, std::string> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(Tree)) {
            if (entry.is_regular_file()) files[entry.path().string()] = ReadFileBytes(entry.path());
        }
        return files;
    }
    // Those of `files` that lie in `folder` itself, not in its subfolders.
    static std::map<std::string, std::string> InFolder(
        const std::map<std::string, std::string>& files, const std::string& folder) {
        std::map<std::string, std::string> inside;
        for (const auto& [path, bytes] : files) {
            if (std::filesystem::path(path).parent_path() == folder) inside[path] = bytes;
        }
        return inside;
    }
};

TEST_F(CliTree, GalleriesAllTheWayUpAndASecondRunUpdatesThemWithoutAsking) {
    Picture(Tree + "/a/b/one.jpg", 160, 120);
    Picture(Tree + "/a/b/two.jpg", 120, 160);
    auto result = RunTree({Tree});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Out, Tree + "/index.html\n");
    for (const std::string& folder : {Tree, Tree + "/a", Tree + "/a/b"}) {
        SCOPED_TRACE(folder);
        EXPECT_EQ(SplitLines(Page(folder)).at(0), "<!-FSC_RECURSEFILE->");
        EXPECT_EQ(Has(Page(folder), R"(<a href="../index.html">..</a>)"), folder != Tree);
        EXPECT_FALSE(FileExists(folder + "/fsc_bmp.bmp"));
    }
    EXPECT_TRUE(Has(Page(Tree), R"(<a href="a/index.html">a</a>)"));
    EXPECT_TRUE(Has(Page(Tree + "/a"), R"(<a href="b/index.html">b</a>)"));
    EXPECT_TRUE(FileExists(Tree + "/a/b/two_fsc_th.jpg"));

    for (const std::string& folder : {Tree, Tree + "/a", Tree + "/a/b"}) {
        MakeOld(folder + "/index.html");
    }
    // Without a terminal every question would get No and skip the folder with all below it:
    // the new picture at the bottom shows that none was skipped.
    EXPECT_NE(result.Err, "") << "the progress texts of a run that is not quiet";
    Picture(Tree + "/a/b/three.jpg", 100, 100);
    result = RunTree({Tree, "--quiet"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Err, "");
    EXPECT_TRUE(Has(Page(Tree + "/a/b"), "three_fsc_th.jpg"));
    // Pages that come out as they were are left untouched.
    EXPECT_TRUE(IsOld(Tree + "/index.html"));
    EXPECT_TRUE(IsOld(Tree + "/a/index.html"));
    EXPECT_FALSE(FileExists(Tree + "/a/b/one_fsc_th_fsc_th.jpg"));

    // A picture taken out of a folder takes its thumbnail with it on the next run; undo of
    // that folder brings the thumbnail back.
    std::filesystem::remove(Tree + "/a/b/two.jpg");
    ASSERT_EQ(RunTree({Tree, "--quiet"}).ExitCode, 0);
    EXPECT_FALSE(FileExists(Tree + "/a/b/two_fsc_th.jpg"));
    EXPECT_FALSE(Has(Page(Tree + "/a/b"), "two_fsc_th.jpg"));
    EXPECT_TRUE(FileExists(Tree + "/a/b/one_fsc_th.jpg"));
    ASSERT_EQ(RunCli({"undo", "--html-dir", Tree + "/a/b", "--quiet"}).ExitCode, 0);
    EXPECT_TRUE(FileExists(Tree + "/a/b/two_fsc_th.jpg"));
}

TEST_F(CliTree, PagesNameFoldersFromTheTopAndCoverEverySubfolderOfAFolderWithoutPictures) {
    const std::string trip = Tree + "/Zürich trip", odd = Tree + "/#1 a&b";
    const std::string deep = Tree + "/what? \"q\"";
    ForceDirectories(trip + "/day 1");
    ForceDirectories(odd);
    ForceDirectories(deep + "/deeper");
    Picture(trip + "/day 1/one.jpg", 160, 120);
    Picture(odd + "/two.jpg", 120, 160);
    Picture(deep + "/deeper/three.jpg", 100, 100);
    ASSERT_EQ(RunTree({Tree, "--template", "Classic"}).ExitCode, 0);

    const auto first = TreeFiles();
    for (const auto& [path, bytes] : first) {
        if (EndsWith(path, ".html")) {
            EXPECT_FALSE(Has(bytes, root.Path())) << path;
        }
    }
    EXPECT_TRUE(Has(Page(Tree), "<b>Directory: tree </b>"));
    EXPECT_TRUE(Has(Page(trip + "/day 1"), "<b>Directory: tree/Zürich trip/day 1 </b>"));
    EXPECT_TRUE(Has(Page(deep), "<b>Directory: tree/what? &quot;q&quot; </b>"));

    // One tile per subfolder gallery: its name as alt text and caption, its link into the
    // subfolder, and that gallery's first thumbnail (from further down where it has no
    // pictures itself) as a small cover.
    struct Tile {
        std::string Cover, Thumbnail, Href, Text;
    };
    for (const Tile& tile :
         {Tile{"Zürich_trip.jpg", trip + "/day 1/one_fsc_th.jpg", "Z%C3%BCrich%20trip/index.html",
               "Zürich trip"},
          Tile{"#1_a&b.jpg", odd + "/two_fsc_th.jpg", "%231%20a%26b/index.html", "#1 a&amp;b"},
          Tile{"what?_\"q\".jpg", deep + "/deeper/three_fsc_th.jpg", "what%3F%20%22q%22/index.html",
               "what? &quot;q&quot;"}}) {
        SCOPED_TRACE(tile.Cover);
        EXPECT_EQ(first.at(Tree + "/" + tile.Cover), first.at(tile.Thumbnail));
        const std::string page = Page(Tree);
        const std::size_t link = page.find("<a href=\"" + tile.Href + "\" class=");
        ASSERT_NE(link, std::string::npos) << page;
        EXPECT_EQ(page.find("alt=\"" + tile.Text + "\"", link), page.find("alt=", link));
        EXPECT_TRUE(Has(page, "<div class=\"classic-name\">" + tile.Text + "</div>"));
    }
    EXPECT_TRUE(Has(Page(trip), "alt=\"day 1\""));
    EXPECT_FALSE(Has(Page(Tree), "fsc_bmp"));
    // A cover called after its folder loads from any web server, whatever the name holds.
    EXPECT_TRUE(Has(Page(Tree), "<img src=\"what%3F_%22q%22_fsc_th.jpg\""));

    // The covers are the tool's own: a second run finds no new pictures, and the pages and
    // lists come out as they were, so they are left untouched. (A picture's time is what
    // tells the image cache that it is still current: it is not touched.)
    const auto isPicture = [](const std::string& path) { return EndsWith(path, ".jpg"); };
    for (const auto& [path, bytes] : first) {
        if (!isPicture(path)) MakeOld(path);
    }
    ASSERT_EQ(RunTree({Tree, "--template", "Classic"}).ExitCode, 0);
    EXPECT_EQ(TreeFiles(), first);
    for (const auto& [path, bytes] : first) {
        if (!isPicture(path)) {
            EXPECT_TRUE(IsOld(path)) << path;
        }
    }
}

TEST_F(CliTree, RunsAgainAndAgainKeepTheSamePicturesWhenCopiesAreWrittenBesideThem) {
    // A converted bitmap and a name with a blank get copies under other names beside them;
    // later runs must know those copies for their own and not add them as pictures.
    const std::string folder = Tree + "/a/b";
    Picture(folder + "/photo1.jpg", 160, 120);
    Picture(folder + "/my photo.jpg", 120, 160);
    WriteFileBytes(folder + "/drawing.bmp", ReadFileBytes(FSC_EXAMPLES "/desert.bmp"));
    std::vector<std::string> afterFirst;
    for (int run = 1; run <= 3; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        const auto result = RunTree({Tree});
        ASSERT_EQ(result.ExitCode, 0) << result.Err;
        const std::string page = Page(folder);
        std::size_t pictures = 0;
        for (std::size_t at = page.find("<img "); at != std::string::npos;
             at = page.find("<img ", at + 1))
            ++pictures;
        EXPECT_EQ(pictures, 3u) << page;
        EXPECT_TRUE(Has(page, "drawing_fsc_th.jpg") && Has(page, "my_photo_fsc_th.jpg"));
        std::vector<std::string> files;
        for (const TDirEntry& entry : ListDirectory(folder)) files.push_back(entry.Name);
        if (run == 1) afterFirst = files;
        EXPECT_EQ(files, afterFirst);
    }
    // A file of the user's that later takes a copy's name is a picture of its own.
    Picture(folder + "/drawing.jpg", 50, 50);
    ASSERT_EQ(RunTree({Tree}).ExitCode, 0);
    EXPECT_TRUE(Has(Page(folder), "drawing_2_fsc_th.jpg")) << Page(folder);
}

TEST_F(CliTree, AForeignPageIsKeptWithNoAndReplacedWithYes) {
    Picture(Tree + "/a/b/one.jpg", 100, 80);
    WriteFileBytes(Tree + "/a/index.html", "<html>mine</html>");
    auto result = RunTree({Tree, "--no"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(Page(Tree + "/a"), "<html>mine</html>");
    EXPECT_FALSE(FileExists(Tree + "/index.html"));
    EXPECT_TRUE(Has(result.Err, "No gallery was made")) << result.Err;
    EXPECT_EQ(result.Out, "");

    result = RunTree({Tree, "--yes"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_TRUE(Has(Page(Tree + "/a"), "<!-FSC_RECURSEFILE->"));
}

TEST_F(CliTree, EachFolderKeepsItsOwnHistoryAndUndoGivesBackTheUsersPage) {
    Picture(Tree + "/a/b/one.jpg", 100, 80);
    Picture(Tree + "/a/two.jpg", 80, 100);
    const std::string mine = "<html>mine</html>\r\n";
    WriteFileBytes(Tree + "/a/index.html", mine);
    const auto before = TreeFiles();
    auto result = RunTree({Tree, "--yes", "--quiet"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    ASSERT_TRUE(Has(Page(Tree + "/a"), "<!-FSC_RECURSEFILE->"));
    const auto built = TreeFiles();

    result = RunCli({"history"});
    for (const std::string& folder : {Tree, Tree + "/a", Tree + "/a/b"}) {
        EXPECT_TRUE(Has(result.Out, folder + "/index.html\t")) << result.Out;
    }
    result = RunCli({"undo", "--html-dir", Tree + "/a"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(Page(Tree + "/a"), mine);
    EXPECT_EQ(InFolder(TreeFiles(), Tree + "/a"), InFolder(before, Tree + "/a"));
    // The other folders' galleries are untouched, and undone by themselves.
    EXPECT_EQ(Page(Tree + "/a/b"), built.at(Tree + "/a/b/index.html"));
    for (const std::string& folder : {Tree, Tree + "/a/b"}) {
        result = RunCli({"undo", "--html-dir", folder});
        ASSERT_EQ(result.ExitCode, 0) << result.Err;
    }
    EXPECT_EQ(TreeFiles(), before);
    EXPECT_EQ(RunCli({"history"}).Out, "");
}

TEST_F(CliTree, FileNameNavigationTemplateAndSettingsLines) {
    Picture(Tree + "/a/one.jpg", 100, 80);
    const auto result = RunTree({Tree, "--file", "album", "--no-navigation", "--template",
                                 "Classic", "--set", "THUMBWIDTH=33", "--set", "THUMBHEIGHT=33"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Out, Tree + "/album.html\n");
    EXPECT_TRUE(Has(Page(Tree + "/a", "album.html"), "<!-FSC_RECURSEFILE->"));
    EXPECT_FALSE(Has(Page(Tree + "/a", "album.html"), "Directory:"));
    EXPECT_FALSE(FileExists(Tree + "/a/index.html"));
    EXPECT_TRUE(Has(Page(Tree + "/a", "album.html"), "width=\"33\""));
}

TEST_F(CliTree, BadInputGivesAClearMessage) {
    Picture(Tree + "/a/good.jpg", 100, 80);
    WriteFileBytes(Tree + "/a/b/broken.jpg", "this is no picture");
    struct Case {
        std::vector<std::string> Args;
        int ExitCode;
        std::string Message;
    };
    for (const Case& c :
         {Case{{root / "missing"}, 1, "No valid directory selected."},
          Case{{Tree, "--file", ""}, 1, "No valid name for files."},
          Case{{Tree, "--set", "NOSUCHKEY=1"}, 1, "NOSUCHKEY"},
          Case{{Tree, "--template", "NoSuchTemplate"}, 1, "NoSuchTemplate"},
          Case{{Tree, "--colour"}, 2, "unknown option \"--colour\""},
          Case{{}, 2, "tree needs a directory"}, Case{{Tree, "--file"}, 2, "--file needs a value"},
          Case{{Tree, Tree + "/a"}, 2, "tree takes one directory"},
          Case{{Tree}, 1, "broken.jpg"}}) {
        const auto result = RunTree(c.Args);
        SCOPED_TRACE(result.Err);
        EXPECT_EQ(result.ExitCode, c.ExitCode);
        EXPECT_TRUE(Has(result.Err, c.Message));
        EXPECT_EQ(result.Out, "");
        EXPECT_FALSE(FileExists(Tree + "/a/b/index.html"));
    }
}

}  // namespace
}  // namespace fsc
