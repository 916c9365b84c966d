#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QGuiApplication>
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/TBitmap.h"
#include "imaging/Watermark.h"
#include "imaging/WatermarkTestPicture.h"
#include "platform/QtTextRasteriser.h"

namespace fsc {
namespace {

TFontSpec Font(int size, std::uint8_t red = 0, std::uint8_t green = 0, std::uint8_t blue = 0) {
    TFontSpec font;
    font.Name = "DejaVu Sans";
    font.Size = size;
    font.Red = red, font.Green = green, font.Blue = blue;
    return font;
}

TBitmap White(int width, int height) {
    TBitmap picture(width, height);
    std::fill(picture.Pixels.begin(), picture.Pixels.end(), 255);
    return picture;
}

TBitmap Draw(QtTextRasteriser& rasteriser, const TFontSpec& font, const std::string& text,
             int x = 2, int y = 2, int width = 400, int height = 80) {
    TBitmap canvas = White(width, height);
    TRgbCanvas view = canvas.Canvas();
    rasteriser.DrawText(font, text, x, y, view);
    return canvas;
}

int CountColour(const TBitmap& picture, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    int count = 0;
    for (std::size_t i = 0; i < picture.Pixels.size(); i += 3) {
        if (picture.Pixels[i] == r && picture.Pixels[i + 1] == g && picture.Pixels[i + 2] == b) {
            ++count;
        }
    }
    return count;
}

// The longest run of font-coloured pixels in any one row.
int LongestRun(const TBitmap& picture, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    int longest = 0;
    for (int y = 0; y < picture.Height; ++y) {
        int run = 0;
        for (int x = 0; x < picture.Width; ++x) {
            const std::uint8_t* p = picture.Row(y) + x * 3;
            run = (p[0] == r && p[1] == g && p[2] == b) ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    return longest;
}

TEST(QtTextRasteriser, FindsFontsWithoutADisplay) {
    QtTextRasteriser rasteriser;
    EXPECT_GT(rasteriser.TextWidth(Font(12), "Folioscope"), 40);
    ASSERT_NE(qobject_cast<QGuiApplication*>(QCoreApplication::instance()), nullptr);
    EXPECT_FALSE(QFontDatabase::families().isEmpty()) << "no fonts: install fonts-dejavu-core";
    QtTextRasteriser second;  // the application is made once
    EXPECT_EQ(second.TextWidth(Font(12), "Folioscope"),
              rasteriser.TextWidth(Font(12), "Folioscope"));
}

TEST(QtTextRasteriser, DrawsOnlyTheFontColour) {
    QtTextRasteriser rasteriser;
    for (const TFontSpec& font : {Font(8, 200, 10, 30), Font(24, 200, 10, 30)}) {
        SCOPED_TRACE(font.Size);
        const TBitmap picture = Draw(rasteriser, font, "Created with Folioscope, 2024!");
        const int ink = CountColour(picture, 200, 10, 30);
        EXPECT_GT(ink, 20);
        EXPECT_EQ(ink + CountColour(picture, 255, 255, 255), picture.Width * picture.Height);
    }
}

TEST(QtTextRasteriser, MeasuresGrowWithTheSize) {
    QtTextRasteriser rasteriser;
    int lastWidth = 0, lastHeight = 0;
    for (int size : {4, 8, 12, 20, 40}) {
        SCOPED_TRACE(size);
        const int width = rasteriser.TextWidth(Font(size), "Watermark");
        const int height = rasteriser.TextHeight(Font(size), "Watermark");
        EXPECT_GT(width, lastWidth);
        EXPECT_GT(height, lastHeight);
        lastWidth = width, lastHeight = height;
    }
    // 8 points at 96 dpi are 11 pixels of em; the line is a little higher.
    EXPECT_GE(rasteriser.TextHeight(Font(8), "x"), 11);
    EXPECT_LE(rasteriser.TextHeight(Font(8), "x"), 15);
    EXPECT_EQ(rasteriser.TextHeight(Font(8), ""), rasteriser.TextHeight(Font(8), "x"));
    EXPECT_EQ(rasteriser.TextWidth(Font(8), ""), 0);
}

TEST(QtTextRasteriser, HonoursTheStyles) {
    QtTextRasteriser rasteriser;
    const std::string text = "Hello Watermark";
    const TFontSpec plain = Font(20);
    const TBitmap plainPicture = Draw(rasteriser, plain, text);
    const int plainInk = CountColour(plainPicture, 0, 0, 0);
    const int textWidth = rasteriser.TextWidth(plain, text);

    TFontSpec bold = plain;
    bold.Bold = true;
    EXPECT_GT(CountColour(Draw(rasteriser, bold, text), 0, 0, 0), plainInk * 11 / 10);

    TFontSpec italic = plain;
    italic.Italic = true;
    EXPECT_NE(Draw(rasteriser, italic, text), plainPicture);

    // Underline and strike-out are lines about as long as the text.
    TFontSpec underline = plain;
    underline.Underline = true;
    TFontSpec strikeOut = plain;
    strikeOut.StrikeOut = true;
    EXPECT_LT(LongestRun(plainPicture, 0, 0, 0), textWidth / 2);
    EXPECT_GE(LongestRun(Draw(rasteriser, underline, text), 0, 0, 0), textWidth * 9 / 10);
    EXPECT_GE(LongestRun(Draw(rasteriser, strikeOut, text), 0, 0, 0), textWidth * 9 / 10);
    EXPECT_NE(Draw(rasteriser, underline, text), Draw(rasteriser, strikeOut, text));
}

TEST(QtTextRasteriser, UsesTheNamedFontOrTheDefaultSans) {
    QtTextRasteriser rasteriser;
    TFontSpec unknown = Font(14);
    unknown.Name = "MS Sans Serif";
    TFontSpec other = Font(14);
    other.Name = "No Such Font 4711";
    TFontSpec sans = Font(14);
    sans.Name = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family().toStdString();
    const std::string text = "Fallback 123";
    EXPECT_GT(rasteriser.TextWidth(unknown, text), 30);
    EXPECT_EQ(Draw(rasteriser, unknown, text), Draw(rasteriser, sans, text));
    EXPECT_EQ(Draw(rasteriser, other, text), Draw(rasteriser, sans, text));
    // A font that is installed is used by its name.
    TFontSpec serif = Font(14);
    serif.Name = "DejaVu Serif";
    EXPECT_NE(Draw(rasteriser, serif, text), Draw(rasteriser, Font(14), text));
}

TEST(QtTextRasteriser, ClipsAtTheCanvasEdges) {
    QtTextRasteriser rasteriser;
    const TFontSpec font = Font(20, 0, 0, 255);
    const struct {
        int x, y;
        bool inkExpected;
    } cases[] = {{-10, -8, true}, {30, 10, true}, {35, 8, true}, {200, 0, false}, {0, -100, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        const TBitmap picture = Draw(rasteriser, font, "Wide text here", c.x, c.y, 40, 20);
        const int ink = CountColour(picture, 0, 0, 255);
        EXPECT_EQ(ink > 0, c.inkExpected);
        EXPECT_EQ(ink + CountColour(picture, 255, 255, 255), 40 * 20);
    }
}

TEST(QtTextRasteriser, BytesAreUtf8OrLatin1) {
    QtTextRasteriser rasteriser;
    const TFontSpec font = Font(16);
    EXPECT_EQ(rasteriser.TextWidth(font, "\xC3\xA9t\xC3\xA9"),
              rasteriser.TextWidth(font, "\xE9t\xE9"));
    EXPECT_EQ(Draw(rasteriser, font, "\xC3\xA9t\xC3\xA9"), Draw(rasteriser, font, "\xE9t\xE9"));
    EXPECT_NE(rasteriser.TextWidth(font, "\xC3\xA9t\xC3\xA9"), rasteriser.TextWidth(font, "AtA"));
}

// The whole stamp with real fonts: with transparency 0 every stamped pixel is exactly the
// (white) font colour, which only works when the text picture has no antialiased edge.
TEST(QtTextRasteriser, StampsWhiteTextOnTheEditorsTestPicture) {
    QtTextRasteriser rasteriser;
    TFontSpec font = Font(8, 255, 255, 255);
    TWatermarkPositions positions{};
    positions[wpCenterMiddle] = true;
    const TBitmap original = WatermarkTestPicture();
    TBitmap stamped = original;
    Stamp(stamped, {"Created with Folioscope", "example.org"}, positions, true, font, 0,
          rasteriser);
    int changed = 0, left = original.Width, right = -1;
    for (int y = 0; y < original.Height; ++y) {
        for (int x = 0; x < original.Width; ++x) {
            const std::uint8_t* before = original.Row(y) + x * 3;
            const std::uint8_t* after = stamped.Row(y) + x * 3;
            if (std::equal(after, after + 3, before)) continue;
            ++changed;
            left = std::min(left, x), right = std::max(right, x);
            ASSERT_EQ(after[0], 255);
            ASSERT_EQ(after[1], 255);
            ASSERT_EQ(after[2], 255);
        }
    }
    EXPECT_GT(changed, 100);
    // Adjusting the size made the text between 0.8 and 0.9 of the picture's width; the ink
    // of the first and last letters lies a little inside the advance.
    EXPECT_GE(right - left + 1, 193 * 8 / 10 - 6);
    EXPECT_LE(right - left + 1, 193 * 9 / 10);
}

}  // namespace
}  // namespace fsc
