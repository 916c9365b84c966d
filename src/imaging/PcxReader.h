// Decodes ZSoft PCX files into 24-bit pictures.
#pragma once

#include <cstdint>
#include <string_view>

#include "imaging/PictureLimits.h"
#include "imaging/TBitmap.h"

namespace fsc {

// 1 bit (black and white), 1 bit in 4 planes and 4 bits (header palette),
// 8 bits (the 256-colour palette at the end, grey without one) and 24-bit
// colour in three planes; run-length encoded or plain.
TBitmap DecodePcx(std::string_view bytes, std::uint64_t maxPixels = MaxPicturePixels);

}  // namespace fsc
