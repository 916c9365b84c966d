// Whole builds on real files: what a first build writes, what later builds rewrite, the
// questions a build asks, page counts and names, and cancelling.
#include <gtest/gtest.h>

#include "base/Errors.h"
#include "base/Paths.h"
#include "engine/BuildFixture.h"
#include "engine/CopyTemplateFiles.h"
#include "engine/ImageStep.h"
#include "engine/Undo.h"
#include "imaging/PictureSamples.h"

namespace fsc {
namespace {

using test::IsOld;
using test::MakeOld;
using test::TBuildFixture;

TEST(BuildGallery, FirstBuildWritesCopiesThumbnailsPagesAndJournalsThemInOrder) {
    TBuildFixture gallery(2, 400, 300);
    gallery.Build();

    for (int i = 0; i < 2; ++i) {
        const std::string name = "photo" + std::to_string(i);
        SCOPED_TRACE(name);
        // Unchanged JPEG sources are copied, not encoded again.
        EXPECT_EQ(ReadFileBytes(gallery.Image(name + ".jpg")),
                  ReadFileBytes(gallery.Pictures + "/" + name + ".jpg"));
        const TBitmap thumb = test::ReadPicture(gallery.Image(name + "_th.jpg"));
        EXPECT_EQ(thumb.Width, 70);
        EXPECT_EQ(thumb.Height, 52);
        const TThumbnail& record = gallery.Thumbs[i];
        EXPECT_EQ(record.ThumbName, name + "_th.jpg");
        EXPECT_EQ(record.ImageWidth, 400);
        EXPECT_EQ(record.ImageHeight, 300);
        EXPECT_EQ(record.ThumbWidth, 70);
        EXPECT_EQ(record.ThumbHeight, 52);
        EXPECT_GT(record.CopyTime, 0);
        EXPECT_GT(record.ThumbTime, 0);
        EXPECT_EQ(record.CopyQuality, 75);
        EXPECT_EQ(record.ThumbQuality, 50);
        EXPECT_EQ(record.ThumbMethod, 0);
        EXPECT_EQ(record.FileSize, int(FileSize(gallery.Image(name + ".jpg"))));
    }
    const std::string page = ReadFileBytes(gallery.Page("index.html"));
    EXPECT_NE(page.find("<img src=\"images/photo1_th.jpg\""), std::string::npos) << page;
    EXPECT_NE(page.find("href=\"images/photo0.jpg\""), std::string::npos) << page;

    // Image by image, whichever thread finished first.
    const TStringList expected = {gallery.Image("photo0.jpg"), gallery.Image("photo0_th.jpg"),
                                  gallery.Image("photo1.jpg"), gallery.Image("photo1_th.jpg"),
                                  gallery.Page("index.html")};
    EXPECT_EQ(gallery.Journal.CreatedFiles, expected);
    EXPECT_TRUE(gallery.Journal.BackupFiles.empty());
    ASSERT_EQ(gallery.HTML.Files.size(), 1u);
    EXPECT_EQ(gallery.HTML.Files[0].FileName, "index.html");

    const std::vector<std::string> texts = {"Folioscope.", "Folioscope: Copying Images. 0 of 2",
                                            "Folioscope: Copying Images. 1 of 2",
                                            "Folioscope: Create HTML. "};
    EXPECT_EQ(gallery.Progress.Texts, texts);
    EXPECT_TRUE(gallery.Progress.Hidden);
}

TEST(BuildGallery, UnchangedSecondBuildWritesNothingAndAChangedPageIsRewritten) {
    TBuildFixture gallery(3);
    gallery.Build();
    const std::vector<std::string> copies = {"photo0.jpg",    "photo1.jpg",    "photo2.jpg",
                                             "photo0_th.jpg", "photo1_th.jpg", "photo2_th.jpg"};
    for (const std::string& name : copies) MakeOld(gallery.Image(name));
    MakeOld(gallery.Page("index.html"));
    const std::size_t firstBuild = gallery.Journal.CreatedFiles.size();

    gallery.FreshSettings();
    gallery.Build();
    for (const std::string& name : copies) EXPECT_TRUE(IsOld(gallery.Image(name))) << name;
    EXPECT_TRUE(IsOld(gallery.Page("index.html")));
    EXPECT_EQ(gallery.Journal.CreatedFiles.size(), firstBuild);
    EXPECT_EQ(gallery.Journal.RestoreFiles, TStringList{});

    const std::string before = ReadFileBytes(gallery.Page("index.html"));
    gallery.Thumbs[1].Hint = "A new caption";
    gallery.FreshSettings();
    gallery.Build();
    EXPECT_NE(ReadFileBytes(gallery.Page("index.html")), before);
    const TStringList added(gallery.Journal.CreatedFiles.begin() + long(firstBuild),
                            gallery.Journal.CreatedFiles.end());
    EXPECT_EQ(added, TStringList{gallery.Page("index.html")});
    // The page is this history's own: undo removes it, so its older text needs no backup.
    EXPECT_EQ(gallery.Journal.RestoreFiles, TStringList{});
    for (const std::string& name : copies) EXPECT_TRUE(IsOld(gallery.Image(name))) << name;
}

TEST(BuildGallery, ASourceOtherThanJpegIsEncodedEvenUnchanged) {
    TBuildFixture gallery(0);
    test::PngLayout png;
    png.Width = 2;
    png.Height = 1;
    png.Rows = {{255, 0, 0, 0, 0, 255}};
    WriteFileBytes(gallery.Pictures + "/red-blue.png", test::Png(png));
    TThumbnail thumb;
    thumb.FileName = gallery.Pictures + "/red-blue.png";
    thumb.Name = "red-blue.jpg";
    gallery.Thumbs.push_back(thumb);
    gallery.Build();
    const TBitmap copy = test::ReadPicture(gallery.Image("red-blue.jpg"));
    EXPECT_EQ(copy.Width, 2);
    EXPECT_EQ(ReadFileBytes(gallery.Image("red-blue.jpg")).substr(0, 2), "\xFF\xD8");
}

TEST(BuildGallery, ChangedResizeLimitRemakesCopiesButKeepsThumbnails) {
    TBuildFixture gallery(2, 400, 300);
    gallery.Build();
    for (const char* name : {"photo0.jpg", "photo1.jpg", "photo0_th.jpg", "photo1_th.jpg"}) {
        MakeOld(gallery.Image(name));
    }
    gallery.FreshSettings();
    gallery.Images.ResizeImages = true;
    gallery.Images.ResizeWidth = 200;
    gallery.Images.ResizeHeight = 200;
    gallery.Build();

    for (const char* name : {"photo0.jpg", "photo1.jpg"}) {
        EXPECT_FALSE(IsOld(gallery.Image(name))) << name;
        const TBitmap copy = test::ReadPicture(gallery.Image(name));
        EXPECT_EQ(copy.Width, 200) << name;
        EXPECT_EQ(copy.Height, 150) << name;
    }
    for (const char* name : {"photo0_th.jpg", "photo1_th.jpg"}) {
        EXPECT_TRUE(IsOld(gallery.Image(name))) << name;
    }
    EXPECT_TRUE(gallery.Thumbs[0].CopyResized);
    EXPECT_EQ(gallery.Thumbs[0].CopyResizeWidth, 200);
    // Copies this history wrote itself are not backed up again, and the page came out as it
    // was.
    EXPECT_EQ(gallery.Journal.RestoreFiles, TStringList{});
}

TEST(BuildGallery, ChangedThumbnailSettingsRemakeThumbnailsButKeepCopies) {
    struct Case {
        const char* what;
        void (*change)(TFSC_Images&);
    };
    const Case cases[] = {
        {"box", [](TFSC_Images& images) { images.ThumbWidth = 40; }},
        {"method", [](TFSC_Images& images) { images.ThumbSizeMode = TThumbSizeMode::fit; }},
        {"quality",
         [](TFSC_Images& images) { images.ThumbQualityLevel = TThumbQualityLevel::High; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TBuildFixture gallery(1);
        gallery.Build();
        MakeOld(gallery.Image("photo0.jpg"));
        MakeOld(gallery.Image("photo0_th.jpg"));
        gallery.FreshSettings();
        c.change(gallery.Images);
        gallery.Build();
        EXPECT_TRUE(IsOld(gallery.Image("photo0.jpg")));
        EXPECT_FALSE(IsOld(gallery.Image("photo0_th.jpg")));
    }
}

TEST(BuildGallery, ThumbnailModesGiveTheirSizes) {
    struct Case {
        TThumbSizeMode mode;
        int fileWidth, fileHeight, recordWidth, recordHeight, method;
    };
    const Case cases[] = {
        {TThumbSizeMode::limit, 70, 52, 70, 52, 0},
        // The pages show the file, which is cut to the box.
        {TThumbSizeMode::hardLimit, 70, 70, 70, 70, 1},
        {TThumbSizeMode::stretch, 70, 70, 70, 70, 2},
        {TThumbSizeMode::fit, 40, 30, 40, 30, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.method);
        TBuildFixture gallery(1, 800, 600);
        gallery.Images.ThumbSizeMode = c.mode;
        gallery.Build();
        const TBitmap thumb = test::ReadPicture(gallery.Image("photo0_th.jpg"));
        EXPECT_EQ(thumb.Width, c.fileWidth);
        EXPECT_EQ(thumb.Height, c.fileHeight);
        EXPECT_EQ(gallery.Thumbs[0].ThumbWidth, c.recordWidth);
        EXPECT_EQ(gallery.Thumbs[0].ThumbHeight, c.recordHeight);
        EXPECT_EQ(gallery.Thumbs[0].ThumbMethod, c.method);
    }
}

TEST(BuildGallery, ImagesAsThumbnailsWritesNoThumbnailButKnowsItsSize) {
    TBuildFixture gallery(1, 800, 600);
    gallery.Images.ImagesAreThumbs = true;
    gallery.Build();
    EXPECT_EQ(gallery.Thumbs[0].ThumbName, "photo0.jpg");
    EXPECT_EQ(gallery.Thumbs[0].ThumbWidth, 70);
    EXPECT_EQ(gallery.Thumbs[0].ThumbHeight, 52);
    EXPECT_EQ(gallery.Thumbs[0].ThumbTime, 0);
    EXPECT_EQ(ListDirectory(gallery.Site + "/images").size(), 1u);
    EXPECT_EQ(gallery.Journal.CreatedFiles,
              (TStringList{gallery.Image("photo0.jpg"), gallery.Page("index.html")}));
}

TEST(BuildGallery, NoHTMLWritesOnlyImages) {
    TBuildFixture gallery(1);
    gallery.HTML.NoHTML = true;
    gallery.Build();
    EXPECT_FALSE(FileExists(gallery.Page("index.html")));
    EXPECT_TRUE(gallery.HTML.Files.empty());
    EXPECT_EQ(gallery.Journal.CreatedFiles.size(), 2u);
}

TEST(BuildGallery, ThumbnailPagesByImageCount) {
    struct Case {
        int images;
        std::vector<std::string> pages;
    };
    const Case cases[] = {
        {13, {"index.html"}},
        {15, {"index.html"}},
        {16, {"index.html", "index2.html"}},
        {31, {"index.html", "index2.html", "index3.html"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.images);
        TBuildFixture gallery(c.images, 40, 30);
        gallery.Build();
        std::vector<std::string> written;
        for (const TFSC_File& file : gallery.HTML.Files) written.push_back(file.FileName);
        EXPECT_EQ(written, c.pages);
        for (const std::string& page : c.pages) EXPECT_TRUE(FileExists(gallery.Page(page)));
        EXPECT_EQ(gallery.HTML.PageCount, int(c.pages.size()));
        EXPECT_FALSE(
            FileExists(gallery.Page("index" + std::to_string(c.pages.size() + 1) + ".html")));
    }
}

TEST(BuildGallery, ImagePagesLieInTheImageDirectory) {
    TBuildFixture gallery(2);
    gallery.HTML.LinkToHTML = true;
    gallery.Build();
    for (const char* name : {"image_photo0.jpg.html", "image_photo1.jpg.html"}) {
        EXPECT_TRUE(FileExists(gallery.Image(name))) << name;
    }
    std::vector<std::string> written;
    for (const TFSC_File& file : gallery.HTML.Files) written.push_back(file.FileName);
    EXPECT_EQ(written, (std::vector<std::string>{"index.html", "image_photo0.jpg.html",
                                                 "image_photo1.jpg.html"}));
    const std::string index = ReadFileBytes(gallery.Page("index.html"));
    EXPECT_NE(index.find("href=\"images/image_photo0.jpg.html\""), std::string::npos) << index;
    const std::string image = ReadFileBytes(gallery.Image("image_photo0.jpg.html"));
    EXPECT_NE(image.find("<img src=\"photo0.jpg\""), std::string::npos) << image;
}

TEST(BuildGallery, PagesOfATemplateThatDoesNotUseTheIndexAsGallery) {
    TBuildFixture gallery(16, 40, 30);
    gallery.Template.IndexIsGallery = false;
    gallery.Template.IndexPage = {"<html>welcome</html>"};
    gallery.Template.GalleryPage = TStringList{"<html><!-FOLIOSCOPE-></html>"};
    gallery.HTML.PageExt = "htm";
    gallery.Template.GalleryFileName = "start";
    gallery.Build();
    std::vector<std::string> written;
    for (const TFSC_File& file : gallery.HTML.Files) written.push_back(file.FileName);
    EXPECT_EQ(written,
              (std::vector<std::string>{"startgallery.htm", "startgallery2.htm", "start.htm"}));
    // Served without a charset header, a page must say its encoding itself.
    EXPECT_EQ(ReadFileBytes(gallery.Page("start.htm")),
              "<html><meta charset=\"utf-8\">\r\nwelcome</html>\r\n");
}

TEST(BuildGallery, TemplateFilesAreCopiedIntoTheirFolders) {
    TBuildFixture gallery(1);
    WriteFileBytes(gallery.Root / "style.css", "body{}");
    gallery.Template.CopyFiles = {{"css/deep", "style.css", gallery.Root / "style.css"}};
    gallery.Build();
    EXPECT_EQ(ReadFileBytes(gallery.Site + "/css/deep/style.css"), "body{}");
    EXPECT_EQ(gallery.Journal.CreatedFiles.front(), gallery.Site + "/css/deep/style.css");
}

TEST(BuildGallery, WatermarkStampsCopiesAndAChangedWatermarkRemakesThem) {
    TBuildFixture gallery(1, 300, 200);
    gallery.Images.Watermark = true;
    gallery.Images.WatermarkText = {"(c) me"};
    gallery.Images.WatermarkPositions[wpLeftTop] = true;
    gallery.Images.WatermarkChanged = 1;
    gallery.Build();
    // The block font is black; the copy's top left corner turns dark, its bottom right not.
    const TBitmap copy = test::ReadPicture(gallery.Image("photo0.jpg"));
    const TBitmap source = test::ReadPicture(gallery.Thumbs[0].FileName);
    EXPECT_NE(copy.Row(3)[5 * 3 + 1], source.Row(3)[5 * 3 + 1]);
    EXPECT_TRUE(gallery.Thumbs[0].Watermarked);

    MakeOld(gallery.Image("photo0.jpg"));
    gallery.FreshSettings();
    gallery.Build();
    EXPECT_TRUE(IsOld(gallery.Image("photo0.jpg")));
    gallery.FreshSettings();
    gallery.Images.WatermarkChanged = gallery.Clock.Now();
    gallery.Build();
    EXPECT_FALSE(IsOld(gallery.Image("photo0.jpg")));
}

TEST(BuildGallery, CompressionDialogIsAskedUntilItAnswersAll) {
    TBuildFixture gallery(3);
    gallery.Images.AdjustCompression = true;
    gallery.Compression.Choices = {{TCompressionResult::OK, {60, false}},
                                   {TCompressionResult::All, {40, true}}};
    gallery.Build();
    EXPECT_EQ(gallery.Compression.Shown, 2);
    EXPECT_EQ(gallery.Thumbs[0].CopyQuality, 60);
    EXPECT_EQ(gallery.Thumbs[1].CopyQuality, 40);
    EXPECT_EQ(gallery.Thumbs[2].CopyQuality, 40);
    // Re-encoded, not copied: the dialog's choice always changes the file.
    EXPECT_NE(ReadFileBytes(gallery.Image("photo2.jpg")),
              ReadFileBytes(gallery.Thumbs[2].FileName));
}

// Images that lie in the image directory under their own name.
struct OriginalsInImageDir : TBuildFixture {
    OriginalsInImageDir() : TBuildFixture(0) {
        ForceDirectories(Site + "/images");
        for (int i = 0; i < 2; ++i) {
            const std::string name = "own" + std::to_string(i) + ".jpg";
            test::WritePicture(Image(name), 400, 300);
            TThumbnail thumb;
            thumb.FileName = Image(name);
            thumb.Name = name;
            Thumbs.push_back(thumb);
            Originals.push_back(ReadFileBytes(Image(name)));
        }
        Images.ResizeImages = true;
        Images.ResizeWidth = 100;
    }
    std::vector<std::string> Originals;
};

TEST(BuildGallery, OverwritingOriginalsIsAskedOncePerBuild) {
    struct Case {
        const char* what;
        bool keepOriginals;
        std::deque<bool> answers;
        bool touched;
    };
    const Case cases[] = {
        {"No keeps every original", false, {false}, false},
        {"Yes shrinks every original", false, {true}, true},
        {"KeepOriginals asks nothing and keeps them", true, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OriginalsInImageDir gallery;
        gallery.Images.KeepOriginals = c.keepOriginals;
        gallery.Ask.Answers = c.answers;
        gallery.Build();
        EXPECT_EQ(gallery.Ask.Asked.size(), c.answers.size());
        if (!gallery.Ask.Asked.empty()) {
            EXPECT_EQ(gallery.Ask.Asked[0].first, OverwriteOriginalStatement);
            EXPECT_EQ(gallery.Ask.Asked[0].second, OverwriteOriginalQuestion);
        }
        for (int i = 0; i < 2; ++i) {
            const std::string bytes =
                ReadFileBytes(gallery.Image("own" + std::to_string(i) + ".jpg"));
            EXPECT_EQ(bytes != gallery.Originals[i], c.touched) << i;
        }
        if (c.touched) {
            // Both originals were backed up first, so undo brings them back.
            UndoGallery(gallery.Journal, gallery.Thumbs);
            for (int i = 0; i < 2; ++i) {
                EXPECT_EQ(ReadFileBytes(gallery.Image("own" + std::to_string(i) + ".jpg")),
                          gallery.Originals[i]);
            }
        }
    }
}

TEST(BuildGallery, ImageDirectorySpelledOtherwiseOnDiskIsOffered) {
    struct Case {
        bool answer;
        std::string imageDir;
    };
    for (const Case& c : {Case{true, "Images"}, Case{false, "images"}}) {
        SCOPED_TRACE(c.imageDir);
        TBuildFixture gallery(1);
        ForceDirectories(gallery.Site + "/Images");
        gallery.Ask.Answers = {c.answer};
        gallery.Build();
        ASSERT_EQ(gallery.Ask.Asked.size(), 1u);
        EXPECT_EQ(gallery.Ask.Asked[0].first,
                  "Image directory \"images\" does already exists, but is called \"Images\".");
        EXPECT_EQ(gallery.Ask.Asked[0].second,
                  "This will not work on a webserver with case-sensitive filenames! Change image "
                  "dir to Images");
        EXPECT_TRUE(FileExists(gallery.Site + "/" + c.imageDir + "/photo0.jpg"));
        EXPECT_EQ(gallery.HTML.ImageDir, c.imageDir + "/");
    }
}

TEST(BuildGallery, ExactlySpelledImageDirectoryIsNotQuestioned) {
    TBuildFixture gallery(1);
    ForceDirectories(gallery.Site + "/images");
    ForceDirectories(gallery.Site + "/IMAGES");
    gallery.Build();
    EXPECT_TRUE(gallery.Ask.Asked.empty());
}

TEST(BuildGallery, CancelDuringTheImagesUndoesEverythingAndSays) {
    TBuildFixture gallery(3);
    // Files of the user's that the build overwrites before it is cancelled.
    ForceDirectories(gallery.Site + "/images");
    WriteFileBytes(gallery.Image("photo1.jpg"), "the user's own photo1");
    WriteFileBytes(gallery.Site + "/style.css", "the user's style");
    WriteFileBytes(gallery.Root / "style.css", "template style");
    gallery.Template.CopyFiles = {{"", "style.css", gallery.Root / "style.css"}};
    WriteFileBytes(gallery.Image("keep.txt"), "not the build's");
    gallery.Progress.AbortAt = "Folioscope: Copying Images. 2 of 3";

    EXPECT_EQ(test::MessageOf<EFSC_Exception>([&] { gallery.Build(); }),
              "Folioscope Creation aborted and undone.");

    EXPECT_EQ(ReadFileBytes(gallery.Image("photo1.jpg")), "the user's own photo1");
    EXPECT_EQ(ReadFileBytes(gallery.Site + "/style.css"), "the user's style");
    EXPECT_EQ(ReadFileBytes(gallery.Image("keep.txt")), "not the build's");
    for (const char* name : {"photo0.jpg", "photo2.jpg", "photo0_th.jpg", "photo1_th.jpg"}) {
        EXPECT_FALSE(FileExists(gallery.Image(name))) << name;
    }
    EXPECT_TRUE(gallery.Journal.CreatedFiles.empty());
    EXPECT_TRUE(gallery.Journal.BackupFiles.empty());
    for (const TThumbnail& thumb : gallery.Thumbs) {
        EXPECT_EQ(thumb.CopyTime, 0);
        EXPECT_EQ(thumb.ThumbTime, 0);
    }
    EXPECT_TRUE(gallery.Progress.Hidden);
    // The backups went back, none is left behind.
    EXPECT_TRUE(ListDirectory(gallery.State + "/temp").empty());
    for (const TDirEntry& entry : ListDirectory(gallery.State)) EXPECT_TRUE(entry.IsDirectory);
}

TEST(BuildGallery, CancelAtEachCheckUndoesThePreviousBuildToo) {
    for (const char* at : {"Folioscope: Copying Images. 0", "Folioscope: Copying Images. 1",
                           "Folioscope: Create HTML. "}) {
        SCOPED_TRACE(at);
        TBuildFixture gallery(2);
        ForceDirectories(gallery.Site);
        WriteFileBytes(gallery.Page("index.html"), "old index");
        gallery.Build();
        gallery.FreshSettings();
        gallery.Progress.AbortAt = at;
        EXPECT_EQ(test::MessageOf<EFSC_Exception>([&] { gallery.Build(); }),
                  "Folioscope Creation aborted and undone.");
        EXPECT_EQ(ReadFileBytes(gallery.Page("index.html")), "old index");
        EXPECT_FALSE(DirectoryExists(gallery.Site + "/images"));
    }
}

TEST(BuildGallery, BadInputIsRefusedBeforeAnythingIsWritten) {
    struct Case {
        const char* what;
        void (*spoil)(TBuildFixture&);
        std::string message;
    };
    const Case cases[] = {
        {"no images", [](TBuildFixture& g) { g.Thumbs.clear(); },
         "No images! Please add images to the gallery."},
        {"image name climbing out", [](TBuildFixture& g) { g.Thumbs[0].Name = "../../x.jpg"; },
         "leaves the image directory."},
        {"absolute image name", [](TBuildFixture& g) { g.Thumbs[0].Name = "/tmp/x.jpg"; },
         "leaves the image directory."},
        {"no rows", [](TBuildFixture& g) { g.HTML.Rows = 0; },
         "Rows and columns must be at least 1, not 0 x 5."},
        {"gallery file outside", [](TBuildFixture& g) { g.Template.GalleryFileName = "../x.html"; },
         "lies outside the HTML directory."},
        {"no HTML directory", [](TBuildFixture& g) { g.HTML.HTMLDir = " "; },
         "No HTML directory was given."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TBuildFixture gallery(1);
        c.spoil(gallery);
        const std::string message = test::MessageOf<EFscError>([&] { gallery.Build(); });
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
        EXPECT_FALSE(DirectoryExists(gallery.Site));
        EXPECT_TRUE(gallery.Journal.CreatedFiles.empty());
    }
}

}  // namespace
}  // namespace fsc
