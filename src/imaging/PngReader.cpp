// Decodes PNG files with libpng into 24-bit pictures.
#include "imaging/PngReader.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "base/Errors.h"
#include "imaging/ColourProfile.h"

namespace fsc {

namespace {

// libpng's simplified reader keeps its own setjmp inside and reports failure
// by return value, so no longjmp ever crosses our frames.
struct PngImage {
    png_image Image;
    PngImage() {
        std::memset(&Image, 0, sizeof Image);
        Image.version = PNG_IMAGE_VERSION;
    }
    ~PngImage() { png_image_free(&Image); }
    PngImage(const PngImage&) = delete;
    PngImage& operator=(const PngImage&) = delete;
};

constexpr unsigned char PngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// libpng would only say "invalid IHDR"; the interlace byte sits at a fixed place.
void CheckInterlaceMethod(std::string_view bytes) {
    constexpr std::size_t InterlaceByte = 8 + 8 + 12;
    if (bytes.size() > InterlaceByte && std::memcmp(bytes.data() + 12, "IHDR", 4) == 0 &&
        std::uint8_t(bytes[InterlaceByte]) > 1)
        throw EFSC_Exception("Unsupported interlacing method");
}

std::uint32_t BigEndian32(std::string_view bytes, std::size_t at) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data()) + at;
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

// The bytes of all image data chunks, counting only what the file really holds of a cut one.
std::uint64_t ImageDataBytes(std::string_view bytes) {
    std::uint64_t total = 0;
    for (std::size_t at = sizeof PngSignature; at + 8 <= bytes.size();) {
        const std::uint64_t length = BigEndian32(bytes, at);
        const std::uint64_t present = std::min<std::uint64_t>(length, bytes.size() - at - 8);
        if (bytes.compare(at + 4, 4, "IDAT") == 0) total += present;
        if (present < length) break;
        at += 8 + length + 4;
    }
    return total;
}

// Deflate turns a byte into at most 1032 (two one-bit codes for a 258-byte match), so image data
// shorter than the rows' bytes over 1032 cannot hold the picture: refused before its memory is
// taken, however large the header says the picture is.
void CheckImageDataSize(std::string_view bytes, const png_image& image) {
    constexpr std::uint64_t DeflateMaxRatio = 1032;
    // The header's bit depth and colour type (read by libpng already, so they are present).
    const unsigned depth = std::uint8_t(bytes[24]), colourType = std::uint8_t(bytes[25]);
    const unsigned channels = colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1;
    const std::uint64_t rowBits = std::uint64_t(image.width) * channels * depth;
    const std::uint64_t needed = rowBits * image.height / 8;
    if (needed > (ImageDataBytes(bytes) + 1) * DeflateMaxRatio)
        throw EFSC_Exception("PNG file is truncated: " + std::to_string(image.width) + " x " +
                             std::to_string(image.height) +
                             " pixels need more image data than it holds");
}

// A profile is a few kilobytes; a forged chunk must not inflate into gigabytes.
constexpr std::size_t MaxProfileBytes = std::size_t(16) << 20;

std::string Inflate(std::string_view compressed) {
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) return {};
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
    stream.avail_in = uInt(compressed.size());
    std::string out;
    int status = Z_OK;
    while (status == Z_OK && out.size() < MaxProfileBytes) {
        char buffer[16384];
        stream.next_out = reinterpret_cast<Bytef*>(buffer);
        stream.avail_out = sizeof buffer;
        status = inflate(&stream, Z_NO_FLUSH);
        out.append(buffer, sizeof buffer - stream.avail_out);
    }
    inflateEnd(&stream);
    return status == Z_STREAM_END ? out : std::string();
}

// The iCCP chunk's profile: a name, a zero byte, the compression method 0, then zlib data.
std::string IccProfile(std::string_view bytes) {
    for (std::size_t at = sizeof PngSignature; at + 8 <= bytes.size();) {
        const std::uint64_t length = BigEndian32(bytes, at);
        if (length > bytes.size() - at - 8 || bytes.compare(at + 4, 4, "IDAT") == 0) break;
        if (bytes.compare(at + 4, 4, "iCCP") == 0) {
            const std::string_view chunk = bytes.substr(at + 8, length);
            const std::size_t nameEnd = chunk.find('\0');
            if (nameEnd == std::string_view::npos || nameEnd + 2 > chunk.size() ||
                chunk[nameEnd + 1] != 0)
                return {};
            return Inflate(chunk.substr(nameEnd + 2));
        }
        at += 8 + length + 4;
    }
    return {};
}

[[noreturn]] void ThrowPngError(const png_image& image) {
    const std::string message = image.message;
    if (message.find("end of data") != std::string::npos ||
        message.find("Not enough image data") != std::string::npos)
        throw EFSC_Exception("PNG file is truncated");
    throw EFSC_Exception("Invalid PNG file: " + message);
}

}  // namespace

TBitmap DecodePng(std::string_view bytes, std::uint64_t maxPixels) {
    if (bytes.size() < sizeof PngSignature ||
        std::memcmp(bytes.data(), PngSignature, sizeof PngSignature) != 0)
        throw EFSC_Exception("Not a PNG file");
    CheckInterlaceMethod(bytes);
    PngImage png;
    if (!png_image_begin_read_from_memory(&png.Image, bytes.data(), bytes.size()))
        ThrowPngError(png.Image);
    CheckPictureSize("PNG", png.Image.width, png.Image.height, maxPixels);
    CheckImageDataSize(bytes, png.Image);
    const TMemoryBudget::TShare memory = ReservePicture(png.Image.width, png.Image.height);

    png.Image.format = PNG_FORMAT_RGB;
    // Without this libpng takes 16-bit samples as linear light and brightens them;
    // 16-bit files from cameras and editors hold gamma-encoded values like 8-bit ones.
    png.Image.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
    TBitmap picture(int(png.Image.width), int(png.Image.height));
    png_color white{255, 255, 255};
    if (!png_image_finish_read(&png.Image, &white, picture.Pixels.data(),
                               png_int_32(picture.Stride()), nullptr))
        ThrowPngError(png.Image);
    ConvertToSrgb(picture, IccProfile(bytes));
    return picture;
}

}  // namespace fsc
