// Collage placement arithmetic.
#include "engine/CollageGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace fsc {

int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

TCollagePlacer::TCollagePlacer(const std::string& type, int thumbWidth, int thumbHeight, int rows,
                               int cols, bool center, IRandom& random)
    : type(type),
      thumbWidth(thumbWidth),
      thumbHeight(thumbHeight),
      rows(rows),
      cols(cols),
      center(center),
      random(random) {}

void TCollagePlacer::PlaceInTable() {
    x = thumbWidth * col;
    y = thumbHeight * row;
    if (++col == cols) {
        ++row;
        col = 0;
    }
}

void TCollagePlacer::PlaceAtRandom() {
    // IRandom gives 0 for an empty range, as a canvas of one column or row needs.
    x = random.Random(CanvasWidth() - thumbWidth);
    y = random.Random(CanvasHeight() - thumbHeight);
}

void TCollagePlacer::PlaceOnRing(double angle, double radius) {
    x = RoundHalfEven((CanvasWidth() - thumbWidth) * (std::sin(angle) * radius + 0.5));
    y = RoundHalfEven((CanvasHeight() - thumbHeight) * (std::cos(angle) * radius + 0.5));
}

void TCollagePlacer::PlaceInCircle(int index, int lastImage) {
    const double pi = std::numbers::pi;
    const int r = placedInCircle++;
    const int n = std::min(rows * cols, (lastImage - index) + r);
    if (r == 0) {
        x = RoundHalfEven((CanvasWidth() - thumbWidth) * 0.5);
        y = RoundHalfEven((CanvasHeight() - thumbHeight) * 0.5);
    } else if (CanvasWidth() - 6 * thumbWidth <= 0 || CanvasHeight() - 6 * thumbHeight <= 0) {
        PlaceOnRing(r * 2 * pi / n, 0.5);
    } else if (r < n / 4) {
        const int m = std::max(1, std::min(rows * cols - 2, lastImage - 3 - index + r));
        PlaceOnRing(r * 8 * pi / m, 0.25);
    } else {
        PlaceOnRing(r * (8 * pi / 3) / n, 0.5);
    }
}

TCollagePlacement TCollagePlacer::Place(int index, int lastImage, int width, int height) {
    if (type == "TABLE") {
        PlaceInTable();
    } else if (type == "RANDOM") {
        PlaceAtRandom();
    } else if (type == "CIRCLE") {
        PlaceInCircle(index, lastImage);
    }
    TCollagePlacement placement{x, y, std::min(width, thumbWidth), std::min(height, thumbHeight)};
    if (center && (type == "TABLE" || type == "CIRCLE")) {
        placement.X += (thumbWidth - width) / 2;
        placement.Y += (thumbHeight - height) / 2;
    }
    right = std::max(right, placement.Right());
    bottom = std::max(bottom, placement.Bottom());
    return placement;
}

}  // namespace fsc
