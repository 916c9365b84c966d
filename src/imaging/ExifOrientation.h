// The EXIF orientation tag of a JPEG and the turn that makes a picture stored that way upright.
#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/TBitmap.h"

namespace fsc {

// The orientation (1 to 8) from the payload of an APP1 "Exif" segment; 1 (as
// stored) when the tag is missing, out of range or the data cannot be parsed.
int ExifOrientation(const std::uint8_t* app1Payload, std::size_t size);

// Applies the EXIF orientation: 2 mirrors, 3 turns half round, 4 flips, 5
// transposes, 6 turns clockwise, 7 transverses, 8 turns anticlockwise.
TBitmap OrientUpright(const TBitmap& stored, int orientation);

}  // namespace fsc
