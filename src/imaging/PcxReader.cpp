// Decodes ZSoft PCX files into 24-bit pictures.
#include "imaging/PcxReader.h"

#include <array>
#include <vector>

#include "base/Errors.h"
#include "imaging/ByteCursor.h"

namespace fsc {

namespace {

constexpr std::size_t HeaderSize = 128;
constexpr std::size_t PaletteSize = 768;

struct PcxHeader {
    int Encoding = 0;
    int Bits = 0;
    std::int64_t Width = 0, Height = 0;
    int Planes = 0;
    std::size_t BytesPerLine = 0;
    const std::uint8_t* HeaderPalette = nullptr;  // 16 entries
};

PcxHeader ReadHeader(ByteCursor& in) {
    PcxHeader h;
    if (in.Size() < HeaderSize || in.U8() != 0x0A) throw EFSC_Exception("Not a PCX file");
    in.U8();  // version: the layout below has not changed since 2.5
    h.Encoding = in.U8();
    h.Bits = in.U8();
    const int xMin = in.U16LE(), yMin = in.U16LE(), xMax = in.U16LE(), yMax = in.U16LE();
    h.Width = std::int64_t(xMax) - xMin + 1;
    h.Height = std::int64_t(yMax) - yMin + 1;
    in.Skip(4);
    h.HeaderPalette = in.Bytes(48);
    in.Skip(1);
    h.Planes = in.U8();
    h.BytesPerLine = in.U16LE();
    in.Seek(HeaderSize);
    return h;
}

bool Supported(const PcxHeader& h) {
    return (h.Bits == 1 && (h.Planes == 1 || h.Planes == 4)) || (h.Bits == 4 && h.Planes == 1) ||
           (h.Bits == 8 && (h.Planes == 1 || h.Planes == 3));
}

// The whole image data as one stream of scan lines, each plane's line after the other's.
std::vector<std::uint8_t> Unpack(ByteCursor& in, const PcxHeader& h) {
    const std::size_t total = h.BytesPerLine * std::size_t(h.Planes) * std::size_t(h.Height);
    if (h.Encoding == 0) {
        const std::uint8_t* data = in.Bytes(total);
        return {data, data + total};
    }
    // A run of n bytes needs two bytes of input, so the file bounds the output
    // we can fill; check before allocating a forged size.
    if (total / 63 > in.Remaining()) in.Truncated();
    std::vector<std::uint8_t> lines(total);
    std::size_t at = 0;
    while (at < total) {
        std::uint8_t value = in.U8();
        std::size_t count = 1;
        if ((value & 0xC0) == 0xC0) {
            count = value & 0x3F;
            value = in.U8();
        }
        // Runs may cross line ends; one running past the image is cut.
        for (; count > 0 && at < total; count--) lines[at++] = value;
    }
    return lines;
}

using Palette = std::array<std::array<std::uint8_t, 3>, 256>;

Palette ColourTable(std::string_view bytes, std::size_t dataEnd, const PcxHeader& h) {
    Palette palette{};
    if (h.Bits == 1 && h.Planes == 1) {
        palette[1] = {255, 255, 255};
    } else if (h.Bits == 8 && h.Planes == 1) {
        // The 256 colours follow a 12 after the image data; without them the picture is grey.
        const bool present = bytes.size() >= dataEnd + PaletteSize + 1 &&
                             bytes[bytes.size() - PaletteSize - 1] == 12;
        const auto* table = reinterpret_cast<const std::uint8_t*>(bytes.data()) +
                            (present ? bytes.size() - PaletteSize : 0);
        for (int i = 0; i < 256; i++) {
            if (present) {
                palette[i] = {table[i * 3], table[i * 3 + 1], table[i * 3 + 2]};
            } else {
                palette[i] = {std::uint8_t(i), std::uint8_t(i), std::uint8_t(i)};
            }
        }
    } else {
        for (int i = 0; i < 16; i++)
            palette[i] = {h.HeaderPalette[i * 3], h.HeaderPalette[i * 3 + 1],
                          h.HeaderPalette[i * 3 + 2]};
    }
    return palette;
}

// The palette index of pixel x from a line of Bits-per-pixel samples in each plane.
int Index(const PcxHeader& h, const std::uint8_t* line, int x) {
    if (h.Bits == 8) return line[x];
    if (h.Bits == 4) return (line[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 15;
    int index = 0;
    for (int p = 0; p < h.Planes; p++)
        index |= ((line[p * h.BytesPerLine + x / 8] >> (7 - x % 8)) & 1) << p;
    return index;
}

void Paint(const PcxHeader& h, const std::vector<std::uint8_t>& lines, const Palette& palette,
           TBitmap& picture) {
    const std::size_t lineBytes = h.BytesPerLine * std::size_t(h.Planes);
    for (int y = 0; y < picture.Height; y++) {
        const std::uint8_t* line = lines.data() + std::size_t(y) * lineBytes;
        std::uint8_t* to = picture.Row(y);
        for (int x = 0; x < picture.Width; x++, to += 3) {
            if (h.Bits == 8 && h.Planes == 3) {
                to[0] = line[x], to[1] = line[h.BytesPerLine + x],
                to[2] = line[2 * h.BytesPerLine + x];
            } else {
                const auto& c = palette[Index(h, line, x)];
                to[0] = c[0], to[1] = c[1], to[2] = c[2];
            }
        }
    }
}

}  // namespace

TBitmap DecodePcx(std::string_view bytes, std::uint64_t maxPixels) {
    ByteCursor in(bytes, "PCX");
    const PcxHeader h = ReadHeader(in);
    if (!Supported(h)) throw EFSC_Exception("Pixel format not supported yet");
    if (h.Encoding > 1) in.Corrupt("unknown encoding " + std::to_string(h.Encoding));
    CheckPictureSize("PCX", h.Width, h.Height, maxPixels);
    if (h.BytesPerLine * 8 < std::size_t(h.Width) * std::size_t(h.Bits))
        in.Corrupt("scan line too short for the width");
    const TMemoryBudget::TShare memory = ReservePicture(
        h.Width, h.Height, std::uint64_t(h.BytesPerLine) * std::uint64_t(h.Planes) * h.Height);
    const std::vector<std::uint8_t> lines = Unpack(in, h);
    const Palette palette = ColourTable(bytes, in.Position(), h);
    TBitmap picture(int(h.Width), int(h.Height));
    Paint(h, lines, palette, picture);
    return picture;
}

}  // namespace fsc
