// The largest picture a reader accepts, checked right after a header and before any allocation.
#include "imaging/PictureLimits.h"

#include <string>

#include "base/Errors.h"

namespace fsc {

void CheckPictureSize(const char* format, std::int64_t width, std::int64_t height,
                      std::uint64_t maxPixels) {
    const std::string size = std::to_string(width) + " x " + std::to_string(height);
    if (width <= 0 || height <= 0)
        throw EFSC_Exception(std::string(format) + " image has an invalid size of " + size +
                             " pixels");
    // Both sides fit in 31 bits here only if the product check below passes,
    // so test each side first to keep the product inside 64 bits.
    if (width > 0x7FFFFFFF || height > 0x7FFFFFFF ||
        std::uint64_t(width) * std::uint64_t(height) > maxPixels)
        throw EFSC_Exception(std::string(format) + " image is too large (" + size + " pixels)");
}

TMemoryBudget::TShare ReservePicture(std::int64_t width, std::int64_t height, std::uint64_t extra) {
    return SharedPictureMemory().Take(std::size_t(width) * std::size_t(height) * 3 +
                                      std::size_t(extra));
}

}  // namespace fsc
