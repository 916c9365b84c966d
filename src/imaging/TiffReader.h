// Decodes TIFF files from cameras and scanners with libtiff.
#pragma once

#include <cstdint>
#include <string_view>

#include "imaging/PictureLimits.h"
#include "imaging/TBitmap.h"

namespace fsc {

// The first page only, in any colour model and compression libtiff reads (grey, palette, RGB,
// CMYK, YCbCr, 16-bit), turned upright as its orientation tag says; transparent parts are
// laid over white. A picture with an ICC profile other than sRGB comes out in sRGB.
TBitmap DecodeTiff(std::string_view bytes, std::uint64_t maxPixels = MaxPicturePixels);

}  // namespace fsc
