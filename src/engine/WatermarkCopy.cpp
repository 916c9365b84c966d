// Kept apart from the gallery settings: the settings and the imaging module each name their
// own position type TWatermarkPosition, so this file sees only the imaging one.
#include "engine/WatermarkCopy.h"

#include "imaging/Watermark.h"

namespace fsc {

void StampCopyWatermark(TBitmap& image, const TStringList& lines,
                        const std::array<bool, 9>& positions, bool adjustSize,
                        const TFontSpec& font, int transparency, ITextRasteriser& rasteriser) {
    // The settings go row by row, the stamp column by column.
    TWatermarkPositions columns{};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            columns[std::size_t(column * 3 + row)] = positions[std::size_t(row * 3 + column)];
        }
    }
    Stamp(image, lines, columns, adjustSize, font, transparency, rasteriser);
}

}  // namespace fsc
