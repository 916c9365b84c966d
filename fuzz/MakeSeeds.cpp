// Writes the seed corpus of the fuzz targets: one folder per decoder of small valid and odd files.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "imaging/ExifSamples.h"
#include "imaging/PictureSamples.h"

using namespace fsc::test;

namespace {

void Write(const std::filesystem::path& folder, const std::string& name, const Bytes& bytes) {
    std::filesystem::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary) << bytes;
}

void BmpSeeds(const std::filesystem::path& dir) {
    const std::vector<std::uint32_t> palette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    BmpLayout s;
    s.Width = 2, s.Height = 2;
    s.Data = {0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0, 0xFF, 0, 0, 0};
    Write(dir, "24.bmp", Bmp(s));
    s.BitCount = 8, s.Palette = palette, s.Data = {2, 3, 0, 0, 0, 1, 0, 0};
    Write(dir, "8.bmp", Bmp(s));
    s.Core = true;
    Write(dir, "core.bmp", Bmp(s));
    s.Core = false, s.Compression = 1,
    s.Data = {1, 2, 1, 3, 0, 0, 0, 2, 1, 0, 1, 1, 0, 3, 0, 1, 2, 0, 0, 1};
    Write(dir, "rle8.bmp", Bmp(s));
    s.BitCount = 4, s.Compression = 2, s.Data = {2, 0x23, 0, 0, 0, 3, 0x12, 0x30, 0, 1};
    Write(dir, "rle4.bmp", Bmp(s));
    s.BitCount = 16, s.Compression = 3, s.Palette.clear(), s.Masks = {0xF800, 0x07E0, 0x001F};
    s.Data = {0x1F, 0x00, 0xFF, 0xFF, 0x00, 0xF8, 0xE0, 0x07};
    Write(dir, "565.bmp", Bmp(s));
    s.BitCount = 1, s.Compression = 0, s.Masks.clear(), s.Palette = {0, 0xFFFFFF},
    s.Data = {0x40, 0, 0, 0, 0x80, 0, 0, 0};
    Write(dir, "1.bmp", Bmp(s));
}

void PcxSeeds(const std::filesystem::path& dir) {
    PcxLayout s;
    s.Width = 5, s.Height = 3, s.Bits = 8, s.Planes = 3, s.BytesPerLine = 6;
    std::vector<std::uint8_t> raw;
    for (int i = 0; i < 54; i++) raw.push_back(std::uint8_t(i % 7 == 0 ? 0xC7 : i / 9));
    s.Data = PcxRle(raw);
    Write(dir, "24.pcx", Pcx(s));
    s.Planes = 1, s.Data = PcxRle({1, 1, 1, 2, 0xC3, 4, 5, 5, 5, 5, 5, 5, 9, 8, 7, 6, 5, 4}),
    s.Palette256.assign(768, 40);
    Write(dir, "8.pcx", Pcx(s));
    s.Bits = 1, s.Planes = 4, s.BytesPerLine = 2, s.Palette256.clear(),
    s.HeaderPalette.assign(48, 90);
    s.Data = PcxRle(std::vector<std::uint8_t>(24, 0xA5));
    Write(dir, "ega.pcx", Pcx(s));
    s.Bits = 4, s.Planes = 1, s.Data = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC};
    s.Encoding = 0;
    Write(dir, "4.pcx", Pcx(s));
}

void HipsSeeds(const std::filesystem::path& dir) {
    Write(dir, "grey.hips", Hips2(2, 3, 1, 0, {1, 2, 3, 4, 5, 6}));
    Write(dir, "planes.hips", Hips2(2, 2, 5, 0, std::vector<std::uint8_t>(20, 7)));
    Write(dir, "old.hips", Hips1(2, 2, 3, 0, std::vector<std::uint8_t>(12, 9)));
    Write(dir, "rgb.hips", Hips2(1, 2, 1, 35, {1, 2, 3, 4, 5, 6}));
    Write(dir, "bits.hips", Hips2(2, 9, 1, 31, {0xA5, 0x01, 0x5A, 0x80}));
}

void IcoSeeds(const std::filesystem::path& dir) {
    Write(dir, "dib.ico", IcoQuadrants(false));
    Write(dir, "png.ico", IcoQuadrants(true));
    BmpLayout s;
    s.Width = 2, s.Height = 2, s.BitCount = 32;
    s.Data = {255, 0, 0, 255, 0, 0, 0, 0, 0, 0, 255, 255, 0, 255, 0, 102};
    Write(dir, "alpha.ico", IcoDib(s, std::vector<std::uint8_t>(8, 0)));
    s.BitCount = 4, s.Palette = {0xFF0000, 0x00FF00, 0x0000FF, 0x808080};
    s.Data = {0x23, 0, 0, 0, 0x01, 0, 0, 0};
    Write(dir, "mask.ico", IcoDib(s, {0x80, 0, 0, 0, 0, 0, 0, 0}));
}

void GifSeeds(const std::filesystem::path& dir) {
    GifLayout s;
    s.ScreenWidth = 4, s.ScreenHeight = 3, s.Left = 1, s.Top = 1, s.Width = 2, s.Height = 2;
    s.Palette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}, s.Indices = {0, 1, 2, 3},
    s.Transparent = 3;
    Write(dir, "offset.gif", Gif(s));
    s.ScreenWidth = 3, s.ScreenHeight = 9, s.Left = s.Top = 0, s.Width = 3, s.Height = 9;
    s.Interlaced = true, s.Transparent = -1, s.Indices.clear();
    for (int i = 0; i < 27; i++) s.Indices.push_back(std::uint8_t(i % 4));
    Write(dir, "interlaced.gif", Gif(s));
}

void JpegSeeds(const std::filesystem::path& dir) {
    const Bytes plain = JpegRgb(Quadrants(16, 8), 80);
    Write(dir, "rgb.jpg", plain);
    Write(dir, "exif6.jpg", WithExifOrientation(plain, 6, false));
    Write(dir, "exif7be.jpg", WithExifOrientation(plain, 7, true));
    Write(dir, "grey.jpg", JpegGrey(8, 8, 100));
    const std::uint8_t cmyk[4] = {10, 200, 30, 40};
    Write(dir, "ycck.jpg", JpegCmykAdobe(8, 8, cmyk));
}

// EXIF blocks in both byte orders, with a preview and a position, and one inside a JPEG.
void ExifSeeds(const std::filesystem::path& dir) {
    TExifSample sample;
    sample.Thumbnail = JpegRgb(Quadrants(8, 8));
    Write(dir, "intel.exif", ExifPayload(sample));
    sample.BigEndian = true;
    sample.Thumbnail.clear();
    Write(dir, "motorola.exif", ExifPayload(sample));
    Write(dir, "in.jpg", WithExif(JpegRgb(Quadrants(8, 8)), ExifPayload(sample)));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path out = argv[1];
    BmpSeeds(out / "bmp");
    PcxSeeds(out / "pcx");
    HipsSeeds(out / "hips");
    IcoSeeds(out / "ico");
    JpegSeeds(out / "jpeg");
    GifSeeds(out / "gif");
    ExifSeeds(out / "exif");
    return 0;
}
