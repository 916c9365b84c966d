// The picture the watermark editor stamps for its preview.
#pragma once

#include "imaging/TBitmap.h"

namespace fsc {

// 193 x 137 pixels; pixel (i, j) is red (i - j) mod 256, green (j - i) mod 256 and
// blue (i + j) mod 256, so both dark and light ground lie under every position.
TBitmap WatermarkTestPicture();

}  // namespace fsc
