// Decodes Windows and OS/2 bitmap files into 24-bit pictures.
#include "imaging/BmpReader.h"

#include <array>
#include <bit>
#include <cstdlib>

#include "base/Errors.h"
#include "imaging/ByteCursor.h"

namespace fsc {

namespace {

enum Compression : std::uint32_t { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3, AlphaBitFields = 6 };

struct Rgb8 {
    std::uint8_t R = 0, G = 0, B = 0;
};
using Palette = std::array<Rgb8, 256>;

// One channel given by a bit mask, widened to 8 bits.
struct Channel {
    std::uint32_t Mask = 0;
    int Shift = 0;
    std::uint32_t Max = 0;
    explicit Channel(std::uint32_t mask = 0) : Mask(mask) {
        if (mask == 0) return;
        Shift = std::countr_zero(mask);
        Max = mask >> Shift;
    }
    std::uint8_t Of(std::uint32_t pixel) const {
        if (Max == 0) return 0;
        return std::uint8_t((std::uint64_t((pixel & Mask) >> Shift) * 255 + Max / 2) / Max);
    }
};

struct BmpHeader {
    std::uint32_t DataOffset = 0;
    std::uint32_t HeaderSize = 0;
    std::int64_t Width = 0;
    std::int64_t Height = 0;  // positive: bottom row first
    int BitCount = 0;
    std::uint32_t Compression = Rgb;
    std::uint32_t ColoursUsed = 0;
    Channel Red, Green, Blue;
    bool TopDown() const { return Height < 0; }
    int Rows() const { return int(std::llabs(Height)); }
};

BmpHeader ReadHeader(ByteCursor& in) {
    BmpHeader h;
    const std::uint8_t* magic = in.Bytes(2);
    if (magic[0] != 'B' || magic[1] != 'M') throw EFSC_Exception("Not a BMP file");
    in.Skip(8);
    h.DataOffset = in.U32LE();
    h.HeaderSize = in.U32LE();
    if (h.HeaderSize == 12) {
        h.Width = in.U16LE();
        h.Height = std::int16_t(in.U16LE());
        in.Skip(2);
        h.BitCount = in.U16LE();
        return h;
    }
    if (h.HeaderSize < 40 || h.HeaderSize > 1024)
        in.Corrupt("unknown header size " + std::to_string(h.HeaderSize));
    h.Width = std::int32_t(in.U32LE());
    h.Height = std::int32_t(in.U32LE());
    in.Skip(2);
    h.BitCount = in.U16LE();
    h.Compression = in.U32LE();
    in.Skip(12);
    h.ColoursUsed = in.U32LE();
    in.Skip(4);
    const bool masks = h.Compression == BitFields || h.Compression == AlphaBitFields;
    // Version 2 and later headers hold the masks; a version 1 header is followed by them.
    if (masks || h.HeaderSize >= 52) {
        const std::uint32_t red = in.U32LE(), green = in.U32LE(), blue = in.U32LE();
        if (masks) h.Red = Channel(red), h.Green = Channel(green), h.Blue = Channel(blue);
        if (h.HeaderSize == 40 && h.Compression == AlphaBitFields) in.Skip(4);
    }
    return h;
}

bool HasPalette(const BmpHeader& h) { return h.BitCount <= 8; }

std::size_t HeaderEnd(const BmpHeader& h) {
    std::size_t end = 14 + h.HeaderSize;
    if (h.HeaderSize == 40 && h.Compression == BitFields) end += 12;
    if (h.HeaderSize == 40 && h.Compression == AlphaBitFields) end += 16;
    return end;
}

Palette ReadPalette(ByteCursor& in, const BmpHeader& h) {
    Palette palette;
    in.Seek(HeaderEnd(h));
    const int entrySize = h.HeaderSize == 12 ? 3 : 4;
    std::uint32_t count =
        h.ColoursUsed == 0 || h.ColoursUsed > 256 ? 1u << h.BitCount : h.ColoursUsed;
    // Some writers put fewer entries than they claim before the pixels.
    const std::size_t room =
        h.DataOffset > in.Position() ? (h.DataOffset - in.Position()) / entrySize : 0;
    if (count > room) count = std::uint32_t(room);
    for (std::uint32_t i = 0; i < count; i++) {
        const std::uint8_t* e = in.Bytes(entrySize);
        palette[i] = {e[2], e[1], e[0]};
    }
    return palette;
}

std::size_t RowBytes(const BmpHeader& h) {
    return ((std::size_t(h.Width) * h.BitCount + 31) / 32) * 4;
}

// The padding of the last row is often missing; anything more is a cut file.
std::size_t PixelDataBytes(const BmpHeader& h) {
    const std::size_t lastRow = (std::size_t(h.Width) * h.BitCount + 7) / 8;
    return RowBytes(h) * std::size_t(h.Rows() - 1) + lastRow;
}

bool RunLength(const BmpHeader& h) { return h.Compression == Rle8 || h.Compression == Rle4; }

void Validate(const BmpHeader& h, std::uint64_t maxPixels, ByteCursor& in) {
    const int bits = h.BitCount;
    const bool known =
        bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    const std::uint32_t c = h.Compression;
    const bool fits = c == Rgb || (c == Rle8 && bits == 8) || (c == Rle4 && bits == 4) ||
                      ((c == BitFields || c == AlphaBitFields) && (bits == 16 || bits == 32));
    if (!known || !fits) throw EFSC_Exception("Pixel format not supported yet");
    CheckPictureSize("BMP", h.Width, std::llabs(h.Height), maxPixels);
    if (h.DataOffset < HeaderEnd(h) || h.DataOffset > in.Size())
        in.Corrupt("pixel data offset out of range");
    // Checked before the picture's memory is taken, which a lying header would waste.
    if (!RunLength(h) && PixelDataBytes(h) > in.Size() - h.DataOffset)
        throw EFSC_Exception("BMP file is truncated: " + std::to_string(h.Width) + " x " +
                             std::to_string(h.Rows()) + " pixels need more data than it holds");
}

// Default masks: 5-5-5 for 16 bits, 8-8-8 for 32 bits.
void DefaultMasks(BmpHeader& h) {
    if (h.Compression == BitFields || h.Compression == AlphaBitFields) return;
    if (h.BitCount == 16)
        h.Red = Channel(0x7C00), h.Green = Channel(0x03E0), h.Blue = Channel(0x001F);
    if (h.BitCount == 32)
        h.Red = Channel(0xFF0000), h.Green = Channel(0xFF00), h.Blue = Channel(0xFF);
}

void DecodeRow(const BmpHeader& h, const Palette& palette, const std::uint8_t* src,
               std::uint8_t* dst) {
    const int w = int(h.Width);
    auto put = [&dst](std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        dst[0] = r, dst[1] = g, dst[2] = b;
        dst += 3;
    };
    switch (h.BitCount) {
        case 24:
            for (int x = 0; x < w; x++, src += 3) put(src[2], src[1], src[0]);
            return;
        case 16:
            for (int x = 0; x < w; x++, src += 2) {
                const std::uint32_t p = src[0] | src[1] << 8;
                put(h.Red.Of(p), h.Green.Of(p), h.Blue.Of(p));
            }
            return;
        case 32:
            for (int x = 0; x < w; x++, src += 4) {
                const std::uint32_t p = std::uint32_t(src[0]) | std::uint32_t(src[1]) << 8 |
                                        std::uint32_t(src[2]) << 16 | std::uint32_t(src[3]) << 24;
                put(h.Red.Of(p), h.Green.Of(p), h.Blue.Of(p));
            }
            return;
        default: {
            const int bits = h.BitCount, perByte = 8 / bits, mask = (1 << bits) - 1;
            for (int x = 0; x < w; x++) {
                const int shift = 8 - bits * (x % perByte + 1);
                const Rgb8 c = palette[(src[x / perByte] >> shift) & mask];
                put(c.R, c.G, c.B);
            }
        }
    }
}

void DecodeUncompressed(ByteCursor& in, const BmpHeader& h, const Palette& palette,
                        TBitmap& picture) {
    const std::size_t rowBytes = RowBytes(h);
    in.Seek(h.DataOffset);
    const std::uint8_t* data = in.Bytes(PixelDataBytes(h));
    for (int row = 0; row < h.Rows(); row++) {
        const int y = h.TopDown() ? row : h.Rows() - 1 - row;
        DecodeRow(h, palette, data + rowBytes * std::size_t(row), picture.Row(y));
    }
}

// Run-length data addresses pixels by position; pixels it skips keep colour 0.
class RlePainter {
public:
    RlePainter(const BmpHeader& h, const Palette& palette, TBitmap& picture)
        : h(h), palette(palette), picture(picture) {}
    void Put(int index) {
        if (x < int(h.Width) && y < h.Rows()) {
            const int row = h.TopDown() ? y : h.Rows() - 1 - y;
            std::uint8_t* p = picture.Row(row) + std::size_t(x) * 3;
            const Rgb8 c = palette[index & 0xFF];
            p[0] = c.R, p[1] = c.G, p[2] = c.B;
        }
        x++;
    }
    void NewLine() { x = 0, y++; }
    void Move(int dx, int dy) { x += dx, y += dy; }
    bool Done() const { return y >= h.Rows(); }
    bool OnLastRow() const { return y >= h.Rows() - 1; }

private:
    const BmpHeader& h;
    const Palette& palette;
    TBitmap& picture;
    int x = 0, y = 0;
};

void DecodeRle(ByteCursor& in, const BmpHeader& h, const Palette& palette, TBitmap& picture) {
    const bool four = h.Compression == Rle4;
    RlePainter painter(h, palette, picture);
    in.Seek(h.DataOffset);
    while (!painter.Done()) {
        if (in.Remaining() < 2) {
            // A missing end marker is harmless once the last row has been reached.
            if (painter.OnLastRow()) return;
            in.Truncated();
        }
        const int count = in.U8(), value = in.U8();
        if (count > 0) {
            for (int i = 0; i < count; i++)
                painter.Put(four ? (i % 2 == 0 ? value >> 4 : value & 15) : value);
        } else if (value == 0) {
            painter.NewLine();
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            const int dx = in.U8(), dy = in.U8();
            painter.Move(dx, dy);
        } else {
            const std::size_t bytes = four ? (std::size_t(value) + 1) / 2 : std::size_t(value);
            const std::uint8_t* run = in.Bytes(bytes);
            for (int i = 0; i < value; i++)
                painter.Put(four ? (i % 2 == 0 ? run[i / 2] >> 4 : run[i / 2] & 15) : run[i]);
            if (bytes % 2 == 1) in.Skip(1);
        }
    }
}

}  // namespace

TBitmap DecodeBmp(std::string_view bytes, std::uint64_t maxPixels) {
    ByteCursor in(bytes, "BMP");
    if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M')
        throw EFSC_Exception("Not a BMP file");
    BmpHeader h = ReadHeader(in);
    Validate(h, maxPixels, in);
    DefaultMasks(h);
    const Palette palette = HasPalette(h) ? ReadPalette(in, h) : Palette{};
    const TMemoryBudget::TShare memory = ReservePicture(h.Width, h.Rows());
    TBitmap picture(int(h.Width), h.Rows());
    if (RunLength(h)) {
        // Skipped pixels show the first palette colour.
        const Rgb8 background = palette[0];
        for (std::size_t i = 0; i < picture.Pixels.size(); i += 3) {
            picture.Pixels[i] = background.R, picture.Pixels[i + 1] = background.G,
            picture.Pixels[i + 2] = background.B;
        }
        DecodeRle(in, h, palette, picture);
    } else {
        DecodeUncompressed(in, h, palette, picture);
    }
    return picture;
}

}  // namespace fsc
