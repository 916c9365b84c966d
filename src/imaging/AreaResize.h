// Scaling a picture by area averaging: every result pixel is the mean of the source area it
// covers, each source pixel weighted by how much of it falls inside. Thin lines and fine
// texture shrink smoothly instead of breaking into steps.
#pragma once

#include "imaging/TBitmap.h"

namespace fsc {

// Returns a new picture of exactly targetWidth x targetHeight (a side of 0 becomes 1). An
// enlargement spreads each source pixel over the result pixels it covers.
TBitmap AreaResize(const TBitmap& source, int targetWidth, int targetHeight);

// AreaResize followed by keeping the top-left boxWidth x boxHeight, without ever making the
// whole resized picture (the hard-limit size of a very thin picture can be enormous).
TBitmap AreaResizeAndCut(const TBitmap& source, int targetWidth, int targetHeight, int boxWidth,
                         int boxHeight);

// Both raise EFSC_Exception for a source without pixels, and for a result of more than a
// gigapixel.

}  // namespace fsc
