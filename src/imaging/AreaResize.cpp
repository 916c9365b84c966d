// Area averaging in two separable passes: each source row is reduced across once, and the
// reduced rows are summed down into each result row with their vertical weights.
#include "imaging/AreaResize.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/Errors.h"
#include "imaging/Resize.h"

namespace fsc {

namespace {

// For each kept result index: the first source index it covers and the weight of each source
// index from there on; the weights of one result index add up to 1.
struct TTaps {
    std::vector<int> First;
    std::vector<int> Count;
    std::vector<std::size_t> Offset;
    std::vector<float> Weights;
};

TTaps AreaTaps(int sourceSize, int targetSize, int keptSize) {
    const double scale = double(sourceSize) / double(targetSize);
    TTaps taps;
    for (int t = 0; t < keptSize; ++t) {
        const double start = t * scale, end = (t + 1) * scale;
        const int first = std::min(sourceSize - 1, int(std::floor(start)));
        const int last = std::clamp(int(std::ceil(end)) - 1, first, sourceSize - 1);
        taps.First.push_back(first);
        taps.Count.push_back(last - first + 1);
        taps.Offset.push_back(taps.Weights.size());
        for (int s = first; s <= last; ++s) {
            const double overlap = std::min(end, double(s + 1)) - std::max(start, double(s));
            taps.Weights.push_back(float(std::max(0.0, overlap) / scale));
        }
    }
    return taps;
}

void ReduceRow(const std::uint8_t* row, const TTaps& columns, std::vector<float>& out) {
    float* o = out.data();
    for (std::size_t x = 0; x < columns.First.size(); ++x, o += 3) {
        const std::uint8_t* p = row + std::size_t(columns.First[x]) * 3;
        const float* w = columns.Weights.data() + columns.Offset[x];
        float r = 0, g = 0, b = 0;
        for (int k = 0; k < columns.Count[x]; ++k, p += 3) {
            r += w[k] * p[0];
            g += w[k] * p[1];
            b += w[k] * p[2];
        }
        o[0] = r;
        o[1] = g;
        o[2] = b;
    }
}

std::uint8_t ToByte(float value) { return std::uint8_t(std::clamp(value + 0.5f, 0.0f, 255.0f)); }

}  // namespace

TBitmap AreaResizeAndCut(const TBitmap& source, int targetWidth, int targetHeight, int boxWidth,
                         int boxHeight) {
    const TResizeSizes sizes =
        CheckedResizeSizes(source, targetWidth, targetHeight, boxWidth, boxHeight);
    const int width = sizes.Width, height = sizes.Height;
    const int keptWidth = sizes.KeptWidth, keptHeight = sizes.KeptHeight;
    const TTaps columns = AreaTaps(source.Width, width, keptWidth);
    const TTaps rows = AreaTaps(source.Height, height, keptHeight);

    TBitmap result(keptWidth, keptHeight);
    const std::size_t rowValues = std::size_t(keptWidth) * 3;
    std::vector<float> sum(rowValues), reduced(rowValues);
    // Neighbouring result rows share their border source row; it is reduced once.
    int reducedIndex = -1;
    for (int y = 0; y < keptHeight; ++y) {
        std::fill(sum.begin(), sum.end(), 0.0f);
        const float* w = rows.Weights.data() + rows.Offset[std::size_t(y)];
        for (int k = 0; k < rows.Count[std::size_t(y)]; ++k) {
            const int sy = rows.First[std::size_t(y)] + k;
            if (sy != reducedIndex) {
                ReduceRow(source.Row(sy), columns, reduced);
                reducedIndex = sy;
            }
            for (std::size_t i = 0; i < rowValues; ++i) sum[i] += w[k] * reduced[i];
        }
        std::uint8_t* out = result.Row(y);
        for (std::size_t i = 0; i < rowValues; ++i) out[i] = ToByte(sum[i]);
    }
    return result;
}

TBitmap AreaResize(const TBitmap& source, int targetWidth, int targetHeight) {
    return AreaResizeAndCut(source, targetWidth, targetHeight, targetWidth, targetHeight);
}

}  // namespace fsc
