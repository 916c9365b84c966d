// The gallery's resize. Smoothing is described as an in-place pass over the whole source
// (each pixel averaged with its two still unchanged right, then lower, neighbours); since
// only the sampled pixels are ever read, each of them is computed directly from its 3 x 3
// neighbourhood of the untouched source, which gives the same bytes without touching the
// other pixels or changing the caller's picture.
#include "imaging/Resize.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "base/Errors.h"
#include "imaging/AreaResize.h"
#include "imaging/PictureLimits.h"

namespace fsc {

namespace {

using Byte = std::uint8_t;

// Source index of the first `count` target indices: min(last, round(i * ratio)), halves to
// even.
std::vector<int> SampleIndices(int count, int sourceCount, double ratio) {
    std::vector<int> indices(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double position = std::nearbyint(double(i) * ratio);
        indices[std::size_t(i)] = int(std::min(double(sourceCount - 1), position));
    }
    return indices;
}

struct TColumns {
    std::vector<std::size_t> Offsets;  // byte offset of the sampled source pixel
    int SmoothedCount = 0;             // the first SmoothedCount columns have two right neighbours
    bool Identity = false;             // every column samples itself: rows can be copied whole
};

// The first `count` columns of a target row targetWidth pixels wide.
TColumns SampleColumns(int count, int targetWidth, int sourceWidth) {
    const double ratio = double(sourceWidth) / double(targetWidth);
    // Exactly 2 is not smoothed: only reductions by more than half.
    const bool smooth = ratio > 2.0;
    TColumns columns;
    for (int x : SampleIndices(count, sourceWidth, ratio)) {
        columns.Offsets.push_back(std::size_t(x) * 3);
        // Indices never decrease, so the smoothed columns form a prefix.
        if (smooth && x <= sourceWidth - 3) ++columns.SmoothedCount;
    }
    columns.Identity = targetWidth == sourceWidth;
    return columns;
}

void SampleRow(const Byte* row, const TColumns& columns, Byte* out) {
    if (columns.Identity) {
        std::memcpy(out, row, columns.Offsets.size() * 3);
        return;
    }
    const std::size_t* offsets = columns.Offsets.data();
    const std::size_t count = columns.Offsets.size();
    const std::size_t smoothed = std::size_t(columns.SmoothedCount);
    for (std::size_t x = 0; x < smoothed; ++x, out += 3) {
        const Byte* p = row + offsets[x];
        out[0] = Byte((p[0] + p[3] + p[6]) / 3);
        out[1] = Byte((p[1] + p[4] + p[7]) / 3);
        out[2] = Byte((p[2] + p[5] + p[8]) / 3);
    }
    for (std::size_t x = smoothed; x < count; ++x, out += 3) {
        const Byte* p = row + offsets[x];
        out[0] = p[0];
        out[1] = p[1];
        out[2] = p[2];
    }
}

// Row r0 averaged with the two rows below it, each of them first smoothed horizontally
// where the column allows it; the divisions truncate at each stage as the two passes do.
void SampleRowSmoothedDown(const Byte* r0, const Byte* r1, const Byte* r2, const TColumns& columns,
                           Byte* out) {
    const std::size_t* offsets = columns.Offsets.data();
    const std::size_t count = columns.Offsets.size();
    const std::size_t smoothed = std::size_t(columns.SmoothedCount);
    for (std::size_t x = 0; x < smoothed; ++x, out += 3) {
        const Byte* a = r0 + offsets[x];
        const Byte* b = r1 + offsets[x];
        const Byte* c = r2 + offsets[x];
        for (int ch = 0; ch < 3; ++ch) {
            const unsigned ha = (a[ch] + a[ch + 3] + a[ch + 6]) / 3u;
            const unsigned hb = (b[ch] + b[ch + 3] + b[ch + 6]) / 3u;
            const unsigned hc = (c[ch] + c[ch + 3] + c[ch + 6]) / 3u;
            out[ch] = Byte((ha + hb + hc) / 3u);
        }
    }
    for (std::size_t x = smoothed; x < count; ++x, out += 3) {
        const Byte* a = r0 + offsets[x];
        const Byte* b = r1 + offsets[x];
        const Byte* c = r2 + offsets[x];
        out[0] = Byte((a[0] + b[0] + c[0]) / 3u);
        out[1] = Byte((a[1] + b[1] + c[1]) / 3u);
        out[2] = Byte((a[2] + b[2] + c[2]) / 3u);
    }
}

}  // namespace

TResizeSizes CheckedResizeSizes(const TBitmap& source, int targetWidth, int targetHeight,
                                int boxWidth, int boxHeight) {
    if (source.Empty() || source.Pixels.size() < source.Stride() * std::size_t(source.Height)) {
        throw EFSC_Exception("Cannot resize a picture without pixels.");
    }
    TResizeSizes sizes;
    sizes.Width = std::max(1, targetWidth);
    sizes.Height = std::max(1, targetHeight);
    sizes.KeptWidth = std::clamp(boxWidth, 1, sizes.Width);
    sizes.KeptHeight = std::clamp(boxHeight, 1, sizes.Height);
    if (std::uint64_t(sizes.KeptWidth) * std::uint64_t(sizes.KeptHeight) > MaxPicturePixels) {
        throw EFSC_Exception("Cannot resize a picture to " + std::to_string(sizes.KeptWidth) + "x" +
                             std::to_string(sizes.KeptHeight) + " pixels.");
    }
    return sizes;
}

TBitmap ResizeAndCut(const TBitmap& source, int targetWidth, int targetHeight, int boxWidth,
                     int boxHeight) {
    const TResizeSizes sizes =
        CheckedResizeSizes(source, targetWidth, targetHeight, boxWidth, boxHeight);
    const int width = sizes.Width, height = sizes.Height;
    const int keptWidth = sizes.KeptWidth, keptHeight = sizes.KeptHeight;
    const double ratioY = double(source.Height) / double(height);
    const TColumns columns = SampleColumns(keptWidth, width, source.Width);
    const bool smoothDown = ratioY > 2.0;

    TBitmap result(keptWidth, keptHeight);
    const std::vector<int> rows = SampleIndices(keptHeight, source.Height, ratioY);
    for (int y = 0; y < keptHeight; ++y) {
        const int sy = rows[std::size_t(y)];
        if (smoothDown && sy <= source.Height - 3) {
            SampleRowSmoothedDown(source.Row(sy), source.Row(sy + 1), source.Row(sy + 2), columns,
                                  result.Row(y));
        } else {
            SampleRow(source.Row(sy), columns, result.Row(y));
        }
    }
    return result;
}

TBitmap Resize(const TBitmap& source, int targetWidth, int targetHeight) {
    return ResizeAndCut(source, targetWidth, targetHeight, targetWidth, targetHeight);
}

TBitmap ResizeBy(TResizeMethod method, const TBitmap& source, int targetWidth, int targetHeight) {
    return method == TResizeMethod::Classic ? Resize(source, targetWidth, targetHeight)
                                            : AreaResize(source, targetWidth, targetHeight);
}

TBitmap ResizeAndCutBy(TResizeMethod method, const TBitmap& source, int targetWidth,
                       int targetHeight, int boxWidth, int boxHeight) {
    return method == TResizeMethod::Classic
               ? ResizeAndCut(source, targetWidth, targetHeight, boxWidth, boxHeight)
               : AreaResizeAndCut(source, targetWidth, targetHeight, boxWidth, boxHeight);
}

}  // namespace fsc
