// Builds that meet real file-system faults: each stops with a message naming the file,
// never touches a file it could not back up, and leaves a journal that undo fully reverses.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "base/Errors.h"
#include "base/Paths.h"
#include "engine/BuildFixture.h"
#include "engine/Undo.h"

namespace fsc {
namespace {

using test::MessageOf;
using test::TBuildFixture;

// Files may not grow beyond `bytes` while this lives: writes past it fail with EFBIG as on a
// full disk, for an unprivileged process too.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved);
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved;
        limit.rlim_cur = bytes;
        EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    ~TFileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
    rlimit saved{};
    void (*previousHandler)(int) = nullptr;
};

// A gallery with files of the user's in its way, so that undo has something to restore.
struct UserFilesInTheWay : TBuildFixture {
    UserFilesInTheWay() : TBuildFixture(3) {
        ForceDirectories(Site + "/images");
        WriteFileBytes(Page("index.html"), "the user's index");
        WriteFileBytes(Image("photo0.jpg"), "the user's photo0");
    }
    // After undo only the user's files are left, with their own contents.
    void ExpectOnlyUserFiles() {
        EXPECT_EQ(ReadFileBytes(Page("index.html")), "the user's index");
        EXPECT_EQ(ReadFileBytes(Image("photo0.jpg")), "the user's photo0");
        EXPECT_EQ(ListDirectory(Site + "/images").size(), 1u);
        EXPECT_EQ(ListDirectory(Site).size(), 2u);
    }
};

TEST(BuildSafety, FailuresMidwayNameTheFileAndUndoRemovesThePartialGallery) {
    struct Case {
        const char* fault;
        void (*arrange)(UserFilesInTheWay&);
        std::string (*named)(UserFilesInTheWay&);
    };
    const Case cases[] = {
        {"a source that vanishes once the build has started",
         [](UserFilesInTheWay& g) {
             g.Thumbs[1].FileName = g.Pictures + "/vanishing.jpg";
             test::WritePicture(g.Thumbs[1].FileName, 40, 30);
             g.Progress.OnText = [&g](const std::string& text) {
                 if (text == "Folioscope.") {
                     DeleteFileIfExists(g.Thumbs[1].FileName);
                 }
             };
         },
         [](UserFilesInTheWay& g) { return g.Thumbs[1].FileName; }},
        {"a JPEG cut off halfway",
         [](UserFilesInTheWay& g) {
             const std::string bytes = ReadFileBytes(g.Thumbs[2].FileName);
             WriteFileBytes(g.Thumbs[2].FileName, bytes.substr(0, bytes.size() / 2));
         },
         [](UserFilesInTheWay& g) { return g.Thumbs[2].FileName; }},
        {"a folder where a thumbnail must go",
         [](UserFilesInTheWay& g) { ForceDirectories(g.Image("photo2_th.jpg")); },
         [](UserFilesInTheWay& g) { return g.Image("photo2_th.jpg"); }},
        {"a folder where the page must go",
         [](UserFilesInTheWay& g) {
             g.Template.GalleryFileName = "gallery.html";
             ForceDirectories(g.Page("gallery.html"));
         },
         [](UserFilesInTheWay& g) { return g.Page("gallery.html"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        UserFilesInTheWay gallery;
        c.arrange(gallery);
        const std::string named = c.named(gallery);
        const std::string message = MessageOf<EFSC_Exception>([&] { gallery.Build(); });
        EXPECT_NE(message.find(named), std::string::npos) << message;
        EXPECT_FALSE(gallery.Journal.CreatedFiles.empty());
        UndoGallery(gallery.Journal, gallery.Thumbs);
        // The folders the fault put in the way are the test's, not the build's.
        std::filesystem::remove_all(named);
        gallery.ExpectOnlyUserFiles();
    }
}

TEST(BuildSafety, AFileWhereTheImageDirectoryMustGoStopsTheBuild) {
    TBuildFixture gallery(1);
    ForceDirectories(gallery.Site);
    WriteFileBytes(gallery.Site + "/images", "a file");
    const std::string message = MessageOf<EFSC_Exception>([&] { gallery.Build(); });
    EXPECT_NE(message.find("Cannot create directory \"" + gallery.Site + "/images"),
              std::string::npos)
        << message;
    EXPECT_EQ(ReadFileBytes(gallery.Site + "/images"), "a file");
    EXPECT_TRUE(gallery.Journal.CreatedFiles.empty());
}

TEST(BuildSafety, AFileThatCannotBeBackedUpIsNeitherTouchedNorJournalled) {
    struct Case {
        const char* what;
        std::string blockedFolder;  // made a file, so no backup can go there
        std::string userFile;
    };
    const Case cases[] = {
        {"image copy", "state", "images/photo0.jpg"},
        {"thumbnail", "state", "images/photo0_th.jpg"},
        {"page", "state/temp", "index.html"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TBuildFixture gallery(1);
        ForceDirectories(gallery.Site + "/images");
        ForceDirectories(ExtractFileDir(gallery.Root / c.blockedFolder));
        WriteFileBytes(gallery.Root / c.blockedFolder, "in the way");
        const std::string userFile = gallery.Site + "/" + c.userFile;
        WriteFileBytes(userFile, "the user's file");

        EXPECT_THROW(gallery.Build(), EFSC_Exception);
        EXPECT_EQ(ReadFileBytes(userFile), "the user's file");
        EXPECT_EQ(IndexOfLine(gallery.Journal.CreatedFiles, userFile), -1);
        if (!gallery.Journal.CreatedFiles.empty()) UndoGallery(gallery.Journal, gallery.Thumbs);
        EXPECT_EQ(ReadFileBytes(userFile), "the user's file");
    }
}

TEST(BuildSafety, AFullDiskLeavesNoHalfWrittenCopyAndUndoCleansUp) {
    UserFilesInTheWay gallery;
    gallery.Thumbs[1].FileName = gallery.Pictures + "/large.jpg";
    test::WritePicture(gallery.Thumbs[1].FileName, 1200, 900);
    const auto large = FileSize(gallery.Thumbs[1].FileName);
    std::string message;
    {
        TFileSizeLimit limit(large / 2);
        message = MessageOf<EFSC_Exception>([&] { gallery.Build(); });
    }
    EXPECT_NE(message.find("Cannot write file \"" + gallery.Image("photo1.jpg") + "\""),
              std::string::npos)
        << message;
    EXPECT_FALSE(FileExists(gallery.Image("photo1.jpg")));
    for (const TDirEntry& entry : ListDirectory(gallery.Site + "/images")) {
        EXPECT_EQ(entry.Name.find(".part"), std::string::npos) << entry.Name;
    }
    UndoGallery(gallery.Journal, gallery.Thumbs);
    gallery.ExpectOnlyUserFiles();
}

TEST(BuildSafety, ABackupThatDoesNotFitStopsBeforeTheFileIsReplaced) {
    TBuildFixture gallery(1);
    ForceDirectories(gallery.Site + "/images");
    // A large file of the user's where the small copy goes; its backup cannot be written.
    test::WritePicture(gallery.Image("photo0.jpg"), 1200, 900);
    const std::string before = ReadFileBytes(gallery.Image("photo0.jpg"));
    std::string message;
    {
        TFileSizeLimit limit(before.size() / 2);
        message = MessageOf<EFSC_Exception>([&] { gallery.Build(); });
    }
    EXPECT_NE(message.find(gallery.Image("photo0.jpg")), std::string::npos) << message;
    EXPECT_EQ(ReadFileBytes(gallery.Image("photo0.jpg")), before);
    EXPECT_TRUE(gallery.Journal.CreatedFiles.empty());
    EXPECT_TRUE(gallery.Journal.BackupFiles.empty());
}

}  // namespace
}  // namespace fsc
