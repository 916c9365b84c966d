// Decodes TIFF files from cameras and scanners with libtiff.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "imaging/PictureLimits.h"
#include "imaging/TBitmap.h"

namespace fsc {

// The first page only, in any colour model and compression libtiff reads (grey, palette, RGB,
// CMYK, YCbCr, 16-bit), turned upright as its orientation tag says; transparent parts are
// laid over white. A picture with an ICC profile other than sRGB comes out in sRGB.
TBitmap DecodeTiff(std::string_view bytes, std::uint64_t maxPixels = MaxPicturePixels);

// The decoded picture's bytes as the first page's tags say, read from the file's header and
// first directory only; 0 when they cannot be read.
std::uint64_t TiffFilePictureBytes(const std::string& fileName);

}  // namespace fsc
