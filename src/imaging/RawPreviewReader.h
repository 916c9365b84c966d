// Reads a camera's raw file (.cr2 .nef .arw .dng) through the preview picture the camera
// embedded in it, with LibRaw; the raw sensor data itself is not developed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "imaging/PictureLimits.h"
#include "imaging/TBitmap.h"

namespace fsc {

// The largest embedded preview (a JPEG or plain RGB), turned upright as the raw file says.
// A raw file without a preview raises EFSC_Exception saying so.
TBitmap DecodeRawPreview(std::string_view bytes, std::uint64_t maxPixels = MaxPicturePixels);

// The decoded preview's bytes as the raw file says, read without the sensor data or the
// preview itself; 0 when it cannot be told.
std::uint64_t RawFilePreviewBytes(const std::string& fileName);

}  // namespace fsc
