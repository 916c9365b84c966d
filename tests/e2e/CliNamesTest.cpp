// Pictures whose names clash, differ only in case or are too long for the file system:
// every one of them still gets a copy, a thumbnail and a link of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "base/Files.h"
#include "base/Text.h"
#include "e2e/CliGallery.h"
#include "templates_shipped/ShippedGallery.h"

namespace fsc::test {
namespace {

int WarningLines(const std::string& err) {
    int count = 0;
    for (std::size_t at = err.find("Warning: the picture"); at != std::string::npos;
         at = err.find("Warning: the picture", at + 1))
        ++count;
    return count;
}

// Builds `sources` (with image pages when asked) and checks that the copies are exactly the
// pictures of `widths`, each with its thumbnail, all names distinct without regard to case,
// each reached from a page, one warning line per rename.
void ExpectOwnFiles(const TCliRun& run, std::vector<std::string> sources, std::multiset<int> widths,
                    int renames, bool imagePages = false) {
    const std::string out = run.Root / "out";
    std::filesystem::remove_all(out);
    sources.insert(sources.end(),
                   {"--html-dir", out, "--html-file", "index.html", "--template", "none"});
    if (imagePages) sources.insert(sources.end(), {"--set", "USEIMAGEASHTML=true"});
    const auto result = run.Build(sources);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(WarningLines(result.Err), renames) << result.Err;

    std::set<std::string> linked;
    for (const std::string& page : PagesBelow(out)) {
        EXPECT_EQ(BrokenLinks(out, page), std::vector<std::string>{}) << page;
        for (const auto& [link, target] : LinkTargets(out, page)) linked.insert(target);
    }
    std::multiset<int> copied;
    std::set<std::string> upperNames;
    for (const std::string& file : FilesBelow(out + "/images")) {
        EXPECT_TRUE(upperNames.insert(UpperCase(file)).second) << file << " twice";
        if (EndsWith(file, "_th.jpg") || EndsWith(file, ".html")) continue;
        const std::string stem = file.substr(0, file.size() - 4);
        copied.insert(PictureSize(out + "/images/" + file).Width);
        EXPECT_TRUE(FileExists(out + "/images/" + stem + "_th.jpg")) << file;
        const std::string shown = imagePages ? "image_" + file + ".html" : file;
        EXPECT_TRUE(linked.count(out + "/images/" + shown)) << shown << " has no link";
    }
    EXPECT_EQ(copied, widths);
}

// A project whose image set holds the pictures of `sources` under their own names.
std::string SavedSet(const TCliRun& run, const std::string& project,
                     const std::vector<std::string>& sources) {
    std::vector<std::string> args;
    for (const std::string& source : sources) args.insert(args.end(), {"--images", source});
    args.insert(args.end(),
                {"--html-dir", run.Root / (project + "-out"), "--html-file", "index.html",
                 "--template", "none", "--save-project", run.Root / (project + ".gal"), "--quiet"});
    const auto result = run.Build(args);
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    return run.Root / (project + ".gal.dir/images.set");
}

TEST(CliNames, PicturesOfClashingNamesEachKeepTheirOwnCopyThumbnailAndLink) {
    TCliRun run;
    for (const char* folder : {"d1", "d2", "d3"}) WriteTestPictures(run.Root / folder);
    std::filesystem::rename(run.Root / "d1/a.jpg", run.Root / "d1/a_2.jpg");
    std::filesystem::rename(run.Root / "d2/d.jpg", run.Root / "d2/a.jpg");
    std::filesystem::rename(run.Root / "d3/b.png", run.Root / "d3/A.png");
    {
        SCOPED_TRACE("a_2.jpg, a.jpg and a.jpg added one after the other");
        ExpectOwnFiles(run,
                       {"--images", run.Root / "d1/a_2.jpg", "--images", run.Root / "d2/a.jpg",
                        "--images", run.Root / "d3/a.jpg"},
                       {400, 300, 400}, 1);
    }
    {
        SCOPED_TRACE("a.jpg and A.jpg");
        ExpectOwnFiles(run, {"--images", run.Root / "d2/a.jpg", "--images", run.Root / "d3/A.png"},
                       {300, 120}, 1);
    }
    {
        SCOPED_TRACE("two image sets of the same names");
        const std::string first = SavedSet(run, "first", {run.Root / "d2/a.jpg"});
        const std::string second = SavedSet(run, "second", {run.Root / "d3/a.jpg"});
        ExpectOwnFiles(run, {"--image-set", first, "--image-set", second}, {300, 400}, 1, true);
    }
    {
        SCOPED_TRACE("one image set naming two pictures alike");
        const std::string set =
            SavedSet(run, "equal", {run.Root / "d2/a.jpg", run.Root / "d3/c.bmp"});
        // Named alike, and read from where they are rather than from the copies kept by name.
        std::string text = ReplaceAll(ReadFileBytes(set), "<#useDir#>", "");
        text = ReplaceAll(text, "FileName#>", "FileName#>" + set + ".dir/");
        WriteFileBytes(set, ReplaceAll(text, "1Name#>c.jpg", "1Name#>a.jpg"));
        ExpectOwnFiles(run, {"--image-set", set}, {300, 64}, 1);
    }
}

TEST(CliNames, ANameTooLongWithItsImagePageIsShortenedTheSameWayEachBuild) {
    TCliRun run;
    WriteTestPictures(run.Root / "pictures");
    const std::string longName = std::string(246, 'x') + ".jpg";
    std::filesystem::rename(run.Root / "pictures/a.jpg", run.Root / ("pictures/" + longName));
    const std::vector<std::string> sources{"--images", run.Root / ("pictures/" + longName),
                                           "--images", run.Root / "pictures/d.jpg"};
    ExpectOwnFiles(run, sources, {400, 300}, 1, true);
    const std::vector<std::string> first = FilesBelow(run.Root / "out/images");
    ExpectOwnFiles(run, sources, {400, 300}, 1, true);
    EXPECT_EQ(FilesBelow(run.Root / "out/images"), first);
}

}  // namespace
}  // namespace fsc::test
