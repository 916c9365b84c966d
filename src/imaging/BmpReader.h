// Decodes Windows and OS/2 bitmap files into 24-bit pictures.
#pragma once

#include <cstdint>
#include <string_view>

#include "imaging/PictureLimits.h"
#include "imaging/TBitmap.h"

namespace fsc {

// 1, 4, 8, 16, 24 and 32 bits per pixel, bottom-up and top-down, RLE4 and
// RLE8, bit-field masks, and the headers of OS/2 1.x and Windows 3 to 5.
// Alpha is dropped, as a bitmap shows on a page without it.
TBitmap DecodeBmp(std::string_view bytes, std::uint64_t maxPixels = MaxPicturePixels);

}  // namespace fsc
