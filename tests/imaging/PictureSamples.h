// Small picture files made byte by byte for the reader tests and the fuzz seed corpus.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/TBitmap.h"

namespace fsc::test {

using Bytes = std::string;

// A picture of four solid quadrants (red, green, blue, white from top left,
// clockwise ending bottom left), so every turn and mirror is told apart.
TBitmap Quadrants(int width, int height);
// The colour at (x, y) as "r,g,b", for readable failures.
std::string PixelText(const TBitmap& picture, int x, int y);
// True when every channel differs by at most tolerance.
bool Near(const TBitmap& picture, int x, int y, std::uint32_t rgb, int tolerance);

// JPEG: RGB through libjpeg; grey; CMYK as Adobe writes it (inverted, with its marker).
Bytes JpegRgb(const TBitmap& picture, int quality = 95);
Bytes JpegGrey(int width, int height, std::uint8_t level);
Bytes JpegCmykAdobe(int width, int height, const std::uint8_t cmyk[4]);
// Inserts an APP1 Exif segment with only the orientation tag right after SOI.
Bytes WithExifOrientation(const Bytes& jpeg, int orientation, bool bigEndian);

// PNG with any colour type and bit depth; rows are given already packed.
struct PngLayout {
    int Width = 1, Height = 1, BitDepth = 8, ColourType = 2, Interlace = 0;
    std::vector<std::uint8_t> Palette;       // PLTE, 3 bytes per entry
    std::vector<std::uint8_t> Transparency;  // tRNS
    std::vector<std::vector<std::uint8_t>> Rows;
};
Bytes Png(const PngLayout& layout);

// BMP with a Windows 3 header (or OS/2 core header when core is set).
struct BmpLayout {
    int Width = 1, Height = 1, BitCount = 24;
    std::uint32_t Compression = 0;
    std::vector<std::uint32_t> Palette;  // 0xRRGGBB
    std::vector<std::uint32_t> Masks;    // red, green, blue masks for bit fields
    std::vector<std::uint8_t> Data;      // pixel data as stored
    bool Core = false;
};
Bytes Bmp(const BmpLayout& layout);

// PCX header followed by the given (already encoded) data.
struct PcxLayout {
    int Width = 1, Height = 1, Bits = 8, Planes = 1, BytesPerLine = 1, Encoding = 1;
    std::vector<std::uint8_t> HeaderPalette;  // up to 48 bytes
    std::vector<std::uint8_t> Data;
    std::vector<std::uint8_t> Palette256;  // appended after a 12 when not empty
};
Bytes Pcx(const PcxLayout& layout);
// PCX run-length encoding of a byte stream.
std::vector<std::uint8_t> PcxRle(const std::vector<std::uint8_t>& raw);

// HIPS-2 header with the given pixel data following it.
Bytes Hips2(int rows, int cols, int frames, int format, const std::vector<std::uint8_t>& data);
// The original HIPS header, with a history line that continues and a description.
Bytes Hips1(int rows, int cols, int frames, int format, const std::vector<std::uint8_t>& data);

// A placeable WMF of the given size in pixels at 96 dpi, filled with one colour.
Bytes WmfFilled(int width, int height, std::uint32_t rgb);
// An EMF of the given size in pixels at 96 dpi, filled with one colour.
Bytes EmfFilled(int width, int height, std::uint32_t rgb);

// An icon holding one DIB made from the BMP description (bottom-up rows as
// stored) and the given AND mask rows (1 = transparent).
Bytes IcoDib(const BmpLayout& layout, const std::vector<std::uint8_t>& mask);
// A GIF through giflib: a screen of the given size with one frame of palette
// indices (rows top first) at (left, top); transparent < 0 means none.
struct GifLayout {
    int ScreenWidth = 1, ScreenHeight = 1, Left = 0, Top = 0, Width = 1, Height = 1;
    std::vector<std::uint32_t> Palette;  // 0xRRGGBB, a power of two entries
    std::vector<std::uint8_t> Indices;
    int Transparent = -1;
    bool Interlaced = false;
};
Bytes Gif(const GifLayout& layout);

// A 16 x 16 icon of four quadrants as a Windows icon, 24-bit DIB or PNG inside.
Bytes IcoQuadrants(bool pngInside);

}  // namespace fsc::test
