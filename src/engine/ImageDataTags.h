// The tags that put one image's data into a thumbnail cell or an image page.
#pragma once

#include <string>

#include "engine/TThumbnail.h"

namespace fsc {

enum class TTagPlace { Cell, ImagePage };

// Replaces the image data tags for the image at 0-based list position `number`, in their
// fixed order; after the free fields come the photo's own data ("<!-DATETAKEN->",
// "<!-CAMERA->", "<!-LENS->", "<!-EXPOSURE->", "<!-APERTURE->", "<!-ISO->",
// "<!-FOCALLENGTH->", "<!-GPS->"), each empty when the photo does not say. In a cell, URLs
// get the image directory prefix and "<!-IMAGEDIR->" is filled.
std::string ApplyImageDataTags(std::string text, const TThumbnail& thumb, int number,
                               const std::string& imageDir, TTagPlace place);

// "K.d": whole kilobytes and tenths, counted in units of 1028 and 103 bytes.
std::string SizeKBText(int fileSize);

}  // namespace fsc
