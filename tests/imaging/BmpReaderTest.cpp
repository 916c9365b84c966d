// BMP reading: every bit depth, both row orders, run-length data and refusal of damaged files.
#include <gtest/gtest.h>

#include "PictureSamples.h"
#include "base/Errors.h"
#include "imaging/BmpReader.h"
#include "imaging/HeaderPictureBytes.h"

namespace fsc {
namespace {

using namespace fsc::test;

// A 2 x 2 picture: top row red, green; bottom row blue, white.
const std::uint32_t Expected[2][2] = {{0xFF0000, 0x00FF00}, {0x0000FF, 0xFFFFFF}};

BmpLayout Base(int bits) {
    BmpLayout layout;
    layout.Width = 2, layout.Height = 2, layout.BitCount = bits;
    if (bits <= 8) layout.Palette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    return layout;
}

std::string Check(const Bytes& file) {
    TBitmap p;
    try {
        p = DecodeBmp(file);
    } catch (const EFscError& error) {
        return std::string("error: ") + error.what();
    }
    if (p.Width != 2 || p.Height != 2)
        return "size " + std::to_string(p.Width) + "x" + std::to_string(p.Height);
    for (int y = 0; y < 2; y++)
        for (int x = 0; x < 2; x++)
            if (!Near(p, x, y, Expected[y][x], 0))
                return "pixel " + std::to_string(x) + "," + std::to_string(y) + " is " +
                       PixelText(p, x, y);
    return "ok";
}

TEST(BmpReader, EveryPixelLayoutGivesTheSamePicture) {
    struct Case {
        const char* Layout;
        BmpLayout Header;
    };
    std::vector<Case> cases;
    // Rows bottom-up, each padded to 4 bytes.
    BmpLayout b1 = Base(1);
    b1.Palette = {0xFF0000, 0xFFFFFF};  // 1 bit cannot hold four colours: use two rows of two
    b1.Data = {0x40, 0, 0, 0, 0x40, 0, 0, 0};
    BmpLayout b4 = Base(4);
    b4.Data = {0x23, 0, 0, 0, 0x01, 0, 0, 0};
    BmpLayout b8 = Base(8);
    b8.Data = {2, 3, 0, 0, 0, 1, 0, 0};
    BmpLayout b24 = Base(24);
    b24.Data = {0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0, 0xFF, 0, 0, 0};
    BmpLayout b32 = Base(32);
    b32.Data = {0xFF, 0, 0, 9, 0xFF, 0xFF, 0xFF, 9, 0, 0, 0xFF, 9, 0, 0xFF, 0, 9};
    BmpLayout b16 = Base(16);  // 5-5-5
    b16.Data = {0x1F, 0x00, 0xFF, 0x7F, 0x00, 0x7C, 0xE0, 0x03};
    BmpLayout b565 = Base(16);
    b565.Compression = 3, b565.Masks = {0xF800, 0x07E0, 0x001F};
    b565.Data = {0x1F, 0x00, 0xFF, 0xFF, 0x00, 0xF8, 0xE0, 0x07};
    BmpLayout bTopDown = b24;
    bTopDown.Height = -2;
    bTopDown.Data = {0, 0, 0xFF, 0, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0};
    BmpLayout bCore = b8;
    bCore.Core = true;
    BmpLayout rle8 = Base(8);
    rle8.Compression = 1;
    rle8.Data = {1, 2, 1, 3, 0, 0, 1, 0, 1, 1, 0, 1};  // blue, white, end of line, red, green, end
    BmpLayout rle4 = Base(4);
    rle4.Compression = 2;
    rle4.Data = {2, 0x23, 0, 0, 2, 0x01, 0, 1};
    cases = {{"8 bit", b8},          {"4 bit", b4},          {"24 bit", b24},
             {"32 bit", b32},        {"16 bit 5-5-5", b16},  {"16 bit 5-6-5", b565},
             {"top-down", bTopDown}, {"OS/2 header", bCore}, {"RLE8", rle8},
             {"RLE4", rle4}};
    for (const Case& c : cases) EXPECT_EQ(Check(Bmp(c.Header)), "ok") << c.Layout;

    // One bit: red and white only.
    const TBitmap mono = DecodeBmp(Bmp(b1));
    EXPECT_EQ(PixelText(mono, 0, 0), "255,0,0");
    EXPECT_EQ(PixelText(mono, 1, 0), "255,255,255");
    EXPECT_EQ(PixelText(mono, 0, 1), "255,0,0");
    EXPECT_EQ(PixelText(mono, 1, 1), "255,255,255");
}

TEST(BmpReader, RunLengthDeltaSkipsPixelsWhichKeepTheFirstColour) {
    BmpLayout layout = Base(8);
    layout.Width = 4, layout.Height = 2, layout.Compression = 1;
    layout.Data = {0, 2, 3, 1, 1, 3, 0, 1};  // delta 3 right, 1 up; one white pixel; end
    const TBitmap p = DecodeBmp(Bmp(layout));
    EXPECT_EQ(PixelText(p, 3, 0), "255,255,255");
    EXPECT_EQ(PixelText(p, 0, 0), "255,0,0");
    EXPECT_EQ(PixelText(p, 3, 1), "255,0,0");
}

TEST(BmpReader, DamagedFilesAreRefused) {
    const Bytes good = Bmp([] {
        BmpLayout s = Base(24);
        s.Data.assign(16, 0x55);
        return s;
    }());
    Bytes huge = good;
    huge[18] = huge[19] = huge[22] = huge[23] = char(0xFF);  // 65535 x 65535
    huge[20] = huge[24] = 0;
    Bytes negativeWidth = good;
    negativeWidth[21] = char(0x80);
    Bytes badBits = good;
    badBits[28] = 7;
    Bytes badOffset = good;
    badOffset[10] = char(0xF0), badOffset[11] = char(0xFF);
    Bytes badCompression = good;
    badCompression[30] = 4;  // an embedded JPEG
    Bytes rleNoEnd = Bmp([] {
        BmpLayout s = Base(8);
        s.Compression = 1;
        s.Data = {1, 2};
        return s;
    }());
    struct Case {
        const char* Fault;
        Bytes File;
        std::string Message;
    } cases[] = {
        {"not a bitmap", "PK\x03\x04", "Not a BMP file"},
        {"cut in the header", good.substr(0, 20), "BMP file is truncated"},
        {"cut in the pixels", good.substr(0, good.size() - 5),
         "BMP file is truncated: 2 x 2 pixels need more data than it holds"},
        {"65535 x 65535 pixels", huge, "BMP image is too large (65535 x 65535 pixels)"},
        {"negative width", negativeWidth,
         "BMP image has an invalid size of -2147483646 x 2 pixels"},
        {"7 bits per pixel", badBits, "Pixel format not supported yet"},
        {"embedded JPEG", badCompression, "Pixel format not supported yet"},
        {"data offset past the end", badOffset,
         "BMP file is corrupt: pixel data offset out of range"},
        {"run-length data stops early", rleNoEnd, "BMP file is truncated"},
    };
    for (const Case& c : cases) {
        std::string message = "(no error)";
        try {
            DecodeBmp(c.File);
        } catch (const EFscError& error) {
            message = error.what();
        }
        EXPECT_EQ(message, c.Message) << c.Fault;
    }
}

// Uncompressed rows must all be in the file; a header promising 20000 x 20000 pixels over a few
// bytes is refused before the picture's memory is taken.
TEST(BmpReader, AHeaderPromisingMoreRowsThanTheFileHoldsIsRefused) {
    BmpLayout layout = Base(24);
    layout.Width = layout.Height = 20000;
    layout.Data.assign(16, 0x55);
    const Bytes file = Bmp(layout);
    try {
        DecodeBmp(file);
        ADD_FAILURE() << "accepted";
    } catch (const EFscError& error) {
        EXPECT_STREQ(error.what(),
                     "BMP file is truncated: 20000 x 20000 pixels need more data than it holds");
    }
    EXPECT_EQ(HeaderPictureBytes(file), 20000ull * 20000 * 3);
}

TEST(BmpReader, OversizedHeadersAreRefusedBeforeAllocating) {
    BmpLayout layout = Base(8);
    layout.Compression = 1;
    layout.Width = 40000, layout.Height = 30000;  // 1.2 gigapixels of run-length data
    layout.Data = {0, 1};
    try {
        DecodeBmp(Bmp(layout));
        ADD_FAILURE() << "accepted";
    } catch (const EFscError& error) {
        EXPECT_STREQ(error.what(), "BMP image is too large (40000 x 30000 pixels)");
    }
}

}  // namespace
}  // namespace fsc
