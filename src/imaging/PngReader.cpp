// Decodes PNG files with libpng into 24-bit pictures.
#include "imaging/PngReader.h"

#include <png.h>

#include <cstring>
#include <string>

#include "base/Errors.h"

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

    png.Image.format = PNG_FORMAT_RGB;
    // Without this libpng takes 16-bit samples as linear light and brightens them;
    // 16-bit files from cameras and editors hold gamma-encoded values like 8-bit ones.
    png.Image.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
    TBitmap picture(int(png.Image.width), int(png.Image.height));
    png_color white{255, 255, 255};
    if (!png_image_finish_read(&png.Image, &white, picture.Pixels.data(),
                               png_int_32(picture.Stride()), nullptr))
        ThrowPngError(png.Image);
    return picture;
}

}  // namespace fsc
