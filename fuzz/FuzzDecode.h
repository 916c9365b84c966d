// Shared body of the fuzz targets: a decoder may refuse input with our error, nothing else.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/Errors.h"

namespace fsc::fuzz {

// Small enough that a forged header cannot push a run past libFuzzer's memory
// limit, large enough for every seed.
inline constexpr std::uint64_t MaxFuzzPixels = 4'000'000;

template <typename Decode>
int Run(const std::uint8_t* data, std::size_t size, Decode decode) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        decode(bytes);
    } catch (const EFscError&) {
        // A clear refusal is the wanted outcome for bad input.
    }
    // Any other exception escapes and libFuzzer reports it as a crash.
    return 0;
}

}  // namespace fsc::fuzz
