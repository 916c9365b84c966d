// JPEG reading: colour spaces, EXIF orientation and refusal of damaged files.
#include <gtest/gtest.h>

#include "PictureSamples.h"
#include "base/Errors.h"
#include "imaging/JpegReader.h"

namespace fsc {
namespace {

using namespace fsc::test;

std::string ErrorOf(const Bytes& bytes, std::uint64_t maxPixels = MaxPicturePixels) {
    try {
        DecodeJpeg(bytes, maxPixels);
    } catch (const EFscError& error) {
        return error.what();
    }
    return "(no error)";
}

TEST(JpegReader, ColourPictureComesBackWithItsColours) {
    const TBitmap picture = DecodeJpeg(JpegRgb(Quadrants(32, 16)));
    ASSERT_EQ(picture.Width, 32);
    ASSERT_EQ(picture.Height, 16);
    EXPECT_TRUE(Near(picture, 4, 4, 0xFF0000, 12)) << PixelText(picture, 4, 4);
    EXPECT_TRUE(Near(picture, 28, 4, 0x00FF00, 12)) << PixelText(picture, 28, 4);
    EXPECT_TRUE(Near(picture, 28, 12, 0x0000FF, 12)) << PixelText(picture, 28, 12);
    EXPECT_TRUE(Near(picture, 4, 12, 0xFFFFFF, 12)) << PixelText(picture, 4, 12);
}

TEST(JpegReader, GreyBecomesEqualChannels) {
    const TBitmap picture = DecodeJpeg(JpegGrey(9, 7, 77));
    ASSERT_EQ(picture.Width, 9);
    ASSERT_EQ(picture.Height, 7);
    EXPECT_TRUE(Near(picture, 4, 3, 0x4D4D4D, 1)) << PixelText(picture, 4, 3);
}

TEST(JpegReader, AdobeCmykAndYcckBecomeRgb) {
    struct Case {
        std::uint8_t Cmyk[4];
        std::uint32_t Rgb;
    } cases[] = {
        {{255, 0, 0, 0}, 0x00FFFF},  // full cyan
        {{0, 255, 0, 0}, 0xFF00FF},  // full magenta
        {{0, 0, 255, 0}, 0xFFFF00},  // full yellow
        {{0, 0, 0, 255}, 0x000000},  // full black
        {{0, 0, 0, 0}, 0xFFFFFF},    // no ink
        {{0, 0, 0, 128}, 0x7F7F7F},  // half black
    };
    for (const Case& c : cases) {
        const TBitmap picture = DecodeJpeg(JpegCmykAdobe(16, 16, c.Cmyk));
        EXPECT_TRUE(Near(picture, 8, 8, c.Rgb, 6))
            << "CMYK " << int(c.Cmyk[0]) << "," << int(c.Cmyk[1]) << "," << int(c.Cmyk[2]) << ","
            << int(c.Cmyk[3]) << " gave " << PixelText(picture, 8, 8);
    }
}

// The stored picture is 32 x 16 quadrants: red top left, green top right,
// blue bottom right, white bottom left. After turning upright, these are the
// colours of the four corners of the upright picture.
TEST(JpegReader, ExifOrientationTurnsThePictureUpright) {
    struct Case {
        int Orientation;
        int Width, Height;
        std::uint32_t TopLeft, TopRight, BottomRight, BottomLeft;
    } cases[] = {
        {1, 32, 16, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF},
        {2, 32, 16, 0x00FF00, 0xFF0000, 0xFFFFFF, 0x0000FF},
        {3, 32, 16, 0x0000FF, 0xFFFFFF, 0xFF0000, 0x00FF00},
        {4, 32, 16, 0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000},
        {5, 16, 32, 0xFF0000, 0xFFFFFF, 0x0000FF, 0x00FF00},
        {6, 16, 32, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF},
        {7, 16, 32, 0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF},
        {8, 16, 32, 0x00FF00, 0x0000FF, 0xFFFFFF, 0xFF0000},
        {9, 32, 16, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF},  // out of range: as stored
    };
    const Bytes plain = JpegRgb(Quadrants(32, 16));
    for (const Case& c : cases) {
        for (bool bigEndian : {false, true}) {
            const TBitmap p = DecodeJpeg(WithExifOrientation(plain, c.Orientation, bigEndian));
            SCOPED_TRACE("orientation " + std::to_string(c.Orientation) +
                         (bigEndian ? " big-endian" : " little-endian"));
            ASSERT_EQ(p.Width, c.Width);
            ASSERT_EQ(p.Height, c.Height);
            const int r = p.Width - 3, b = p.Height - 3;
            EXPECT_TRUE(Near(p, 2, 2, c.TopLeft, 16)) << "top left " << PixelText(p, 2, 2);
            EXPECT_TRUE(Near(p, r, 2, c.TopRight, 16)) << "top right " << PixelText(p, r, 2);
            EXPECT_TRUE(Near(p, r, b, c.BottomRight, 16)) << "bottom right " << PixelText(p, r, b);
            EXPECT_TRUE(Near(p, 2, b, c.BottomLeft, 16)) << "bottom left " << PixelText(p, 2, b);
        }
    }
}

TEST(JpegReader, AScaledDecodeIsUprightAndAtLeastTheAskedSize) {
    struct Case {
        int minWidth, minHeight;
        int width, height;  // upright, of a 320 x 160 picture stored sideways
    } cases[] = {
        {20, 40, 20, 40},     // an eighth
        {21, 40, 40, 80},     // a quarter: an eighth is one pixel too narrow
        {40, 81, 80, 160},    // a half
        {81, 100, 160, 320},  // more than half: the whole picture
    };
    const Bytes sideways = WithExifOrientation(JpegRgb(Quadrants(320, 160)), 6, false);
    EXPECT_EQ(ReadJpegInfo(sideways).Width, 160);
    EXPECT_EQ(ReadJpegInfo(sideways).Height, 320);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.minWidth) + " x " + std::to_string(c.minHeight));
        const TBitmap p = DecodeJpegAtLeast(sideways, c.minWidth, c.minHeight);
        ASSERT_EQ(p.Width, c.width);
        ASSERT_EQ(p.Height, c.height);
        // Turned clockwise: the stored bottom-left (white) quadrant is now top left.
        const int r = p.Width - 2, b = p.Height - 2;
        EXPECT_TRUE(Near(p, 1, 1, 0xFFFFFF, 24)) << PixelText(p, 1, 1);
        EXPECT_TRUE(Near(p, r, 1, 0xFF0000, 24)) << PixelText(p, r, 1);
        EXPECT_TRUE(Near(p, r, b, 0x00FF00, 24)) << PixelText(p, r, b);
        EXPECT_TRUE(Near(p, 1, b, 0x0000FF, 24)) << PixelText(p, 1, b);
    }
}

TEST(JpegReader, BrokenExifDataIsIgnored) {
    const Bytes plain = JpegRgb(Quadrants(32, 16));
    Bytes broken = WithExifOrientation(plain, 6, false);
    broken[12] = 'X';  // the TIFF byte order mark: libexif can no longer parse the block
    const TBitmap picture = DecodeJpeg(broken);
    EXPECT_EQ(picture.Width, 32);
    EXPECT_EQ(picture.Height, 16);
}

TEST(JpegReader, DamagedFilesAreRefusedWithAClearMessage) {
    const Bytes good = JpegRgb(Quadrants(64, 64), 90);
    Bytes bigHeader = good;
    // The frame header (after SOI, APP0 and the tables) gives 65500 x 65500: over a gigapixel.
    const std::size_t sof = good.find("\xFF\xC0");
    bigHeader[sof + 5] = char(0xFF), bigHeader[sof + 6] = char(0xDC);
    bigHeader[sof + 7] = char(0xFF), bigHeader[sof + 8] = char(0xDC);
    Bytes noSoi = good;
    noSoi[1] = 'X';
    // Sixteen one bits are no code of the standard tables; FF 00 is a stuffed FF.
    Bytes badCode = good;
    const std::size_t sos = good.find("\xFF\xDA");
    const std::size_t scan =
        sos + 2 + (std::uint8_t(good[sos + 2]) << 8 | std::uint8_t(good[sos + 3]));
    for (std::size_t i = 0; i < 8; i += 2)
        badCode[scan + i] = char(0xFF), badCode[scan + i + 1] = 0;
    struct Case {
        const char* Fault;
        Bytes File;
        std::string Message;
    } cases[] = {
        {"cut in the middle of the scan", good.substr(0, good.size() / 2),
         "JPEG file is truncated"},
        {"cut before the scan data", good.substr(0, sof + 12), "JPEG file is truncated"},
        {"empty file", "", "JPEG file is empty"},
        {"no start-of-image marker", noSoi,
         "Invalid JPEG file: Not a JPEG file: starts with 0xff 0x58"},
        {"65500 x 65500 header", bigHeader, "JPEG image is too large (65500 x 65500 pixels)"},
        {"scan data without valid codes", badCode, "Invalid Huffman code"},
    };
    for (const Case& c : cases) EXPECT_EQ(ErrorOf(c.File), c.Message) << c.Fault;
}

TEST(JpegReader, TheCapIsCheckedBeforeDecoding) {
    EXPECT_EQ(ErrorOf(JpegGrey(100, 100, 1), 9999), "JPEG image is too large (100 x 100 pixels)");
    EXPECT_EQ(ErrorOf(JpegGrey(100, 100, 1), 10000), "(no error)");
}

TEST(JpegReader, EveryPrefixOfAFileIsRefusedOrReadWithoutCrashing) {
    const Bytes good = WithExifOrientation(JpegRgb(Quadrants(24, 24)), 6, false);
    for (std::size_t n = 0; n < good.size(); n++) {
        // Only the last two bytes (the end marker) may go missing without data loss.
        const std::string error = ErrorOf(good.substr(0, n));
        if (n + 2 < good.size()) {
            EXPECT_NE(error, "(no error)") << "cut at " << n;
        }
    }
}

}  // namespace
}  // namespace fsc
