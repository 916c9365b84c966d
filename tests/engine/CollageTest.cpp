// The collage: placement arithmetic, the background rule, and whole pages painted from
// real JPEG thumbnails with their image map.
#include <gtest/gtest.h>

#include <cstdlib>

#include "base/Errors.h"
#include "base/Files.h"
#include "engine/CollageGeometry.h"
#include "engine/CollagePage.h"
#include "engine/EngineFixture.h"
#include "engine/PageContent.h"
#include "imaging/JpegReader.h"
#include "imaging/JpegWriter.h"
#include "support/TempDir.h"

namespace fsc {
namespace {

struct Point {
    int x, y;
    bool operator==(const Point&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Point& p) {
    return out << "(" << p.x << "," << p.y << ")";
}

std::vector<Point> PlaceAll(TCollagePlacer& placer, int first, int last, int lastImage, int width,
                            int height) {
    std::vector<Point> points;
    for (int i = first; i <= last; ++i) {
        const TCollagePlacement at = placer.Place(i, lastImage, width, height);
        points.push_back({at.X, at.Y});
    }
    return points;
}

TEST(CollageGeometry, TableFillsRowByRow) {
    test::TScriptedRandom random;
    TCollagePlacer placer("TABLE", 70, 70, 3, 3, false, random);
    EXPECT_EQ(
        PlaceAll(placer, 0, 6, 6, 70, 70),
        (std::vector<Point>{{0, 0}, {70, 0}, {140, 0}, {0, 70}, {70, 70}, {140, 70}, {0, 140}}));
    EXPECT_EQ(placer.Right(), 210);
    EXPECT_EQ(placer.Bottom(), 210);
}

TEST(CollageGeometry, CentringOnlyWhenSwitchedOn) {
    struct Case {
        const char* type;
        bool center;
        Point expected;
    };
    const Case cases[] = {
        {"TABLE", false, {70, 0}},
        {"TABLE", true, {85, 10}},
        {"CIRCLE", true, {146, 10}},  // second image of a 1 x 3 circle: on the ring
        {"RANDOM", true, {5, 0}},     // random places are never centred
    };
    for (const Case& c : cases) {
        test::TScriptedRandom random;
        random.Numbers = {9, 5};
        TCollagePlacer placer(c.type, 70, 70, 1, 3, c.center, random);
        placer.Place(0, 5, 70, 70);
        const TCollagePlacement at = placer.Place(1, 5, 40, 50);
        EXPECT_EQ((Point{at.X, at.Y}), c.expected) << c.type << " " << c.center;
        EXPECT_EQ(at.Width * 1000 + at.Height, 40050) << c.type;
    }
}

TEST(CollageGeometry, CircleOnSmallPagesIsCentreAndOneRing) {
    test::TScriptedRandom random;
    TCollagePlacer placer("CIRCLE", 70, 70, 3, 3, false, random);
    EXPECT_EQ(PlaceAll(placer, 0, 8, 8, 70, 70), (std::vector<Point>{{70, 70},
                                                                     {119, 119},
                                                                     {140, 70},
                                                                     {119, 21},
                                                                     {70, 0},
                                                                     {21, 21},
                                                                     {0, 70},
                                                                     {21, 119},
                                                                     {70, 140}}));
}

TEST(CollageGeometry, CircleOnLargePagesHasInnerAndOuterRings) {
    test::TScriptedRandom random;
    TCollagePlacer placer("CIRCLE", 10, 10, 7, 7, false, random);
    const std::vector<Point> points = PlaceAll(placer, 0, 48, 48, 10, 10);
    const std::pair<int, Point> expected[] = {{0, {30, 30}}, {1, {38, 43}},  {2, {43, 37}},
                                              {3, {45, 28}}, {12, {56, 15}}, {13, {53, 11}},
                                              {47, {58, 20}}};
    for (const auto& [r, point] : expected) EXPECT_EQ(points[r], point) << "r = " << r;
}

TEST(CollageGeometry, HalvesRoundToEven) {
    EXPECT_EQ(RoundHalfEven(12.5), 12);
    EXPECT_EQ(RoundHalfEven(13.5), 14);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    test::TScriptedRandom random;
    TCollagePlacer placer("CIRCLE", 25, 25, 2, 2, false, random);
    const TCollagePlacement centre = placer.Place(0, 3, 25, 25);
    EXPECT_EQ((Point{centre.X, centre.Y}), (Point{12, 12}));
}

TEST(CollageGeometry, RandomDrawsWithinTheFreeRange) {
    test::TScriptedRandom random;
    random.Numbers = {100, 41, 7, 3};
    TCollagePlacer placer("RANDOM", 70, 50, 2, 3, false, random);
    EXPECT_EQ(PlaceAll(placer, 0, 1, 1, 70, 50), (std::vector<Point>{{100, 41}, {7, 3}}));
    EXPECT_EQ(random.Ranges, (std::vector<int>{140, 50, 140, 50}));
    // An unknown arrangement keeps the previous place.
    TCollagePlacer other("SPIRAL", 70, 50, 2, 3, false, random);
    EXPECT_EQ(PlaceAll(other, 0, 1, 1, 70, 50), (std::vector<Point>{{0, 0}, {0, 0}}));
}

TEST(CollageBackground, ColourEntries) {
    const std::pair<const char*, TRgb> cases[] = {
        {"black = #000000 ", {0, 0, 0}},
        {"navy = #000080 ", {0, 0, 128}},
        {"aliceblue  #F0F8FF ", {240, 248, 255}},
        {"#ff0000", {0, 0, 0}},
        {"x #1A2B3C", {26, 43, 60}},
        {"#12345", {0, 0, 0}},
        {"no colour", {0, 0, 0}},
        {"#G0A0", {0, 0, 0}},
        {"#GGA0B0", {0, 160, 176}},
    };
    for (const auto& [entry, rgb] : cases) {
        const TRgb got = CollageBackground(entry);
        EXPECT_TRUE(got == rgb) << entry << ": " << int(got.Red) << "," << int(got.Green) << ","
                                << int(got.Blue);
    }
}

TEST(CollagePictureName, SeparatorsBecomeUnderscores) {
    EXPECT_EQ(CollagePictureName("index.html", 1), "index.html1.jpg");
    EXPECT_EQ(CollagePictureName("sub\\deep/gal.htm", 12), "sub_deep_gal.htm12.jpg");
}

// A gallery whose thumbnails are real JPEG files of flat colours in the image directory.
struct CollageGallery : test::TEngineFixture {
    test::TempDir dir;

    explicit CollageGallery(int count, int width = 70, int height = 70) : TEngineFixture(count) {
        HTML.Layout = LayoutCollage;
        HTML.Rows = 3;
        HTML.Cols = 3;
        SetPages();
        HTML.HTMLDir = dir.Path();
        Context.BackupFolder = dir / "backups";
        ForceDirectories(dir / "images");
        for (int i = 0; i < count; ++i) WriteThumb(i, width, height);
    }

    void WriteThumb(int i, int width, int height) {
        TBitmap thumb(width, height);
        for (std::size_t p = 0; p < thumb.Pixels.size(); p += 3) {
            thumb.Pixels[p] = static_cast<std::uint8_t>(20 * i);
            thumb.Pixels[p + 1] = 200;
            thumb.Pixels[p + 2] = 50;
        }
        SaveJpeg(thumb, dir / ("images/" + Thumbs[i].ThumbName), 95, false);
    }

    TBitmap Picture(int page) const {
        return DecodeJpeg(
            ReadFileBytes(dir / ("images/index.html" + std::to_string(page) + ".jpg")));
    }
};

// JPEG keeps flat colours within a few levels.
::testing::AssertionResult Near(const TBitmap& picture, int x, int y, int red, int green,
                                int blue) {
    const std::uint8_t* pixel = picture.Row(y) + x * 3;
    if (std::abs(pixel[0] - red) < 12 && std::abs(pixel[1] - green) < 12 &&
        std::abs(pixel[2] - blue) < 12) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "pixel (" << x << "," << y << ") is " << int(pixel[0])
                                         << "," << int(pixel[1]) << "," << int(pixel[2]);
}

TEST(CollagePage, FullTableOfNinePaintsAPictureCutOneBeyond) {
    CollageGallery gallery(9);
    gallery.Template.CollageBgColor = "white = #FFFFFF ";
    CollageHTML(gallery.Context, 1, 0, 8);
    const TBitmap picture = gallery.Picture(1);
    EXPECT_EQ(picture.Width, 211);
    EXPECT_EQ(picture.Height, 211);
    EXPECT_TRUE(Near(picture, 5, 5, 0, 200, 50));
    EXPECT_TRUE(Near(picture, 150, 100, 100, 200, 50));  // image 5: second row, third column
}

TEST(CollagePage, MapMarkupAndJournal) {
    CollageGallery gallery(5, 60, 40);
    gallery.HTML.Rows = 2;
    gallery.HTML.Cols = 2;
    gallery.SetPages();
    gallery.Template.CollageCSS = "class=\"c\"";
    gallery.Template.CollageCenter = true;
    gallery.HTML.UseTargetFrame = true;
    gallery.HTML.TargetFrame = " main ";
    gallery.HTML.LinkToHTML = true;
    gallery.Thumbs[1].useOtherLink = true;  // empty other link: painted, but no area
    gallery.Thumbs[2].useOtherLink = true;
    gallery.Thumbs[2].OtherLink = "http://example.org/";
    WriteFileBytes(gallery.dir / "images/index.html1.jpg", "old picture");
    const std::string html = CollageHTML(gallery.Context, 1, 0, 3);
    test::ExpectGolden("collage_map.html", html);
    const std::string picturePath = gallery.dir / "images/index.html1.jpg";
    EXPECT_EQ(gallery.Journal.CreatedFiles, (TStringList{picturePath}));
    EXPECT_EQ(gallery.Journal.RestoreFiles, (TStringList{picturePath}));
    ASSERT_EQ(gallery.Journal.BackupFiles.size(), 1u);
    EXPECT_EQ(ReadFileBytes(gallery.Journal.BackupFiles[0]), "old picture");
    EXPECT_EQ(gallery.Journal.ExtraImages, (TStringList{picturePath}));
    const TBitmap picture = gallery.Picture(1);
    EXPECT_EQ(picture.Width, 136);  // centred 60 x 40 in 70 x 70 cells: 75 + 60 + 1
    EXPECT_EQ(picture.Height, 126);
    EXPECT_TRUE(Near(picture, 2, 2, 0, 0, 0)) << "black background around centred pictures";
    EXPECT_EQ(gallery.Progress.Texts.front(), "Folioscope: Creating Collage 0 of 5");
    EXPECT_EQ(gallery.Progress.Texts.back(), "Folioscope: Creating Collage 3 of 5");
}

TEST(CollagePage, SecondPageThroughThePageContent) {
    CollageGallery gallery(11);
    TFSC_File page{{"<!-FOLIOSCOPE->"}, "", "index.html", "", 2, 0};
    gallery.HTML.GalleryScheme = {"<!-GALLERY->"};
    PageContent(gallery.Context, page);
    const std::string text = JoinLines(page.Lines);
    EXPECT_NE(text.find("<img src=\"images/index.html2.jpg\" alt=\"Collage of Hint 9, Hint 10\" "
                        "usemap=\"#LumettaRirevidedOzizidoMap\""),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("coords=\"70,0,140,70\" href=\"images/photo10.jpg\""), std::string::npos)
        << text;
    const TBitmap picture = gallery.Picture(2);
    EXPECT_EQ(picture.Width, 141);
    EXPECT_EQ(picture.Height, 71);
}

TEST(CollagePage, MissingThumbnailEndsWithTheLoadersError) {
    CollageGallery gallery(2);
    DeleteFileIfExists(gallery.dir / "images/photo1_th.jpg");
    EXPECT_THROW(CollageHTML(gallery.Context, 1, 0, 1), EFSC_Exception);
    EXPECT_TRUE(gallery.Journal.CreatedFiles.empty()) << "nothing journalled before the picture";
}

TEST(CollagePage, OversizedCanvasIsRefusedBeforeAllocation) {
    CollageGallery gallery(1);
    gallery.Images.ThumbWidth = 32000;
    gallery.Images.ThumbHeight = 32000;
    gallery.HTML.Rows = gallery.HTML.Cols = 99;
    EXPECT_THROW(CollageHTML(gallery.Context, 1, 0, 0), EFSC_Exception);
}

}  // namespace
}  // namespace fsc
