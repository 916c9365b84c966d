// Decodes JPEG files with libjpeg-turbo into upright 24-bit pictures.
#include "imaging/JpegReader.h"

#include <jerror.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/Errors.h"
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
bool ReadHeaderC(JpegDecoder* d, const unsigned char* data, unsigned long size) {
    if (setjmp(d->Errors.JumpBack)) return false;
    jpeg_create_decompress(&d->Info);
    jpeg_mem_src(&d->Info, data, size);
    jpeg_save_markers(&d->Info, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&d->Info, TRUE);
    const J_COLOR_SPACE in = d->Info.jpeg_color_space;
    d->Info.out_color_space = (in == JCS_CMYK || in == JCS_YCCK) ? JCS_CMYK : JCS_RGB;
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

}  // namespace

TBitmap DecodeJpeg(std::string_view bytes, std::uint64_t maxPixels) {
    auto decoder = std::make_unique<JpegDecoder>();
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    if (bytes.empty()) throw EFSC_Exception("JPEG file is empty");
    if (!ReadHeaderC(decoder.get(), data, bytes.size())) ThrowJpegError(*decoder);
    const jpeg_decompress_struct& info = decoder->Info;
    CheckPictureSize("JPEG", info.output_width, info.output_height, maxPixels);
    // Saved markers live in memory that finishing the decode releases.
    const int orientation = OrientationOf(info);

    TBitmap stored(int(info.output_width), int(info.output_height));
    std::vector<JSAMPLE> cmykRow;
    if (info.out_color_space == JCS_CMYK) cmykRow.resize(std::size_t(info.output_width) * 4);
    if (!DecodeRowsC(decoder.get(), stored.Pixels.data(), stored.Stride(),
                     cmykRow.empty() ? nullptr : cmykRow.data()))
        ThrowJpegError(*decoder);
    if (orientation == 1) return stored;
    return OrientUpright(stored, orientation);
}

}  // namespace fsc
