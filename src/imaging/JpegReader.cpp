// Decodes JPEG files with libjpeg-turbo into upright 24-bit pictures.
#include "imaging/JpegReader.h"

#include <jerror.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/Errors.h"
#include "imaging/ColourProfile.h"
#include "imaging/ExifOrientation.h"
#include "imaging/JpegErrorManager.h"

namespace fsc {

namespace {

// The decoder and its error manager live and die together; libjpeg keeps a
// pointer to the manager for the decoder's whole life.
struct JpegDecoder {
    JpegErrorManager Errors;
    jpeg_decompress_struct Info;
    JpegDecoder() {
        std::memset(&Info, 0, sizeof Info);
        Info.err = InitJpegErrorManager(Errors);
        Errors.StopOnDataLoss = true;
    }
    ~JpegDecoder() { jpeg_destroy_decompress(&Info); }
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;
};

// The C-style halves: only plain libjpeg calls after setjmp, so a longjmp
// skips no destructor. Each returns false when libjpeg gave up.
// Reads from `file` when given, else from memory.
bool ReadHeaderC(JpegDecoder* d, const unsigned char* data, unsigned long size, FILE* file) {
    if (setjmp(d->Errors.JumpBack)) return false;
    jpeg_create_decompress(&d->Info);
    if (file != NULL) {
        jpeg_stdio_src(&d->Info, file);
    } else {
        jpeg_mem_src(&d->Info, data, size);
    }
    jpeg_save_markers(&d->Info, JPEG_APP0 + 1, 0xFFFF);
    jpeg_save_markers(&d->Info, JPEG_APP0 + 2, 0xFFFF);
    jpeg_read_header(&d->Info, TRUE);
    const J_COLOR_SPACE in = d->Info.jpeg_color_space;
    d->Info.out_color_space = (in == JCS_CMYK || in == JCS_YCCK) ? JCS_CMYK : JCS_RGB;
    return true;
}

// libjpeg-turbo decodes 1/2, 1/4 and 1/8 of the size almost for the price of the Huffman
// decoding alone, since the inverse DCT then makes fewer pixels.
bool ScaleOutputC(JpegDecoder* d, unsigned denominator) {
    if (setjmp(d->Errors.JumpBack)) return false;
    d->Info.scale_num = 1;
    d->Info.scale_denom = denominator;
    jpeg_calc_output_dimensions(&d->Info);
    return true;
}

// Adobe writes CMYK inverted (0 = full ink) and says so with its marker; other
// writers store plain ink amounts. Either way red = (1 - C)(1 - K), and so on.
void CmykRowToRgb(const JSAMPLE* cmyk, unsigned char* rgb, unsigned width, int inverted) {
    for (unsigned x = 0; x < width; x++, cmyk += 4, rgb += 3) {
        unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
        rgb[0] = (unsigned char)((c * k + 127) / 255);
        rgb[1] = (unsigned char)((m * k + 127) / 255);
        rgb[2] = (unsigned char)((y * k + 127) / 255);
    }
}

bool DecodeRowsC(JpegDecoder* d, unsigned char* pixels, size_t stride, JSAMPLE* cmykRow) {
    if (setjmp(d->Errors.JumpBack)) return false;
    jpeg_start_decompress(&d->Info);
    while (d->Info.output_scanline < d->Info.output_height) {
        unsigned char* row = pixels + stride * d->Info.output_scanline;
        JSAMPROW target = cmykRow != NULL ? cmykRow : row;
        if (jpeg_read_scanlines(&d->Info, &target, 1) != 1) return false;
        if (cmykRow != NULL)
            CmykRowToRgb(cmykRow, row, d->Info.output_width, d->Info.saw_Adobe_marker);
    }
    jpeg_finish_decompress(&d->Info);
    return true;
}

// The ICC profile of the APP2 markers, joined in their order; empty when there is none or
// its pieces do not fit together.
bool ReadIccProfileC(JpegDecoder* d, JOCTET** profile, unsigned int* size) {
    if (setjmp(d->Errors.JumpBack)) return false;
    return jpeg_read_icc_profile(&d->Info, profile, size) != 0;
}

std::string IccProfileOf(JpegDecoder& d) {
    JOCTET* data = nullptr;
    unsigned int size = 0;
    if (!ReadIccProfileC(&d, &data, &size) || data == nullptr) return {};
    std::string profile(reinterpret_cast<const char*>(data), size);
    std::free(data);
    return profile;
}

[[noreturn]] void ThrowJpegError(const JpegDecoder& d) {
    switch (d.Errors.ErrorCode) {
        case JWRN_HUFF_BAD_CODE:
            throw EFSC_Exception("Invalid Huffman code");
        case JWRN_JPEG_EOF:
        case JWRN_HIT_MARKER:
            throw EFSC_Exception("JPEG file is truncated");
        case JERR_INPUT_EMPTY:
            throw EFSC_Exception("JPEG file is empty");
        default:
            throw EFSC_Exception("Invalid JPEG file: " + JpegErrorText(d.Errors));
    }
}

int OrientationOf(const jpeg_decompress_struct& info) {
    for (jpeg_saved_marker_ptr m = info.marker_list; m != nullptr; m = m->next) {
        if (m->marker == JPEG_APP0 + 1 && m->data_length >= 6 &&
            std::memcmp(m->data, "Exif\0\0", 6) == 0)
            return ExifOrientation(m->data, m->data_length);
    }
    return 1;
}

bool Sideways(int orientation) { return orientation >= 5 && orientation <= 8; }

unsigned ScaledSide(unsigned side, unsigned denominator) {
    return (side + denominator - 1) / denominator;
}

// The smallest of 1/8, 1/4, 1/2 and 1 whose upright size is still at least the minimum.
unsigned ScaleDenominator(unsigned storedWidth, unsigned storedHeight, int orientation,
                          int minWidth, int minHeight) {
    const unsigned width = Sideways(orientation) ? storedHeight : storedWidth;
    const unsigned height = Sideways(orientation) ? storedWidth : storedHeight;
    for (unsigned denominator : {8u, 4u, 2u}) {
        if (ScaledSide(width, denominator) >= unsigned(std::max(minWidth, 1)) &&
            ScaledSide(height, denominator) >= unsigned(std::max(minHeight, 1)))
            return denominator;
    }
    return 1;
}

// Where the JPEG comes from: bytes in memory, or a file read as the decoder goes, so that a
// large file never sits in memory whole.
struct TJpegSource {
    std::string_view Bytes;
    std::unique_ptr<FILE, int (*)(FILE*)> File{nullptr, &std::fclose};
};

TJpegSource FileSource(const std::string& fileName) {
    std::error_code error;
    // A directory opens as a stream on Linux but is no picture.
    if (!std::filesystem::is_regular_file(fileName, error))
        throw EFSC_Exception("Unable to open file");
    TJpegSource source;
    source.File.reset(std::fopen(fileName.c_str(), "rb"));
    if (!source.File) throw EFSC_Exception("Unable to open file");
    return source;
}

std::unique_ptr<JpegDecoder> OpenDecoder(const TJpegSource& source) {
    auto decoder = std::make_unique<JpegDecoder>();
    const auto* data = reinterpret_cast<const unsigned char*>(source.Bytes.data());
    if (!source.File && source.Bytes.empty()) throw EFSC_Exception("JPEG file is empty");
    if (!ReadHeaderC(decoder.get(), data, source.Bytes.size(), source.File.get()))
        ThrowJpegError(*decoder);
    return decoder;
}

TBitmap Decode(const TJpegSource& source, std::uint64_t maxPixels, int minWidth, int minHeight) {
    std::unique_ptr<JpegDecoder> decoder = OpenDecoder(source);
    const jpeg_decompress_struct& info = decoder->Info;
    // The whole picture's size counts: a progressive decode keeps all of it, whatever the scale.
    CheckPictureSize("JPEG", info.image_width, info.image_height, maxPixels);
    // Saved markers live in memory that finishing the decode releases.
    const int orientation = OrientationOf(info);
    const std::string iccProfile = IccProfileOf(*decoder);
    const unsigned denominator = minWidth < 0
                                     ? 1
                                     : ScaleDenominator(info.image_width, info.image_height,
                                                        orientation, minWidth, minHeight);
    if (!ScaleOutputC(decoder.get(), denominator)) ThrowJpegError(*decoder);

    TBitmap stored(int(info.output_width), int(info.output_height));
    std::vector<JSAMPLE> cmykRow;
    if (info.out_color_space == JCS_CMYK) cmykRow.resize(std::size_t(info.output_width) * 4);
    if (!DecodeRowsC(decoder.get(), stored.Pixels.data(), stored.Stride(),
                     cmykRow.empty() ? nullptr : cmykRow.data()))
        ThrowJpegError(*decoder);
    ConvertToSrgb(stored, iccProfile);
    if (orientation == 1) return stored;
    return OrientUpright(stored, orientation);
}

TJpegInfo Info(const TJpegSource& source) {
    std::unique_ptr<JpegDecoder> decoder = OpenDecoder(source);
    const jpeg_decompress_struct& info = decoder->Info;
    TJpegInfo result;
    const int orientation = OrientationOf(info);
    result.Width = int(Sideways(orientation) ? info.image_height : info.image_width);
    result.Height = int(Sideways(orientation) ? info.image_width : info.image_height);
    if (info.progressive_mode) {
        for (int c = 0; c < info.num_components; ++c) {
            const jpeg_component_info& component = info.comp_info[c];
            result.CoefficientBytes += std::size_t(component.width_in_blocks) *
                                       std::size_t(component.height_in_blocks) * DCTSIZE2 *
                                       sizeof(JCOEF);
        }
    }
    return result;
}

TJpegSource MemorySource(std::string_view bytes) {
    TJpegSource source;
    source.Bytes = bytes;
    return source;
}

}  // namespace

TBitmap DecodeJpeg(std::string_view bytes, std::uint64_t maxPixels) {
    return Decode(MemorySource(bytes), maxPixels, -1, -1);
}

TBitmap DecodeJpegAtLeast(std::string_view bytes, int minWidth, int minHeight,
                          std::uint64_t maxPixels) {
    return Decode(MemorySource(bytes), maxPixels, minWidth, minHeight);
}

TBitmap DecodeJpegFileAtLeast(const std::string& fileName, int minWidth, int minHeight,
                              std::uint64_t maxPixels) {
    return Decode(FileSource(fileName), maxPixels, minWidth, minHeight);
}

TJpegInfo ReadJpegInfo(std::string_view bytes) { return Info(MemorySource(bytes)); }

TJpegInfo ReadJpegFileInfo(const std::string& fileName) { return Info(FileSource(fileName)); }

}  // namespace fsc
