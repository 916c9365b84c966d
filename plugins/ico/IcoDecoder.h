// Reads and writes Windows icon files (.ico) for the icon plug-in.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "imaging/TBitmap.h"

namespace fsc::ico {

// The largest image of the icon (the deepest of equal sizes), from a DIB of
// 1, 4, 8, 24 or 32 bits or from an embedded PNG. Transparent pixels, by the
// AND mask or by alpha, are laid over white. Throws EFSC_Exception for a
// damaged or unsupported file.
TBitmap DecodeIco(std::string_view bytes);

// One 24-bit image with an all-opaque mask; icons are at most 256 pixels a side.
std::string EncodeIco(const TBitmap& picture);

}  // namespace fsc::ico
