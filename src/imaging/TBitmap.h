// The picture every reader produces and every writer takes: 24-bit RGB rows, top row first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/ITextRasteriser.h"

namespace fsc {

// One pixel's colour.
struct TRgb {
    std::uint8_t Red = 0, Green = 0, Blue = 0;

    bool operator==(const TRgb&) const = default;
};

struct TBitmap {
    int Width = 0;
    int Height = 0;
    // Height rows of Width * 3 bytes (red, green, blue), no padding between rows.
    std::vector<std::uint8_t> Pixels;

    TBitmap() = default;
    TBitmap(int width, int height)
        : Width(width), Height(height), Pixels(std::size_t(width) * std::size_t(height) * 3) {}

    std::size_t Stride() const { return std::size_t(Width) * 3; }
    std::uint8_t* Row(int y) { return Pixels.data() + std::size_t(y) * Stride(); }
    const std::uint8_t* Row(int y) const { return Pixels.data() + std::size_t(y) * Stride(); }
    bool Empty() const { return Width <= 0 || Height <= 0; }

    // A view for the text rasteriser, which knows nothing of this type.
    TRgbCanvas Canvas() { return {Pixels.data(), Width, Height, Stride()}; }

    bool operator==(const TBitmap&) const = default;
};

}  // namespace fsc
