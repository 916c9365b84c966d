// The cut of the hard-limit mode: a picture sized to cover the box keeps its top-left part.
#pragma once

#include "imaging/TBitmap.h"

namespace fsc {

// The top-left boxWidth x boxHeight pixels; a side the picture does not reach stays as it is.
TBitmap CutToBox(const TBitmap& picture, int boxWidth, int boxHeight);

}  // namespace fsc
