// The undo history on disk: a build killed at any moment, a build undone by a later process,
// two processes at once, and a history that was damaged.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QProcess>
#include <algorithm>
#include <map>

#include "base/Files.h"
#include "e2e/CliGallery.h"
#include "imaging/PictureSamples.h"
#include "tests/ftp/FtpTestSupport.h"

namespace fsc::test {
namespace {

// Pictures large enough, and shrunk the slow way, that a build lasts a while.
void WritePictures(const std::string& folder, int count) {
    ForceDirectories(folder);
    const std::string picture = JpegRgb(Quadrants(1600, 1200), 90);
    for (int i = 0; i < count; ++i) {
        WriteFileBytes(folder + "/p" + std::to_string(i) + ".jpg", picture);
    }
}

// A gallery folder the user already filled: the page, a picture copy and a thumbnail the
// build will write over, and a file it never touches.
void WriteUserFiles(const std::string& out) {
    ForceDirectories(out + "/images");
    WriteFileBytes(out + "/index.html", "<html><body>my own page</body></html>\n");
    WriteFileBytes(out + "/images/p3.jpg", "not really a picture, but mine");
    WriteFileBytes(out + "/images/p7_th.jpg", "my thumbnail");
    WriteFileBytes(out + "/notes.txt", "keep me");
}

std::vector<std::string> BuildArguments(const TCliRun& run, const std::string& pictures,
                                        const std::string& out) {
    return {"build",
            "--images",
            run.Root / pictures,
            "--html-dir",
            run.Root / out,
            "--html-file",
            "index.html",
            "--template",
            "none",
            "--set",
            "IMAGEDORESIZE=true",
            "--set",
            "RESIZEMETHOD=classic",
            "--set",
            "TABLECOLS=1",
            "--set",
            "TABLEROWS=1",
            "--set",
            "USEIMAGEASHTML=true"};
}

// A build running as its own process; stderr is read as it comes.
class TRunningBuild {
public:
    TRunningBuild(const TCliRun& run, const std::vector<std::string>& args) {
        QStringList environment = QProcess::systemEnvironment();
        for (const std::string& entry : run.Environment())
            environment << QString::fromStdString(entry);
        process.setEnvironment(environment);
        QStringList arguments;
        for (const std::string& arg : args) arguments << QString::fromStdString(arg);
        process.start(FSC_CLI_PATH, arguments);
    }
    // True when `text` appeared on stderr while the build still ran.
    bool WaitFor(const std::string& text) {
        while (!err.contains(text.c_str()) && process.state() != QProcess::NotRunning) {
            process.waitForReadyRead(10);
            err += process.readAllStandardError();
        }
        return process.state() == QProcess::Running;
    }
    // False when the build had ended before the signal came.
    bool Kill() {
        ::kill(pid_t(process.processId()), SIGKILL);
        process.waitForFinished(20000);
        return process.exitStatus() == QProcess::CrashExit;
    }
    int Finish() {
        process.waitForFinished(120000);
        return process.exitCode();
    }
    std::string Err() { return (err + process.readAllStandardError()).toStdString(); }

private:
    QProcess process;
    QByteArray err;
};

TEST(CliHistory, BuildKilledAtAnyMomentIsUndoneByTheNextProcess) {
    EnsureQtApplication();
    TCliRun run;
    // Enough pictures, and two pages for each, that every moment leaves work undone.
    WritePictures(run.Root / "pics", 40);
    WriteUserFiles(run.Root / "out");
    const TFileBytes before = Snapshot(run.Root / "out");
    // While pictures are made, first and later ones, and while the pages are written.
    for (const std::string moment : {"Copying Images. 1 of", "Copying Images. 4 of",
                                     "Copying Images. 20 of", "Folioscope: Create HTML."}) {
        SCOPED_TRACE(moment);
        TRunningBuild build(run, BuildArguments(run, "pics", "out"));
        ASSERT_TRUE(build.WaitFor(moment)) << build.Err();
        ASSERT_TRUE(build.Kill()) << build.Err();

        const ProgramResult next = run.Run({"options"});
        EXPECT_NE(next.Err.find("The last build of the gallery \"" + run.Root / "out/index.html" +
                                "\" did not finish."),
                  std::string::npos)
            << next.Err;
        const ProgramResult listed = run.Run({"history"});
        EXPECT_NE(listed.Out.find("did not finish"), std::string::npos) << listed.Out;

        const ProgramResult undo = run.Run({"undo"});
        ASSERT_EQ(undo.ExitCode, 0) << undo.Err;
        EXPECT_EQ(Snapshot(run.Root / "out"), before);
        for (const std::string& left : FilesBelow(run.StateFolder() + "/history")) {
            EXPECT_EQ(left.substr(left.size() - 5), ".lock") << "outlived the undo: " << left;
        }
        EXPECT_EQ(run.Run({"undo"}).Err, "Nothing there to undo!\n");
    }
    // Undone, a build starts afresh and backs the user's files up again.
    ASSERT_EQ(run.Build({"--images", run.Root / "pics", "--html-dir", run.Root / "out",
                         "--html-file", "index.html", "--quiet"})
                  .ExitCode,
              0);
    ASSERT_EQ(run.Run({"undo", "--html-dir", run.Root / "out", "--html-file", "index"}).ExitCode,
              0);
    EXPECT_EQ(Snapshot(run.Root / "out"), before);
}

// Run again after it was killed, a build goes on with the unfinished history; what the
// killed build wrote is the history's own, so undo removes it instead of bringing it back.
TEST(CliHistory, AKilledBuildRunAgainIsUndoneToTheFolderBeforeEither) {
    EnsureQtApplication();
    TCliRun run;
    WritePictures(run.Root / "pics", 40);
    WriteUserFiles(run.Root / "out");
    const TFileBytes before = Snapshot(run.Root / "out");
    for (const std::string moment : {"Copying Images. 6 of", "Folioscope: Create HTML."}) {
        SCOPED_TRACE(moment);
        TRunningBuild killed(run, BuildArguments(run, "pics", "out"));
        ASSERT_TRUE(killed.WaitFor(moment)) << killed.Err();
        ASSERT_TRUE(killed.Kill()) << killed.Err();
        ASSERT_EQ(run.Run(BuildArguments(run, "pics", "out")).ExitCode, 0);
        ASSERT_EQ(run.Run({"undo"}).ExitCode, 0);
        EXPECT_EQ(Snapshot(run.Root / "out"), before);
    }
}

// A photo taken out of the gallery goes from its folder, with its pages; each undo takes back
// one build, the newest first, down to the folder as the user had it. A rebuild that changes
// nothing takes no place in between.
TEST(CliHistory, ARemovedPhotoGoesAndEachUndoTakesBackOneBuild) {
    EnsureQtApplication();
    TCliRun run;
    ForceDirectories(run.Root / "pics");
    for (int i = 0; i < 3; ++i) {
        WriteFileBytes(run.Root / ("pics/p" + std::to_string(i) + ".jpg"),
                       JpegRgb(Quadrants(320 + 16 * i, 240), 90));
    }
    WriteUserFiles(run.Root / "out");
    const auto build = [&](const std::string& thumbSize) {
        std::vector<std::string> args = BuildArguments(run, "pics", "out");
        args.insert(args.end(), {"--set", "THUMBWIDTH=" + thumbSize, "--set",
                                 "THUMBHEIGHT=" + thumbSize, "--quiet"});
        const ProgramResult result = run.Run(args);
        EXPECT_EQ(result.ExitCode, 0) << result.Err;
        return Snapshot(run.Root / "out");
    };
    const TFileBytes before = Snapshot(run.Root / "out");
    const TFileBytes three = build("120");
    ASSERT_EQ(three.count("index3.html"), 1u);
    ASSERT_EQ(three.count("images/p2_th.jpg"), 1u);

    std::filesystem::remove(run.Root / "pics/p2.jpg");
    const TFileBytes two = build("120");
    for (const std::string gone : {"index3.html", "images/p2.jpg", "images/p2_th.jpg"})
        EXPECT_EQ(two.count(gone), 0u) << gone;
    EXPECT_EQ(two.at("notes.txt"), "keep me");
    EXPECT_EQ(two.size(), three.size() - 4) << "the copy, thumbnail, picture page and page";

    const TFileBytes wider = build("160");
    EXPECT_TRUE(wider.at("images/p0_th.jpg") != two.at("images/p0_th.jpg"));
    EXPECT_EQ(build("160"), wider);
    // A build that fails is undone at once, and only it: the one before stays undoable.
    WriteFileBytes(run.Root / "pics/p9.jpg", "not a picture");
    std::vector<std::string> failing = BuildArguments(run, "pics", "out");
    failing.insert(failing.end(), {"--set", "THUMBWIDTH=200", "--quiet"});
    EXPECT_NE(run.Run(failing).ExitCode, 0);
    EXPECT_EQ(Snapshot(run.Root / "out"), wider);
    std::filesystem::remove(run.Root / "pics/p9.jpg");
    const std::string listed = run.Run({"history"}).Out;
    EXPECT_EQ(std::count(listed.begin(), listed.end(), '\n'), 3) << listed;

    for (const TFileBytes& expected : {two, three, before}) {
        const ProgramResult undo = run.Run({"undo", "--html-dir", run.Root / "out"});
        ASSERT_EQ(undo.ExitCode, 0) << undo.Err;
        EXPECT_EQ(Snapshot(run.Root / "out"), expected);
    }
    EXPECT_EQ(run.Run({"undo"}).Err, "Nothing there to undo!\n");
}

// The stack keeps the last ten builds: the eleventh drops the oldest and says so, and undo
// reaches back ten builds, no further.
TEST(CliHistory, TheStackKeepsTheLastTenBuilds) {
    EnsureQtApplication();
    TCliRun run;
    ForceDirectories(run.Root / "pics");
    WriteFileBytes(run.Root / "pics/p.jpg", JpegRgb(Quadrants(200, 150), 90));
    std::string lastErr;
    for (int build = 0; build < 12; ++build) {
        const ProgramResult result =
            run.Build({"--images", run.Root / "pics", "--html-dir", run.Root / "out", "--set",
                       "THUMBWIDTH=" + std::to_string(40 + build), "--set", "THUMBHEIGHT=200"});
        ASSERT_EQ(result.ExitCode, 0) << result.Err;
        if (build < 10) {
            EXPECT_EQ(result.Err.find("can no longer be undone"), std::string::npos);
        }
        lastErr = result.Err;
    }
    EXPECT_NE(lastErr.find("The oldest build of \"" + run.Root / "out/index.html" +
                           "\" can no longer be undone"),
              std::string::npos)
        << lastErr;
    const std::string listed = run.Run({"history"}).Out;
    EXPECT_EQ(std::count(listed.begin(), listed.end(), '\n'), 10) << listed;
    for (int undo = 0; undo < 10; ++undo) {
        const ProgramResult result = run.Run({"undo"});
        ASSERT_EQ(result.ExitCode, 0) << undo << ": " << result.Err;
    }
    // The build of the third run is what is left: the two before it can no longer go.
    EXPECT_TRUE(FileExists(run.Root / "out/index.html"));
    EXPECT_EQ(run.Run({"undo"}).Err, "Nothing there to undo!\n");
}

// A failed build into a new folder leaves no empty folders behind; and a gallery reached
// through a linked folder is the same gallery, built by one program at a time.
TEST(CliHistory, AFailedFirstPictureLeavesNoFolderAndALinkedFolderIsTheSameGallery) {
    EnsureQtApplication();
    TCliRun run;
    ForceDirectories(run.Root / "bad");
    WriteFileBytes(run.Root / "bad/a.jpg", "not a picture");
    const ProgramResult failed = run.Run({"build", "--images", run.Root / "bad/a.jpg", "--html-dir",
                                          run.Root / "new/site", "--quiet"});
    EXPECT_EQ(failed.ExitCode, 1);
    EXPECT_FALSE(DirectoryExists(run.Root / "new")) << failed.Err;

    WritePictures(run.Root / "pics", 40);
    ForceDirectories(run.Root / "one");
    ASSERT_EQ(::symlink((run.Root / "one").c_str(), (run.Root / "link").c_str()), 0);
    TRunningBuild one(run, BuildArguments(run, "pics", "one"));
    ASSERT_TRUE(one.WaitFor("Copying Images. 2 of")) << one.Err();
    const ProgramResult other = run.Run(BuildArguments(run, "pics", "link"));
    EXPECT_EQ(other.ExitCode, 1);
    EXPECT_NE(other.Err.find("Another Folioscope program is building or undoing the gallery"),
              std::string::npos)
        << other.Err;
    ASSERT_EQ(one.Finish(), 0) << one.Err();
}

TEST(CliHistory, TwoGalleriesBuiltAtOnceAreUndoneOneByOneAndOneGalleryIsBuiltOnceAtATime) {
    EnsureQtApplication();
    TCliRun run;
    WritePictures(run.Root / "pics", 40);
    WriteUserFiles(run.Root / "one");
    WriteUserFiles(run.Root / "two");
    WriteFileBytes(run.Root / "two/index.html", "the second gallery's old page");
    const TFileBytes beforeOne = Snapshot(run.Root / "one");
    const TFileBytes beforeTwo = Snapshot(run.Root / "two");

    std::vector<std::string> first = BuildArguments(run, "pics", "one");
    first.insert(first.end(), {"--save-project", run.Root / "one.gal"});
    TRunningBuild one(run, first);
    TRunningBuild two(run, BuildArguments(run, "pics", "two"));
    ASSERT_TRUE(one.WaitFor("Copying Images. 2 of")) << one.Err();
    const ProgramResult same = run.Run(BuildArguments(run, "pics", "one"));
    EXPECT_EQ(same.ExitCode, 1);
    EXPECT_NE(same.Err.find("Another Folioscope program is building or undoing the gallery \"" +
                            run.Root / "one/index.html" + "\""),
              std::string::npos)
        << same.Err;
    ASSERT_EQ(one.Finish(), 0) << one.Err();
    ASSERT_EQ(two.Finish(), 0) << two.Err();

    const ProgramResult listed = run.Run({"history"});
    EXPECT_NE(listed.Out.find(run.Root / "one/index.html"), std::string::npos) << listed.Out;
    EXPECT_NE(listed.Out.find(run.Root / "two/index.html"), std::string::npos) << listed.Out;
    EXPECT_EQ(listed.Out.find("did not finish"), std::string::npos) << listed.Out;

    ASSERT_EQ(run.Run({"undo", run.Root / "one.gal"}).ExitCode, 0);
    EXPECT_EQ(Snapshot(run.Root / "one"), beforeOne);
    EXPECT_NE(Snapshot(run.Root / "two"), beforeTwo) << "the other gallery was undone too";
    ASSERT_EQ(
        run.Run({"undo", "--html-dir", run.Root / "two", "--html-file", "index.html"}).ExitCode, 0);
    EXPECT_EQ(Snapshot(run.Root / "two"), beforeTwo);
}

// A first gallery needs only pictures and a folder: its page is index.html, and the same folder
// alone names it again for the undo.
TEST(CliHistory, AGalleryNamedByItsFolderAloneIsBuiltAsIndexAndUndone) {
    TCliRun run;
    WritePictures(run.Root / "pics", 2);
    WriteUserFiles(run.Root / "out");
    const TFileBytes before = Snapshot(run.Root / "out");
    const ProgramResult built = run.Run(
        {"build", "--images", run.Root / "pics", "--html-dir", run.Root / "out", "--quiet"});
    ASSERT_EQ(built.ExitCode, 0) << built.Err;
    EXPECT_EQ(built.Out, run.Root / "out/index.html\n");
    const ProgramResult undo = run.Run({"undo", "--html-dir", run.Root / "out"});
    ASSERT_EQ(undo.ExitCode, 0) << undo.Err;
    EXPECT_EQ(Snapshot(run.Root / "out"), before);
}

// A rebuild that finds every file as it would write it touches none of them, and adds no
// build to the stack: undo still takes back the build that wrote them.
TEST(CliHistory, ARebuildThatChangesNothingWritesNothingAndKeepsTheBuildBefore) {
    TCliRun run;
    WritePictures(run.Root / "pics", 2);
    const std::vector<std::string> build{
        "build",          "--images", run.Root / "pics",     "--html-dir",
        run.Root / "out", "--set",    "USEIMAGEASHTML=true", "--quiet"};
    ASSERT_EQ(run.Run(build).ExitCode, 0);
    std::map<std::string, ino_t> inodes;
    for (const std::string& file : FilesBelow(run.Root / "out")) {
        struct stat info {};
        ASSERT_EQ(::stat((run.Root / "out/" + file).c_str(), &info), 0);
        inodes[file] = info.st_ino;
    }
    ASSERT_GE(inodes.size(), 5u) << "a gallery page, two picture pages, copies, thumbnails";

    const ProgramResult again = run.Run(build);
    ASSERT_EQ(again.ExitCode, 0) << again.Err;
    for (const auto& [file, inode] : inodes) {
        struct stat info {};
        ASSERT_EQ(::stat((run.Root / "out/" + file).c_str(), &info), 0);
        EXPECT_EQ(info.st_ino, inode) << file << " was written again";
    }
    const std::string history = run.Run({"history"}).Out;
    EXPECT_EQ(history.find(run.Root / "out"), history.rfind(run.Root / "out")) << history;
    EXPECT_EQ(run.Run({"undo", "--html-dir", run.Root / "out"}).ExitCode, 0);
    EXPECT_TRUE(FilesBelow(run.Root / "out").empty());
    const ProgramResult undo = run.Run({"undo", "--html-dir", run.Root / "out"});
    EXPECT_EQ(undo.ExitCode, 1);
    EXPECT_NE(undo.Err.find("Nothing there to undo!"), std::string::npos) << undo.Err;
}

// A shipped template's gallery has every picture in several sizes and formats: a second
// process that finds them all current writes none again, and undo takes every one away.
TEST(CliHistory, ExtraSizesAndFormatsAreKeptByARebuildAndUndoneWithTheGallery) {
    TCliRun run;
    WritePictures(run.Root / "pics", 2);
    const std::vector<std::string> build{
        "build",      "--images", run.Root / "pics", "--html-dir",     run.Root / "out",
        "--template", "Modern",   "--set",           "IMAGEAVIF=true", "--quiet"};
    const ProgramResult built = run.Run(build);
    ASSERT_EQ(built.ExitCode, 0) << built.Err;
    std::map<std::string, ino_t> inodes;
    for (const std::string& file : FilesBelow(run.Root / "out")) {
        struct stat info {};
        ASSERT_EQ(::stat((run.Root / "out/" + file).c_str(), &info), 0);
        inodes[file] = info.st_ino;
    }
    for (const char* file : {"images/p0_th-3x.jpg", "images/p0_th-2x.webp", "images/p1-640.avif",
                             "images/p1-1280.webp", "images/p1.avif"})
        EXPECT_EQ(inodes.count(file), 1u) << file;

    const ProgramResult again = run.Run(build);
    ASSERT_EQ(again.ExitCode, 0) << again.Err;
    for (const auto& [file, inode] : inodes) {
        struct stat info {};
        ASSERT_EQ(::stat((run.Root / "out/" + file).c_str(), &info), 0);
        EXPECT_EQ(info.st_ino, inode) << file << " was written again";
    }
    const ProgramResult undo = run.Run({"undo", "--html-dir", run.Root / "out"});
    ASSERT_EQ(undo.ExitCode, 0) << undo.Err;
    EXPECT_TRUE(FilesBelow(run.Root / "out").empty());
}

// Undo also takes away the folders the build made, up to the one that was there before, and
// keeps a folder that the user has put a file into since.
TEST(CliHistory, UndoRemovesTheFoldersTheBuildMadeButNotWhatTheUserPutThere) {
    TCliRun run;
    WritePictures(run.Root / "pics", 2);
    ForceDirectories(run.Root / "site");
    const std::vector<std::string> build{"build",
                                         "--images",
                                         run.Root / "pics",
                                         "--html-dir",
                                         run.Root / "site/2026/trip",
                                         "--html-file",
                                         "pages/index.html",
                                         "--quiet"};
    ASSERT_EQ(run.Run(build).ExitCode, 0);
    ASSERT_TRUE(DirectoryExists(run.Root / "site/2026/trip/images"));
    ASSERT_TRUE(DirectoryExists(run.Root / "site/2026/trip/pages"));
    ASSERT_EQ(run.Run({"undo"}).ExitCode, 0);
    EXPECT_TRUE(DirectoryExists(run.Root / "site"));
    EXPECT_FALSE(DirectoryExists(run.Root / "site/2026"));

    ASSERT_EQ(run.Run(build).ExitCode, 0);
    WriteFileBytes(run.Root / "site/2026/notes.txt", "mine");
    ASSERT_EQ(run.Run({"undo"}).ExitCode, 0);
    EXPECT_EQ(FilesBelow(run.Root / "site"), std::vector<std::string>{"2026/notes.txt"});
    EXPECT_FALSE(DirectoryExists(run.Root / "site/2026/trip"));
}

TEST(CliHistory, DamagedHistoryIsNamedAndNothingIsDeleted) {
    TCliRun run;
    WritePictures(run.Root / "pics", 2);
    WriteUserFiles(run.Root / "out");
    ASSERT_EQ(run.Build({"--images", run.Root / "pics", "--html-dir", run.Root / "out",
                         "--html-file", "index.html", "--quiet"})
                  .ExitCode,
              0);
    const std::vector<std::string> folders = FilesBelow(run.StateFolder() + "/history");
    const auto journal = std::find_if(folders.begin(), folders.end(), [](const std::string& name) {
        return name.size() > 8 && name.substr(name.size() - 8) == "/journal";
    });
    ASSERT_NE(journal, folders.end());
    const std::string journalPath = run.StateFolder() + "/history/" + *journal;
    std::string text = ReadFileBytes(journalPath);
    // One path of the middle changed, as a bad disk block or an editor would.
    text[text.find("/out/") + 2] ^= 0x20;
    WriteFileBytes(journalPath, text);
    const TFileBytes gallery = Snapshot(run.Root / "out");
    const TFileBytes history = Snapshot(run.StateFolder() + "/history");

    const ProgramResult undo =
        run.Run({"undo", "--html-dir", run.Root / "out", "--html-file", "index.html"});
    EXPECT_EQ(undo.ExitCode, 1);
    EXPECT_NE(undo.Err.find("The undo history \"" + journalPath + "\" is damaged (line "),
              std::string::npos)
        << undo.Err;
    EXPECT_NE(undo.Err.find("nothing was undone or deleted"), std::string::npos) << undo.Err;
    EXPECT_EQ(run.Run({"history", "--forget", "--html-dir", run.Root / "out", "--html-file",
                       "index.html"})
                  .ExitCode,
              1);
    EXPECT_EQ(Snapshot(run.Root / "out"), gallery);
    EXPECT_EQ(Snapshot(run.StateFolder() + "/history"), history);
}

}  // namespace
}  // namespace fsc::test
