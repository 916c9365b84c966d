// Writes the seed corpus of the fuzz targets: one folder per target of small valid and odd
// files, the program's own files written by the program's own writers.
#include <libheif/heif.h>
#include <tiffio.h>
#include <webp/encode.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/AddImages.h"
#include "app/GalleryProject.h"
#include "app/ImageListPanel.h"
#include "app/ImageSet.h"
#include "app/VerifiedPictures.h"
#include "base/Files.h"
#include "base/TStringList.h"
#include "base/TabFields.h"
#include "engine/BuildHistory.h"
#include "engine/ImageCache.h"
#include "engine/TBuildJournal.h"
#include "ftp/SyncManifest.h"
#include "imaging/DngSample.h"
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

// Lossy and lossless, each written by libwebp's own encoder.
void WebpSeeds(const std::filesystem::path& dir) {
    const fsc::TBitmap picture = Quadrants(16, 8);
    std::uint8_t* out = nullptr;
    std::size_t size = WebPEncodeRGB(picture.Pixels.data(), 16, 8, 48, 80, &out);
    Write(dir, "lossy.webp", Bytes(reinterpret_cast<char*>(out), size));
    WebPFree(out);
    size = WebPEncodeLosslessRGB(picture.Pixels.data(), 16, 8, 48, &out);
    Write(dir, "lossless.webp", Bytes(reinterpret_cast<char*>(out), size));
    WebPFree(out);
}

// RGB stored plainly and LZW-compressed, the second turned, written by libtiff.
void TiffSeeds(const std::filesystem::path& dir) {
    std::filesystem::create_directories(dir);
    const fsc::TBitmap picture = Quadrants(16, 8);
    for (const auto& [name, compression, orientation] :
         {std::tuple{"plain.tif", COMPRESSION_NONE, 1}, {"lzw6.tif", COMPRESSION_LZW, 6}}) {
        TIFF* tiff = TIFFOpen((dir / name).c_str(), "w");
        TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, 16);
        TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, 8);
        TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
        TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
        TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        TIFFSetField(tiff, TIFFTAG_COMPRESSION, compression);
        TIFFSetField(tiff, TIFFTAG_ORIENTATION, orientation);
        for (int y = 0; y < 8; ++y)
            TIFFWriteScanline(tiff, const_cast<std::uint8_t*>(picture.Row(y)), std::uint32_t(y));
        TIFFClose(tiff);
    }
}

// HEIC and AVIF, written by libheif's own encoders.
void HeifSeeds(const std::filesystem::path& dir) {
    std::filesystem::create_directories(dir);
    const fsc::TBitmap picture = Quadrants(16, 8);
    for (const auto& [name, compression] :
         {std::pair{"small.heic", heif_compression_HEVC}, {"small.avif", heif_compression_AV1}}) {
        heif_context* context = heif_context_alloc();
        heif_encoder* encoder = nullptr;
        heif_image* image = nullptr;
        heif_image_handle* handle = nullptr;
        if (heif_context_get_encoder_for_format(context, compression, &encoder).code ==
                heif_error_Ok &&
            heif_image_create(16, 8, heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image)
                    .code == heif_error_Ok) {
            heif_image_add_plane(image, heif_channel_interleaved, 16, 8, 8);
            int stride = 0;
            std::uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
            for (int y = 0; y < 8; ++y)
                std::copy(picture.Row(y), picture.Row(y) + 48, plane + y * stride);
            if (heif_context_encode_image(context, image, encoder, nullptr, &handle).code ==
                heif_error_Ok)
                heif_context_write_to_file(context, (dir / name).c_str());
        }
        if (handle != nullptr) heif_image_handle_release(handle);
        if (image != nullptr) heif_image_release(image);
        if (encoder != nullptr) heif_encoder_release(encoder);
        heif_context_free(context);
    }
}

// A DNG with its preview turned, and one whose sensor data is cut short.
void RawSeeds(const std::filesystem::path& dir) {
    std::filesystem::create_directories(dir);
    WriteDng((dir / "turned.dng").string(), Quadrants(16, 8), 6, 16, 8);
    const std::string whole = fsc::ReadFileBytes((dir / "turned.dng").string());
    Write(dir, "cut.dng", whole.substr(0, whole.size() - 100));
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

namespace fs = std::filesystem;

const std::string Shipped = FSC_SOURCE_DATA_DIR;

void CopyInto(const fs::path& dir, const fs::path& file) {
    fs::create_directories(dir);
    fs::copy_file(file, dir / file.filename(), fs::copy_options::overwrite_existing);
}

// A text as the fuzzers' input splitter reads a string: backslashes doubled, ended by a
// backslash and another character.
std::string Piece(const std::string& text) {
    std::string piece;
    for (char c : text) piece += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return piece + "\\n";
}

std::string FirstLineRemoved(const std::string& text) { return text.substr(text.find('\n') + 1); }

class TQuietMessages final : public fsc::IMessages {
public:
    void ShowError(const std::string&) override {}
    void ShowInformation(const std::string&) override {}
    void ShowMessage(const std::string&) override {}
};

// Two real pictures added the way the image list adds them.
fsc::TThumbnailArray TwoImages(const fs::path& work) {
    fs::create_directories(work / "pictures");
    fsc::TThumbnailArray images;
    for (const char* name : {"a.jpg", "b.jpg"}) {
        const fs::path path = work / "pictures" / name;
        fs::copy_file(Shipped + "/Templates/Frames.jpg", path);
        fsc::AddOneFile(images, path.string());
    }
    images[1].Hint = "a hint";
    images[1].Description = "first line\r\nsecond line";
    images[1].FieldA = "<b>field</b>";
    return images;
}

void TemplateSeeds(const fs::path& dir) {
    for (const fs::directory_entry& entry : fs::directory_iterator(Shipped + "/Templates")) {
        if (entry.path().extension() == ".tpl") CopyInto(dir, entry.path());
    }
}

void RtfSeeds(const fs::path& dir) {
    for (const fs::directory_entry& entry : fs::directory_iterator(Shipped)) {
        if (entry.path().extension() == ".rtf") CopyInto(dir, entry.path());
    }
    Write(dir, "styles.rtf",
          "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\*\\generator x;}\\b bold\\b0 \\i it\\i0\\par "
          "\\tab caf\\'e9 \\{x\\}\\u8364?}");
}

void CommaTextSeeds(const fs::path& dir) {
    Write(dir, "plain.txt", fsc::ToCommaText({"jpg", "jpeg", "png"}));
    Write(dir, "quoted.txt", fsc::ToCommaText({"a b", "say \"hi\"", "", "x,y", "tab\there"}));
    Write(dir, "empty.txt", fsc::ToCommaText({""}));
}

void ListingSeeds(const fs::path& dir) {
    Write(dir, "unix.txt",
          "total 12\r\n"
          "drwxr-xr-x   2 user  group 4096 Jan  5 10:30 pics\r\n"
          "-rw-r--r--   1 user  group 5000000000 Feb 29  2020 big holiday.mp4\r\n"
          "lrwxrwxrwx   1 user  group    9 Dec 31 23:59 link -> index.html\r\n");
    Write(dir, "short.txt", "-rw-r--r-- 1 u g 10 Jan 5 2001 a\n");
}

void ReplySeeds(const fs::path& dir) {
    Write(dir, "login.txt",
          "220-Welcome\r\n220 ready\r\n331 password\r\n230 in\r\n"
          "257 \"/home/\"\"q\"\"\" is current\r\n227 Entering Passive Mode (127,0,0,1,4,1)\r\n"
          "229 Entering Extended Passive Mode (|||6446|)\r\n150-a\r\n 150 b\r\n150 done\n");
}

void SyncManifestSeeds(const fs::path& dir) {
    const std::string hash(64, 'a');
    Write(dir, "manifest.txt",
          fsc::ManifestText({{"index.html", {1234, hash}},
                             {"images/a b.jpg", {5000000000, std::string(64, '0')}},
                             {"tab\there/page 2.html", {0, hash}}}));
    Write(dir, "empty.txt", fsc::ManifestText({}));
}

void ImageSetSeeds(const fs::path& dir, const fs::path& work) {
    fsc::TThumbnailArray images = TwoImages(work / "set");
    fsc::WriteImageSetInfos(images, (work / "infos.set").string());
    CopyInto(dir, work / "infos.set");
    fsc::TSilentProgress progress;
    fsc::WriteImageSetWithImages(images, (work / "with.set").string(), progress);
    CopyInto(dir, work / "with.set");
}

void ProjectSeeds(const fs::path& dir, const fs::path& work) {
    fsc::Workspace ws;
    ws.Images = TwoImages(work / "project");
    ws.Main.HTMLDir = (work / "site").string();
    ws.Main.HTMLFile = "gallery";
    TQuietMessages messages;
    fsc::TSilentProgress progress;
    const std::string project = (work / "my.gal").string();
    fsc::SaveGalleryProject(ws, project, messages, progress);
    Write(dir, "saved.bin",
          Piece(fsc::ReadFileBytes(project)) +
              Piece(fsc::ReadFileBytes(project + ".dir/" + fsc::ProjectTemplateFile)) +
              fsc::ReadFileBytes(project + ".dir/" + fsc::ProjectImageSetFile));
}

void HistorySeeds(const fs::path& dir, const fs::path& work) {
    const std::string backup = (work / "backup.html").string();
    fsc::WriteFileBytes(backup, "old page");
    std::string journal;
    {
        const auto history = fsc::TBuildHistory::Lock((work / "histories").string(),
                                                      (work / "site/index.html").string());
        fsc::THistoryBuild first;
        first.StartTime = 1;
        first.Finished = false;
        history->Rewrite({first});
        history->AddCreated((work / "site/index.html").string());
        history->AddBackup(backup, (work / "site/page2.html").string());
        history->AddOutputs({(work / "site/index.html").string()});
        history->FinishBuild();
        history->CreatedFilesDeleted();
        history->Restored(backup);
        journal = fsc::ReadFileBytes(fs::path(history->Folder()) / fsc::HistoryFileName);
    }
    // As read, and with the checks left for the target to add.
    Write(dir, "journal.bin", "\x01" + journal);
    std::string bodies = "\x02";
    for (const std::string& line : fsc::SplitLines(journal))
        bodies += line.substr(0, line.rfind('\t')) + "\n";
    Write(dir, "bodies.bin", bodies);
}

void ImageCacheSeeds(const fs::path& dir, const fs::path& work) {
    const std::string output = (work / "cached.jpg").string();
    fsc::WriteFileBytes(output, "jpeg");
    const std::string folder = (work / "cache").string();
    fsc::TImageCache cache = fsc::TImageCache::Open(folder, "/fuzz/images");
    cache.Record(
        output, {"/pictures/a b.jpg", {1000, 1700000000}, "800x600 q80", {}, {800, 600}, {70, 52}});
    cache.Record(output + "\tthumb", {"/pictures/c\\d.jpg", {5, 6}, "", {}, {1, 1}, {0, 0}});
    cache.Save();
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        Write(dir, "cache.txt", FirstLineRemoved(fsc::ReadFileBytes(entry.path().string())));
}

void VerifiedSeeds(const fs::path& dir, const fs::path& work) {
    fsc::TVerifiedPictures list = fsc::TVerifiedPictures::Open((work / "verified").string());
    list.Add("/pictures/a.jpg", {1000, 1700000000});
    list.Add("/pictures/tab\tand\\back.jpg", {0, -5});
    list.Save();
    CopyInto(dir, work / "verified/verified-pictures");
}

// The shipped templates' page skeletons and schemes, in the order the pages target reads them.
void PageSeeds(const fs::path& dir) {
    for (const char* name : {"Classic", "Modern", "Frames", "Slideshow"}) {
        const fs::path folder = Shipped + "/Templates/" + name + ".tpl.dir";
        std::string seed;
        for (const char* file :
             {"index.html", "image.html", "scheme.ths", "scheme.ims", "scheme.gls", "scheme.nvs"}) {
            seed += Piece(fs::exists(folder / file) ? fsc::ReadFileBytes((folder / file).string())
                                                    : std::string());
        }
        // Settings and images from what is left: a few of every kind.
        seed += std::string(64, '\x03') + std::string(64, '\x41');
        Write(dir, std::string(name) + ".bin", seed);
    }
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
    WebpSeeds(out / "webp");
    TiffSeeds(out / "tiff");
    HeifSeeds(out / "heif");
    RawSeeds(out / "raw");
    ExifSeeds(out / "exif");
    TemplateSeeds(out / "template");
    RtfSeeds(out / "rtf");
    CommaTextSeeds(out / "comma_text");
    ListingSeeds(out / "listing");
    ReplySeeds(out / "ftp_replies");
    SyncManifestSeeds(out / "sync_manifest");
    PageSeeds(out / "pages");
    // The program's own files are written in a work folder and copied from there.
    const fs::path work = fs::absolute(out / "work");
    fs::remove_all(work);
    ImageSetSeeds(out / "image_set", work);
    ProjectSeeds(out / "project", work);
    HistorySeeds(out / "history", work);
    ImageCacheSeeds(out / "image_cache", work);
    VerifiedSeeds(out / "verified_pictures", work);
    fs::remove_all(work);
    return 0;
}
