#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/Errors.h"
#include "imaging/Watermark.h"
#include "imaging/WatermarkBlend.h"
#include "imaging/WatermarkTestPicture.h"

namespace fsc {

void PrintTo(const TRgb& c, std::ostream* out) {
    *out << "(" << int(c.Red) << "," << int(c.Green) << "," << int(c.Blue) << ")";
}

namespace {

// A predictable stand-in for the font machinery: every character is Size pixels wide and a
// line is Size pixels high; drawing fills the line's whole box with the font colour. It
// remembers the font sizes it drew with.
class BlockRasteriser : public ITextRasteriser {
public:
    int TextWidth(const TFontSpec& font, const std::string& text) override {
        return font.Size * int(text.size());
    }
    int TextHeight(const TFontSpec& font, const std::string&) override { return font.Size; }
    void DrawText(const TFontSpec& font, const std::string& text, int x, int y,
                  TRgbCanvas& canvas) override {
        DrawnSizes.push_back(font.Size);
        for (int row = std::max(0, y); row < std::min(canvas.Height, y + font.Size); ++row) {
            const int end = std::min(canvas.Width, x + TextWidth(font, text));
            for (int column = std::max(0, x); column < end; ++column) {
                std::uint8_t* p = canvas.Pixels + row * canvas.Stride + column * 3;
                p[0] = font.Red, p[1] = font.Green, p[2] = font.Blue;
            }
        }
    }
    std::vector<int> DrawnSizes;
};

TBitmap Flat(int width, int height, std::uint8_t level) {
    TBitmap picture(width, height);
    std::fill(picture.Pixels.begin(), picture.Pixels.end(), level);
    return picture;
}

TBitmap Pixel(TRgb colour) {
    TBitmap picture(1, 1);
    picture.Pixels = {colour.Red, colour.Green, colour.Blue};
    return picture;
}

TRgb At(const TBitmap& picture, int x, int y) {
    const std::uint8_t* p = picture.Row(y) + x * 3;
    return {p[0], p[1], p[2]};
}

TEST(WatermarkBlend, KnownPixelPairs) {
    const struct {
        const char* rule;
        TRgb image, text;
        int transparency;
        TRgb expected;
    } cases[] = {
        {"far apart: no push, F = 120 * 130 / 2 + 136; black counts as 3",
         {128, 128, 128},
         {0, 0, 0},
         120,
         {93, 93, 93}},
        {"T = 0 gives the text colour", {50, 60, 70}, {10, 100, 200}, 0, {10, 100, 200}},
        {"T = 0 lifts channels below 3 to 3", {50, 60, 70}, {0, 1, 2}, 0, {3, 3, 3}},
        {"equal brightness stays equal: the push has nothing to push",
         {100, 100, 100},
         {100, 100, 100},
         200,
         {100, 100, 100}},
        {"close brightness pushed apart, halves to even (104.5 -> 104, 76.5 -> 76)",
         {100, 100, 100},
         {90, 90, 90},
         120,
         {129, 129, 129}},
        {"push stops at the lower limit 1.5", {0, 0, 0}, {10, 10, 10}, 120, {5, 5, 5}},
        {"push stops at the upper limit 255; channels are capped",
         {255, 255, 255},
         {250, 250, 250},
         120,
         {255, 255, 255}},
        {"coloured text keeps its hue", {200, 30, 90}, {255, 0, 0}, 255, {255, 7, 7}},
        {"white text on a dark ground", {20, 20, 20}, {255, 255, 255}, 120, {145, 145, 145}},
        {"transparency above 255 is taken as 255", {200, 30, 90}, {255, 0, 0}, 999, {255, 7, 7}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rule);
        TBitmap image = Pixel(c.image);
        Blend(image, Pixel(c.text), 0, 0, {1, 2, 3}, c.transparency);
        EXPECT_EQ(At(image, 0, 0), c.expected);
    }
}

TEST(WatermarkBlend, SkipsKeyPixelsAndClipsAtTheEdges) {
    TBitmap text(3, 2);
    text.Pixels = {0,   0,   0,   255, 255, 255, 0,   0,   0,  //
                   255, 255, 255, 0,   0,   0,   255, 255, 254};
    const struct {
        int x, y;
        std::vector<std::pair<int, int>> changed;  // image pixels the text reaches
    } cases[] = {
        {0, 0, {{0, 0}, {2, 0}, {1, 1}, {2, 1}}},
        {-1, -1, {{0, 0}, {1, 0}}},
        {2, 3, {{2, 3}}},
        {3, 0, {}},
        {0, 4, {}},
        {-3, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "at " << c.x << "," << c.y);
        TBitmap image = Flat(3, 4, 128);
        Blend(image, text, c.x, c.y, {255, 255, 255}, 120);
        for (int y = 0; y < image.Height; ++y) {
            for (int x = 0; x < image.Width; ++x) {
                const bool expected = std::find(c.changed.begin(), c.changed.end(),
                                                std::make_pair(x, y)) != c.changed.end();
                const bool changed = At(image, x, y) != TRgb{128, 128, 128};
                EXPECT_EQ(changed, expected) << x << "," << y;
            }
        }
    }
}

// Bounding box of the pixels that differ from a flat ground.
struct Box {
    int Left = 1 << 30, Top = 1 << 30, Right = -1, Bottom = -1;
    bool operator==(const Box&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Box& b) {
    return out << "[" << b.Left << "," << b.Top << " .. " << b.Right << "," << b.Bottom << "]";
}

Box ChangedBox(const TBitmap& image, std::uint8_t ground) {
    Box box;
    for (int y = 0; y < image.Height; ++y) {
        for (int x = 0; x < image.Width; ++x) {
            if (image.Row(y)[x * 3] == ground) continue;
            box.Left = std::min(box.Left, x), box.Right = std::max(box.Right, x);
            box.Top = std::min(box.Top, y), box.Bottom = std::max(box.Bottom, y);
        }
    }
    return box;
}

// With "abcdef" at size 11 the text is 66 x 11; the text picture is round(72.6) x round(14 * 1.1)
// = 73 x 15 and the text sits at (3, 0) in it. On a 120 x 50 image "middle" halves each side
// first: 60 - 36 = 24 across and 25 - 7 = 18 down (halving the difference would give 23, 17).
TEST(WatermarkStamp, NinePositionsInOrder) {
    const struct {
        TWatermarkPosition position;
        Box expected;
    } cases[] = {
        {wpLeftTop, {3, 0, 68, 10}},        {wpLeftMiddle, {3, 18, 68, 28}},
        {wpLeftBottom, {3, 35, 68, 45}},    {wpCenterTop, {27, 0, 92, 10}},
        {wpCenterMiddle, {27, 18, 92, 28}}, {wpCenterBottom, {27, 35, 92, 45}},
        {wpRightTop, {50, 0, 115, 10}},     {wpRightMiddle, {50, 18, 115, 28}},
        {wpRightBottom, {50, 35, 115, 45}},
    };
    TFontSpec font;
    font.Size = 11;
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.position));
        BlockRasteriser rasteriser;
        TBitmap image = Flat(120, 50, 128);
        TWatermarkPositions positions{};
        positions[std::size_t(c.position)] = true;
        Stamp(image, {"abcdef"}, positions, false, font, 120, rasteriser);
        EXPECT_EQ(ChangedBox(image, 128), c.expected);
        EXPECT_EQ(At(image, c.expected.Left, c.expected.Top), (TRgb{93, 93, 93}));
    }
}

TEST(WatermarkStamp, OverlappingPositionsBlendTwice) {
    BlockRasteriser rasteriser;
    TFontSpec font;
    font.Size = 10;
    // The text picture (22 x 14) covers the whole 22 x 14 image at every position.
    TBitmap once = Flat(22, 14, 128), all = Flat(22, 14, 128);
    TWatermarkPositions one{};
    one[0] = true;
    TWatermarkPositions nine;
    nine.fill(true);
    Stamp(once, {"ab"}, one, false, font, 120, rasteriser);
    Stamp(all, {"ab"}, nine, false, font, 120, rasteriser);
    TBitmap expected = Flat(1, 1, 128);
    for (int i = 0; i < 9; ++i) Blend(expected, Pixel({0, 0, 0}), 0, 0, {255, 255, 255}, 120);
    EXPECT_EQ(At(once, 1, 0), (TRgb{93, 93, 93}));
    EXPECT_EQ(At(all, 1, 0), At(expected, 0, 0));
    EXPECT_NE(At(all, 1, 0), At(once, 1, 0));
}

TEST(WatermarkStamp, LinesAreStackedAndCentred) {
    BlockRasteriser rasteriser;
    TFontSpec font;
    font.Size = 10;
    font.Red = 40;
    // Widths 30 and 10, heights 13 each: picture 33 x round(28.6) = 33 x 29; the lines are
    // both drawn at x = 1, at y = 1 and y = 14.
    const TBitmap text = WatermarkTextPicture({"abc", "d"}, font, rasteriser);
    ASSERT_EQ(text.Width, 33);
    ASSERT_EQ(text.Height, 29);
    EXPECT_EQ(At(text, 0, 1), (TRgb{255, 255, 255}));
    EXPECT_EQ(At(text, 1, 1), (TRgb{40, 0, 0}));
    EXPECT_EQ(At(text, 30, 10), (TRgb{40, 0, 0}));
    EXPECT_EQ(At(text, 30, 11), (TRgb{255, 255, 255}));
    EXPECT_EQ(At(text, 10, 14), (TRgb{40, 0, 0}));
    EXPECT_EQ(At(text, 11, 14), (TRgb{255, 255, 255}));
    EXPECT_EQ(At(text, 1, 0), (TRgb{255, 255, 255}));
}

TEST(WatermarkStamp, WhiteTextUsesAnOffWhiteKey) {
    TFontSpec white;
    white.Red = white.Green = white.Blue = 255;
    TFontSpec nearWhite = white;
    nearWhite.Blue = 254;
    EXPECT_EQ(WatermarkKeyColour(white), (TRgb{254, 254, 254}));
    EXPECT_EQ(WatermarkKeyColour(nearWhite), (TRgb{255, 255, 255}));
    EXPECT_EQ(WatermarkKeyColour(TFontSpec()), (TRgb{255, 255, 255}));

    BlockRasteriser rasteriser;
    white.Size = 10;
    TBitmap image = Flat(30, 20, 20);
    TWatermarkPositions positions{};
    positions[0] = true;
    Stamp(image, {"ab"}, positions, false, white, 120, rasteriser);
    EXPECT_EQ(At(image, 1, 0), (TRgb{145, 145, 145}));
    EXPECT_EQ(At(image, 0, 0), (TRgb{20, 20, 20}));
}

TEST(WatermarkStamp, AdjustSizeGrowsAndShrinksTheFont) {
    const struct {
        const char* rule;
        int imageWidth;
        std::string word;
        int startSize;
        int expectedSize;
    } cases[] = {
        {"grows until 0.8 of the width", 1000, std::string(40, 'x'), 8, 20},
        {"stops after 30 steps", 1000, "abcd", 8, 38},
        {"never above 200", 100000, "a", 190, 200},
        {"shrinks until 0.9 of the width", 1000, std::string(200, 'x'), 8, 4},
        {"never below 4", 1000, std::string(400, 'x'), 8, 4},
        {"a size above 200 is not cut down by growing", 100000, "a", 250, 250},
        {"between 0.8 and 0.9 nothing changes", 100, std::string(17, 'x'), 5, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rule);
        BlockRasteriser rasteriser;
        TFontSpec font;
        font.Size = c.startSize;
        TBitmap image = Flat(c.imageWidth, 1, 128);
        Stamp(image, {c.word}, TWatermarkPositions{}, true, font, 120, rasteriser);
        ASSERT_EQ(rasteriser.DrawnSizes.size(), 1u);
        EXPECT_EQ(rasteriser.DrawnSizes[0], c.expectedSize);
    }
}

TEST(WatermarkStamp, EmptyTextStampsNothing) {
    BlockRasteriser rasteriser;
    TWatermarkPositions all;
    all.fill(true);
    for (const TStringList& lines : {TStringList{}, TStringList{""}}) {
        TBitmap image = Flat(50, 50, 128);
        Stamp(image, lines, all, true, TFontSpec(), 0, rasteriser);
        EXPECT_EQ(image, Flat(50, 50, 128));
    }
}

TEST(WatermarkStamp, RefusesATextPictureNoMemoryHolds) {
    BlockRasteriser rasteriser;
    TFontSpec font;
    font.Size = 100000;  // 3 characters of 100000 x 100000 pixels
    TBitmap image = Flat(10, 10, 128);
    TWatermarkPositions positions{};
    positions[0] = true;
    try {
        Stamp(image, {"abc"}, positions, false, font, 120, rasteriser);
        FAIL() << "no exception";
    } catch (const EFSC_Exception& e) {
        EXPECT_STREQ(e.what(), "The watermark text is too large to draw (330000x132001 pixels).");
    }
    EXPECT_EQ(image, Flat(10, 10, 128));
}

TEST(WatermarkMeasure, WidestLineAndRoundedLineHeights) {
    BlockRasteriser rasteriser;
    TFontSpec font;
    const struct {
        int size;
        TStringList lines;
        int width, height;
    } cases[] = {
        {10, {"abc", "de"}, 30, 26},  // 12 + 1 per line
        {5, {"a"}, 5, 7},             // 6 + 1
        {8, {"a", "b", "c"}, 8, 33},  // 9.6 -> 10, + 1, three times
        {15, {"ab"}, 30, 19},         // 18 + 1
        {0, {}, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        font.Size = c.size;
        EXPECT_EQ(MeasureWidth(c.lines, font, rasteriser), c.width);
        EXPECT_EQ(MeasureHeight(c.lines, font, rasteriser), c.height);
    }
}

TEST(WatermarkTestPicture, ColourFormula) {
    const TBitmap picture = WatermarkTestPicture();
    ASSERT_EQ(picture.Width, 193);
    ASSERT_EQ(picture.Height, 137);
    const struct {
        int i, j;
        TRgb colour;
    } cases[] = {
        {0, 0, {0, 0, 0}},         {1, 0, {1, 255, 1}},       {0, 1, {255, 1, 1}},
        {192, 136, {56, 200, 72}}, {100, 30, {70, 186, 130}}, {130, 136, {250, 6, 10}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.i << "," << c.j);
        EXPECT_EQ(At(picture, c.i, c.j), c.colour);
    }
}

}  // namespace
}  // namespace fsc
