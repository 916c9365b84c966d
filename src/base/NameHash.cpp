// FNV-1a: tiny, byte-order free and fixed, so a name shortened today is shortened the same
// way by the next build and its page and copy are found again.
#include "base/NameHash.h"

#include <cstdint>
#include <cstdio>

namespace fsc {

std::string NameHash(const std::string& text) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char byte : text) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 1099511628211ULL;
    }
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
    return digits;
}

}  // namespace fsc
