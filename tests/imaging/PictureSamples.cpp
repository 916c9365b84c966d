// Small picture files made byte by byte for the reader tests and the fuzz seed corpus.
#include "PictureSamples.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// jpeglib.h needs FILE and size_t declared before it.
#include <gif_lib.h>
#include <jpeglib.h>
#include <zlib.h>

namespace fsc::test {

namespace {

void Put16LE(Bytes& out, std::uint32_t v) { out += char(v & 0xFF), out += char(v >> 8 & 0xFF); }
void Put32LE(Bytes& out, std::uint32_t v) { Put16LE(out, v & 0xFFFF), Put16LE(out, v >> 16); }
void Put16BE(Bytes& out, std::uint32_t v) { out += char(v >> 8 & 0xFF), out += char(v & 0xFF); }
void Put32BE(Bytes& out, std::uint32_t v) { Put16BE(out, v >> 16), Put16BE(out, v & 0xFFFF); }

// Compresses rows handed over by the caller with libjpeg's own defaults.
Bytes Compress(int width, int height, int components, J_COLOR_SPACE in, J_COLOR_SPACE stored,
               const std::vector<std::uint8_t>& pixels, int quality = 95) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = components;
    info.in_color_space = in;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, stored);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels.data() +
                                            std::size_t(info.next_scanline) * width * components);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes out(reinterpret_cast<char*>(buffer), size);
    std::free(buffer);
    return out;
}

void Chunk(Bytes& out, const char* type, const Bytes& data) {
    Put32BE(out, std::uint32_t(data.size()));
    const Bytes typed = std::string(type, 4) + data;
    out += typed;
    Put32BE(out, std::uint32_t(
                     crc32(0, reinterpret_cast<const Bytef*>(typed.data()), uInt(typed.size()))));
}

extern "C" int AppendGif(GifFileType* file, const GifByteType* buffer, int length) {
    static_cast<Bytes*>(file->UserData)
        ->append(reinterpret_cast<const char*>(buffer), std::size_t(length));
    return length;
}

}  // namespace

TBitmap Quadrants(int width, int height) {
    TBitmap picture(width, height);
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            const bool right = x >= width / 2, bottom = y >= height / 2;
            const std::uint32_t rgb =
                !bottom ? (right ? 0x00FF00 : 0xFF0000) : (right ? 0x0000FF : 0xFFFFFF);
            std::uint8_t* p = picture.Row(y) + x * 3;
            p[0] = std::uint8_t(rgb >> 16), p[1] = std::uint8_t(rgb >> 8), p[2] = std::uint8_t(rgb);
        }
    }
    return picture;
}

std::string PixelText(const TBitmap& picture, int x, int y) {
    if (x < 0 || y < 0 || x >= picture.Width || y >= picture.Height) return "outside";
    const std::uint8_t* p = picture.Row(y) + x * 3;
    return std::to_string(p[0]) + "," + std::to_string(p[1]) + "," + std::to_string(p[2]);
}

bool Near(const TBitmap& picture, int x, int y, std::uint32_t rgb, int tolerance) {
    if (x < 0 || y < 0 || x >= picture.Width || y >= picture.Height) return false;
    const std::uint8_t* p = picture.Row(y) + x * 3;
    for (int c = 0; c < 3; c++)
        if (std::abs(int(p[c]) - int(rgb >> (16 - 8 * c) & 0xFF)) > tolerance) return false;
    return true;
}

// Made here rather than by the program's writer, so the reader tests and the
// fuzz seeds do not depend on the code under test elsewhere.
Bytes JpegRgb(const TBitmap& picture, int quality) {
    return Compress(picture.Width, picture.Height, 3, JCS_RGB, JCS_YCbCr, picture.Pixels, quality);
}

Bytes JpegGrey(int width, int height, std::uint8_t level) {
    return Compress(width, height, 1, JCS_GRAYSCALE, JCS_GRAYSCALE,
                    std::vector<std::uint8_t>(std::size_t(width) * height, level));
}

Bytes JpegCmykAdobe(int width, int height, const std::uint8_t cmyk[4]) {
    std::vector<std::uint8_t> pixels;
    for (int i = 0; i < width * height; i++)
        for (int c = 0; c < 4; c++) pixels.push_back(std::uint8_t(255 - cmyk[c]));
    return Compress(width, height, 4, JCS_CMYK, JCS_YCCK, pixels);
}

Bytes WithExifOrientation(const Bytes& jpeg, int orientation, bool bigEndian) {
    Bytes tiff = bigEndian ? "MM" : "II";
    auto p16 = [&](std::uint32_t v) { bigEndian ? Put16BE(tiff, v) : Put16LE(tiff, v); };
    auto p32 = [&](std::uint32_t v) { bigEndian ? Put32BE(tiff, v) : Put32LE(tiff, v); };
    p16(42), p32(8);  // magic, first directory at 8
    p16(1);           // one entry
    p16(0x0112), p16(3), p32(1), p16(std::uint32_t(orientation)), p16(0);  // orientation, SHORT
    p32(0);                                                                // no next directory
    const Bytes payload = std::string("Exif\0\0", 6) + tiff;
    Bytes segment = "\xFF\xE1";
    Put16BE(segment, std::uint32_t(payload.size() + 2));
    return jpeg.substr(0, 2) + segment + payload + jpeg.substr(2);
}

Bytes Png(const PngLayout& layout) {
    Bytes out("\x89PNG\r\n\x1A\n", 8);
    Bytes header;
    Put32BE(header, std::uint32_t(layout.Width)), Put32BE(header, std::uint32_t(layout.Height));
    header += char(layout.BitDepth), header += char(layout.ColourType), header += '\0',
        header += '\0';
    header += char(layout.Interlace);
    Chunk(out, "IHDR", header);
    if (!layout.Palette.empty())
        Chunk(out, "PLTE", Bytes(layout.Palette.begin(), layout.Palette.end()));
    if (!layout.Transparency.empty())
        Chunk(out, "tRNS", Bytes(layout.Transparency.begin(), layout.Transparency.end()));
    Bytes raw;
    for (const auto& row : layout.Rows) raw += '\0', raw += Bytes(row.begin(), row.end());
    uLongf size = compressBound(uLong(raw.size()));
    Bytes packed(size, '\0');
    compress(reinterpret_cast<Bytef*>(packed.data()), &size,
             reinterpret_cast<const Bytef*>(raw.data()), uLong(raw.size()));
    packed.resize(size);
    Chunk(out, "IDAT", packed);
    Chunk(out, "IEND", "");
    return out;
}

Bytes Bmp(const BmpLayout& layout) {
    const std::size_t entry = layout.Core ? 3 : 4;
    const std::size_t header = layout.Core ? 12 : 40;
    const std::size_t masks = layout.Compression == 3 ? 12 : 0;
    const std::size_t offset = 14 + header + masks + layout.Palette.size() * entry;
    Bytes out = "BM";
    Put32LE(out, std::uint32_t(offset + layout.Data.size())), Put32LE(out, 0),
        Put32LE(out, std::uint32_t(offset));
    Put32LE(out, std::uint32_t(header));
    if (layout.Core) {
        Put16LE(out, std::uint32_t(layout.Width)), Put16LE(out, std::uint32_t(layout.Height));
        Put16LE(out, 1), Put16LE(out, std::uint32_t(layout.BitCount));
    } else {
        Put32LE(out, std::uint32_t(layout.Width)), Put32LE(out, std::uint32_t(layout.Height));
        Put16LE(out, 1), Put16LE(out, std::uint32_t(layout.BitCount));
        Put32LE(out, layout.Compression), Put32LE(out, std::uint32_t(layout.Data.size()));
        Put32LE(out, 2835), Put32LE(out, 2835), Put32LE(out, std::uint32_t(layout.Palette.size())),
            Put32LE(out, 0);
    }
    for (std::uint32_t mask : layout.Masks) Put32LE(out, mask);
    for (std::uint32_t rgb : layout.Palette) {
        out += char(rgb & 0xFF), out += char(rgb >> 8 & 0xFF), out += char(rgb >> 16 & 0xFF);
        if (!layout.Core) out += '\0';
    }
    out += Bytes(layout.Data.begin(), layout.Data.end());
    return out;
}

Bytes Pcx(const PcxLayout& layout) {
    Bytes out;
    out += '\x0A', out += '\x05', out += char(layout.Encoding), out += char(layout.Bits);
    Put16LE(out, 0), Put16LE(out, 0), Put16LE(out, std::uint32_t(layout.Width - 1)),
        Put16LE(out, std::uint32_t(layout.Height - 1));
    Put16LE(out, 72), Put16LE(out, 72);
    Bytes palette(48, '\0');
    std::copy(layout.HeaderPalette.begin(), layout.HeaderPalette.end(), palette.begin());
    out += palette;
    out += '\0', out += char(layout.Planes);
    Put16LE(out, std::uint32_t(layout.BytesPerLine)), Put16LE(out, 1);
    out.resize(128, '\0');
    out += Bytes(layout.Data.begin(), layout.Data.end());
    if (!layout.Palette256.empty())
        out += '\x0C', out += Bytes(layout.Palette256.begin(), layout.Palette256.end());
    return out;
}

std::vector<std::uint8_t> PcxRle(const std::vector<std::uint8_t>& raw) {
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i < raw.size();) {
        std::size_t run = 1;
        while (i + run < raw.size() && raw[i + run] == raw[i] && run < 63) run++;
        if (run > 1 || raw[i] >= 0xC0) out.push_back(std::uint8_t(0xC0 | run));
        out.push_back(raw[i]);
        i += run;
    }
    return out;
}

Bytes Hips2(int rows, int cols, int frames, int format, const std::vector<std::uint8_t>& data) {
    const std::string r = std::to_string(rows), c = std::to_string(cols);
    Bytes out = "HIPS\nmaker\nsample\n" + std::to_string(frames) + "\nMon Dec  7 2026\n" + r +
                "\n" + c + "\n" + r + "\n" + c + "\n0\n0\n" + std::to_string(format) + "\n" +
                (frames >= 3 ? "3" : "1") + "\n";
    out += "11\nmade by me\n";  // history block
    out += "5\ntest\n";         // description block
    out += "1\nnote c 4 0\n";   // one parameter, kept in the binary area
    out += "4\nabcd";
    return out + Bytes(data.begin(), data.end());
}

Bytes Hips1(int rows, int cols, int frames, int format, const std::vector<std::uint8_t>& data) {
    Bytes out = "maker\nsample\n" + std::to_string(frames) + "\nMon Dec  7 2026\n" +
                std::to_string(rows) + "\n" + std::to_string(cols) + "\n8\n0\n" +
                std::to_string(format) + "\n";
    out += "genframe |\\\nscale\n";  // a history of two lines
    out += "a test picture\n.\n";
    return out + Bytes(data.begin(), data.end());
}

Bytes WmfFilled(int width, int height, std::uint32_t rgb) {
    Bytes records;
    auto record = [&](std::uint16_t function, std::vector<std::uint16_t> params) {
        Put32LE(records, std::uint32_t(3 + params.size()));
        Put16LE(records, function);
        for (std::uint16_t p : params) Put16LE(records, p);
    };
    const std::uint16_t w = std::uint16_t(width), h = std::uint16_t(height);
    record(0x020B, {0, 0});  // SETWINDOWORG y, x
    record(0x020C, {h, w});  // SETWINDOWEXT y, x
    record(0x02FC, {0, std::uint16_t(((rgb >> 16) & 0xFF) | (rgb & 0xFF00)),
                    std::uint16_t(rgb & 0xFF), 0});  // solid brush
    record(0x012D, {0});                             // SELECTOBJECT brush
    record(0x041B, {h, w, 0, 0});                    // RECTANGLE bottom, right, top, left
    record(0x0000, {});                              // EOF
    Bytes header;
    Put16LE(header, 1), Put16LE(header, 9), Put16LE(header, 0x0300);
    Put32LE(header, std::uint32_t((18 + records.size()) / 2));
    Put16LE(header, 1), Put32LE(header, 7), Put16LE(header, 0);
    Bytes placeable;
    Put32LE(placeable, 0x9AC6CDD7u), Put16LE(placeable, 0);
    Put16LE(placeable, 0), Put16LE(placeable, 0), Put16LE(placeable, w), Put16LE(placeable, h);
    Put16LE(placeable, 96), Put32LE(placeable, 0);
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < 20; i += 2)
        checksum ^= std::uint16_t(std::uint8_t(placeable[i]) | std::uint8_t(placeable[i + 1]) << 8);
    Put16LE(placeable, checksum);
    return placeable + header + records;
}

Bytes EmfFilled(int width, int height, std::uint32_t rgb) {
    const std::uint32_t colorref = (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
    Bytes records;
    auto record = [&](std::uint32_t type, std::vector<std::uint32_t> params) {
        Put32LE(records, type), Put32LE(records, std::uint32_t(8 + 4 * params.size()));
        for (std::uint32_t p : params) Put32LE(records, p);
    };
    record(39, {1, 0, colorref, 0});                                          // CREATEBRUSHINDIRECT
    record(37, {1});                                                          // SELECTOBJECT
    record(43, {0, 0, std::uint32_t(width - 1), std::uint32_t(height - 1)});  // RECTANGLE
    record(14, {0, 16, 20});                                                  // EOF
    // A reference device of 960 x 960 pixels on 254 mm: exactly 96 dots per inch.
    const std::uint32_t frameW = std::uint32_t(width) * 2540 / 96,
                        frameH = std::uint32_t(height) * 2540 / 96;
    Bytes header;
    Put32LE(header, 1), Put32LE(header, 88);
    for (std::uint32_t v : {0u, 0u, std::uint32_t(width - 1), std::uint32_t(height - 1)})
        Put32LE(header, v);
    for (std::uint32_t v : {0u, 0u, frameW - 1, frameH - 1}) Put32LE(header, v);
    Put32LE(header, 0x464D4520), Put32LE(header, 0x10000);
    Put32LE(header, std::uint32_t(88 + records.size())), Put32LE(header, 5);
    Put16LE(header, 2), Put16LE(header, 0);
    Put32LE(header, 0), Put32LE(header, 0), Put32LE(header, 0);
    Put32LE(header, 960), Put32LE(header, 960), Put32LE(header, 254), Put32LE(header, 254);
    return header + records;
}

Bytes Gif(const GifLayout& layout) {
    ColorMapObject* map = GifMakeMapObject(int(layout.Palette.size()), nullptr);
    for (std::size_t i = 0; i < layout.Palette.size(); i++)
        map->Colors[i] = {GifByteType(layout.Palette[i] >> 16), GifByteType(layout.Palette[i] >> 8),
                          GifByteType(layout.Palette[i])};
    Bytes out;
    int error = 0;
    GifFileType* file = EGifOpen(&out, AppendGif, &error);
    EGifSetGifVersion(file, true);
    EGifPutScreenDesc(file, layout.ScreenWidth, layout.ScreenHeight, 8, 0, map);
    if (layout.Transparent >= 0) {
        GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, layout.Transparent};
        GifByteType block[4];
        EGifGCBToExtension(&control, block);
        EGifPutExtension(file, GRAPHICS_EXT_FUNC_CODE, 4, block);
    }
    EGifPutImageDesc(file, layout.Left, layout.Top, layout.Width, layout.Height, layout.Interlaced,
                     nullptr);
    // An interlaced frame is written in its four passes.
    std::vector<int> rows;
    const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
    for (int pass = 0; pass < (layout.Interlaced ? 4 : 1); pass++)
        for (int y = layout.Interlaced ? start[pass] : 0; y < layout.Height;
             y += layout.Interlaced ? step[pass] : 1)
            rows.push_back(y);
    for (int y : rows) {
        std::vector<GifPixelType> line(
            layout.Indices.begin() + std::ptrdiff_t(y) * layout.Width,
            layout.Indices.begin() + std::ptrdiff_t(y + 1) * layout.Width);
        EGifPutLine(file, line.data(), layout.Width);
    }
    EGifCloseFile(file, &error);
    GifFreeMapObject(map);
    return out;
}

Bytes IcoDib(const BmpLayout& layout, const std::vector<std::uint8_t>& mask) {
    Bytes image;
    Put32LE(image, 40), Put32LE(image, std::uint32_t(layout.Width));
    Put32LE(image, std::uint32_t(layout.Height * 2));
    Put16LE(image, 1), Put16LE(image, std::uint32_t(layout.BitCount));
    for (int i = 0; i < 4; i++) Put32LE(image, 0);
    Put32LE(image, std::uint32_t(layout.Palette.size())), Put32LE(image, 0);
    for (std::uint32_t rgb : layout.Palette) Put32LE(image, rgb);  // stored as B, G, R, 0
    image += Bytes(layout.Data.begin(), layout.Data.end());
    image += Bytes(mask.begin(), mask.end());
    Bytes out;
    Put16LE(out, 0), Put16LE(out, 1), Put16LE(out, 1);
    out += char(layout.Width), out += char(layout.Height), out += '\0', out += '\0';
    Put16LE(out, 1), Put16LE(out, std::uint32_t(layout.BitCount));
    Put32LE(out, std::uint32_t(image.size())), Put32LE(out, 22);
    return out + image;
}

Bytes IcoQuadrants(bool pngInside) {
    const TBitmap picture = Quadrants(16, 16);
    Bytes image;
    if (pngInside) {
        PngLayout layout;
        layout.Width = layout.Height = 16;
        for (int y = 0; y < 16; y++) layout.Rows.emplace_back(picture.Row(y), picture.Row(y) + 48);
        image = Png(layout);
    } else {
        Put32LE(image, 40), Put32LE(image, 16), Put32LE(image, 32), Put16LE(image, 1),
            Put16LE(image, 24);
        for (int i = 0; i < 6; i++) Put32LE(image, 0);
        for (int y = 15; y >= 0; y--)
            for (int x = 0; x < 16; x++) {
                const std::uint8_t* p = picture.Row(y) + x * 3;
                image += char(p[2]), image += char(p[1]), image += char(p[0]);
            }
        image += Bytes(16 * 4, '\0');  // AND mask: every pixel opaque
    }
    Bytes out;
    Put16LE(out, 0), Put16LE(out, 1), Put16LE(out, 1);
    out += char(16), out += char(16), out += '\0', out += '\0';
    Put16LE(out, 1), Put16LE(out, 24), Put32LE(out, std::uint32_t(image.size())), Put32LE(out, 22);
    return out + image;
}

}  // namespace fsc::test
