// Sizing rules of thumbnails and shrunk copies, with the exact integer arithmetic of the
// gallery: every division truncates and products are formed before dividing.
#include "imaging/ImageFitting.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "base/Errors.h"

namespace fsc {

namespace {

[[noreturn]] void RaiseSizeError(const char* mode, int width, int height, int boxWidth,
                                 int boxHeight) {
    throw EFSC_Exception("Size was 0 at " + std::string(mode) +
                         ". Image Size:" + std::to_string(width) + "x" + std::to_string(height) +
                         " Target Size:" + std::to_string(boxWidth) + "x" +
                         std::to_string(boxHeight));
}

void CheckAllPositive(const char* mode, int width, int height, int boxWidth, int boxHeight) {
    if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0) {
        RaiseSizeError(mode, width, height, boxWidth, boxHeight);
    }
}

// a * b div c without overflow for any int sides (a 65000-pixel picture times a large box).
int MulDiv(int a, int b, int c) { return int(std::int64_t(a) * b / c); }

}  // namespace

TSize LimitSize(int width, int height, int boxWidth, int boxHeight) {
    if (width <= 0 || height <= 0) RaiseSizeError("limit", width, height, boxWidth, boxHeight);
    TSize size{width, height};
    if (boxWidth > 0 && boxWidth < size.Width) {
        size.Height = MulDiv(size.Height, boxWidth, size.Width);
        size.Width = boxWidth;
    }
    // The first step may have truncated the height to 0; then there is nothing to shrink and
    // the division below must not run.
    if (boxHeight > 0 && size.Height > boxHeight) {
        size.Width = MulDiv(size.Width, boxHeight, size.Height);
        size.Height = boxHeight;
    }
    return size;
}

TSize StretchSize(int width, int height, int boxWidth, int boxHeight) {
    CheckAllPositive("stretch", width, height, boxWidth, boxHeight);
    return {boxWidth, boxHeight};
}

TSize HardLimitSize(int width, int height, int boxWidth, int boxHeight) {
    CheckAllPositive("hardlimit", width, height, boxWidth, boxHeight);
    TSize size = LimitSize(width, height, boxWidth, boxHeight);
    // The limit step truncates a very thin picture to a side of 0, which would divide by zero
    // below; the resize makes such a side 1 anyway, so the box is covered from there.
    size.Width = std::max(size.Width, 1);
    size.Height = std::max(size.Height, 1);
    if (boxWidth > size.Width) {
        size.Height = MulDiv(size.Height, boxWidth, size.Width);
        size.Width = boxWidth;
    }
    if (size.Height < boxHeight) {
        size.Width = MulDiv(size.Width, boxHeight, size.Height);
        size.Height = boxHeight;
    }
    return size;
}

TSize FitSize(int width, int height, int boxWidth, int boxHeight) {
    CheckAllPositive("fit", width, height, boxWidth, boxHeight);
    TSize size = LimitSize(width, height, boxWidth, boxHeight);
    const double longSide = std::max(size.Width, size.Height);
    const double ratio = double(size.Width) * double(size.Height) / (longSide * longSide);
    if (ratio > 0.5) {
        const double factor = 1.0 - std::sqrt(ratio * 0.25);
        // nearbyint in the default rounding mode sends halves to the even neighbour.
        size.Height = int(std::nearbyint(factor * size.Height));
        size.Width = int(std::nearbyint(factor * size.Width));
    }
    return size;
}

}  // namespace fsc
