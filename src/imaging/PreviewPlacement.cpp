// The whole-picture placement of the compression dialog.
#include "imaging/PreviewPlacement.h"

#include <algorithm>
#include <cstdint>

namespace fsc {

namespace {

constexpr int FrameWidth = 2;
constexpr int FrameHeight = 25;
constexpr int TitleHeight = 20;

// a * b div c without overflow for large pictures.
int MulDiv(int a, int b, int c) { return int(std::int64_t(a) * b / c); }

}  // namespace

TPlacement FullImagePlacement(int width, int height, int boxWidth, int boxHeight) {
    if (width <= 0 || height <= 0) return {0, TitleHeight, 0, 0};
    const int roomWidth = std::max(1, boxWidth - FrameWidth);
    const int roomHeight = std::max(1, boxHeight - FrameHeight);
    int shownWidth = width;
    int shownHeight = height;
    if (roomWidth < shownWidth) {
        shownWidth = roomWidth;
        shownHeight = MulDiv(height, shownWidth, width);
    }
    // Checked again after the width step: a tall picture in a narrow box is still too high,
    // and "Display Full Image" must not cut off its bottom.
    if (shownHeight > roomHeight) {
        shownHeight = roomHeight;
        shownWidth = MulDiv(width, shownHeight, height);
    }
    shownWidth = std::max(1, shownWidth);
    shownHeight = std::max(1, shownHeight);
    return {(roomWidth - shownWidth) / 2, TitleHeight, shownWidth, shownHeight};
}

}  // namespace fsc
