// Decodes JPEG files with libjpeg-turbo into upright 24-bit pictures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "imaging/PictureLimits.h"
#include "imaging/TBitmap.h"

namespace fsc {

// Grey, RGB, YCbCr, CMYK and YCCK sources all become RGB. A picture whose EXIF
// orientation tag says it was stored sideways or mirrored is turned upright, so
// its width and height are those a viewer shows. A picture with an ICC profile other than
// sRGB comes out in sRGB. A truncated or corrupt file throws EFSC_Exception instead of giving
// a partly grey picture.
TBitmap DecodeJpeg(std::string_view bytes, std::uint64_t maxPixels = MaxPicturePixels);

// The same picture decoded at the smallest of 1/8, 1/4, 1/2 or the whole size that is still at
// least minWidth x minHeight upright, for a caller that shrinks it further anyway.
TBitmap DecodeJpegAtLeast(std::string_view bytes, int minWidth, int minHeight,
                          std::uint64_t maxPixels = MaxPicturePixels);

// What the header tells, without decoding the picture.
struct TJpegInfo {
    // Upright, as DecodeJpeg returns it.
    int Width = 0;
    int Height = 0;
    // What a progressive decode holds in memory besides the picture (every coefficient of the
    // whole picture, at any scale); 0 for a baseline file.
    std::size_t CoefficientBytes = 0;
};
TJpegInfo ReadJpegInfo(std::string_view bytes);

// The same from a file that is read as the decoder goes, so that it never sits in memory
// whole. A missing file or a folder raises EFSC_Exception "Unable to open file".
TBitmap DecodeJpegFileAtLeast(const std::string& fileName, int minWidth, int minHeight,
                              std::uint64_t maxPixels = MaxPicturePixels);
TJpegInfo ReadJpegFileInfo(const std::string& fileName);

}  // namespace fsc
