// The "Watermark Editor": text, transparency, size rule, font and the nine positions.
#pragma once

#include "base/ITextRasteriser.h"
#include "base/TDateTime.h"
#include "base/TStringList.h"

namespace fsc {

inline constexpr int MinWatermarkTransparency = 0;
inline constexpr int MaxWatermarkTransparency = 255;

struct WatermarkOptions {
    // The editor's own box starts empty; the Special window's text reaches it later.
    TStringList Text;
    int Transparency = 120;
    // "adjust watermark size to image size"
    bool AdjustSize = true;
    TFontSpec Font;  // "MS Sans Serif", 8 points, black, no styles
    // Positions: left, center, right by top, middle, bottom.
    bool LT = false;
    bool LM = false;
    bool LB = true;
    bool CT = false;
    bool CM = false;
    bool CB = false;
    bool RT = false;
    bool RM = false;
    bool RB = false;
    // When the settings last changed in the editor; copies stamped earlier are redone.
    TDateTime Changed = 0;

    bool operator==(const WatermarkOptions&) const = default;
};

template <class Options, class Visitor>
void VisitWatermarkOptions(Options& options, Visitor&& visit) {
    visit("Text", options.Text);
    visit("Transparency", options.Transparency);
    visit("AdjustSize", options.AdjustSize);
    visit("FontName", options.Font.Name);
    visit("FontSize", options.Font.Size);
    visit("FontRed", options.Font.Red);
    visit("FontGreen", options.Font.Green);
    visit("FontBlue", options.Font.Blue);
    visit("FontBold", options.Font.Bold);
    visit("FontItalic", options.Font.Italic);
    visit("FontUnderline", options.Font.Underline);
    visit("FontStrikeOut", options.Font.StrikeOut);
    visit("LT", options.LT);
    visit("LM", options.LM);
    visit("LB", options.LB);
    visit("CT", options.CT);
    visit("CM", options.CM);
    visit("CB", options.CB);
    visit("RT", options.RT);
    visit("RM", options.RM);
    visit("RB", options.RB);
    visit("Changed", options.Changed);
}

}  // namespace fsc
