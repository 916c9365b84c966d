// Decodes JPEG files with libjpeg-turbo into upright 24-bit pictures.
#pragma once

#include <cstdint>
#include <string_view>

#include "imaging/PictureLimits.h"
#include "imaging/TBitmap.h"

namespace fsc {

// Grey, RGB, YCbCr, CMYK and YCCK sources all become RGB. A picture whose EXIF
// orientation tag says it was stored sideways or mirrored is turned upright, so
// its width and height are those a viewer shows. A truncated or corrupt file
// throws EFSC_Exception instead of giving a partly grey picture.
TBitmap DecodeJpeg(std::string_view bytes, std::uint64_t maxPixels = MaxPicturePixels);

}  // namespace fsc
