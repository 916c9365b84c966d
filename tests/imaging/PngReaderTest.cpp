// PNG reading: every colour type and depth becomes 24-bit; damaged files are refused.
#include <gtest/gtest.h>

#include "PictureSamples.h"
#include "base/Errors.h"
#include "imaging/HeaderPictureBytes.h"
#include "imaging/PngReader.h"

namespace fsc {
namespace {

using namespace fsc::test;

TEST(PngReader, EveryColourTypeBecomesRgb) {
    struct Case {
        const char* Kind;
        PngLayout Sample;
        std::uint32_t Left, Right;  // the two pixels of a 2 x 1 picture
    };
    auto layout = [](int depth, int type, std::vector<std::uint8_t> row) {
        PngLayout s;
        s.Width = 2, s.BitDepth = depth, s.ColourType = type, s.Rows = {std::move(row)};
        return s;
    };
    PngLayout palette = layout(4, 3, {0x10});
    palette.Palette = {10, 20, 30, 200, 100, 50};
    PngLayout paletteAlpha = layout(8, 3, {0, 1});
    paletteAlpha.Palette = {0, 0, 0, 200, 100, 50};
    paletteAlpha.Transparency = {0, 255};  // entry 0 fully transparent
    const Case cases[] = {
        {"RGB 8", layout(8, 2, {1, 2, 3, 250, 251, 252}), 0x010203, 0xFAFBFC},
        {"RGB 16",
         layout(16, 2, {0x12, 0x34, 0x80, 0x80, 0xFF, 0xFF, 0, 0, 0x7F, 0xFF, 0x01, 0x00}),
         0x1280FF, 0x007F01},
        {"grey 8", layout(8, 0, {0, 200}), 0x000000, 0xC8C8C8},
        {"grey 1", layout(1, 0, {0x40}), 0x000000, 0xFFFFFF},
        {"grey 16", layout(16, 0, {0x80, 0x80, 0x40, 0x00}), 0x808080, 0x404040},
        {"palette 4", palette, 0xC86432, 0x0A141E},
        {"palette with transparency", paletteAlpha, 0xFFFFFF, 0xC86432},
        {"grey and alpha", layout(8, 4, {50, 255, 50, 0}), 0x323232, 0xFFFFFF},
        {"RGBA", layout(8, 6, {255, 0, 0, 255, 255, 0, 0, 0}), 0xFF0000, 0xFFFFFF},
    };
    for (const Case& c : cases) {
        const TBitmap p = DecodePng(Png(c.Sample));
        ASSERT_EQ(p.Width, 2) << c.Kind;
        ASSERT_EQ(p.Height, 1) << c.Kind;
        EXPECT_TRUE(Near(p, 0, 0, c.Left, 1)) << c.Kind << " left " << PixelText(p, 0, 0);
        EXPECT_TRUE(Near(p, 1, 0, c.Right, 1)) << c.Kind << " right " << PixelText(p, 1, 0);
    }
}

TEST(PngReader, HalfTransparentPixelsAreLaidOverWhite) {
    PngLayout s;
    s.Width = 1, s.ColourType = 6, s.Rows = {{0, 0, 0, 128}};
    const TBitmap p = DecodePng(Png(s));
    // Half black over white: a mid grey (libpng blends in linear light, so above 128).
    EXPECT_GT(p.Pixels[0], 120);
    EXPECT_LT(p.Pixels[0], 200);
    EXPECT_EQ(p.Pixels[0], p.Pixels[1]);
}

TEST(PngReader, DamagedFilesAreRefused) {
    PngLayout s;
    s.Width = 40, s.Height = 40;
    for (int y = 0; y < 40; y++) {
        std::vector<std::uint8_t> row;
        for (int x = 0; x < 120; x++) row.push_back(std::uint8_t(x * 7 + y * 13));
        s.Rows.push_back(row);
    }
    const Bytes good = Png(s);
    PngLayout interlaced = s;
    interlaced.Interlace = 2;
    PngLayout huge = s;
    huge.Width = huge.Height = 60000;
    Bytes badCrc = good;
    badCrc[29] ^= 1;
    struct Case {
        const char* Fault;
        Bytes File;
        std::string Message;
    } cases[] = {
        {"not a PNG", "GIF89a........", "Not a PNG file"},
        {"cut in the image data", good.substr(0, good.size() / 2), "PNG file is truncated"},
        {"cut after the header", good.substr(0, 33), "PNG file is truncated"},
        {"interlace method 2", Png(interlaced), "Unsupported interlacing method"},
        {"60000 x 60000 header", Png(huge), "PNG image is too large (60000 x 60000 pixels)"},
        {"header checksum wrong", badCrc, "Invalid PNG file: IHDR: CRC error"},
    };
    for (const Case& c : cases) {
        std::string message = "(no error)";
        try {
            DecodePng(c.File);
        } catch (const EFscError& error) {
            message = error.what();
        }
        EXPECT_EQ(message, c.Message) << c.Fault;
    }
}

// A few bytes of image data cannot expand to what a huge header promises: refused before the
// picture's gigabytes are taken. A blank picture, which deflate packs close to its limit, still
// reads: the bound must never refuse a real file.
TEST(PngReader, ImageDataTooShortForTheHeaderIsRefusedBeforeAllocating) {
    PngLayout bomb;
    bomb.Width = bomb.Height = 30000;
    bomb.Rows.clear();
    const Bytes file = Png(bomb);
    EXPECT_LT(file.size(), 100u);
    try {
        DecodePng(file);
        ADD_FAILURE() << "accepted";
    } catch (const EFscError& error) {
        EXPECT_STREQ(error.what(),
                     "PNG file is truncated: 30000 x 30000 pixels need more image data than it "
                     "holds");
    }
    EXPECT_EQ(HeaderPictureBytes(file), 30000ull * 30000 * 3);

    PngLayout blank;
    blank.Width = blank.Height = 2000;
    blank.ColourType = 0;
    blank.Rows.assign(2000, std::vector<std::uint8_t>(2000, 0));
    const TBitmap picture = DecodePng(Png(blank));
    EXPECT_EQ(picture.Width, 2000);
    EXPECT_EQ(PixelText(picture, 1999, 1999), "0,0,0");
}

TEST(PngReader, EveryPrefixIsRefused) {
    PngLayout s;
    s.Width = s.Height = 8;
    for (int y = 0; y < 8; y++) s.Rows.emplace_back(24, std::uint8_t(y * 30));
    const Bytes good = Png(s);
    for (std::size_t n = 0; n + 12 < good.size(); n++)  // the last 12 bytes are the end chunk
        EXPECT_THROW(DecodePng(good.substr(0, n)), EFscError) << "cut at " << n;
}

}  // namespace
}  // namespace fsc
