// The placeholder bitmap of the directory-tree galleries.
#include "tools/PlaceholderPicture.h"

#include <cstdint>

namespace fsc {

namespace {

void PutLittleEndian(std::string& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string PlaceholderPictureBytes() {
    // Rows of a BMP are padded to whole 32-bit words.
    constexpr std::uint32_t rowBytes = (PlaceholderSide * 3 + 3) / 4 * 4;
    constexpr std::uint32_t pixelBytes = rowBytes * PlaceholderSide;
    constexpr std::uint32_t headerBytes = 14 + 40;
    std::string bytes = "BM";
    PutLittleEndian(bytes, headerBytes + pixelBytes, 4);
    PutLittleEndian(bytes, 0, 4);  // reserved
    PutLittleEndian(bytes, headerBytes, 4);
    PutLittleEndian(bytes, 40, 4);  // BITMAPINFOHEADER
    PutLittleEndian(bytes, PlaceholderSide, 4);
    PutLittleEndian(bytes, PlaceholderSide, 4);
    PutLittleEndian(bytes, 1, 2);   // planes
    PutLittleEndian(bytes, 24, 2);  // bits per pixel
    PutLittleEndian(bytes, 0, 4);   // no compression
    PutLittleEndian(bytes, pixelBytes, 4);
    PutLittleEndian(bytes, 2835, 4);  // 72 dpi, in pixels per metre
    PutLittleEndian(bytes, 2835, 4);
    PutLittleEndian(bytes, 0, 4);
    PutLittleEndian(bytes, 0, 4);
    for (int row = 0; row < PlaceholderSide; ++row) {
        bytes.append(PlaceholderSide * 3, static_cast<char>(0xFF));
        bytes.append(rowBytes - PlaceholderSide * 3, '\0');
    }
    return bytes;
}

}  // namespace fsc
