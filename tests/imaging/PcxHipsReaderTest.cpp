// PCX and HIPS reading: each pixel layout on small made files, and refusal of damaged ones.
#include <gtest/gtest.h>

#include "PictureSamples.h"
#include "base/Errors.h"
#include "imaging/HipsReader.h"
#include "imaging/PcxReader.h"

namespace fsc {
namespace {

using namespace fsc::test;

std::string ErrorOf(auto decode, const Bytes& file) {
    try {
        decode(file);
    } catch (const EFscError& error) {
        return error.what();
    }
    return "(no error)";
}

std::string Row(const TBitmap& p, int y) {
    std::string text;
    for (int x = 0; x < p.Width; x++) text += (x ? " " : "") + PixelText(p, x, y);
    return text;
}

TEST(PcxReader, EveryPixelLayout) {
    const std::vector<std::uint8_t> ega = {0, 0,   0, 255, 0, 0,
                                           0, 255, 0, 0,   0, 255};  // black, red, green, blue
    std::vector<std::uint8_t> palette256(768, 0);
    palette256[3 * 7 + 0] = 10, palette256[3 * 7 + 1] = 20, palette256[3 * 7 + 2] = 30;
    struct Case {
        const char* Layout;
        PcxLayout Sample;
        std::string Top;
    };
    auto layout = [](int w, int bits, int planes, int bytesPerLine, std::vector<std::uint8_t> raw,
                     bool rle = true) {
        PcxLayout s;
        s.Width = w, s.Height = 1, s.Bits = bits, s.Planes = planes, s.BytesPerLine = bytesPerLine;
        s.Encoding = rle ? 1 : 0;
        s.Data = rle ? PcxRle(raw) : raw;
        return s;
    };
    PcxLayout mono = layout(3, 1, 1, 2, {0xA0, 0});
    PcxLayout planes4 = layout(3, 1, 4, 2, {0x80, 0, 0x40, 0, 0x20, 0, 0, 0});  // indices 1, 2, 4
    planes4.HeaderPalette = ega;
    planes4.HeaderPalette.resize(48, 0);
    planes4.HeaderPalette[12] = 9, planes4.HeaderPalette[13] = 8,
    planes4.HeaderPalette[14] = 7;  // entry 4
    PcxLayout nibbles = layout(3, 4, 1, 2, {0x12, 0x30});
    nibbles.HeaderPalette = ega;
    PcxLayout indexed = layout(2, 8, 1, 2, {7, 0});
    indexed.Palette256 = palette256;
    PcxLayout grey = layout(2, 8, 1, 2, {7, 200});
    PcxLayout rgb = layout(2, 8, 3, 2, {1, 2, 3, 4, 5, 6});
    PcxLayout plain = layout(2, 8, 3, 2, {1, 2, 3, 4, 5, 6}, false);
    PcxLayout runs =
        layout(2, 8, 3, 2, {0xC5, 0xC5, 0xC5, 0xC5, 0xC5, 0xC5});  // values that must be escaped
    const Case cases[] = {
        {"1 bit", mono, "255,255,255 0,0,0 255,255,255"},
        {"1 bit in 4 planes", planes4, "255,0,0 0,255,0 9,8,7"},
        {"4 bits", nibbles, "255,0,0 0,255,0 0,0,255"},
        {"8 bits with palette", indexed, "10,20,30 0,0,0"},
        {"8 bits without palette", grey, "7,7,7 200,200,200"},
        {"24 bits in planes", rgb, "1,3,5 2,4,6"},
        {"24 bits unencoded", plain, "1,3,5 2,4,6"},
        {"runs of escaped values", runs, "197,197,197 197,197,197"},
    };
    for (const Case& c : cases) {
        const TBitmap p = DecodePcx(Pcx(c.Sample));
        EXPECT_EQ(Row(p, 0), c.Top) << c.Layout;
    }
}

TEST(PcxReader, RunsMayCrossLineEnds) {
    PcxLayout s;
    s.Width = 2, s.Height = 2, s.Bits = 8, s.Planes = 1, s.BytesPerLine = 2;
    s.Data = {0xC4, 99};  // one run of four fills both lines
    const TBitmap p = DecodePcx(Pcx(s));
    EXPECT_EQ(Row(p, 0), "99,99,99 99,99,99");
    EXPECT_EQ(Row(p, 1), "99,99,99 99,99,99");
}

TEST(PcxReader, DamagedFilesAreRefused) {
    PcxLayout s;
    s.Width = 4, s.Height = 4, s.Bits = 8, s.Planes = 3, s.BytesPerLine = 4;
    std::vector<std::uint8_t> raw;
    for (int i = 0; i < 48; i++) raw.push_back(std::uint8_t(i * 5));
    s.Data = PcxRle(raw);
    const Bytes good = Pcx(s);
    PcxLayout twoBits = s;
    twoBits.Bits = 2, twoBits.Planes = 1;
    PcxLayout narrow = s;
    narrow.BytesPerLine = 2;
    PcxLayout huge = s;
    huge.Width = huge.Height = 65535;
    Bytes badEncoding = good;
    badEncoding[2] = 7;
    struct Case {
        const char* Fault;
        Bytes File;
        std::string Message;
    } cases[] = {
        {"not a PCX file", "BM.....", "Not a PCX file"},
        {"cut in the header", good.substr(0, 100), "Not a PCX file"},
        {"cut in the data", good.substr(0, good.size() - 3), "PCX file is truncated"},
        {"2 bits per pixel", Pcx(twoBits), "Pixel format not supported yet"},
        {"lines shorter than the width", Pcx(narrow),
         "PCX file is corrupt: scan line too short for the width"},
        {"65535 x 65535 with little data", Pcx(huge),
         "PCX image is too large (65535 x 65535 pixels)"},
        {"unknown encoding", badEncoding, "PCX file is corrupt: unknown encoding 7"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErrorOf([](const Bytes& b) { DecodePcx(b); }, c.File), c.Message) << c.Fault;
}

TEST(HipsReader, HeadersAndPixelFormats) {
    const std::vector<std::uint8_t> planes = {10, 20, 30, 40, 50, 60};  // three 1 x 2 planes
    struct Case {
        const char* Kind;
        Bytes File;
        std::string Top;
    } cases[] = {
        {"HIPS-2 grey bytes", Hips2(1, 2, 1, 0, {7, 250}), "7,7,7 250,250,250"},
        {"HIPS-2 three planes", Hips2(1, 2, 3, 0, planes), "10,30,50 20,40,60"},
        {"original header, three planes", Hips1(1, 2, 3, 0, planes), "10,30,50 20,40,60"},
        {"original header, grey", Hips1(1, 2, 1, 0, {1, 2}), "1,1,1 2,2,2"},
        {"signed bytes", Hips2(1, 2, 1, 32, {0x80, 0x7F}), "0,0,0 255,255,255"},
        {"bits, most significant first", Hips2(1, 3, 1, 30, {0xA0}),
         "255,255,255 0,0,0 255,255,255"},
        {"bits, least significant first", Hips2(1, 3, 1, 31, {0x05}),
         "255,255,255 0,0,0 255,255,255"},
        {"interleaved RGB", Hips2(1, 2, 1, 35, {1, 2, 3, 4, 5, 6}), "1,2,3 4,5,6"},
        {"interleaved RGBZ", Hips2(1, 2, 1, 36, {1, 2, 3, 0, 4, 5, 6, 0}), "1,2,3 4,5,6"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> notices;
        const TBitmap p = DecodeHips(c.File, &notices);
        EXPECT_EQ(Row(p, 0), c.Top) << c.Kind;
        EXPECT_TRUE(notices.empty()) << c.Kind;
    }
}

TEST(HipsReader, OnlyThreeOfManyPlanesAreTakenWithANotice) {
    std::vector<std::uint8_t> data;
    for (int i = 0; i < 5 * 4; i++) data.push_back(std::uint8_t(i));
    std::vector<std::string> notices;
    const TBitmap p = DecodeHips(Hips2(2, 2, 5, 0, data), &notices);
    EXPECT_EQ(Row(p, 0), "0,4,8 1,5,9");
    EXPECT_EQ(notices,
              std::vector<std::string>{"The image contains 5 color planes, only 3 were loaded"});
}

TEST(HipsReader, DamagedFilesAreRefused) {
    const Bytes good = Hips2(4, 4, 3, 0, std::vector<std::uint8_t>(48, 1));
    struct Case {
        const char* Fault;
        Bytes File;
        std::string Message;
    } cases[] = {
        {"float pixels", Hips2(1, 1, 1, 3, {0, 0, 0, 0}), "Pixel format not supported yet"},
        {"cut in the pixels", good.substr(0, good.size() - 1), "HIPS file is truncated"},
        {"cut in the header", good.substr(0, 30), "HIPS file is truncated"},
        {"rows not a number", "HIPS\na\nb\n1\nd\nlots\n",
         "HIPS file is corrupt: bad rows \"lots\""},
        {"no frames", Hips2(1, 1, 0, 0, {1}), "HIPS file is corrupt: no frames"},
        {"40000 x 40000", Hips2(40000, 40000, 1, 0, {}),
         "HIPS image is too large (40000 x 40000 pixels)"},
        {"negative size", Hips2(-5, 2, 1, 0, {}),
         "HIPS image has an invalid size of 2 x -5 pixels"},
        {"no line ends", Bytes(100000, 'x'), "HIPS file is corrupt: header line too long"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErrorOf([](const Bytes& b) { DecodeHips(b, nullptr); }, c.File), c.Message)
            << c.Fault;
}

TEST(PcxHipsReaders, EveryPrefixIsRefusedOrReadWithoutCrashing) {
    PcxLayout s;
    s.Width = 5, s.Height = 3, s.Bits = 8, s.Planes = 1, s.BytesPerLine = 6;
    s.Data = PcxRle({1, 1, 1, 2, 0xC3, 4, 5, 5, 5, 5, 5, 5, 9, 8, 7, 6, 5, 4});
    s.Palette256.assign(768, 4);
    for (const Bytes& good : {Pcx(s), Hips1(2, 3, 4, 0, std::vector<std::uint8_t>(24, 5))}) {
        for (std::size_t n = 0; n < good.size(); n++) {
            const Bytes cut = good.substr(0, n);
            try {
                DecodePcx(cut);
            } catch (const EFscError&) {
            }
            try {
                DecodeHips(cut, nullptr);
            } catch (const EFscError&) {
            }
        }
    }
}

}  // namespace
}  // namespace fsc
