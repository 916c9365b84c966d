// WebP through libwebp's one-call encoder.
#include "imaging/WebpWriter.h"

#include <webp/encode.h>

#include <algorithm>
#include <memory>

#include "base/Errors.h"

namespace fsc {

std::string EncodeWebp(const TBitmap& picture, int quality) {
    if (picture.Empty())
        throw EFSC_Exception("A picture without pixels cannot be written as WebP.");
    if (picture.Width > WEBP_MAX_DIMENSION || picture.Height > WEBP_MAX_DIMENSION) {
        throw EFSC_Exception("A picture of " + std::to_string(picture.Width) + " x " +
                             std::to_string(picture.Height) +
                             " pixels is larger than WebP can hold.");
    }
    std::uint8_t* output = nullptr;
    const std::size_t size =
        WebPEncodeRGB(picture.Pixels.data(), picture.Width, picture.Height, int(picture.Stride()),
                      float(std::clamp(quality, 0, 100)), &output);
    const std::unique_ptr<std::uint8_t, decltype(&WebPFree)> owned(output, &WebPFree);
    if (size == 0) throw EFSC_Exception("libwebp could not encode the picture.");
    return std::string(reinterpret_cast<const char*>(output), size);
}

}  // namespace fsc
