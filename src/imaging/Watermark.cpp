// The watermark stamp.
#include "imaging/Watermark.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "base/Errors.h"
#include "imaging/PictureLimits.h"

namespace fsc {

namespace {

int RoundHalfEven(double value) { return int(std::nearbyint(value)); }

int LineAdvance(const std::string& line, const TFontSpec& font, ITextRasteriser& rasteriser) {
    return RoundHalfEven(rasteriser.TextHeight(font, line) * 1.2) + 1;
}

TFontSpec AdjustedFont(const TStringList& lines, TFontSpec font, int imageWidth,
                       ITextRasteriser& rasteriser) {
    int width = MeasureWidth(lines, font, rasteriser);
    for (int step = 0; step < 30 && width < 0.8 * imageWidth; ++step) {
        if (font.Size < 200) ++font.Size;
        width = MeasureWidth(lines, font, rasteriser);
    }
    for (int step = 0; step < 30 && width > 0.9 * imageWidth; ++step) {
        if (font.Size > 4) --font.Size;
        width = MeasureWidth(lines, font, rasteriser);
    }
    return font;
}

struct TCorner {
    int X, Y;
};

// Corners in stamping order; "middle" halves the image and the text picture separately.
std::array<TCorner, 9> Corners(const TBitmap& image, const TBitmap& text) {
    const int right = image.Width - text.Width, bottom = image.Height - text.Height;
    const int middleX = image.Width / 2 - text.Width / 2;
    const int middleY = image.Height / 2 - text.Height / 2;
    return {{{0, 0},
             {0, middleY},
             {0, bottom},
             {middleX, 0},
             {middleX, middleY},
             {middleX, bottom},
             {right, 0},
             {right, middleY},
             {right, bottom}}};
}

}  // namespace

int MeasureWidth(const TStringList& lines, const TFontSpec& font, ITextRasteriser& rasteriser) {
    int widest = 0;
    for (const std::string& line : lines) {
        widest = std::max(widest, rasteriser.TextWidth(font, line));
    }
    return widest;
}

int MeasureHeight(const TStringList& lines, const TFontSpec& font, ITextRasteriser& rasteriser) {
    int height = 0;
    for (const std::string& line : lines) height += LineAdvance(line, font, rasteriser);
    return height;
}

TRgb WatermarkKeyColour(const TFontSpec& font) {
    if (font.Red == 255 && font.Green == 255 && font.Blue == 255) return {254, 254, 254};
    return {255, 255, 255};
}

TBitmap WatermarkTextPicture(const TStringList& lines, const TFontSpec& font,
                             ITextRasteriser& rasteriser) {
    const int textWidth = MeasureWidth(lines, font, rasteriser);
    const int textHeight = MeasureHeight(lines, font, rasteriser);
    const double exactWidth = std::nearbyint(textWidth * 1.1);
    const double exactHeight = std::nearbyint(textHeight * 1.1);
    if (exactWidth <= 0 || exactHeight <= 0) return TBitmap();
    // A stored font size can be anything; a text picture no memory holds is refused.
    if (exactWidth * exactHeight > double(MaxPicturePixels)) {
        throw EFSC_Exception("The watermark text is too large to draw (" +
                             std::to_string(std::int64_t(exactWidth)) + "x" +
                             std::to_string(std::int64_t(exactHeight)) + " pixels).");
    }
    const int width = int(exactWidth), height = int(exactHeight);

    TBitmap picture(width, height);
    const TRgb key = WatermarkKeyColour(font);
    for (std::size_t i = 0; i < picture.Pixels.size(); i += 3) {
        picture.Pixels[i] = key.Red;
        picture.Pixels[i + 1] = key.Green;
        picture.Pixels[i + 2] = key.Blue;
    }
    TRgbCanvas canvas = picture.Canvas();
    const int x = (width - textWidth) / 2;
    int y = (height - textHeight) / 2;
    for (const std::string& line : lines) {
        rasteriser.DrawText(font, line, x, y, canvas);
        y += LineAdvance(line, font, rasteriser);
    }
    return picture;
}

void Stamp(TBitmap& image, const TStringList& lines, const TWatermarkPositions& positions,
           bool adjustSize, const TFontSpec& font, int transparency, ITextRasteriser& rasteriser) {
    const TFontSpec used = adjustSize ? AdjustedFont(lines, font, image.Width, rasteriser) : font;
    const TBitmap text = WatermarkTextPicture(lines, used, rasteriser);
    if (text.Empty()) return;
    const TRgb key = WatermarkKeyColour(used);
    const std::array<TCorner, 9> corners = Corners(image, text);
    for (std::size_t i = 0; i < corners.size(); ++i) {
        if (positions[i]) Blend(image, text, corners[i].X, corners[i].Y, key, transparency);
    }
}

}  // namespace fsc
