// "folioscope-cli build" on pictures of several formats: every layout, the page links, the
// sizes of copies and thumbnails, templates and projects.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <set>
#include <thread>

#include "base/Files.h"
#include "base/Text.h"
#include "e2e/CliGallery.h"
#include "imaging/GraphicsIO.h"
#include "imaging/PictureSamples.h"
#include "templates_shipped/ShippedGallery.h"

namespace fsc::test {
namespace {

// Thumbnails at most 80 x 60, copies at most 200 x 200; two thumbnails a page.
const std::vector<std::string> SmallGallery{
    "--set", "THUMBWIDTH=80",  "--set", "THUMBHEIGHT=60",  "--set", "IMAGEDORESIZE=true",
    "--set", "IMAGEWIDTH=200", "--set", "IMAGEHEIGHT=200", "--set", "TABLEROWS=1",
    "--set", "TABLECOLS=2",    "--set", "LISTROWS=2"};

struct TLayoutCase {
    const char* Style;
    // The slide show shows the copies and the collage pictures of its own; the thumbnails
    // are written all the same.
    bool PagesShowThumbnails;
    std::vector<std::string> ExtraFiles;  // beyond pages, copies and thumbnails
};

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Fits the box and keeps the picture's ratio within a pixel; touches the box when it had to
// shrink.
void ExpectFits(const std::string& what, TSize size, TTestPicture source, int boxW, int boxH) {
    SCOPED_TRACE(what + " " + std::to_string(size.Width) + "x" + std::to_string(size.Height));
    EXPECT_LE(size.Width, boxW);
    EXPECT_LE(size.Height, boxH);
    EXPECT_NEAR(double(size.Width) * source.Height / source.Width, size.Height, 1.0);
    if (source.Width > boxW || source.Height > boxH) {
        EXPECT_TRUE(size.Width == boxW || size.Height == boxH);
    } else {
        EXPECT_EQ(size.Width, source.Width);
        EXPECT_EQ(size.Height, source.Height);
    }
}

TEST(CliBuild, EveryLayoutWritesItsPagesCopiesAndThumbnailsWithLinksThatResolve) {
    const std::vector<TLayoutCase> cases{
        {"table", true, {}},
        {"list", true, {}},
        {"paragraph", true, {}},
        {"slideshow", false, {}},
        {"collage", false, {"images/index.html1.jpg", "images/index.html2.jpg"}},
    };
    TCliRun run;
    const auto pictures = WriteTestPictures(run.Root / "pictures");
    for (const TLayoutCase& layout : cases) {
        SCOPED_TRACE(layout.Style);
        const std::string out = run.Root / layout.Style;
        const auto result = run.Build(Concat(
            {"--images", run.Root / "pictures", "--html-dir", out, "--html-file", "index.html",
             "--template", "none", "--set", std::string("STYLE=") + layout.Style},
            SmallGallery));
        ASSERT_EQ(result.ExitCode, 0) << result.Err;
        EXPECT_EQ(result.Out, out + "/index.html\n");

        std::vector<std::string> expected{"index.html", "index2.html"};
        for (const auto& picture : pictures) {
            const std::string stem = picture.CopyName.substr(0, picture.CopyName.size() - 4);
            expected.push_back("images/" + picture.CopyName);
            expected.push_back("images/" + stem + "_th.jpg");
        }
        expected.insert(expected.end(), layout.ExtraFiles.begin(), layout.ExtraFiles.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(FilesBelow(out), expected);

        std::set<std::string> linked;
        for (const std::string& page : PagesBelow(out)) {
            EXPECT_EQ(BrokenLinks(out, page), std::vector<std::string>{});
            EXPECT_EQ(LeftoverTags(out + "/" + page), std::vector<std::string>{}) << page;
            for (const auto& [link, target] : LinkTargets(out, page)) linked.insert(target);
        }
        for (const auto& picture : pictures) {
            const std::string stem = picture.CopyName.substr(0, picture.CopyName.size() - 4);
            const std::string copy = out + "/images/" + picture.CopyName;
            const std::string thumb = out + "/images/" + stem + "_th.jpg";
            ExpectFits("copy " + copy, PictureSize(copy), picture, 200, 200);
            ExpectFits("thumbnail " + thumb, PictureSize(thumb), picture, 80, 60);
            if (layout.PagesShowThumbnails) {
                EXPECT_TRUE(linked.count(thumb)) << thumb << " is on no page";
            }
            EXPECT_TRUE(linked.count(copy)) << copy << " is on no page";
        }
    }
}

// A camera's photo: wider than most screens, and published unshrunk it would weigh megabytes.
TEST(CliBuild, WithoutATemplateTheGalleryIsModernWithCopiesWithin2048AndNoneGivesPlainPages) {
    TCliRun run;
    const std::string pictures = run.Root / "pictures";
    ForceDirectories(pictures);
    WriteFileBytes(pictures + "/wide.jpg", JpegRgb(Quadrants(3000, 1200), 80));
    const TTestPicture wide{"wide.jpg", "wide.jpg", 3000, 1200};
    const auto build = [&](const std::string& folder, const std::vector<std::string>& more) {
        const std::string out = run.Root / folder;
        const auto result =
            run.Build(Concat({"--images", pictures, "--html-dir", out, "--quiet"}, more));
        EXPECT_EQ(result.ExitCode, 0) << result.Err;
        return out;
    };

    const std::string modern = build("modern", {});
    const std::string index = ReadFileBytes(modern + "/index.html");
    EXPECT_NE(index.find("<link rel=\"stylesheet\" href=\"modern.css\">"), std::string::npos)
        << index;
    EXPECT_TRUE(FileExists(modern + "/images/image_wide.jpg.html")) << "no picture page";
    ExpectFits("default copy", PictureSize(modern + "/images/wide.jpg"), wide, 2048, 2048);

    // A size the user gives wins over the default one.
    const std::string sized = build("sized", {"--set", "IMAGEWIDTH=2500"});
    ExpectFits("copy of --set IMAGEWIDTH", PictureSize(sized + "/images/wide.jpg"), wide, 2500,
               2500);

    const std::string plain = build("plain", {"--template", "none"});
    EXPECT_EQ(ReadFileBytes(plain + "/images/wide.jpg"), ReadFileBytes(pictures + "/wide.jpg"));
    EXPECT_EQ(ReadFileBytes(plain + "/index.html").find("modern.css"), std::string::npos);
    EXPECT_FALSE(FileExists(plain + "/modern.css"));
    const auto refused = run.Build({"--images", pictures, "--html-dir", run.Root / "x",
                                    "--template", "none", "--param", "Title=T", "--quiet"});
    EXPECT_EQ(refused.ExitCode, 1);
    EXPECT_NE(refused.Err.find("--template none"), std::string::npos) << refused.Err;
}

TEST(CliBuild, ImagePagesAndAProjectSavedAndBuiltAgainGiveTheSameGallery) {
    TCliRun run;
    WriteTestPictures(run.Root / "pictures");
    const std::string first = run.Root / "first", second = run.Root / "second";
    const std::string project = run.Root / "saved/gallery.gal";
    ForceDirectories(run.Root / "saved");
    auto result = run.Build(
        Concat({"--images", run.Root / "pictures", "--html-dir", first, "--html-file", "index.html",
                "--set", "USEIMAGEASHTML=true", "--save-project", project, "--quiet"},
               SmallGallery));
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Err, "");
    const auto files = FilesBelow(first);
    const auto imagePages = std::count_if(files.begin(), files.end(), [](const std::string& f) {
        return StartsWith(f, "images/") && EndsWith(f, ".html");
    });
    EXPECT_EQ(imagePages, 4);
    for (const std::string& page : PagesBelow(first)) {
        EXPECT_EQ(BrokenLinks(first, page), std::vector<std::string>{});
    }

    result = run.Build({project, "--html-dir", second, "--quiet"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(FilesBelow(second), files);
    EXPECT_EQ(ReadFileBytes(second + "/index.html"), ReadFileBytes(first + "/index.html"));

    // The project's image set alone brings the same pictures under the same names.
    const std::string third = run.Root / "third";
    result =
        run.Build(Concat({"--image-set", project + ".dir/images.set", "--html-dir", third,
                          "--html-file", "index.html", "--set", "USEIMAGEASHTML=true", "--quiet"},
                         SmallGallery));
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(FilesBelow(third), files);
}

TEST(CliBuild, LinksResolveFromAnHTMLFileInAFolderAndFromImagePagesBesideIt) {
    // The HTML file in a folder of its own, and the images in the HTML directory itself:
    // every page's links are relative to the page that holds them.
    struct TCase {
        const char* Style;
        const char* HTMLFile;
        const char* ImageDir;
        const char* FirstPage;
    };
    const TCase cases[] = {
        {"table", "sub/gal.html", "images", "sub/gal.html"},
        {"collage", "sub/gal.html", "images", "sub/gal.html"},
        {"slideshow", "sub/deeper/gal.html", "images", "sub/deeper/gal.html"},
        {"table", "index.html", ".", "index.html"},
        {"list", "index.html", "./pics/.", "index.html"},
    };
    TCliRun run;
    WriteTestPictures(run.Root / "pictures");
    int n = 0;
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Style) + " " + c.HTMLFile + " " + c.ImageDir);
        const std::string out = run.Root / ("out" + std::to_string(++n));
        const auto result = run.Build(
            Concat({"--images", run.Root / "pictures", "--html-dir", out, "--html-file", c.HTMLFile,
                    "--image-dir", c.ImageDir, "--set", std::string("STYLE=") + c.Style, "--set",
                    "USEIMAGEASHTML=true", "--quiet"},
                   SmallGallery));
        ASSERT_EQ(result.ExitCode, 0) << result.Err;
        ASSERT_TRUE(FileExists(out + "/" + c.FirstPage));
        const auto pages = PagesBelow(out);
        EXPECT_EQ(pages.size(), 2u + 4u) << "two gallery pages and four image pages";
        std::set<std::string> linked;
        for (const std::string& page : pages) {
            EXPECT_EQ(BrokenLinks(out, page), std::vector<std::string>{});
            for (const auto& [link, target] : LinkTargets(out, page)) linked.insert(target);
        }
        for (const std::string& page : pages) {
            EXPECT_TRUE(linked.count(out + "/" + page)) << page << " is reached from no page";
        }
    }
}

TEST(CliBuild, TwoPicturesOfOneNameFromTwoSetsBothSurviveAProjectSave) {
    TCliRun run;
    WriteTestPictures(run.Root / "first");
    WriteTestPictures(run.Root / "second");
    // Two different pictures, both called "same.jpg" in their own sets.
    std::filesystem::copy_file(run.Root / "first/a.jpg", run.Root / "first/same.jpg");
    std::filesystem::copy_file(run.Root / "second/d.jpg", run.Root / "second/same.jpg");
    for (const char* name : {"first", "second"}) {
        const auto result = run.Build({"--images", run.Root / name + "/same.jpg", "--html-dir",
                                       run.Root / name + "-out", "--html-file", "index.html",
                                       "--save-project", run.Root / name + ".gal", "--quiet"});
        ASSERT_EQ(result.ExitCode, 0) << result.Err;
    }
    const std::string out = run.Root / "both-out", project = run.Root / "both.gal";
    const auto result =
        run.Build({"--image-set", run.Root / "first.gal.dir/images.set", "--image-set",
                   run.Root / "second.gal.dir/images.set", "--html-dir", out, "--html-file",
                   "index.html", "--save-project", project, "--quiet"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const std::string saved = project + ".dir/images.set.dir";
    EXPECT_EQ(FilesBelow(saved), (std::vector<std::string>{"same.jpg", "same_2.jpg"}));
    EXPECT_EQ(PictureSize(saved + "/same.jpg").Width, 400);
    EXPECT_EQ(PictureSize(saved + "/same_2.jpg").Width, 300);
    EXPECT_EQ(PictureSize(out + "/images/same_2.jpg").Width, 300);
}

TEST(CliBuild, ATemplateByNameOrByFileTakesItsParametersAndTheSetLinesComeAfterIt) {
    // The library's name, and the same template as a file, as "USER:" and as a bare path.
    const std::string file = std::string(FSC_DATA_DIR) + "/Templates/Classic.tpl";
    for (const std::string& given : {std::string("Classic"), "USER:" + file, file}) {
        SCOPED_TRACE(given);
        TCliRun run;
        WriteTestPictures(run.Root / "pictures");
        const std::string out = run.Root / "out";
        const auto result = run.Build({"--images", run.Root / "pictures", "--html-dir", out,
                                       "--html-file", "index.html", "--template", given, "--param",
                                       "Title=Harbour & Hills", "--set", "STYLE=list", "--quiet"});
        ASSERT_EQ(result.ExitCode, 0) << result.Err;
        const std::string index = ReadFileBytes(out + "/index.html");
        EXPECT_NE(index.find("Harbour & Hills"), std::string::npos);
        EXPECT_NE(FindNoCase(index, "<li"), std::string::npos) << "the list layout after --set";
        for (const std::string& page : PagesBelow(out)) {
            EXPECT_EQ(BrokenLinks(out, page), std::vector<std::string>{});
        }
    }
}

TEST(CliBuild, PicturesMadeSideBySideGiveTheSameGalleryAsOneAtATime) {
    TCliRun run;
    const std::vector<TTestPicture> pictures = WriteTestPictures(run.Root / "pictures");
    // More pictures than threads, of every format, so that threads finish out of order.
    for (int copy = 1; copy <= 3; ++copy) {
        for (const TTestPicture& picture : pictures) {
            const std::string from = run.Root / ("pictures/" + picture.File);
            WriteFileBytes(run.Root / ("pictures/" + std::to_string(copy) + picture.File),
                           ReadFileBytes(from));
        }
    }
    const auto gallery = [&](const std::string& folder, const char* jobs) {
        return run.Build({"--images",
                          run.Root / "pictures",
                          "--html-dir",
                          run.Root / folder,
                          "--html-file",
                          "index.html",
                          "--quiet",
                          "--jobs",
                          jobs,
                          "--set",
                          "IMAGEDORESIZE=true",
                          "--set",
                          "IMAGEWIDTH=100",
                          "--set",
                          "THUMBMETHOD=hardlimit",
                          "--set",
                          "USEIMAGEASHTML=true",
                          "--set",
                          "USEWATERMARK=true",
                          "--set",
                          "WATERMARKTEXT=(c)",
                          "--set",
                          "WATERMARKCM=true"});
    };
    auto result = gallery("one", "1");
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    result = gallery("three", "3");
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const std::vector<std::string> files = FilesBelow(run.Root / "one");
    EXPECT_EQ(FilesBelow(run.Root / "three"), files);
    EXPECT_GE(files.size(), 3 * 16u);
    for (const std::string& file : files) {
        EXPECT_EQ(ReadFileBytes(run.Root / ("three/" + file)),
                  ReadFileBytes(run.Root / ("one/" + file)))
            << file;
    }
}

TEST(CliBuild, AWatermarkIsDrawnWithoutADisplay) {
    TCliRun run;
    WriteTestPictures(run.Root / "pictures");
    const std::vector<std::string> common{"--images", run.Root / "pictures/a.jpg", "--html-file",
                                          "index.html", "--quiet"};
    auto plain = common, marked = common;
    plain.insert(plain.end(), {"--html-dir", run.Root / "plain"});
    marked.insert(marked.end(),
                  {"--html-dir", run.Root / "marked", "--set", "USEWATERMARK=true", "--set",
                   "WATERMARKTEXT=(c) Folioscope", "--set", "WATERMARKCM=true", "--set",
                   "WATERMARKFONTSIZE=24", "--set", "WATERMARKTRANSPARENCY=0"});
    // No display at all: the command line must not need one.
    const std::vector<std::string> noDisplay{"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=xcb"};
    auto result = run.Build(plain, noDisplay);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    result = run.Build(marked, noDisplay);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const TBitmap without = LoadPicture(run.Root / "plain/images/a.jpg");
    const TBitmap with = LoadPicture(run.Root / "marked/images/a.jpg");
    ASSERT_EQ(with.Width, without.Width);
    ASSERT_EQ(with.Height, without.Height);
    int changed = 0;
    for (std::size_t i = 0; i < with.Pixels.size(); ++i) {
        if (std::abs(int(with.Pixels[i]) - int(without.Pixels[i])) > 60) ++changed;
    }
    EXPECT_GT(changed, 100) << "the watermark text left no mark";

    // Switched on without a text it would stamp nothing: a usage error, nothing written.
    auto untitled = common;
    untitled.insert(untitled.end(),
                    {"--html-dir", run.Root / "untitled", "--set", "USEWATERMARK=true"});
    result = run.Build(untitled, noDisplay);
    EXPECT_EQ(result.ExitCode, 2);
    EXPECT_NE(result.Err.find("watermark"), std::string::npos) << result.Err;
    EXPECT_NE(result.Err.find("no text"), std::string::npos) << result.Err;
    EXPECT_FALSE(DirectoryExists(run.Root / "untitled"));
}

TEST(CliBuild, OpenHandsTheGalleryToXdgOpenWithTheCallersQtPlatform) {
    TCliRun run;
    WriteTestPictures(run.Root / "pictures");
    // A stand-in for xdg-open that notes what it was given; the build does not wait for it.
    ForceDirectories(run.Root / "bin");
    const std::string noted = run.Root / "opened.txt";
    WriteFileBytes(run.Root / "bin/xdg-open", "#!/bin/sh\necho \"$1 $QT_QPA_PLATFORM\" > " + noted +
                                                  ".part && mv " + noted + ".part " + noted + "\n");
    std::filesystem::permissions(run.Root / "bin/xdg-open", std::filesystem::perms::owner_all);
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin";
    // Set in this process, since the program's environment is this one's plus additions.
    ScopedEnv searchPath("PATH", run.Root / "bin:" + path);
    ScopedEnv platform("QT_QPA_PLATFORM", "wayland");
    const auto result =
        run.Build({"--images", run.Root / "pictures", "--html-dir", run.Root / "out", "--html-file",
                   "index.html", "--quiet", "--open"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    for (int wait = 0; wait < 100 && !FileExists(noted); ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_EQ(ReadFileBytes(noted), run.Root / "out/index.html wayland\n");
}

TEST(CliBuild, ProgressIsOneLinePerStepWithoutATerminalAndNothingWithQuiet) {
    TCliRun run;
    WriteTestPictures(run.Root / "pictures");
    const std::vector<std::string> args{"--images",       run.Root / "pictures", "--html-dir",
                                        run.Root / "out", "--html-file",         "index.html"};
    auto result = run.Build(args);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const TStringList lines = SplitLines(result.Err);
    for (const char* step :
         {"Folioscope. Adding Images.", "Folioscope.", "Folioscope: Copying Images. 0 of 4",
          "Folioscope: Copying Images. 3 of 4", "Folioscope: Create HTML. "}) {
        EXPECT_EQ(std::count(lines.begin(), lines.end(), step), 1) << step << "\n" << result.Err;
    }
    result = run.Build(Concat(args, {"--quiet"}));
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Err, "");
}

TEST(CliBuild, AQuestionIsAnsweredNoWithoutATerminalAndYesWithYes) {
    // Building into the folder of the pictures themselves asks before overwriting an
    // original with its copy.
    TCliRun run;
    WriteTestPictures(run.Root / "pictures");
    const std::string original = ReadFileBytes(run.Root / "pictures/a.jpg");
    const std::vector<std::string> args{"--images",    run.Root / "pictures/a.jpg",
                                        "--html-dir",  run.Root / "pictures",
                                        "--image-dir", "",
                                        "--html-file", "index.html",
                                        "--set",       "IMAGEDORESIZE=true",
                                        "--set",       "IMAGEWIDTH=100"};
    auto result = run.Build(args);
    EXPECT_NE(result.Err.find(" No"), std::string::npos) << result.Err;
    EXPECT_EQ(ReadFileBytes(run.Root / "pictures/a.jpg"), original);
    result = run.Build(Concat(args, {"--yes"}));
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_NE(result.Err.find(" Yes"), std::string::npos) << result.Err;
    EXPECT_EQ(PictureSize(run.Root / "pictures/a.jpg").Width, 100);
}

}  // namespace
}  // namespace fsc::test
