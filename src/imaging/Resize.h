// Scaling a picture to an exact size: nearest sampling, with a small box smoothing in each
// direction that is reduced by more than a factor of two.
#pragma once

#include "imaging/TBitmap.h"

namespace fsc {

// Returns a new picture of exactly targetWidth x targetHeight. A target side of 0 (the limit
// rule truncates very thin pictures to it) becomes 1, since a picture without pixels cannot be
// written. The source is left unchanged. Raises EFSC_Exception for a source without pixels.
TBitmap Resize(const TBitmap& source, int targetWidth, int targetHeight);

}  // namespace fsc
