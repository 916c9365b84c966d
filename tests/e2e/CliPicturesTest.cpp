// Which files of a folder "folioscope-cli build" takes as pictures when a gallery is built into
// it, and that a picture is one picture however its path is written.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>

#include "base/Files.h"
#include "e2e/CliGallery.h"

namespace fsc::test {
namespace {

namespace fs = std::filesystem;

// The thumbnails the gallery's pages show.
std::set<std::string> ShownThumbnails(const std::string& folder) {
    std::set<std::string> shown;
    const std::regex thumbnail("[A-Za-z0-9_]+_th\\.jpg");
    for (const std::string& file : FilesBelow(folder)) {
        if (file.find(".html") == std::string::npos) continue;
        const std::string page = ReadFileBytes(folder + "/" + file);
        for (std::sregex_iterator it(page.begin(), page.end(), thumbnail), end; it != end; ++it)
            shown.insert(it->str());
    }
    return shown;
}

TEST(CliPictures, AGalleryBuiltIntoItsPhotoFolderKeepsItsFivePicturesBuildAfterBuild) {
    struct TCase {
        const char* What;
        std::vector<std::string> Settings;
        bool PagesShowThumbnails;
    };
    const std::vector<TCase> cases{
        {"table", {}, true},
        {"collage", {"--set", "STYLE=collage"}, false},
        // The copies replace the originals, which stay the user's pictures all the same.
        {"resized over the originals",
         {"--yes", "--set", "IMAGEDORESIZE=true", "--set", "IMAGEWIDTH=100", "--set",
          "IMAGEHEIGHT=100"},
         true},
    };
    const std::set<std::string> fiveThumbnails{"a_th.jpg", "b_th.jpg", "c_th.jpg", "d_th.jpg",
                                               "e_photo_th.jpg"};
    TCliRun run;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        const std::string photos = run.Root / c.What;
        WriteTestPictures(photos);
        // A name the gallery's copy cannot keep: the copy lies beside its original.
        CopyFileBytes(photos + "/d.jpg", photos + "/e photo.jpg");
        std::vector<std::string> args{"--images", photos, "--html-dir", photos, "--image-dir", ""};
        args.insert(args.end(), c.Settings.begin(), c.Settings.end());
        std::vector<std::string> firstFiles;
        for (int build = 1; build <= 3; ++build) {
            const ProgramResult result = run.Build(args);
            ASSERT_EQ(result.ExitCode, 0) << result.Err;
            if (build == 1) firstFiles = FilesBelow(photos);
            EXPECT_EQ(FilesBelow(photos), firstFiles) << "build " << build;
            if (c.PagesShowThumbnails) {
                EXPECT_EQ(ShownThumbnails(photos), fiveThumbnails);
            }
        }
    }
}

// The stamp of every file below `folder`: what shows a file written again.
std::map<std::string, fs::file_time_type> WriteTimes(const std::string& folder) {
    std::map<std::string, fs::file_time_type> times;
    for (const std::string& file : FilesBelow(folder))
        times[file] = fs::last_write_time(folder + "/" + file);
    return times;
}

// Runs the program from `folder`, so that relative paths are read from there.
class TWorkingFolder {
public:
    explicit TWorkingFolder(const std::string& folder) : before(fs::current_path()) {
        fs::current_path(folder);
    }
    ~TWorkingFolder() { fs::current_path(before); }

private:
    fs::path before;
};

TEST(CliPictures, AProjectNamedAnyWayRebuildsAndSavesWithoutMakingAPictureAgain) {
    TCliRun run;
    TWorkingFolder working(run.Root.Path());
    WriteTestPictures(run.Root / "pics");
    fs::create_directory_symlink("p2", run.Root / "link");
    ProgramResult result =
        run.Build({"--images", "pics", "--html-dir", "out", "--save-project", "p2/x.gal"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const std::string saved = run.Root / "p2/x.gal.dir/images.set.dir";
    // The project's JPEGs are the photos themselves, not copies of less quality.
    for (const char* photo : {"a.jpg", "d.jpg"}) {
        EXPECT_TRUE(ReadFileBytes(saved + "/" + photo) == ReadFileBytes(run.Root / "pics/" + photo))
            << photo;
    }
    EXPECT_EQ(PictureSize(saved + "/b.jpg").Width, 120);

    const auto gallery = WriteTimes(run.Root / "out");
    const auto pictures = WriteTimes(saved);
    const std::vector<std::vector<std::string>> rebuilds{
        {"p2/x.gal"},
        {"link/x.gal"},
        {"p2/../p2/x.gal"},
        {"p2/x.gal", "--save-project", run.Root / "p2/x.gal"},
        {run.Root / "link/x.gal", "--save-project", "link/x.gal"},
    };
    for (const std::vector<std::string>& args : rebuilds) {
        SCOPED_TRACE(args.back());
        result = run.Build(args);
        ASSERT_EQ(result.ExitCode, 0) << result.Err;
        EXPECT_EQ(WriteTimes(run.Root / "out"), gallery);
        EXPECT_EQ(WriteTimes(saved), pictures);
    }
}

// One damaged file among many need not cost the gallery: with --skip-bad it is left out and
// named, whether the header already fails (found while adding) or only the picture data (found
// while building), and the exit status tells a script that the gallery is not complete.
TEST(CliPictures, SkipBadLeavesOutWhatCannotBeReadNamesItAndExitsWithThree) {
    TCliRun run;
    const std::string pictures = run.Root / "tree/pictures";
    WriteTestPictures(pictures);
    const std::string good = ReadFileBytes(pictures + "/a.jpg");
    WriteFileBytes(pictures + "/broken.jpg", good.substr(0, good.size() / 3));
    WriteFileBytes(pictures + "/garbage.jpg", "this is no picture");
    const std::string out = run.Root / "out";
    const ProgramResult refused = run.Build({"--images", pictures, "--html-dir", out, "--quiet"});
    EXPECT_EQ(refused.ExitCode, 1) << "without the option the default holds";

    const ProgramResult built =
        run.Build({"--images", pictures, "--html-dir", out, "--quiet", "--skip-bad"});
    EXPECT_EQ(built.ExitCode, 3) << built.Err;
    for (const std::string bad : {"broken.jpg", "garbage.jpg"})
        EXPECT_NE(built.Err.find("Left out \"" + pictures + "/" + bad + "\""), std::string::npos)
            << built.Err;
    EXPECT_NE(built.Err.find("2 pictures could not be read and were left out of the gallery."),
              std::string::npos)
        << built.Err;
    EXPECT_EQ(ShownThumbnails(out),
              (std::set<std::string>{"a_th.jpg", "b_th.jpg", "c_th.jpg", "d_th.jpg"}));
    for (const std::string& file : FilesBelow(out)) {
        EXPECT_EQ(file.find("broken"), std::string::npos) << file;
        EXPECT_EQ(file.find("garbage"), std::string::npos) << file;
    }

    const ProgramResult tree = run.Run({"tree", run.Root / "tree", "--quiet", "--skip-bad"});
    EXPECT_EQ(tree.ExitCode, 3) << tree.Err;
    EXPECT_NE(tree.Err.find("broken.jpg"), std::string::npos) << tree.Err;
    EXPECT_TRUE(FileExists(pictures + "/index.html"));
}

}  // namespace
}  // namespace fsc::test
