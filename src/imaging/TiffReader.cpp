// Decodes TIFF files with libtiff, read from memory.
#include "imaging/TiffReader.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/Errors.h"
#include "imaging/ColourProfile.h"
#include "imaging/ExifOrientation.h"

namespace fsc {

namespace {

// What libtiff reads from: the file's bytes and a position in them.
struct TMemoryFile {
    std::string_view Bytes;
    toff_t At = 0;
    // libtiff's first error, the one that says what is wrong.
    std::string Error;
};

tmsize_t ReadProc(thandle_t handle, void* buffer, tmsize_t size) {
    auto* file = static_cast<TMemoryFile*>(handle);
    if (size < 0 || file->At >= file->Bytes.size()) return 0;
    const std::size_t count =
        std::min<std::size_t>(std::size_t(size), file->Bytes.size() - file->At);
    std::memcpy(buffer, file->Bytes.data() + file->At, count);
    file->At += count;
    return tmsize_t(count);
}

tmsize_t WriteProc(thandle_t, void*, tmsize_t) { return -1; }

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
    auto* file = static_cast<TMemoryFile*>(handle);
    const toff_t base = whence == SEEK_CUR ? file->At : whence == SEEK_END ? file->Bytes.size() : 0;
    file->At = base + offset;
    return file->At;
}

int CloseProc(thandle_t) { return 0; }
toff_t SizeProc(thandle_t handle) { return static_cast<TMemoryFile*>(handle)->Bytes.size(); }
int MapProc(thandle_t, void**, toff_t*) { return 0; }
void UnmapProc(thandle_t, void*, toff_t) {}

// libtiff prints to stderr unless told otherwise; its message belongs in our exception.
int KeepError(TIFF*, void* user, const char*, const char* format, va_list args) {
    auto* file = static_cast<TMemoryFile*>(user);
    if (file->Error.empty()) {
        char text[256];
        std::vsnprintf(text, sizeof text, format, args);
        file->Error = text;
    }
    return 1;
}

int IgnoreWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

struct TiffClose {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};

struct OptionsFree {
    void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};

// Errors kept in `file`, warnings dropped, and a bound on what libtiff allocates at once.
std::unique_ptr<TIFFOpenOptions, OptionsFree> Options(TMemoryFile& file) {
    std::unique_ptr<TIFFOpenOptions, OptionsFree> options(TIFFOpenOptionsAlloc());
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), KeepError, &file);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), IgnoreWarning, &file);
    // A forged strip size must not make libtiff allocate without bound before we look.
    TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), tmsize_t(256) << 20);
    return options;
}

std::unique_ptr<TIFF, TiffClose> Open(TMemoryFile& file) {
    TIFF* tiff = TIFFClientOpenExt("picture", "rm", &file, ReadProc, WriteProc, SeekProc, CloseProc,
                                   SizeProc, MapProc, UnmapProc, Options(file).get());
    if (tiff == nullptr)
        throw EFSC_Exception("Invalid TIFF file" + (file.Error.empty() ? "" : ": " + file.Error));
    return std::unique_ptr<TIFF, TiffClose>(tiff);
}

// libtiff's reader only flips, never transposes, and reads every orientation as one whose
// first row is the top (1, 2, 5, 6) or the bottom (3, 4, 7, 8). Asked for that one it gives
// the rows as stored, which OrientUpright then turns like a JPEG's.
std::uint16_t StoredOrder(int orientation) {
    const bool topFirst =
        orientation == 1 || orientation == 2 || orientation == 5 || orientation == 6;
    return topFirst ? ORIENTATION_TOPLEFT : ORIENTATION_BOTLEFT;
}

void AbgrOverWhite(const std::vector<std::uint32_t>& raster, TBitmap& picture) {
    std::uint8_t* out = picture.Pixels.data();
    for (const std::uint32_t pixel : raster) {
        const unsigned alpha = TIFFGetA(pixel);
        const unsigned rgb[3] = {TIFFGetR(pixel), TIFFGetG(pixel), TIFFGetB(pixel)};
        for (int c = 0; c < 3; ++c, ++out)
            *out = std::uint8_t(alpha == 255 ? rgb[c]
                                             : (rgb[c] * alpha + 255 * (255 - alpha) + 127) / 255);
    }
}

std::string_view IccProfile(TIFF* tiff) {
    std::uint32_t size = 0;
    const void* data = nullptr;
    if (!TIFFGetField(tiff, TIFFTAG_ICCPROFILE, &size, &data) || data == nullptr) return {};
    return std::string_view(static_cast<const char*>(data), size);
}

}  // namespace

std::uint64_t TiffFilePictureBytes(const std::string& fileName) {
    TMemoryFile errors{{}, 0, {}};
    const std::unique_ptr<TIFF, TiffClose> tiff(
        TIFFOpenExt(fileName.c_str(), "rm", Options(errors).get()));
    if (!tiff) return 0;
    std::uint32_t width = 0, height = 0;
    TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height);
    return std::uint64_t(width) * height * 3;
}

TBitmap DecodeTiff(std::string_view bytes, std::uint64_t maxPixels) {
    TMemoryFile file{bytes, 0, {}};
    const auto tiff = Open(file);
    std::uint32_t width = 0, height = 0;
    TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height);
    CheckPictureSize("TIFF", width, height, maxPixels);
    std::uint16_t orientation = 1;
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_ORIENTATION, &orientation);
    if (orientation < 1 || orientation > 8) orientation = 1;
    // libtiff's raster of 32-bit pixels, and the turned copy.
    const std::uint64_t pixels = std::uint64_t(width) * height;
    const TMemoryBudget::TShare memory =
        ReservePicture(width, height, pixels * 4 + (orientation == 1 ? 0 : pixels * 3));
    char why[1024] = "";
    if (!TIFFRGBAImageOK(tiff.get(), why))
        throw EFSC_Exception(std::string("TIFF picture cannot be read: ") + why);
    std::vector<std::uint32_t> raster(pixels);
    if (!TIFFReadRGBAImageOriented(tiff.get(), width, height, raster.data(),
                                   StoredOrder(orientation), 1))
        throw EFSC_Exception("TIFF file is truncated or damaged" +
                             (file.Error.empty() ? "" : ": " + file.Error));
    TBitmap stored(static_cast<int>(width), static_cast<int>(height));
    AbgrOverWhite(raster, stored);
    ConvertToSrgb(stored, IccProfile(tiff.get()));
    return orientation == 1 ? stored : OrientUpright(stored, orientation);
}

}  // namespace fsc
