// Draws .wmf (libwmf) and .emf (libemf2svg, librsvg) metafiles at their own size.
#pragma once

#include <string>
#include <string_view>

#include "imaging/TBitmap.h"

namespace fsc {

// Enhanced metafile unless enhanced is false. The picture has the metafile's
// own size at 96 dots per inch, drawn at (0, 0) on white.
TBitmap LoadMetafile(const std::string& fileName, bool enhanced);

TBitmap DrawWmf(std::string_view bytes);
TBitmap DrawEmf(std::string_view bytes);

}  // namespace fsc
