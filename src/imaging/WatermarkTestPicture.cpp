// The watermark editor's preview picture.
#include "imaging/WatermarkTestPicture.h"

#include <cstdint>

namespace fsc {

TBitmap WatermarkTestPicture() {
    // The size of the editor's preview box; every pixel is set, so no ground fill is needed.
    TBitmap picture(193, 137);
    for (int j = 0; j < picture.Height; ++j) {
        std::uint8_t* row = picture.Row(j);
        for (int i = 0; i < picture.Width; ++i) {
            row[i * 3] = std::uint8_t((i - j + 256) % 256);
            row[i * 3 + 1] = std::uint8_t((j - i + 256) % 256);
            row[i * 3 + 2] = std::uint8_t((i + j) % 256);
        }
    }
    return picture;
}

}  // namespace fsc
