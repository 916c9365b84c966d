// Blending the watermark's text picture into an image with a contrast-seeking factor.
#pragma once

#include <cstdint>

#include "imaging/TBitmap.h"

namespace fsc {

// Blends textPicture into image with its top-left corner at (x, y). Text pixels equal to key
// are left out, and so are those falling outside the image, so a text picture larger than
// the image is clipped. transparency runs from 0 (the text in its own colour) to 255 (most of
// the image's brightness shows through); values outside are taken as the nearest end.
void Blend(TBitmap& image, const TBitmap& textPicture, int x, int y, TRgb key, int transparency);

}  // namespace fsc
