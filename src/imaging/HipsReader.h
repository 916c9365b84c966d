// Decodes HIPS image sequences (the original and the HIPS-2 header) into 24-bit pictures.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/PictureLimits.h"
#include "imaging/TBitmap.h"

namespace fsc {

// One frame is grey; three or more frames are taken as the red, green and
// blue planes, and a notice "The image contains N color planes, only 3 were
// loaded" is added when there are more than three. Pixel formats: unsigned and
// signed bytes, packed bits (either bit order), interleaved RGB and RGBZ
// bytes; others raise "Pixel format not supported yet".
TBitmap DecodeHips(std::string_view bytes, std::vector<std::string>* notices,
                   std::uint64_t maxPixels = MaxPicturePixels);

}  // namespace fsc
