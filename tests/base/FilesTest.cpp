#include <gtest/gtest.h>

#include <filesystem>

#include "base/Errors.h"
#include "base/Files.h"
#include "support/TempDir.h"

namespace fsc {
namespace {

using test::TempDir;

TEST(FileContents, RoundTripBytesAndLines) {
    TempDir dir;
    const std::string binary("\0\xff\r\n\x80", 5);
    WriteFileBytes(dir / "b.bin", binary);
    EXPECT_EQ(ReadFileBytes(dir / "b.bin"), binary);

    SaveLines(dir / "t.txt", {"one", "", "three"});
    EXPECT_EQ(ReadFileBytes(dir / "t.txt"), "one\r\n\r\nthree\r\n");
    WriteFileBytes(dir / "mixed.txt", "a\nb\rc\r\n");
    EXPECT_EQ(LoadLines(dir / "mixed.txt"), (TStringList{"a", "b", "c"}));
}

TEST(FileContents, FailedWriteKeepsTheOldFileAndLeavesNoLitter) {
    TempDir dir;
    WriteFileBytes(dir / "page.html", "old");
    // A directory in the way of the rename makes the write fail after the data was written.
    std::filesystem::create_directory(dir / "blocked");
    EXPECT_THROW(WriteFileBytes(dir / "blocked", "new"), EFSC_Exception);
    EXPECT_THROW(WriteFileBytes(dir / "missing/page.html", "new"), EFSC_Exception);
    EXPECT_EQ(ReadFileBytes(dir / "page.html"), "old");
    EXPECT_EQ(ListDirectory(dir.Path()).size(), 2u);  // page.html and blocked, no temporaries
}

TEST(FileContents, MissingFilesGiveErrorsThatNameThem) {
    TempDir dir;
    try {
        ReadFileBytes(dir / "absent.txt");
        FAIL() << "no exception";
    } catch (const EFSC_Exception& error) {
        EXPECT_NE(std::string(error.what()).find("absent.txt"), std::string::npos);
    }
    EXPECT_THROW(ReadFileBytes(dir.Path()), EFSC_Exception);
    EXPECT_THROW(CopyFileBytes(dir / "absent", dir / "b"), EFSC_Exception);
}

TEST(FileOperations, CopyMoveDeleteAndCreate) {
    TempDir dir;
    WriteFileBytes(dir / "a", "A");
    WriteFileBytes(dir / "b", "B");
    CopyFileBytes(dir / "a", dir / "b");
    EXPECT_EQ(ReadFileBytes(dir / "b"), "A");

    ForceDirectories(dir / "x/y/z");
    EXPECT_TRUE(DirectoryExists(dir / "x/y/z"));
    ForceDirectories(dir / "x/y/z");  // existing is fine
    EXPECT_THROW(ForceDirectories(dir / "a/sub"), EFSC_Exception);

    MoveFileSilently(dir / "a", dir / "x/y/z/a");
    EXPECT_FALSE(FileExists(dir / "a"));
    EXPECT_EQ(ReadFileBytes(dir / "x/y/z/a"), "A");
    WriteFileBytes(dir / "c", "C");
    MoveFileSilently(dir / "c", dir / "b");  // replaces the target
    EXPECT_EQ(ReadFileBytes(dir / "b"), "C");

    EXPECT_TRUE(DeleteFileIfExists(dir / "b"));
    EXPECT_FALSE(DeleteFileIfExists(dir / "b"));
    EXPECT_FALSE(FileExists(dir.Path()));
    EXPECT_FALSE(DirectoryExists(dir / "x/y/z/a"));
}

TEST(ListDirectory, GivesNamesKindsSizesAndDatesInNameOrder) {
    TempDir dir;
    WriteFileBytes(dir / "b.jpg", "12345");
    WriteFileBytes(dir / "A.png", "1");
    ForceDirectories(dir / "sub");
    const auto entries = ListDirectory(dir.Path());
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].Name, "A.png");
    EXPECT_EQ(entries[1].Name, "b.jpg");
    EXPECT_EQ(entries[1].Size, 5u);
    EXPECT_FALSE(entries[1].IsDirectory);
    EXPECT_TRUE(entries[2].IsDirectory);
    EXPECT_GT(entries[1].Modified, 40000.0);  // some day after 2009
    EXPECT_DOUBLE_EQ(entries[1].Modified, FileDate(dir / "b.jpg"));
    EXPECT_EQ(FileDate(dir / "absent"), 0.0);
    EXPECT_THROW(ListDirectory(dir / "absent"), EFSC_Exception);
}

}  // namespace
}  // namespace fsc
