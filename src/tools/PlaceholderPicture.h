// The tiny stand-in picture of a folder that has no pictures of its own but links to
// galleries below it: a gallery needs at least one image to be built at all.
#pragma once

#include <string>

namespace fsc {

inline constexpr const char* PlaceholderPictureName = "fsc_bmp.bmp";
inline constexpr int PlaceholderSide = 5;

// The bytes of a white 5 x 5 pixel, 24-bit Windows bitmap.
std::string PlaceholderPictureBytes();

// Writes the placeholder into `folder` (replacing an older one) and returns its path.
std::string WritePlaceholderPicture(const std::string& folder);

}  // namespace fsc
