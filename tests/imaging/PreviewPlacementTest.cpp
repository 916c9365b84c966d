// The compression dialog's picture placement and its preview round trip through a file.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "base/Errors.h"
#include "base/Files.h"
#include "imaging/JpegPreview.h"
#include "imaging/JpegWriter.h"
#include "imaging/PreviewPlacement.h"
#include "support/TempDir.h"

namespace fsc {

void PrintTo(const TPlacement& p, std::ostream* out) {
    *out << p.Width << "x" << p.Height << " at (" << p.Left << ", " << p.Top << ")";
}

namespace {

TEST(FullImagePlacement, FollowsTheBoxRule) {
    const struct {
        const char* what;
        int width, height, boxWidth, boxHeight;
        TPlacement expected;
    } cases[] = {
        // Room is 398 x 275 in a 400 x 300 box; pictures are centred across that room.
        {"small picture keeps its size", 100, 80, 400, 300, {149, 20, 100, 80}},
        {"exactly the room's width stays", 398, 100, 400, 300, {0, 20, 398, 100}},
        {"exactly the room's height stays", 100, 275, 400, 300, {149, 20, 100, 275}},
        {"tall narrow picture takes the room's height", 50, 1000, 400, 300, {192, 20, 13, 275}},
        {"wide picture takes the room's width", 1000, 200, 400, 300, {0, 20, 398, 79}},
        // The width step alone would leave it 796 high.
        {"large tall picture fits both ways", 1000, 2000, 400, 300, {130, 20, 137, 275}},
        {"a sliver keeps one pixel", 10000, 1, 400, 300, {0, 20, 398, 1}},
        {"a box smaller than its frame still shows a pixel", 50, 50, 1, 10, {0, 20, 1, 1}},
        {"no picture, nothing to show", 0, 50, 400, 300, {0, 20, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(FullImagePlacement(c.width, c.height, c.boxWidth, c.boxHeight), c.expected);
    }
}

TEST(FullImagePlacement, StaysInsideTheRoomAndKeepsTheShape) {
    for (int boxWidth : {30, 101, 250, 640})
        for (int boxHeight : {40, 99, 300, 480})
            for (int width : {1, 7, 120, 397, 1600})
                for (int height : {1, 9, 260, 1200}) {
                    SCOPED_TRACE(testing::Message() << width << "x" << height << " in " << boxWidth
                                                    << "x" << boxHeight);
                    const TPlacement p = FullImagePlacement(width, height, boxWidth, boxHeight);
                    EXPECT_LE(p.Width, std::max(1, boxWidth - 2));
                    EXPECT_LE(p.Height, std::max(1, boxHeight - 25));
                    EXPECT_LE(p.Width, width);
                    EXPECT_LE(p.Height, height);
                    EXPECT_GE(p.Left, 0);
                    EXPECT_LE(p.Left + p.Width, boxWidth - 2);
                    // Truncation loses under a pixel of the side that follows the other,
                    // unless that side was lifted to the one-pixel minimum.
                    if (p.Width > 1 && p.Height > 1) {
                        const double shown = double(p.Width) / p.Height;
                        const double own = double(width) / height;
                        EXPECT_NEAR(shown, own, own / p.Height + 1.0 / p.Height + 1e-9);
                    }
                }
}

TBitmap Stripes(int width, int height) {
    TBitmap picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* pixel = picture.Row(y) + x * 3;
            pixel[0] = std::uint8_t((x / 4) % 2 ? 230 : 20);
            pixel[1] = std::uint8_t(y * 3);
            pixel[2] = 90;
        }
    return picture;
}

TEST(JpegPreview, ShowsWhatTheFileHolds) {
    test::TempDir dir;
    const std::string path = dir / "state/folioscope/temp.jpg";
    const TBitmap picture = Stripes(64, 48);
    for (const TJpegSettings settings : {TJpegSettings{20, false}, TJpegSettings{90, true}}) {
        SCOPED_TRACE(settings.Quality);
        const TJpegPreview preview = CompressPreview(picture, settings, path);
        const std::string stored = ReadFileBytes(path);
        EXPECT_EQ(stored, EncodeJpeg(picture, settings.Quality, settings.Progressive));
        EXPECT_EQ(preview.FileSize, std::filesystem::file_size(path));
        EXPECT_EQ(preview.Picture.Width, 64);
        EXPECT_EQ(preview.Picture.Height, 48);
        // The decoded file, not the source: the low quality visibly changes pixels.
        if (settings.Quality == 20) {
            EXPECT_NE(preview.Picture, picture);
        }
    }
}

TEST(JpegPreview, AnUnwritableFileIsAnError) {
    test::TempDir dir;
    // A plain file where the folder should be.
    WriteFileBytes(dir / "blocked", "not a folder");
    EXPECT_THROW(CompressPreview(Stripes(8, 8), {50, false}, dir / "blocked/temp.jpg"),
                 EFSC_Exception);
}

}  // namespace
}  // namespace fsc
