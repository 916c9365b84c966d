// Image set files on real files: the exact bytes of both writers, round trips, reading
// twice, the image folder, and damaged or unsafe sets.
#include <gtest/gtest.h>

#include "CommandTestSupport.h"
#include "app/AddImages.h"
#include "app/ImageNames.h"
#include "app/ImageSet.h"
#include "base/Errors.h"
#include "base/Text.h"

namespace fsc {
namespace {

using test::IsOld;
using test::MakeOld;
using test::MessageOf;
using test::TCommandFixture;

class ImageSetTest : public ::testing::Test {
protected:
    TCommandFixture f;
    std::string SetPath = f.Root / "my.set";

    void AddPictures(int count) {
        for (int i = 0; i < count; ++i) {
            ASSERT_TRUE(AddOneFile(f.Ws.Images, f.Picture("p" + std::to_string(i) + ".jpg")));
        }
    }
    TThumbnailArray Read(const std::string& path) { return ReadImageSet(path, f.Progress); }
};

TEST_F(ImageSetTest, OneImageInfosOnlyByteForByte) {
    TThumbnail thumb;
    thumb.FileName = "/pics/a.jpg";
    thumb.Name = "a.jpg";
    thumb.Link = "l";
    thumb.ThumbName = "a_th.jpg";
    thumb.Hint = "h";
    thumb.Description = "d1\r\nd2";
    thumb.FieldA = "A";
    thumb.FieldB = "B";
    thumb.FieldC = "C";
    thumb.noImage = true;
    thumb.OtherLink = "o";
    WriteImageSetInfos({thumb}, SetPath);
    EXPECT_EQ(ReadFileBytes(SetPath),
              "<#THUMB0FileName#>/pics/a.jpg<#THUMB0FileNameEND#>"
              "<#THUMB0Name#>a.jpg<#THUMB0NameEND#>"
              "<#THUMB0Link#>l<#THUMB0LinkEND#>"
              "<#THUMB0ThumbName#>a_th.jpg<#THUMB0ThumbNameEND#>"
              "<#THUMB0Hint#>h<#THUMB0HintEND#>"
              "<#THUMB0Description#>d1\r\nd2<#THUMB0DescriptionEND#>"
              "<#THUMB0FieldA#>A<#THUMB0FieldAEND#>"
              "<#THUMB0FieldB#>B<#THUMB0FieldBEND#>"
              "<#THUMB0FieldC#>C<#THUMB0FieldCEND#>"
              "<#THUMB0noImage#>TRUE<#THUMB0noImageEND#>"
              "<#THUMB0useOtherLink#>FALSE<#THUMB0useOtherLinkEND#>"
              "<#THUMB0OtherLink#>o<#THUMB0OtherLinkEND#>\r\n");
}

TEST_F(ImageSetTest, ThreeImagesInfosOnlyAreOneLineLastImageFirst) {
    AddPictures(3);
    WriteImageSetInfos(f.Ws.Images, SetPath);
    const std::string bytes = ReadFileBytes(SetPath);
    EXPECT_TRUE(
        StartsWith(bytes, "<#THUMB2FileName#>" + f.Pictures + "/p2.jpg<#THUMB2FileNameEND#>"));
    EXPECT_TRUE(EndsWith(bytes, "<#THUMB0OtherLinkEND#>\r\n"));
    EXPECT_EQ(SplitLines(bytes).size(), 1u);
    EXPECT_LT(bytes.find("<#THUMB1FileName#>"), bytes.find("<#THUMB0FileName#>"));
}

TEST_F(ImageSetTest, ThreeImagesWithImagesAreThreeBlockLinesAndTheMarker) {
    AddPictures(3);
    WriteImageSetWithImages(f.Ws.Images, SetPath, f.Progress);
    const TStringList lines = SplitLines(ReadFileBytes(SetPath));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_TRUE(StartsWith(lines[0], "<#THUMB2FileName#>p2.jpg<#THUMB2FileNameEND#>"));
    EXPECT_TRUE(StartsWith(lines[1], "<#THUMB1FileName#>p1.jpg<#THUMB1FileNameEND#>"));
    EXPECT_TRUE(StartsWith(lines[2], "<#THUMB0FileName#>p0.jpg<#THUMB0FileNameEND#>"));
    EXPECT_EQ(lines[3], "<#useDir#>");
    EXPECT_TRUE(EndsWith(ReadFileBytes(SetPath), "<#useDir#>\r\n"));
    for (const TThumbnail& thumb : f.Ws.Images) {
        EXPECT_EQ(thumb.FileName, f.Root / ("my.set.dir/" + thumb.Name));
        EXPECT_EQ(LoadPicture(thumb.FileName).Width, 120);
    }
    EXPECT_EQ(f.Progress.Texts.back(), "Folioscope. Saving images. 3 of 3");
}

TEST_F(ImageSetTest, AnEmptyListWritesOnlyAnEmptyLineOrTheMarkerAndReadsAsNothing) {
    WriteImageSetInfos({}, SetPath);
    EXPECT_EQ(ReadFileBytes(SetPath), "\r\n");
    EXPECT_TRUE(Read(SetPath).empty());
    WriteImageSetWithImages(f.Ws.Images, SetPath, f.Progress);
    EXPECT_EQ(ReadFileBytes(SetPath), "<#useDir#>\r\n");
    EXPECT_TRUE(Read(SetPath).empty());
}

TEST_F(ImageSetTest, BothWritersRoundTripEveryValue) {
    AddPictures(2);
    TThumbnail& second = f.Ws.Images[1];
    second.Name = "renamed.jpg";
    second.Link = "renamed.jpg";
    second.ThumbName = "renamed_th.jpg";
    second.Hint = "a hint";
    second.Description = "line one\r\nline two";
    second.FieldC = "c1\r\nc2";
    second.useOtherLink = true;
    second.OtherLink = "http://example.org/";
    for (const bool withImages : {false, true}) {
        TThumbnailArray written = f.Ws.Images;
        withImages ? WriteImageSetWithImages(written, SetPath, f.Progress)
                   : WriteImageSetInfos(written, SetPath);
        const TThumbnailArray read = Read(SetPath);
        ASSERT_EQ(read.size(), 2u) << withImages;
        for (std::size_t i = 0; i < read.size(); ++i) {
            TThumbnail expected = written[i];
            expected.FileDate = FileDate(expected.FileName);
            EXPECT_EQ(read[i], expected) << "image " << i << (withImages ? " with images" : "");
        }
    }
}

TEST_F(ImageSetTest, ReadingTwiceDoublesTheImagesWithIdenticalNames) {
    AddPictures(2);
    WriteImageSetInfos(f.Ws.Images, SetPath);
    f.Ws.Images.clear();
    AddImageSet(f.Ws.Images, SetPath, f.Progress);
    AddImageSet(f.Ws.Images, SetPath, f.Progress);
    EXPECT_EQ(f.Names(), (std::vector<std::string>{"p0.jpg", "p1.jpg", "p0.jpg", "p1.jpg"}));
    EXPECT_EQ(MessageOf<EFSC_Exception>([&] { CheckIdenticalNames(f.Ws.Images); }),
              "Warning: 2 identical image names - at 1 and 3 - name: p0.jpg");
    EXPECT_EQ(f.Progress.Texts.back(), "Folioscope. Adding images.2 of 2");
}

TEST_F(ImageSetTest, MissingFilesAreSkippedAndAMovedFolderFallsBackToTheFileName) {
    AddPictures(2);
    WriteImageSetWithImages(f.Ws.Images, SetPath, f.Progress);
    DeleteFileIfExists(f.Root / "my.set.dir/p0.jpg");
    EXPECT_EQ(Read(SetPath).size(), 1u);
    // The bare name is looked up relative to the current directory.
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(f.Pictures);
    const TThumbnailArray read = Read(SetPath);
    std::filesystem::current_path(before);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].FileName, "p0.jpg");
}

TEST_F(ImageSetTest, WritingWithImagesTwiceCopiesNothingTheSecondTime) {
    AddPictures(1);
    WriteImageSetWithImages(f.Ws.Images, SetPath, f.Progress);
    const std::string copy = f.Root / "my.set.dir/p0.jpg";
    MakeOld(copy);
    WriteImageSetWithImages(f.Ws.Images, SetPath, f.Progress);
    EXPECT_TRUE(IsOld(copy));
}

TEST_F(ImageSetTest, APictureNeverOverwritesAnotherOfTheSameName) {
    // The second picture came from another set as "p0.jpg" too and stands first in the list;
    // the copy already saved under that name keeps it.
    AddPictures(1);
    WriteImageSetWithImages(f.Ws.Images, SetPath, f.Progress);
    const std::string saved = f.Root / "my.set.dir/p0.jpg";
    const std::string savedBytes = ReadFileBytes(saved);
    ASSERT_TRUE(AddOneFile(f.Ws.Images, f.Picture("p0.jpg", 90, 40, "other")));
    std::swap(f.Ws.Images[0], f.Ws.Images[1]);
    f.Ws.Images[0].Name = f.Ws.Images[0].Link = "p0.jpg";
    WriteImageSetWithImages(f.Ws.Images, SetPath, f.Progress);
    EXPECT_EQ(ReadFileBytes(saved), savedBytes);
    EXPECT_EQ(f.Ws.Images[0].Name, "p0_2.jpg");
    EXPECT_EQ(f.Ws.Images[0].Link, "p0_2.jpg");
    EXPECT_EQ(f.Ws.Images[0].FileName, f.Root / "my.set.dir/p0_2.jpg");
    EXPECT_EQ(f.Ws.Images[1].FileName, saved);
    const TThumbnailArray read = Read(SetPath);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_NE(read[0].FileName, read[1].FileName);
}

TEST_F(ImageSetTest, DamagedSetsFailNamingTheFileAndAddNothing) {
    AddPictures(2);
    WriteImageSetInfos(f.Ws.Images, SetPath);
    const std::string good = ReadFileBytes(SetPath);
    const struct {
        const char* fault;
        std::string bytes;
        const char* message;
    } cases[] = {
        {"truncated in the middle", good.substr(0, good.size() / 2 + 7),
         "is damaged: the tag pair"},
        {"count not a number", ReplaceFirst(good, "<#THUMB1FileName#>", "<#THUMBxFileName#>"),
         "does not begin with the number of its last image"},
        {"count larger than the blocks",
         ReplaceFirst(good, "<#THUMB1FileName#>", "<#THUMB99FileName#>"),
         "is damaged: the tag pair"},
        {"text before the first tag", "junk" + good, "does not begin with the number"},
        {"negative count", ReplaceFirst(good, "<#THUMB1FileName#>", "<#THUMB-1FileName#>"),
         "does not begin with the number"},
        {"closing tag missing", ReplaceAll(good, "<#THUMB0HintEND#>", ""),
         "is damaged: the tag pair"},
        {"name climbing out",
         ReplaceFirst(good, "<#THUMB0Name#>p0.jpg", "<#THUMB0Name#>../evil.jpg"),
         "not a plain file name"},
        {"absolute name", ReplaceFirst(good, "<#THUMB1Name#>p1.jpg", "<#THUMB1Name#>/tmp/evil.jpg"),
         "not a plain file name"},
        {"thumbnail in a sub-folder",
         ReplaceFirst(good, "<#THUMB0ThumbName#>", "<#THUMB0ThumbName#>sub\\t.jpg"),
         "not a plain file name"},
    };
    for (const auto& c : cases) {
        WriteFileBytes(SetPath, c.bytes);
        TThumbnailArray images(1);
        const std::string message =
            MessageOf<EUserInputError>([&] { AddImageSet(images, SetPath, f.Progress); });
        EXPECT_TRUE(StartsWith(message, "The image set \"" + SetPath + "\" "))
            << c.fault << ": " << message;
        EXPECT_NE(message.find(c.message), std::string::npos) << c.fault << ": " << message;
        EXPECT_EQ(images.size(), 1u) << c.fault;
        EXPECT_TRUE(f.Progress.Hidden) << c.fault;
    }
}

TEST_F(ImageSetTest, AnUnreadablePictureFailsNamingItAndAddsNothing) {
    AddPictures(2);
    WriteImageSetInfos(f.Ws.Images, SetPath);
    WriteFileBytes(f.Pictures + "/p1.jpg", "no longer a picture");
    TThumbnailArray images;
    const std::string message =
        MessageOf<EUserInputError>([&] { AddImageSet(images, SetPath, f.Progress); });
    EXPECT_NE(message.find(f.Pictures + "/p1.jpg"), std::string::npos) << message;
    EXPECT_TRUE(images.empty());
}

TEST_F(ImageSetTest, ATextWithoutTagsAddsNothing) {
    WriteFileBytes(SetPath, std::string("\x89PNG\r\n\x1a\n\0\0binary", 16));
    EXPECT_TRUE(Read(SetPath).empty());
}

TEST_F(ImageSetTest, TheWriterRefusesNamesThatLeaveItsFolder) {
    AddPictures(2);
    f.Ws.Images[1].Name = "../outside.jpg";
    EXPECT_EQ(MessageOf<EUserInputError>(
                  [&] { WriteImageSetWithImages(f.Ws.Images, SetPath, f.Progress); }),
              "Image 2 (\"" + f.Pictures +
                  "/p1.jpg\") has the name \"../outside.jpg\", which is "
                  "not a plain file name.");
    EXPECT_FALSE(FileExists(f.Root / "outside.jpg"));
    EXPECT_FALSE(FileExists(SetPath));
    EXPECT_FALSE(DirectoryExists(f.Root / "my.set.dir"));
}

}  // namespace
}  // namespace fsc
