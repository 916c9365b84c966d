// Reads the first picture of a GIF file and writes pictures as GIF, through giflib.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "imaging/PictureLimits.h"
#include "imaging/TBitmap.h"

namespace fsc::gif {

// The first frame on a canvas of the file's screen size; pixels it leaves
// uncovered and transparent ones are white. Throws EFSC_Exception for a
// damaged file.
TBitmap DecodeGif(std::string_view bytes, std::uint64_t maxPixels = MaxPicturePixels);
TBitmap DecodeGifFile(std::string_view bytes);

// One frame, reduced to at most 256 colours by giflib's median cut.
std::string EncodeGif(const TBitmap& picture);

}  // namespace fsc::gif
