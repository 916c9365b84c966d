// Where the collage paints each thumbnail: TABLE, RANDOM and CIRCLE arrangements, the
// optional centring and the extents that decide where the picture is cut.
#pragma once

#include <string>

#include "base/IRandom.h"

namespace fsc {

struct TCollagePlacement {
    int X = 0;
    int Y = 0;
    // The painted part: at most one thumbnail box of the picture's top-left corner.
    int Width = 0;
    int Height = 0;
    int Right() const { return X + Width; }
    int Bottom() const { return Y + Height; }
};

// Rounds to the nearest integer, halves to the even neighbour.
int RoundHalfEven(double value);

// The state of one collage page: the circle counter, the table cell and the extents.
class TCollagePlacer {
public:
    TCollagePlacer(const std::string& type, int thumbWidth, int thumbHeight, int rows, int cols,
                   bool center, IRandom& random);

    int CanvasWidth() const { return thumbWidth * cols; }
    int CanvasHeight() const { return thumbHeight * rows; }

    // Places image `index` (picture size width x height); `lastImage` is the index of the
    // last image of the whole gallery, which the circle's ring sizes are counted from.
    TCollagePlacement Place(int index, int lastImage, int width, int height);

    // The right-most and bottom-most extents of everything placed so far.
    int Right() const { return right; }
    int Bottom() const { return bottom; }

private:
    void PlaceInTable();
    void PlaceAtRandom();
    void PlaceInCircle(int index, int lastImage);
    void PlaceOnRing(double angle, double radius);

    const std::string type;
    const int thumbWidth, thumbHeight, rows, cols;
    const bool center;
    IRandom& random;
    int placedInCircle = 0;
    int col = 0, row = 0;
    int x = 0, y = 0;
    int right = 0, bottom = 0;
};

}  // namespace fsc
