// Writing a picture as JPEG through libjpeg, to memory or to a file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "imaging/TBitmap.h"

namespace fsc {

// The JPEG bytes of the picture. quality is libjpeg's 0..100 scale (values outside are
// clamped by libjpeg); progressive selects the multi-scan encoding, otherwise baseline.
// app1Payload, when given, is written as an APP1 segment (an EXIF block starting "Exif\0\0")
// right after the JFIF header; one longer than a segment can hold is left out.
// Raises EFSC_Exception for a picture without pixels or when libjpeg reports an error.
std::string EncodeJpeg(const TBitmap& picture, int quality, bool progressive,
                       std::string_view app1Payload = {});

// The most a JPEG segment can carry after its marker and length.
constexpr std::size_t MaxMarkerPayload = 65533;

// Encodes first and then writes under a temporary name that is renamed into place, so a
// failure leaves neither a half-written file nor a damaged older one.
void SaveJpeg(const TBitmap& picture, const std::string& path, int quality, bool progressive);

}  // namespace fsc
