// The largest picture a reader accepts, checked right after a header and before any allocation.
#pragma once

#include <cstdint>

#include "base/MemoryBudget.h"

namespace fsc {

// A gigapixel is 3 GB of 24-bit rows: far beyond any photograph, yet small
// enough that a forged header cannot make us allocate without bound.
inline constexpr std::uint64_t MaxPicturePixels = 1'000'000'000;

// Throws EFSC_Exception naming the format when a side is not positive or the
// picture has more than maxPixels pixels (the sum is done in 64 bits, so huge
// sides cannot overflow into a small product).
void CheckPictureSize(const char* format, std::int64_t width, std::int64_t height,
                      std::uint64_t maxPixels);

// The decoded picture's bytes, and `extra` bytes the reader holds beside them, taken from the
// shared picture budget before they are allocated, so that large pictures are read one at a
// time. Held until the returned share goes out of scope.
TMemoryBudget::TShare ReservePicture(std::int64_t width, std::int64_t height,
                                     std::uint64_t extra = 0);

}  // namespace fsc
