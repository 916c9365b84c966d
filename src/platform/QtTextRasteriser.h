// The watermark's text measurement and drawing with Qt fonts, without antialiasing.
#pragma once

#include "base/ITextRasteriser.h"

class QFont;

namespace fsc {

// Needs a QGuiApplication for its fonts; when the program has none (the command line), the
// first text it measures or draws creates one on Qt's offscreen platform, so no display is
// ever needed, and a build without a watermark never loads the fonts.
// Font sizes are points at 96 dots per inch, as the stored watermark fonts assume. A font
// name that is not installed falls back to the system's default sans font.
class QtTextRasteriser final : public ITextRasteriser {
public:
    int TextWidth(const TFontSpec& font, const std::string& text) override;
    int TextHeight(const TFontSpec& font, const std::string& text) override;
    // Every pixel drawn gets exactly the font colour; the others are left untouched.
    void DrawText(const TFontSpec& font, const std::string& text, int x, int y,
                  TRgbCanvas& canvas) override;
};

// Creates the offscreen QGuiApplication unless an application exists; raises EFSC_Exception
// when a non-GUI application exists already. The command line's event loops need it too.
void EnsureGuiApplication();

}  // namespace fsc
