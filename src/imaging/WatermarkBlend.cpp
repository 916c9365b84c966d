// The watermark blend. Brightnesses are pushed apart before blending, so that the text stays
// visibly lighter or darker than the ground beneath it.
#include "imaging/WatermarkBlend.h"

#include <algorithm>
#include <cmath>

namespace fsc {

namespace {

// Rounding to nearest with ties to even (the default floating-point mode), then at most 255
// and at least 1.5, which keeps the later division by B away from zero.
double RoundAndClamp(double value) { return std::max(1.5, std::min(255.0, std::nearbyint(value))); }

// The factor F for an image pixel of brightness a and a text pixel of brightness b, each
// already being the channel mean plus 2.
double BlendFactor(double a, double b, int transparency) {
    for (int round = 0; round < 20 && std::fabs(a - b) < 60.0; ++round) {
        const double k = std::fabs(b - a) > 6.0 ? 1.25 : 2.0;
        a = RoundAndClamp(b + k * (a - b));
        b = RoundAndClamp(a + k * (b - a));
    }
    return transparency * a / b + (256 - transparency);
}

std::uint8_t BlendChannel(std::uint8_t textChannel, double factor) {
    const int scaled = int(std::nearbyint(std::max<int>(textChannel, 3) * factor)) / 256;
    return std::uint8_t(std::clamp(scaled, 0, 255));
}

}  // namespace

void Blend(TBitmap& image, const TBitmap& textPicture, int x, int y, TRgb key, int transparency) {
    const int t = std::clamp(transparency, 0, 255);
    // Only the part of the text picture that lands inside the image.
    const int firstX = std::max(0, -x), lastX = std::min(textPicture.Width, image.Width - x);
    const int firstY = std::max(0, -y), lastY = std::min(textPicture.Height, image.Height - y);
    for (int ty = firstY; ty < lastY; ++ty) {
        const std::uint8_t* text = textPicture.Row(ty);
        std::uint8_t* target = image.Row(y + ty);
        for (int tx = firstX; tx < lastX; ++tx) {
            const std::uint8_t* tp = text + tx * 3;
            if (tp[0] == key.Red && tp[1] == key.Green && tp[2] == key.Blue) continue;
            std::uint8_t* ip = target + (x + tx) * 3;
            const double a = (ip[0] + ip[1] + ip[2]) / 3 + 2;
            const double b = (tp[0] + tp[1] + tp[2]) / 3 + 2;
            const double factor = BlendFactor(a, b, t);
            ip[0] = BlendChannel(tp[0], factor);
            ip[1] = BlendChannel(tp[1], factor);
            ip[2] = BlendChannel(tp[2], factor);
        }
    }
}

}  // namespace fsc
