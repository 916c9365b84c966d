// Writing a picture as lossy WebP through libwebp, for the smaller copies that browsers
// prefer over the gallery's JPEG.
#pragma once

#include <string>

#include "imaging/TBitmap.h"

namespace fsc {

// The WebP bytes of the picture at quality 0..100 (clamped), on the same scale as the JPEG
// quality. Raises EFSC_Exception for a picture without pixels, one larger than WebP can hold
// (16383 pixels a side), or when libwebp fails.
std::string EncodeWebp(const TBitmap& picture, int quality);

}  // namespace fsc
