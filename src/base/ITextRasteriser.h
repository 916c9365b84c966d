// Text measurement and drawing for the watermark's text picture.
// Drawing is not antialiased: every pixel it touches gets exactly the font colour.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fsc {

struct TFontSpec {
    std::string Name = "MS Sans Serif";
    int Size = 8;  // points
    std::uint8_t Red = 0, Green = 0, Blue = 0;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;

    bool operator==(const TFontSpec&) const = default;
};

// A 24-bit picture to draw into: rows of Width * 3 bytes (red, green, blue), top row first.
struct TRgbCanvas {
    std::uint8_t* Pixels = nullptr;
    int Width = 0;
    int Height = 0;
    std::size_t Stride = 0;
};

class ITextRasteriser {
public:
    virtual ~ITextRasteriser() = default;
    virtual int TextWidth(const TFontSpec& font, const std::string& text) = 0;
    virtual int TextHeight(const TFontSpec& font, const std::string& text) = 0;
    // Draws one line with its top-left corner at (x, y), clipped to the canvas.
    virtual void DrawText(const TFontSpec& font, const std::string& text, int x, int y,
                          TRgbCanvas& canvas) = 0;
};

}  // namespace fsc
