// Writing a picture as AVIF through libavif, for the smallest copies a browser can take; the
// AV1 encoder is far slower than JPEG's.
#pragma once

#include <string>

#include "imaging/TBitmap.h"

namespace fsc {

// The AVIF bytes of the picture (8-bit 4:2:0, one thread, a middle encoder speed), with a
// quality 0..100 on the JPEG scale turned into AV1's quantizer. Raises EFSC_Exception for a
// picture without pixels or when libavif fails, with libavif's reason.
std::string EncodeAvif(const TBitmap& picture, int quality);

// The AV1 quantizer (0 best .. 63 worst) that gives about what a WebP of `quality` shows.
int AvifQuantizer(int quality);

}  // namespace fsc
