// The compression dialog's preview: the picture compressed, written to a file and read back
// from there, so the user sees exactly the bytes and the size a copy would get.
#pragma once

#include <cstdint>
#include <string>

#include "imaging/JpegQuality.h"
#include "imaging/TBitmap.h"

namespace fsc {

struct TJpegPreview {
    // The decoded file.
    TBitmap Picture;
    // Its size on disk in bytes.
    std::uint64_t FileSize = 0;
};

// Creates the folder of path when missing and replaces the file there. Raises
// EFSC_Exception naming the file when it cannot be written or read back, or when the
// encoder refuses the picture.
TJpegPreview CompressPreview(const TBitmap& picture, const TJpegSettings& settings,
                             const std::string& path);

}  // namespace fsc
