// The EXIF data of a file laid out as TIFF: TIFF itself and the camera raw formats built on
// it (.cr2 .nef .arw .dng). There the photo's tags share the first directory with the tags
// that lay out the file's own pixels, which a copy must not inherit.
#pragma once

#include <string>
#include <string_view>

namespace fsc {

// The photo's EXIF data as a JPEG's APP1 segment holds it ("Exif\0\0" and a TIFF block):
// what describes the photo (camera, dates, exposure, position, orientation, author) without
// the layout, colour profile, raw-processing tags or further pictures of the file. A maker
// note that would not fit into one segment is left out. Empty when the file holds nothing
// of the kind or cannot be read.
std::string TiffExifPayload(std::string_view file);

}  // namespace fsc
