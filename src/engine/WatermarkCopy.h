// The watermark of an image copy, with the positions in the order the settings keep them.
#pragma once

#include <array>

#include "base/ITextRasteriser.h"
#include "base/TStringList.h"
#include "imaging/TBitmap.h"

namespace fsc {

// `positions` row by row: left top, center top, right top, left middle, ..., right bottom,
// as the gallery settings hold them; the stamp is the imaging module's.
void StampCopyWatermark(TBitmap& image, const TStringList& lines,
                        const std::array<bool, 9>& positions, bool adjustSize,
                        const TFontSpec& font, int transparency, ITextRasteriser& rasteriser);

}  // namespace fsc
