// What a picture file will take once decoded, told from its first bytes.
#include "imaging/HeaderPictureBytes.h"

#include <cstdlib>
#include <cstring>
#include <fstream>

#include "base/Text.h"
#include "imaging/HeifReader.h"
#include "imaging/RawPreviewReader.h"
#include "imaging/TiffReader.h"
#include "imaging/WebpReader.h"

namespace fsc {

namespace {

std::uint64_t Byte(std::string_view head, std::size_t at) { return std::uint8_t(head[at]); }

std::uint64_t BigEndian32(std::string_view head, std::size_t at) {
    return Byte(head, at) << 24 | Byte(head, at + 1) << 16 | Byte(head, at + 2) << 8 |
           Byte(head, at + 3);
}

std::uint64_t LittleEndian16(std::string_view head, std::size_t at) {
    return Byte(head, at) | Byte(head, at + 1) << 8;
}

std::int32_t LittleEndian32(std::string_view head, std::size_t at) {
    return std::int32_t(
        std::uint32_t(LittleEndian16(head, at) | LittleEndian16(head, at + 2) << 16));
}

constexpr std::size_t HeadSize = 26;

// The readers that find a picture's size only with their library, by the extension that
// chooses them; each reads no more of the file than its headers.
using TSizeReader = std::uint64_t (*)(const std::string&);
TSizeReader LibrarySizeReader(const std::string& fileName) {
    const std::string upper = UpperCase(fileName);
    if (EndsWith(upper, ".WEBP")) return WebpFilePictureBytes;
    if (EndsWith(upper, ".TIF") || EndsWith(upper, ".TIFF")) return TiffFilePictureBytes;
    for (const char* extension : {".HEIC", ".HEIF", ".AVIF"})
        if (EndsWith(upper, extension)) return HeifFilePictureBytes;
    for (const char* extension : {".CR2", ".NEF", ".ARW", ".DNG"})
        if (EndsWith(upper, extension)) return RawFilePreviewBytes;
    return nullptr;
}

}  // namespace

std::uint64_t HeaderPictureBytes(std::string_view head) {
    if (head.size() < HeadSize) return 0;
    if (head.substr(1, 3) == "PNG" && head.substr(12, 4) == "IHDR")
        return BigEndian32(head, 16) * BigEndian32(head, 20) * 3;
    if (head.substr(0, 2) != "BM") return 0;
    // OS/2 1.x headers hold 16-bit sides, all later ones signed 32-bit sides.
    if (LittleEndian32(head, 14) == 12)
        return LittleEndian16(head, 18) * LittleEndian16(head, 20) * 3;
    return std::uint64_t(std::llabs(LittleEndian32(head, 18))) *
           std::uint64_t(std::llabs(LittleEndian32(head, 22))) * 3;
}

std::uint64_t HeaderPictureBytesOf(const std::string& fileName) {
    if (const TSizeReader sizeReader = LibrarySizeReader(fileName)) return sizeReader(fileName);
    std::ifstream file(fileName, std::ios::binary);
    char head[HeadSize];
    if (!file.read(head, HeadSize)) return 0;
    return HeaderPictureBytes(std::string_view(head, HeadSize));
}

}  // namespace fsc
