// The four sizing rules of thumbnails and shrunk copies: LimitSize, StretchSize,
// HardLimitSize and FitSize. Pure arithmetic; the caller resizes to the result.
#pragma once

namespace fsc {

struct TSize {
    int Width = 0;
    int Height = 0;

    bool operator==(const TSize&) const = default;
};

// Shrinks into the box, never enlarges. A box side of 0 or less means no limit on that side.
// Integer truncation may give a side of 0 for a very thin picture (100 x 1 in 10 x 10 is 10 x 0).
TSize LimitSize(int width, int height, int boxWidth, int boxHeight);
// The box itself; the aspect ratio is not kept.
TSize StretchSize(int width, int height, int boxWidth, int boxHeight);
// Covers the box keeping the aspect ratio; the caller cuts the resized picture to the box.
TSize HardLimitSize(int width, int height, int boxWidth, int boxHeight);
// Like LimitSize, but pictures that are not very elongated are made smaller, so that
// thumbnails of different shapes cover similar areas.
TSize FitSize(int width, int height, int boxWidth, int boxHeight);

// Each raises EFSC_Exception "Size was 0 at <mode>. Image Size:WxH Target Size:BWxBH" when
// the picture has no pixels or (except for LimitSize) the box has a side of 0 or less.

}  // namespace fsc
