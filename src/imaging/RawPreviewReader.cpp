// Reads a camera's raw file through its embedded preview, with LibRaw.
#include "imaging/RawPreviewReader.h"

#include <libraw/libraw.h>

#include <cstring>
#include <memory>
#include <string>

#include "base/Errors.h"
#include "base/LazyLibrary.h"
#include "imaging/ExifOrientation.h"
#include "imaging/JpegReader.h"

namespace fsc {

namespace {

// LibRaw loads with the first camera RAW file.
#define FSC_RAW_FUNCTIONS(F)       \
    F(libraw_close)                \
    F(libraw_dcraw_clear_mem)      \
    F(libraw_dcraw_make_mem_thumb) \
    F(libraw_init)                 \
    F(libraw_open_buffer)          \
    F(libraw_open_file)            \
    F(libraw_strerror)             \
    F(libraw_unpack_thumb)

FSC_LAZY_FUNCTIONS(RawFunctions, Raw, FSC_RAW_FUNCTIONS, FSC_SONAME_RAW)

struct RawDelete {
    void operator()(libraw_data_t* raw) const { Raw().libraw_close(raw); }
    void operator()(libraw_processed_image_t* image) const { Raw().libraw_dcraw_clear_mem(image); }
};

// LibRaw's turn of the sensor picture as the EXIF orientation that makes it upright.
int OrientationOfFlip(int flip) {
    switch (flip) {
        case 3:
            return 3;
        case 5:
            return 8;
        case 6:
            return 6;
        default:
            return 1;
    }
}

TBitmap PlainRgb(const libraw_processed_image_t& image, std::uint64_t maxPixels) {
    CheckPictureSize("Raw preview", image.width, image.height, maxPixels);
    TBitmap picture(image.width, image.height);
    if (image.colors != 3 || image.bits != 8 || image.data_size < picture.Pixels.size())
        throw EFSC_Exception("The raw file's preview picture is in a form that cannot be read");
    std::memcpy(picture.Pixels.data(), image.data, picture.Pixels.size());
    return picture;
}

using TRaw = std::unique_ptr<libraw_data_t, RawDelete>;

// LibRaw only reads the buffer, whatever its signature says.
TRaw OpenRaw(std::string_view bytes) {
    TRaw raw(Raw().libraw_init(0));
    if (!raw) throw EFSC_Exception("Not enough memory to read the raw file");
    const int status =
        Raw().libraw_open_buffer(raw.get(), const_cast<char*>(bytes.data()), bytes.size());
    if (status != LIBRAW_SUCCESS)
        throw EFSC_Exception(std::string("Not a camera raw file LibRaw reads: ") +
                             Raw().libraw_strerror(status));
    return raw;
}

}  // namespace

std::uint64_t RawFilePreviewBytes(const std::string& fileName) {
    const TRaw raw(Raw().libraw_init(0));
    if (!raw || Raw().libraw_open_file(raw.get(), fileName.c_str()) != LIBRAW_SUCCESS) return 0;
    return std::uint64_t(raw->thumbnail.twidth) * raw->thumbnail.theight * 3;
}

TBitmap DecodeRawPreview(std::string_view bytes, std::uint64_t maxPixels) {
    const TRaw raw = OpenRaw(bytes);
    const libraw_thumbnail_t& thumbnail = raw->thumbnail;
    if (raw->thumbnail.tlength == 0 && thumbnail.twidth == 0)
        throw EFSC_Exception("The raw file holds no preview picture");
    CheckPictureSize("Raw preview", thumbnail.twidth, thumbnail.theight, maxPixels);
    // LibRaw's copy of the preview, its picture, and the turned copy of that.
    const TMemoryBudget::TShare memory =
        ReservePicture(thumbnail.twidth, thumbnail.theight,
                       std::uint64_t(thumbnail.twidth) * thumbnail.theight * 6 + thumbnail.tlength);
    const int status = Raw().libraw_unpack_thumb(raw.get());
    if (status != LIBRAW_SUCCESS)
        throw EFSC_Exception(std::string("The raw file's preview picture cannot be read: ") +
                             Raw().libraw_strerror(status));
    int error = 0;
    const std::unique_ptr<libraw_processed_image_t, RawDelete> image(
        Raw().libraw_dcraw_make_mem_thumb(raw.get(), &error));
    if (!image)
        throw EFSC_Exception(std::string("The raw file's preview picture cannot be read: ") +
                             Raw().libraw_strerror(error));
    // The preview is stored as the sensor lies; the raw file says how the camera was held.
    const TBitmap stored =
        image->type == LIBRAW_IMAGE_JPEG
            ? DecodeJpeg(
                  std::string_view(reinterpret_cast<const char*>(image->data), image->data_size),
                  maxPixels)
            : PlainRgb(*image, maxPixels);
    const int orientation = OrientationOfFlip(raw->sizes.flip);
    return orientation == 1 ? stored : OrientUpright(stored, orientation);
}

}  // namespace fsc
