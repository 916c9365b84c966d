// Bounds-checked reading of little- and big-endian numbers from a file held in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/Errors.h"

namespace fsc {

// Every read past the end throws "<format> file is truncated", so a decoder
// needs no length checks of its own to stay inside the buffer.
class ByteCursor {
public:
    ByteCursor(std::string_view bytes, const char* format) : bytes(bytes), format(format) {}

    std::size_t Size() const { return bytes.size(); }
    std::size_t Position() const { return position; }
    std::size_t Remaining() const { return bytes.size() - position; }
    bool AtEnd() const { return position >= bytes.size(); }

    void Seek(std::size_t offset) {
        if (offset > bytes.size()) Truncated();
        position = offset;
    }
    void Skip(std::size_t count) { Bytes(count); }

    // A pointer to count bytes at the cursor, which then moves past them.
    const std::uint8_t* Bytes(std::size_t count) {
        if (count > bytes.size() - position) Truncated();
        const auto* at = reinterpret_cast<const std::uint8_t*>(bytes.data()) + position;
        position += count;
        return at;
    }

    std::uint8_t U8() { return *Bytes(1); }
    std::uint16_t U16LE() {
        const std::uint8_t* p = Bytes(2);
        return std::uint16_t(p[0] | p[1] << 8);
    }
    std::uint32_t U32LE() {
        const std::uint8_t* p = Bytes(4);
        return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
               std::uint32_t(p[3]) << 24;
    }

    [[noreturn]] void Truncated() const {
        throw EFSC_Exception(std::string(format) + " file is truncated");
    }
    [[noreturn]] void Corrupt(const std::string& what) const {
        throw EFSC_Exception(std::string(format) + " file is corrupt: " + what);
    }

private:
    std::string_view bytes;
    const char* format;
    std::size_t position = 0;
};

}  // namespace fsc
