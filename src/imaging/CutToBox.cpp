// The cut of the hard-limit mode.
#include "imaging/CutToBox.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "base/Errors.h"

namespace fsc {

TBitmap CutToBox(const TBitmap& picture, int boxWidth, int boxHeight) {
    if (boxWidth <= 0 || boxHeight <= 0) {
        throw EFSC_Exception("Cannot cut a picture to a box of " + std::to_string(boxWidth) + "x" +
                             std::to_string(boxHeight) + ".");
    }
    TBitmap result(std::min(picture.Width, boxWidth), std::min(picture.Height, boxHeight));
    for (int y = 0; y < result.Height; ++y) {
        std::memcpy(result.Row(y), picture.Row(y), result.Stride());
    }
    return result;
}

}  // namespace fsc
