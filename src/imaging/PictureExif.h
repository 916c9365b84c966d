// The EXIF block of a picture file of any format that carries one, in the form a JPEG's APP1
// segment holds it, so that every format's block is read, rewritten and cleaned of the
// photo's position by the same code.
#pragma once

#include <string>
#include <string_view>

namespace fsc {

// "Exif\0\0" followed by the TIFF block; `block` may hold either that or the bare TIFF
// block, as WebP and HEIF writers differ. Empty for an empty block.
std::string ExifPayloadFromBlock(std::string_view block);

// The orientation (1 to 8) the payload records; 1 when it records none.
int PayloadOrientation(const std::string& payload);

// The EXIF payload of a JPEG, WebP, HEIF, AVIF, TIFF or camera raw file, as ReadExifPayload gives a
// JPEG's; empty for other formats, a file without a block or one that cannot be read.
std::string ReadPictureExif(const std::string& fileName);

}  // namespace fsc
