// JPEG encoding through libjpeg with the error manager that jumps back instead of exiting.
#include "imaging/JpegWriter.h"

#include <jerror.h>
#include <jpeglib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/Errors.h"
#include "base/Files.h"
#include "imaging/JpegErrorManager.h"

namespace fsc {

namespace {

// Our own growing memory destination: libjpeg's jpeg_mem_dest reallocates behind the
// caller's back and leaks its buffer when an error jumps out mid-way; here the caller
// always knows the current buffer and frees it on both paths.
struct MemoryDestination {
    jpeg_destination_mgr Pub;  // first member: libjpeg only sees this part
    unsigned char* Buffer;
    std::size_t Capacity;
    std::size_t Size;
};

constexpr std::size_t InitialCapacity = 64 * 1024;

extern "C" void InitDestination(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<MemoryDestination*>(cinfo->dest);
    dest->Buffer = static_cast<unsigned char*>(std::malloc(InitialCapacity));
    if (dest->Buffer == nullptr) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
    dest->Capacity = InitialCapacity;
    dest->Pub.next_output_byte = dest->Buffer;
    dest->Pub.free_in_buffer = dest->Capacity;
}

extern "C" boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<MemoryDestination*>(cinfo->dest);
    const std::size_t oldCapacity = dest->Capacity;
    auto* grown = static_cast<unsigned char*>(std::realloc(dest->Buffer, oldCapacity * 2));
    if (grown == nullptr) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 1);
    dest->Buffer = grown;
    dest->Capacity = oldCapacity * 2;
    // libjpeg calls this only when the whole buffer is full.
    dest->Pub.next_output_byte = dest->Buffer + oldCapacity;
    dest->Pub.free_in_buffer = dest->Capacity - oldCapacity;
    return TRUE;
}

extern "C" void TermDestination(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<MemoryDestination*>(cinfo->dest);
    dest->Size = dest->Capacity - dest->Pub.free_in_buffer;
}

struct EncodeRequest {
    const std::uint8_t* Pixels;
    int Width;
    int Height;
    std::size_t Stride;
    int Quality;
    bool Progressive;
    const std::uint8_t* App1;
    unsigned App1Size;
};

// Only plain libjpeg calls after setjmp: a longjmp must not skip any C++ destructor.
bool CompressC(jpeg_compress_struct* cinfo, JpegErrorManager* err, MemoryDestination* dest,
               const EncodeRequest* request) {
    if (setjmp(err->JumpBack)) return false;
    jpeg_create_compress(cinfo);
    dest->Pub.init_destination = InitDestination;
    dest->Pub.empty_output_buffer = EmptyOutputBuffer;
    dest->Pub.term_destination = TermDestination;
    cinfo->dest = &dest->Pub;
    cinfo->image_width = JDIMENSION(request->Width);
    cinfo->image_height = JDIMENSION(request->Height);
    cinfo->input_components = 3;
    cinfo->in_color_space = JCS_RGB;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, request->Quality, TRUE);
    if (request->Progressive) jpeg_simple_progression(cinfo);
    jpeg_start_compress(cinfo, TRUE);
    if (request->App1Size > 0)
        jpeg_write_marker(cinfo, JPEG_APP0 + 1, request->App1, request->App1Size);
    while (cinfo->next_scanline < cinfo->image_height) {
        // libjpeg takes non-const rows but only reads them.
        JSAMPROW row = const_cast<JSAMPROW>(request->Pixels +
                                            std::size_t(cinfo->next_scanline) * request->Stride);
        jpeg_write_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_compress(cinfo);
    return true;
}

// Frees libjpeg's state and the output buffer on every way out.
struct CompressGuard {
    jpeg_compress_struct* Cinfo;
    MemoryDestination* Dest;
    ~CompressGuard() {
        jpeg_destroy_compress(Cinfo);
        std::free(Dest->Buffer);
    }
};

}  // namespace

std::string EncodeJpeg(const TBitmap& picture, int quality, bool progressive,
                       std::string_view app1Payload) {
    // A marker's length field counts itself; a longer block cannot be written.
    if (app1Payload.size() > MaxMarkerPayload) app1Payload = {};
    if (picture.Empty() || picture.Pixels.size() < picture.Stride() * std::size_t(picture.Height)) {
        throw EFSC_Exception("Cannot write a picture without pixels as JPEG.");
    }
    // Zeroed, so that destroying works even when creation itself failed.
    jpeg_compress_struct cinfo;
    std::memset(&cinfo, 0, sizeof cinfo);
    JpegErrorManager err;
    cinfo.err = InitJpegErrorManager(err);
    MemoryDestination dest;
    std::memset(&dest, 0, sizeof dest);
    const EncodeRequest request{picture.Pixels.data(),
                                picture.Width,
                                picture.Height,
                                picture.Stride(),
                                quality,
                                progressive,
                                reinterpret_cast<const std::uint8_t*>(app1Payload.data()),
                                unsigned(app1Payload.size())};

    CompressGuard guard{&cinfo, &dest};
    if (!CompressC(&cinfo, &err, &dest, &request)) {
        throw EFSC_Exception("JPEG compression failed: " + JpegErrorText(err));
    }
    return std::string(reinterpret_cast<const char*>(dest.Buffer), dest.Size);
}

void SaveJpeg(const TBitmap& picture, const std::string& path, int quality, bool progressive) {
    WriteFileBytes(path, EncodeJpeg(picture, quality, progressive));
}

}  // namespace fsc
