// The collage layout: the page's thumbnails painted onto one JPEG picture with an image
// map over it, so that each painted thumbnail links where its cell would.
#pragma once

#include <string>

#include "engine/TPageContext.h"
#include "imaging/TBitmap.h"

namespace fsc {

inline constexpr const char* CollageMapName = "LumettaRirevidedOzizidoMap";

// The background of an entry of the named-colour list: the six characters after its first
// "#" as red, green and blue pairs (0-9 and upper-case A-F count, anything else is 0);
// fewer than six characters give black.
TRgb CollageBackground(const std::string& colourEntry);

// The file name of page k's picture: the gallery file name with its separators turned
// into "_", the page number and ".jpg".
std::string CollagePictureName(const std::string& galleryFileName, int pageNumber);

// Paints images first..last of the page onto the picture, journals and writes it into the
// image directory (adding it to ExtraImages), and returns the map and img markup.
// Rewrites Link of each image as its thumbnail cell does. Raises the loader's error when a
// thumbnail cannot be read; the page's picture is then neither journalled nor written.
std::string CollageHTML(TPageContext& context, int pageNumber, int first, int last);

}  // namespace fsc
