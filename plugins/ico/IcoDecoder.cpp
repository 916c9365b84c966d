// Reads and writes Windows icon files (.ico) for the icon plug-in.
#include "IcoDecoder.h"

#include <cstring>
#include <vector>

#include "base/Errors.h"
#include "imaging/ByteCursor.h"
#include "imaging/PictureLimits.h"
#include "imaging/PngReader.h"

namespace fsc::ico {

namespace {

struct Entry {
    int Width = 0, Height = 0, BitCount = 0;
    std::uint32_t Size = 0, Offset = 0;
};

// An icon is at most 256 pixels a side; allow some slack for odd writers.
constexpr std::uint64_t MaxIconPixels = 4096 * 4096;

Entry BestEntry(ByteCursor& in) {
    if (in.U16LE() != 0) throw EFSC_Exception("Not an icon file");
    const int type = in.U16LE();
    const int count = in.U16LE();
    if ((type != 1 && type != 2) || count == 0) throw EFSC_Exception("Not an icon file");
    Entry best;
    for (int i = 0; i < count; i++) {
        Entry e;
        e.Width = in.U8(), e.Height = in.U8();
        if (e.Width == 0) e.Width = 256;
        if (e.Height == 0) e.Height = 256;
        in.Skip(4);
        e.BitCount = in.U16LE();
        e.Size = in.U32LE(), e.Offset = in.U32LE();
        const long long area = 1LL * e.Width * e.Height, bestArea = 1LL * best.Width * best.Height;
        if (area > bestArea || (area == bestArea && e.BitCount > best.BitCount)) best = e;
    }
    return best;
}

std::uint8_t OverWhite(std::uint8_t value, std::uint8_t alpha) {
    return std::uint8_t((value * alpha + 255 * (255 - alpha) + 127) / 255);
}

// An icon image: a DIB whose height counts the colour rows and the mask rows.
struct Dib {
    int Width = 0, Height = 0, Bits = 0;
    std::size_t RowBytes = 0, MaskBytes = 0;
    std::vector<std::uint8_t> Palette = std::vector<std::uint8_t>(256 * 3, 0);
    const std::uint8_t* Pixels = nullptr;
    const std::uint8_t* Mask = nullptr;  // null when a 32-bit image has none
    bool UsesAlpha = false;
};

void ReadPalette(ByteCursor& in, Dib& dib, std::uint32_t coloursUsed) {
    if (dib.Bits > 8) return;
    const std::uint32_t most = 1u << dib.Bits;
    const std::uint32_t count = coloursUsed == 0 || coloursUsed > most ? most : coloursUsed;
    for (std::uint32_t i = 0; i < count; i++) {
        const std::uint8_t* e = in.Bytes(4);
        dib.Palette[i * 3] = e[2], dib.Palette[i * 3 + 1] = e[1], dib.Palette[i * 3 + 2] = e[0];
    }
}

// Writers that know alpha fill it; old ones leave it zero and rely on the mask.
bool AnyAlpha(const Dib& dib) {
    if (dib.Bits != 32) return false;
    for (int y = 0; y < dib.Height; y++)
        for (int x = 0; x < dib.Width; x++)
            if (dib.Pixels[dib.RowBytes * std::size_t(y) + std::size_t(x) * 4 + 3] != 0)
                return true;
    return false;
}

Dib ReadDib(ByteCursor& in, std::size_t size) {
    Dib dib;
    const std::uint32_t headerSize = in.U32LE();
    if (headerSize < 40 || headerSize > size) in.Corrupt("bad image header");
    const std::int64_t width = std::int32_t(in.U32LE());
    const std::int64_t height = std::int64_t(std::int32_t(in.U32LE())) / 2;
    in.Skip(2);
    dib.Bits = in.U16LE();
    const std::uint32_t compression = in.U32LE();
    in.Skip(12);
    const std::uint32_t coloursUsed = in.U32LE();
    const int b = dib.Bits;
    if (compression != 0 || (b != 1 && b != 4 && b != 8 && b != 24 && b != 32))
        throw EFSC_Exception("Pixel format not supported yet");
    CheckPictureSize("Icon", width, height, MaxIconPixels);
    dib.Width = int(width), dib.Height = int(height);
    in.Seek(headerSize);
    ReadPalette(in, dib, coloursUsed);
    dib.RowBytes = ((std::size_t(dib.Width) * b + 31) / 32) * 4;
    dib.MaskBytes = ((std::size_t(dib.Width) + 31) / 32) * 4;
    dib.Pixels = in.Bytes(dib.RowBytes * std::size_t(dib.Height));
    // Some writers leave the mask out of 32-bit images, whose alpha says it all.
    const std::size_t maskSize = dib.MaskBytes * std::size_t(dib.Height);
    if (in.Remaining() >= maskSize) {
        dib.Mask = in.Bytes(maskSize);
    } else if (b != 32) {
        in.Truncated();
    }
    dib.UsesAlpha = AnyAlpha(dib);
    return dib;
}

// Pixel x of stored row `row` (bottom-up), laid over white.
void PutPixel(const Dib& dib, int row, int x, std::uint8_t* to) {
    const std::uint8_t* src = dib.Pixels + dib.RowBytes * std::size_t(row);
    std::uint8_t r, g, b, alpha = 255;
    if (dib.Bits >= 24) {
        const std::uint8_t* p = src + std::size_t(x) * std::size_t(dib.Bits / 8);
        b = p[0], g = p[1], r = p[2];
        if (dib.UsesAlpha) alpha = p[3];
    } else {
        const int perByte = 8 / dib.Bits;
        const int shift = 8 - dib.Bits * (x % perByte + 1);
        const int index = (src[x / perByte] >> shift) & ((1 << dib.Bits) - 1);
        r = dib.Palette[index * 3], g = dib.Palette[index * 3 + 1], b = dib.Palette[index * 3 + 2];
    }
    if (!dib.UsesAlpha && dib.Mask != nullptr) {
        const std::uint8_t* maskRow = dib.Mask + dib.MaskBytes * std::size_t(row);
        if ((maskRow[x / 8] >> (7 - x % 8)) & 1) alpha = 0;
    }
    to[0] = OverWhite(r, alpha), to[1] = OverWhite(g, alpha), to[2] = OverWhite(b, alpha);
}

TBitmap DecodeDib(std::string_view bytes) {
    ByteCursor in(bytes, "Icon");
    const Dib dib = ReadDib(in, bytes.size());
    TBitmap picture(dib.Width, dib.Height);
    for (int row = 0; row < dib.Height; row++) {
        std::uint8_t* to = picture.Row(dib.Height - 1 - row);
        for (int x = 0; x < dib.Width; x++, to += 3) PutPixel(dib, row, x, to);
    }
    return picture;
}

void Put16(std::string& out, std::uint32_t v) { out += char(v & 0xFF), out += char(v >> 8 & 0xFF); }
void Put32(std::string& out, std::uint32_t v) { Put16(out, v & 0xFFFF), Put16(out, v >> 16); }

}  // namespace

TBitmap DecodeIco(std::string_view bytes) {
    ByteCursor in(bytes, "Icon");
    const Entry best = BestEntry(in);
    if (best.Offset > bytes.size() || best.Size > bytes.size() - best.Offset) in.Truncated();
    const std::string_view image = bytes.substr(best.Offset, best.Size);
    if (image.size() >= 8 && std::memcmp(image.data(), "\x89PNG", 4) == 0)
        return DecodePng(image, MaxIconPixels);
    return DecodeDib(image);
}

std::string EncodeIco(const TBitmap& picture) {
    if (picture.Empty() || picture.Width > 256 || picture.Height > 256)
        throw EFSC_Exception("An icon holds pictures of 1 to 256 pixels a side");
    const std::size_t rowBytes = ((std::size_t(picture.Width) * 24 + 31) / 32) * 4;
    const std::size_t maskBytes = ((std::size_t(picture.Width) + 31) / 32) * 4;
    std::string dib;
    Put32(dib, 40), Put32(dib, std::uint32_t(picture.Width)),
        Put32(dib, std::uint32_t(picture.Height * 2));
    Put16(dib, 1), Put16(dib, 24);
    for (int i = 0; i < 6; i++) Put32(dib, 0);
    for (int y = picture.Height - 1; y >= 0; y--) {
        const std::uint8_t* p = picture.Row(y);
        std::string row;
        for (int x = 0; x < picture.Width; x++, p += 3)
            row += char(p[2]), row += char(p[1]), row += char(p[0]);
        row.resize(rowBytes, '\0');
        dib += row;
    }
    dib.append(maskBytes * std::size_t(picture.Height), '\0');
    std::string out;
    Put16(out, 0), Put16(out, 1), Put16(out, 1);
    out += char(picture.Width & 0xFF), out += char(picture.Height & 0xFF), out += '\0', out += '\0';
    Put16(out, 1), Put16(out, 24), Put32(out, std::uint32_t(dib.size())), Put32(out, 22);
    return out + dib;
}

}  // namespace fsc::ico
