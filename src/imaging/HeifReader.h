// Decodes HEIF files (HEIC from phones, and AVIF, both read by libheif).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "imaging/PictureLimits.h"
#include "imaging/TBitmap.h"

namespace fsc {

// The primary picture, turned and mirrored as the file's own transformations say; the EXIF
// orientation is not applied, since the HEIF rules make those transformations the only
// authority and phones record the turn in both. Transparent parts are laid over white. A
// picture in other colours than sRGB's, by ICC profile or by code points, comes out in sRGB.
TBitmap DecodeHeif(std::string_view bytes, std::uint64_t maxPixels = MaxPicturePixels);

// The decoded primary picture's bytes as the file's boxes say, read without the coded
// picture data; 0 when they cannot be read.
std::uint64_t HeifFilePictureBytes(const std::string& fileName);

// The primary picture's EXIF block as a JPEG's APP1 payload; empty when it has none.
std::string HeifExifPayload(std::string_view bytes);

}  // namespace fsc
