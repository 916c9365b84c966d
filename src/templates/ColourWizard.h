// The colour wizard: its palette picture and the HTML code of the chosen colour.
#pragma once

#include <string>

#include "imaging/TBitmap.h"
#include "templates/ColourWords.h"

namespace fsc {

inline constexpr int ColourPaletteSize = 127;

// Blue rises across, red steps every 16 rows, green rises and falls every 32 rows.
TColour PaletteColour(int x, int y);
TBitmap ColourWizardPalette();

// A double quote, "#", six upper-case hexadecimal digits and a double quote.
std::string ColourWizardCode(const TColour& colour);

}  // namespace fsc
