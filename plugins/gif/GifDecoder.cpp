// Reads the first picture of a GIF file and writes pictures as GIF, through giflib.
#include "GifDecoder.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "base/Errors.h"

namespace fsc::gif {

namespace {

struct MemoryInput {
    std::string_view Bytes;
    std::size_t Position = 0;
};

extern "C" int ReadFromMemory(GifFileType* file, GifByteType* buffer, int length) {
    auto* input = static_cast<MemoryInput*>(file->UserData);
    const std::size_t count =
        std::min(std::size_t(std::max(length, 0)), input->Bytes.size() - input->Position);
    std::memcpy(buffer, input->Bytes.data() + input->Position, count);
    input->Position += count;
    return int(count);
}

extern "C" int AppendToString(GifFileType* file, const GifByteType* buffer, int length) {
    static_cast<std::string*>(file->UserData)
        ->append(reinterpret_cast<const char*>(buffer), std::size_t(length));
    return length;
}

struct DecoderClose {
    void operator()(GifFileType* file) const { DGifCloseFile(file, nullptr); }
};
struct EncoderClose {
    void operator()(GifFileType* file) const { EGifCloseFile(file, nullptr); }
};
struct MapFree {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using Decoder = std::unique_ptr<GifFileType, DecoderClose>;

[[noreturn]] void Fail(int code) {
    if (code == D_GIF_ERR_READ_FAILED || code == D_GIF_ERR_EOF_TOO_SOON)
        throw EFSC_Exception("GIF file is truncated");
    const char* text = GifErrorString(code);
    throw EFSC_Exception(std::string("Invalid GIF file: ") + (text ? text : "unknown error"));
}

void Check(GifFileType* file, int status) {
    if (status != GIF_OK) Fail(file->Error);
}

// Reads extensions up to the first image; remembers the transparent colour.
int TransparentIndexBeforeImage(GifFileType* file) {
    int transparent = NO_TRANSPARENT_COLOR;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        Check(file, DGifGetRecordType(file, &type));
        if (type == IMAGE_DESC_RECORD_TYPE) return transparent;
        if (type == TERMINATE_RECORD_TYPE)
            throw EFSC_Exception("Invalid GIF file: it holds no picture");
        if (type != EXTENSION_RECORD_TYPE) continue;
        int code = 0;
        GifByteType* block = nullptr;
        Check(file, DGifGetExtension(file, &code, &block));
        GraphicsControlBlock control;
        if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr &&
            DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
            transparent = control.TransparentColor;
        while (block != nullptr) Check(file, DGifGetExtensionNext(file, &block));
    }
}

// The rows of an interlaced image arrive in four passes.
std::vector<int> RowOrder(int height, bool interlaced) {
    std::vector<int> rows;
    if (!interlaced) {
        for (int y = 0; y < height; y++) rows.push_back(y);
        return rows;
    }
    const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; pass++)
        for (int y = start[pass]; y < height; y += step[pass]) rows.push_back(y);
    return rows;
}

void PaintFrame(GifFileType* file, int transparent, TBitmap& canvas, std::uint64_t maxPixels) {
    const GifImageDesc& frame = file->Image;
    CheckPictureSize("GIF", frame.Width, frame.Height, maxPixels);
    const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : file->SColorMap;
    std::vector<GifPixelType> line(std::size_t(frame.Width));
    for (int y : RowOrder(frame.Height, frame.Interlace)) {
        Check(file, DGifGetLine(file, line.data(), frame.Width));
        const int canvasY = frame.Top + y;
        if (canvasY < 0 || canvasY >= canvas.Height) continue;
        for (int x = 0; x < frame.Width; x++) {
            const int canvasX = frame.Left + x;
            if (canvasX < 0 || canvasX >= canvas.Width || line[std::size_t(x)] == transparent)
                continue;
            std::uint8_t* to = canvas.Row(canvasY) + std::size_t(canvasX) * 3;
            const int index = line[std::size_t(x)];
            // Without a colour table the indices are taken as grey levels.
            if (map == nullptr || index >= map->ColorCount) {
                to[0] = to[1] = to[2] = std::uint8_t(index);
            } else {
                to[0] = map->Colors[index].Red, to[1] = map->Colors[index].Green,
                to[2] = map->Colors[index].Blue;
            }
        }
    }
}

}  // namespace

TBitmap DecodeGif(std::string_view bytes, std::uint64_t maxPixels) {
    MemoryInput input{bytes};
    int error = 0;
    Decoder file(DGifOpen(&input, ReadFromMemory, &error));
    if (!file) Fail(error);
    const int transparent = TransparentIndexBeforeImage(file.get());
    Check(file.get(), DGifGetImageDesc(file.get()));
    // Some writers leave the screen size zero; the first frame then sets it.
    const int width = file->SWidth > 0 ? file->SWidth : file->Image.Width;
    const int height = file->SHeight > 0 ? file->SHeight : file->Image.Height;
    CheckPictureSize("GIF", width, height, maxPixels);
    TBitmap canvas(width, height);
    std::fill(canvas.Pixels.begin(), canvas.Pixels.end(), std::uint8_t(255));
    PaintFrame(file.get(), transparent, canvas, maxPixels);
    return canvas;
}

TBitmap DecodeGifFile(std::string_view bytes) { return DecodeGif(bytes, MaxPicturePixels); }

std::string EncodeGif(const TBitmap& picture) {
    if (picture.Empty() || picture.Width > 65535 || picture.Height > 65535)
        throw EFSC_Exception("A GIF holds pictures of 1 to 65535 pixels a side");
    const std::size_t count = std::size_t(picture.Width) * std::size_t(picture.Height);
    std::vector<GifByteType> red(count), green(count), blue(count), indices(count);
    for (std::size_t i = 0; i < count; i++)
        red[i] = picture.Pixels[i * 3], green[i] = picture.Pixels[i * 3 + 1],
        blue[i] = picture.Pixels[i * 3 + 2];
    int colours = 256;
    std::unique_ptr<ColorMapObject, MapFree> map(GifMakeMapObject(256, nullptr));
    if (!map ||
        GifQuantizeBuffer(unsigned(picture.Width), unsigned(picture.Height), &colours, red.data(),
                          green.data(), blue.data(), indices.data(), map->Colors) != GIF_OK)
        throw EFSC_Exception("Error encoding image");
    std::string out;
    int error = 0;
    std::unique_ptr<GifFileType, EncoderClose> file(EGifOpen(&out, AppendToString, &error));
    if (!file ||
        EGifPutScreenDesc(file.get(), picture.Width, picture.Height, 8, 0, map.get()) != GIF_OK ||
        EGifPutImageDesc(file.get(), 0, 0, picture.Width, picture.Height, false, nullptr) != GIF_OK)
        throw EFSC_Exception("Error encoding image");
    for (int y = 0; y < picture.Height; y++)
        if (EGifPutLine(file.get(), indices.data() + std::size_t(y) * std::size_t(picture.Width),
                        picture.Width) != GIF_OK)
            throw EFSC_Exception("Error encoding image");
    // Closing writes the trailer.
    if (EGifCloseFile(file.release(), &error) != GIF_OK)
        throw EFSC_Exception("Error encoding image");
    return out;
}

}  // namespace fsc::gif
