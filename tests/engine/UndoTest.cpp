// Undo, Forget and the removal of previous pages on hand-made journals, and undo after
// real builds.
#include <gtest/gtest.h>

#include "base/Errors.h"
#include "engine/BuildFixture.h"
#include "engine/BuildHistory.h"
#include "engine/GalleryHistories.h"
#include "engine/JournalFile.h"
#include "engine/TempFolderCleanup.h"
#include "engine/Undo.h"

namespace fsc {
namespace {

using test::MessageOf;
using test::TempDir;

struct JournalFolder {
    TempDir Root;
    TBuildJournal Journal;

    std::string File(const std::string& name, const std::string& text) {
        const std::string path = Root / name;
        ForceDirectories(ExtractFileDirOf(path));
        WriteFileBytes(path, text);
        return path;
    }
    static std::string ExtractFileDirOf(const std::string& path) {
        return path.substr(0, path.rfind('/'));
    }
    // `original` was overwritten with `written`; its old text lies in a backup.
    void Overwritten(const std::string& name, const std::string& old, const std::string& written,
                     const std::string& backupName) {
        Journal.CreatedFiles.push_back(File(name, written));
        Journal.BackupFiles.push_back(File(backupName, old));
        Journal.RestoreFiles.push_back(Root / name);
    }
};

TEST(Undo, NothingRecordedIsAnErrorAndChangesNothing) {
    TBuildJournal journal;
    EXPECT_EQ(MessageOf<EUserInputError>([&] { Undo(journal); }), "Nothing there to undo!");
    TThumbnailArray thumbs(1);
    thumbs[0].CopyTime = thumbs[0].ThumbTime = 5;
    EXPECT_EQ(MessageOf<EUserInputError>([&] { UndoGallery(journal, thumbs); }),
              "Nothing there to undo!");
    EXPECT_EQ(thumbs[0].CopyTime, 5);
    EXPECT_EQ(thumbs[0].ThumbTime, 5);
}

TEST(Undo, DeletesOnlyCreatedFilesAndMovesBackupsBack) {
    JournalFolder folder;
    folder.Journal.CreatedFiles.push_back(folder.File("site/new.jpg", "new"));
    folder.Overwritten("site/index.html", "old index", "new index", "temp/7.tmp");
    folder.Journal.CreatedFiles.push_back(folder.Root / "site/never-written.html");
    const std::string other = folder.File("site/other.html", "someone else's");
    ForceDirectories(folder.Root / "site/sub");
    folder.Journal.CreatedFiles.push_back(folder.Root / "site/sub");

    Undo(folder.Journal);

    EXPECT_FALSE(FileExists(folder.Root / "site/new.jpg"));
    EXPECT_EQ(ReadFileBytes(folder.Root / "site/index.html"), "old index");
    EXPECT_EQ(ReadFileBytes(other), "someone else's");
    EXPECT_TRUE(DirectoryExists(folder.Root / "site/sub"));
    EXPECT_FALSE(FileExists(folder.Root / "temp/7.tmp"));
    EXPECT_TRUE(folder.Journal.CreatedFiles.empty());
    EXPECT_TRUE(folder.Journal.BackupFiles.empty());
    EXPECT_TRUE(folder.Journal.RestoreFiles.empty());
    EXPECT_EQ(MessageOf<EUserInputError>([&] { Undo(folder.Journal); }), "Nothing there to undo!");
}

TEST(Undo, APathBackedUpTwiceGetsItsOldestContentsBack) {
    JournalFolder folder;
    folder.Overwritten("site/style.css", "the user's", "first build's", "temp/1.tmp");
    folder.Overwritten("site/style.css", "first build's", "second build's", "temp/2.tmp");
    Undo(folder.Journal);
    EXPECT_EQ(ReadFileBytes(folder.Root / "site/style.css"), "the user's");
    EXPECT_FALSE(FileExists(folder.Root / "temp/1.tmp"));
    EXPECT_FALSE(FileExists(folder.Root / "temp/2.tmp"));
}

TEST(Undo, RestoresIntoAFolderThatWasRemovedMeanwhile) {
    JournalFolder folder;
    folder.Overwritten("site/deep/page.html", "old", "new", "temp/3.tmp");
    std::filesystem::remove_all(folder.Root / "site/deep");
    Undo(folder.Journal);
    EXPECT_EQ(ReadFileBytes(folder.Root / "site/deep/page.html"), "old");
}

TEST(Undo, ABackupThatCannotGoBackIsKeptForAnotherTry) {
    JournalFolder folder;
    folder.Overwritten("site/a.html", "old a", "new a", "temp/1.tmp");
    folder.Overwritten("site/deep/b.html", "old b", "new b", "temp/2.tmp");
    // A file now stands where b's folder was, so b cannot be put back.
    std::filesystem::remove_all(folder.Root / "site/deep");
    folder.File("site/deep", "in the way");

    const std::string message = MessageOf<EFSC_Exception>([&] { Undo(folder.Journal); });
    EXPECT_NE(message.find("Cannot restore \"" + folder.Root / "site/deep/b.html\""),
              std::string::npos)
        << message;
    EXPECT_NE(message.find(folder.Root / "temp/2.tmp"), std::string::npos) << message;
    EXPECT_EQ(ReadFileBytes(folder.Root / "site/a.html"), "old a");
    EXPECT_EQ(ReadFileBytes(folder.Root / "temp/2.tmp"), "old b");
    EXPECT_TRUE(folder.Journal.CreatedFiles.empty());
    EXPECT_EQ(folder.Journal.RestoreFiles, TStringList{folder.Root / "site/deep/b.html"});

    DeleteFileIfExists(folder.Root / "site/deep");
    Undo(folder.Journal);
    EXPECT_EQ(ReadFileBytes(folder.Root / "site/deep/b.html"), "old b");
    EXPECT_TRUE(folder.Journal.BackupFiles.empty());
}

TEST(Undo, ListsOutOfStepAreRefusedBeforeAnythingChanges) {
    JournalFolder folder;
    folder.Overwritten("site/a.html", "old", "new", "temp/1.tmp");
    folder.Journal.RestoreFiles.push_back(folder.Root / "site/b.html");
    for (auto call : {+[](TBuildJournal& journal) { Undo(journal); },
                      +[](TBuildJournal& journal) { Forget(journal); }}) {
        EXPECT_EQ(MessageOf<EFSC_Exception>([&] { call(folder.Journal); }),
                  "Clear Error (Code:Restore)");
        EXPECT_EQ(ReadFileBytes(folder.Root / "site/a.html"), "new");
        EXPECT_EQ(ReadFileBytes(folder.Root / "temp/1.tmp"), "old");
        EXPECT_EQ(folder.Journal.CreatedFiles.size(), 1u);
    }
}

TEST(Forget, DeletesBackupsAndKeepsTheCreatedFiles) {
    JournalFolder folder;
    folder.Overwritten("site/a.html", "old", "new", "temp/1.tmp");
    folder.Journal.BackupFiles.push_back(folder.Root / "temp/gone.tmp");
    folder.Journal.RestoreFiles.push_back(folder.Root / "site/b.html");
    Forget(folder.Journal);
    EXPECT_EQ(ReadFileBytes(folder.Root / "site/a.html"), "new");
    EXPECT_FALSE(FileExists(folder.Root / "temp/1.tmp"));
    EXPECT_TRUE(folder.Journal.CreatedFiles.empty());
    EXPECT_TRUE(folder.Journal.BackupFiles.empty());
    EXPECT_TRUE(folder.Journal.RestoreFiles.empty());
}

TEST(UndoGallery, ClearsTheCacheTimesSoTheNextBuildBacksUpAgain) {
    test::TBuildFixture gallery(1);
    ForceDirectories(gallery.Site + "/images");
    WriteFileBytes(gallery.Page("index.html"), "the user's index");
    gallery.Build();
    EXPECT_NE(ReadFileBytes(gallery.Page("index.html")), "the user's index");
    UndoGallery(gallery.Journal, gallery.Thumbs);
    EXPECT_EQ(ReadFileBytes(gallery.Page("index.html")), "the user's index");
    EXPECT_EQ(ListDirectory(gallery.Site + "/images").size(), 0u);
    EXPECT_EQ(gallery.Thumbs[0].CopyTime, 0);
    EXPECT_EQ(gallery.Thumbs[0].ThumbTime, 0);
    EXPECT_EQ(MessageOf<EUserInputError>([&] { UndoGallery(gallery.Journal, gallery.Thumbs); }),
              "Nothing there to undo!");

    // A copy of the user's now lies where the build writes: it is backed up again.
    WriteFileBytes(gallery.Image("photo0.jpg"), "the user's photo");
    gallery.FreshSettings();
    gallery.Build();
    EXPECT_EQ(gallery.Journal.RestoreFiles,
              (TStringList{gallery.Image("photo0.jpg"), gallery.Page("index.html")}));
    UndoGallery(gallery.Journal, gallery.Thumbs);
    EXPECT_EQ(ReadFileBytes(gallery.Image("photo0.jpg")), "the user's photo");
}

TEST(UndoGallery, TwoBuildsIntoOneHistoryAreUndoneTogether) {
    test::TBuildFixture gallery(2);
    gallery.Build();
    gallery.FreshSettings();
    gallery.HTML.LinkToHTML = true;
    gallery.Build();
    UndoGallery(gallery.Journal, gallery.Thumbs);
    EXPECT_FALSE(DirectoryExists(gallery.Site)) << "the builds made it, with its images folder";
}

TEST(UndoGallery, AfterForgetOnlyTheNewestBuildIsUndone) {
    test::TBuildFixture gallery(1);
    gallery.Build();
    Forget(gallery.Journal);
    gallery.FreshSettings();
    gallery.Template.GalleryFileName = "other.html";
    gallery.Build();
    UndoGallery(gallery.Journal, gallery.Thumbs);
    EXPECT_TRUE(FileExists(gallery.Page("index.html")));
    EXPECT_FALSE(FileExists(gallery.Page("other.html")));
}

TEST(TempFolderCleanup, DeletesTheFilesOfTheFolderOnly) {
    TempDir root;
    const std::string temp = root / "temp";
    ForceDirectories(temp + "/sub");
    WriteFileBytes(temp + "/1.tmp", "x");
    WriteFileBytes(temp + "/2.tmp", "y");
    WriteFileBytes(root / "outside.tmp", "z");
    TThumbnailArray thumbs(2);
    CleanUpAtExit(thumbs, temp);
    EXPECT_TRUE(thumbs.empty());
    ASSERT_EQ(ListDirectory(temp).size(), 1u);
    EXPECT_TRUE(ListDirectory(temp)[0].IsDirectory);
    EXPECT_TRUE(FileExists(root / "outside.tmp"));
    EXPECT_NO_THROW(DeleteTempFolderFiles(root / "missing"));
}

// The process died while undoing: the created files were gone and one backup was back.
// Undo in the next process must not delete the file it already put back.
TEST(Undo, AnUndoCutShortGoesOnWhereItStopped) {
    TempDir root;
    const std::string histories = root / "history";
    const std::string page = root / "site/index.html";
    const std::string style = root / "site/style.css";
    ForceDirectories(root / "site");
    WriteFileBytes(page, "the user's page");
    WriteFileBytes(style, "the user's style");
    test::TCountingRandom random;
    {
        TBuildJournal journal;
        AttachHistory(journal, histories, page);
        for (const std::string& path : {page, style, root / "site/photo.jpg"}) {
            JournalFile(journal, path, journal.History->PageBackupFolder(), random);
            WriteFileBytes(path, "built");
        }
        FinishHistoryBuild(journal);

        for (const std::string& path : journal.CreatedFiles) DeleteFileIfExists(path);
        journal.History->CreatedFilesDeleted();
        MoveFileSilently(journal.BackupFiles[1], style);
        journal.History->Restored(journal.BackupFiles[1]);
    }
    UndoGalleryHistory(histories, page);
    EXPECT_EQ(ReadFileBytes(page), "the user's page");
    EXPECT_EQ(ReadFileBytes(style), "the user's style");
    EXPECT_FALSE(FileExists(root / "site/photo.jpg"));
    EXPECT_TRUE(ListHistories(histories).empty());
    EXPECT_EQ(MessageOf<EUserInputError>([&] { UndoGalleryHistory(histories, page); }),
              "Nothing there to undo!");
}

}  // namespace
}  // namespace fsc
