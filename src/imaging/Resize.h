// Scaling a picture to an exact size: nearest sampling, with a small box smoothing in each
// direction that is reduced by more than a factor of two.
#pragma once

#include "imaging/TBitmap.h"

namespace fsc {

// Returns a new picture of exactly targetWidth x targetHeight. A target side of 0 (the limit
// rule truncates very thin pictures to it) becomes 1, since a picture without pixels cannot be
// written. The source is left unchanged.
TBitmap Resize(const TBitmap& source, int targetWidth, int targetHeight);

// The same bytes as Resize followed by CutToBox(boxWidth, boxHeight), without ever making the
// whole resized picture: the hard-limit size of a very thin picture can be enormous (a
// 4000 x 4 picture covering a 1000 x 1000 box is resized to 1000000 x 1000) while only the
// box is kept.
TBitmap ResizeAndCut(const TBitmap& source, int targetWidth, int targetHeight, int boxWidth,
                     int boxHeight);

// Both raise EFSC_Exception for a source without pixels, and for a result of more than a
// gigapixel, which no memory would hold.

// The sizes both resizes work with: the target (a side of 0 becomes 1) and the part of it
// kept. Raises the messages above for a source without pixels or a result beyond a gigapixel.
struct TResizeSizes {
    int Width = 1, Height = 1, KeptWidth = 1, KeptHeight = 1;
};
TResizeSizes CheckedResizeSizes(const TBitmap& source, int targetWidth, int targetHeight,
                                int boxWidth, int boxHeight);

// How a gallery shrinks its pictures: by area averaging (AreaResize), or by the sampling
// above, which older galleries were made with and may want to keep.
enum class TResizeMethod { Smooth, Classic };

TBitmap ResizeBy(TResizeMethod method, const TBitmap& source, int targetWidth, int targetHeight);
TBitmap ResizeAndCutBy(TResizeMethod method, const TBitmap& source, int targetWidth,
                       int targetHeight, int boxWidth, int boxHeight);

}  // namespace fsc
