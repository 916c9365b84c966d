// The colour wizard's palette and code.
#include "templates/ColourWizard.h"

#include <cstdio>

namespace fsc {

TColour PaletteColour(int x, int y) {
    const int phase = y % 32;
    const int rising = phase < 16 ? phase : 31 - phase;
    TColour colour;
    colour.Red = static_cast<std::uint8_t>((y / 16) * 36 % 256);
    colour.Green = static_cast<std::uint8_t>(17 * rising);
    colour.Blue = static_cast<std::uint8_t>((2 * x) % 256);
    return colour;
}

TBitmap ColourWizardPalette() {
    TBitmap palette(ColourPaletteSize, ColourPaletteSize);
    for (int y = 0; y < palette.Height; ++y) {
        std::uint8_t* row = palette.Row(y);
        for (int x = 0; x < palette.Width; ++x) {
            const TColour colour = PaletteColour(x, y);
            row[3 * x] = colour.Red;
            row[3 * x + 1] = colour.Green;
            row[3 * x + 2] = colour.Blue;
        }
    }
    return palette;
}

std::string ColourWizardCode(const TColour& colour) {
    char code[16];
    std::snprintf(code, sizeof code, "\"#%02X%02X%02X\"", colour.Red, colour.Green, colour.Blue);
    return code;
}

}  // namespace fsc
