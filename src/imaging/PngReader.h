// Decodes PNG files with libpng into 24-bit pictures.
#pragma once

#include <cstdint>
#include <string_view>

#include "imaging/PictureLimits.h"
#include "imaging/TBitmap.h"

namespace fsc {

// Palette, grey, 16-bit and alpha inputs all become 8-bit RGB; transparent
// parts are laid over white, the usual page background of a gallery. A picture with an ICC
// profile (iCCP) other than sRGB comes out in sRGB.
TBitmap DecodePng(std::string_view bytes, std::uint64_t maxPixels = MaxPicturePixels);

}  // namespace fsc
