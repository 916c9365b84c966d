// The tiny stand-in picture of the directory-tree galleries: the cover of a subfolder gallery
// whose first thumbnail cannot be found. Earlier versions gave it to every folder without
// pictures of its own, so its name stays one of the tool's own.
#pragma once

#include <string>

#include "app/TreeToolFiles.h"

namespace fsc {

inline constexpr int PlaceholderSide = 5;

// The bytes of a white 5 x 5 pixel, 24-bit Windows bitmap.
std::string PlaceholderPictureBytes();

}  // namespace fsc
