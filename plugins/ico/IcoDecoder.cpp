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

TBitmap DecodeDib(std::string_view bytes) {
    ByteCursor in(bytes, "Icon");
    const std::uint32_t headerSize = in.U32LE();
    if (headerSize < 40 || headerSize > bytes.size()) in.Corrupt("bad image header");
    const std::int64_t width = std::int32_t(in.U32LE());
    const std::int64_t height = std::int64_t(std::int32_t(in.U32LE())) / 2;  // XOR and AND halves
    in.Skip(2);
    const int bits = in.U16LE();
    const std::uint32_t compression = in.U32LE();
    in.Skip(12);
    const std::uint32_t coloursUsed = in.U32LE();
    if (compression != 0 || (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32))
        throw EFSC_Exception("Pixel format not supported yet");
    CheckPictureSize("Icon", width, height, MaxIconPixels);
    in.Seek(headerSize);
    std::vector<std::uint8_t> palette(256 * 3, 0);
    if (bits <= 8) {
        const std::uint32_t count =
            coloursUsed == 0 || coloursUsed > (1u << bits) ? 1u << bits : coloursUsed;
        for (std::uint32_t i = 0; i < count; i++) {
            const std::uint8_t* e = in.Bytes(4);
            palette[i * 3] = e[2], palette[i * 3 + 1] = e[1], palette[i * 3 + 2] = e[0];
        }
    }
    const int w = int(width), h = int(height);
    const std::size_t rowBytes = ((std::size_t(w) * bits + 31) / 32) * 4;
    const std::size_t maskBytes = ((std::size_t(w) + 31) / 32) * 4;
    const std::uint8_t* pixels = in.Bytes(rowBytes * std::size_t(h));
    // Some writers leave the mask out of 32-bit images, whose alpha says it all.
    const std::uint8_t* mask = in.Remaining() >= maskBytes * std::size_t(h)
                                   ? in.Bytes(maskBytes * std::size_t(h))
                                   : nullptr;
    if (mask == nullptr && bits != 32) in.Truncated();
    bool anyAlpha = false;
    if (bits == 32)
        for (int y = 0; y < h && !anyAlpha; y++)
            for (int x = 0; x < w && !anyAlpha; x++)
                anyAlpha = pixels[rowBytes * std::size_t(y) + std::size_t(x) * 4 + 3] != 0;

    TBitmap picture(w, h);
    for (int row = 0; row < h; row++) {
        const std::uint8_t* src = pixels + rowBytes * std::size_t(row);
        const std::uint8_t* maskRow = mask ? mask + maskBytes * std::size_t(row) : nullptr;
        std::uint8_t* to = picture.Row(h - 1 - row);
        for (int x = 0; x < w; x++, to += 3) {
            std::uint8_t r, g, b, alpha = 255;
            if (bits >= 24) {
                const std::uint8_t* p = src + std::size_t(x) * (bits / 8);
                b = p[0], g = p[1], r = p[2];
                if (anyAlpha) alpha = p[3];
            } else {
                const int perByte = 8 / bits;
                const int index =
                    (src[x / perByte] >> (8 - bits * (x % perByte + 1))) & ((1 << bits) - 1);
                r = palette[index * 3], g = palette[index * 3 + 1], b = palette[index * 3 + 2];
            }
            if (!anyAlpha && maskRow != nullptr && (maskRow[x / 8] >> (7 - x % 8) & 1)) alpha = 0;
            to[0] = OverWhite(r, alpha), to[1] = OverWhite(g, alpha), to[2] = OverWhite(b, alpha);
        }
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
