// AVIF through libavif: RGB into a YUV image, one still picture out.
#include "imaging/AvifWriter.h"

#include <avif/avif.h>

#include <algorithm>
#include <memory>

#include "base/Errors.h"
#include "base/LazyLibrary.h"

namespace fsc {

namespace {

// libavif and its encoders load with the first AVIF copy.
#define FSC_AVIF_FUNCTIONS(F)  \
    F(avifEncoderCreate)       \
    F(avifEncoderDestroy)      \
    F(avifEncoderWrite)        \
    F(avifImageCreate)         \
    F(avifImageDestroy)        \
    F(avifImageRGBToYUV)       \
    F(avifRGBImageSetDefaults) \
    F(avifRWDataFree)          \
    F(avifResultToString)

FSC_LAZY_FUNCTIONS(AvifFunctions, Avif, FSC_AVIF_FUNCTIONS, FSC_SONAME_AVIF)

struct TImageDeleter {
    void operator()(avifImage* image) const { Avif().avifImageDestroy(image); }
};
struct TEncoderDeleter {
    void operator()(avifEncoder* encoder) const { Avif().avifEncoderDestroy(encoder); }
};
struct TOutput {
    avifRWData Data = AVIF_DATA_EMPTY;
    ~TOutput() { Avif().avifRWDataFree(&Data); }
};

void Check(avifResult result, const char* what) {
    if (result != AVIF_RESULT_OK) {
        throw EFSC_Exception(std::string("libavif could not ") + what + ": " +
                             Avif().avifResultToString(result));
    }
}

// The gallery is parallel across pictures already; the encoder gets one thread and a speed
// that keeps a photo to seconds, not minutes.
constexpr int EncoderSpeed = 8;

}  // namespace

int AvifQuantizer(int quality) {
    // Set so that a photograph's AVIF differs from the picture about as much (by PSNR) as its
    // WebP of the same quality does: JPEG 75 becomes 30, 83 becomes 20, 50 becomes 60.
    const int q = std::clamp(quality, 0, 100);
    return std::clamp((100 - q) * 6 / 5, AVIF_QUANTIZER_BEST_QUALITY, AVIF_QUANTIZER_WORST_QUALITY);
}

std::string EncodeAvif(const TBitmap& picture, int quality) {
    if (picture.Empty())
        throw EFSC_Exception("A picture without pixels cannot be written as AVIF.");
    const std::unique_ptr<avifImage, TImageDeleter> image(Avif().avifImageCreate(
        uint32_t(picture.Width), uint32_t(picture.Height), 8, AVIF_PIXEL_FORMAT_YUV420));
    if (!image) throw EFSC_Exception("libavif could not make a picture.");
    // Plain sRGB, as the JPEG copies are.
    image->colorPrimaries = AVIF_COLOR_PRIMARIES_BT709;
    image->transferCharacteristics = AVIF_TRANSFER_CHARACTERISTICS_SRGB;
    image->matrixCoefficients = AVIF_MATRIX_COEFFICIENTS_BT601;
    image->yuvRange = AVIF_RANGE_FULL;
    avifRGBImage rgb;
    Avif().avifRGBImageSetDefaults(&rgb, image.get());
    rgb.format = AVIF_RGB_FORMAT_RGB;
    rgb.depth = 8;
    rgb.pixels = const_cast<std::uint8_t*>(picture.Pixels.data());
    rgb.rowBytes = uint32_t(picture.Stride());
    Check(Avif().avifImageRGBToYUV(image.get(), &rgb), "convert the picture");

    const std::unique_ptr<avifEncoder, TEncoderDeleter> encoder(Avif().avifEncoderCreate());
    if (!encoder) throw EFSC_Exception("libavif could not make an encoder.");
    encoder->maxThreads = 1;
    encoder->speed = EncoderSpeed;
    encoder->minQuantizer = encoder->maxQuantizer = AvifQuantizer(quality);
    TOutput output;
    Check(Avif().avifEncoderWrite(encoder.get(), image.get(), &output.Data), "encode the picture");
    return std::string(reinterpret_cast<const char*>(output.Data.data), output.Data.size);
}

}  // namespace fsc
