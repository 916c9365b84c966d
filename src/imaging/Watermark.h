// Stamping a text watermark into an image: measuring the text, drawing it once into a text
// picture and blending that picture at any of nine positions.
#pragma once

#include <array>

#include "base/ITextRasteriser.h"
#include "base/TStringList.h"
#include "imaging/TBitmap.h"
#include "imaging/WatermarkBlend.h"

namespace fsc {

// In the order the positions are stamped, which is also the order they are stored in.
enum TWatermarkPosition {
    wpLeftTop,
    wpLeftMiddle,
    wpLeftBottom,
    wpCenterTop,
    wpCenterMiddle,
    wpCenterBottom,
    wpRightTop,
    wpRightMiddle,
    wpRightBottom,
};
using TWatermarkPositions = std::array<bool, 9>;  // indexed by TWatermarkPosition

// The widest line in that font.
int MeasureWidth(const TStringList& lines, const TFontSpec& font, ITextRasteriser& rasteriser);
// The sum over all lines of round(line height * 1.2 + 1).
int MeasureHeight(const TStringList& lines, const TFontSpec& font, ITextRasteriser& rasteriser);

// The colour that marks "no text" in the text picture: white, or (254, 254, 254) when the
// font itself is white, so that white text is still stamped.
TRgb WatermarkKeyColour(const TFontSpec& font);

// The text picture: lines centred in a picture 1.1 times the text's size, on the key colour.
TBitmap WatermarkTextPicture(const TStringList& lines, const TFontSpec& font,
                             ITextRasteriser& rasteriser);

// Changes image in place. With adjustSize the font grows or shrinks (by at most 30 steps each)
// until the text is between 0.8 and 0.9 of the image width. Overlapping positions are blended
// twice. An empty text stamps nothing.
void Stamp(TBitmap& image, const TStringList& lines, const TWatermarkPositions& positions,
           bool adjustSize, const TFontSpec& font, int transparency, ITextRasteriser& rasteriser);

}  // namespace fsc
