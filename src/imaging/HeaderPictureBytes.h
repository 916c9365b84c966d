// What a picture file will take once decoded, told from its first bytes, so that its memory can
// be reserved before the reader that allocates it is even chosen.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace fsc {

// The 24-bit picture's bytes a PNG or BMP header announces; 0 for any other start, or a header
// too short to say.
std::uint64_t HeaderPictureBytes(std::string_view head);

// The same for a file's first bytes, or for the formats whose size lies deeper in the file
// (WebP, TIFF, HEIF, AVIF, camera raw previews) from their library's reading of the file
// without decoding it; 0 when the file cannot be read.
std::uint64_t HeaderPictureBytesOf(const std::string& fileName);

}  // namespace fsc
