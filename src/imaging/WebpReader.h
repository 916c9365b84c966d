// Decodes WebP files (lossy, lossless, with or without alpha) with libwebp.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "imaging/PictureLimits.h"
#include "imaging/TBitmap.h"

namespace fsc {

// The first frame of an animation; transparent parts are laid over white, as PNG's are. A
// picture whose EXIF chunk records a sideways or mirrored orientation is turned upright, and
// one with an ICC profile other than sRGB comes out in sRGB.
TBitmap DecodeWebp(std::string_view bytes, std::uint64_t maxPixels = MaxPicturePixels);

// The decoded picture's bytes as the file's header says, read from its first bytes only; 0
// when they do not say.
std::uint64_t WebpFilePictureBytes(const std::string& fileName);

// The file's EXIF chunk as a JPEG's APP1 payload; empty when it has none.
std::string WebpExifPayload(std::string_view bytes);

}  // namespace fsc
