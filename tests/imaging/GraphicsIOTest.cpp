// The picture facility: image names, the open-picture filter, choosing a reader and its failures.
#include <gtest/gtest.h>

#include <filesystem>

#include "PictureSamples.h"
#include "RecordingMessages.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "imaging/GraphicsIO.h"
#include "support/TempDir.h"

namespace fsc {
namespace {

using namespace fsc::test;

std::string LoadError(const std::string& name) {
    try {
        LoadPicture(name);
    } catch (const EFscError& error) {
        return error.what();
    }
    return "(no error)";
}

TEST(GraphicsIO, ImageNamesByExtensionIgnoringCase) {
    struct Case {
        const char* Name;
        bool Image;
    } cases[] = {
        {"PHOTO.JPG", true}, {"photo.jpeg", true}, {"x.Png", true},       {"a/b.bmp", true},
        {"x.jp2", true},     {"x.JPC", true},      {"drawing.EMF", true}, {"clip.wmf", true},
        {"icon.ico", true},  {"x.gif", true},      {"scan.TIF", true},    {"x.tiff", true},
        {"x.webp", true},    {"IMG_1.HEIC", true}, {"x.heif", true},      {"x.avif", true},
        {"IMG_2.CR2", true}, {"x.nef", true},      {"x.arw", true},       {"x.DNG", true},
        {"x.pcx", false},    {"x.hips", false},    {"jpg", false},        {"x.jpg.txt", false},
        {"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsImageName(c.Name), c.Image) << c.Name;
}

TEST(GraphicsIO, OpenPictureFilterListsEveryReaderInOrder) {
    TPictureFormats formats;
    EXPECT_EQ(OpenPictureFilter(formats),
              "All images (*.wmf;*.emf;*.jpg;*.jpeg;*.jpe;*.png;*.hips;*.hip;*.bmp;*.pcx;*.webp;"
              "*.tif;*.tiff;*.heic;*.heif;*.avif;*.cr2;*.nef;*.arw;*.dng)|"
              "*.wmf;*.emf;*.jpg;*.jpeg;*.jpe;*.png;*.hips;*.hip;*.bmp;*.pcx;*.webp;*.tif;*.tiff;"
              "*.heic;*.heif;*.avif;*.cr2;*.nef;*.arw;*.dng|"
              "JPEG encoded (*.jpg;*.jpeg;*.jpe)|*.jpg;*.jpeg;*.jpe|"
              "Portable network graphic (*.png)|*.png|"
              "DTU HIPS image (*.hips)|*.hips;*.hip|"
              "Windows bitmap (*.bmp)|*.bmp|"
              "PCX image (*.pcx)|*.pcx|"
              "WebP image (*.webp)|*.webp|"
              "TIFF image (*.tif;*.tiff)|*.tif;*.tiff|"
              "HEIF image (*.heic;*.heif)|*.heic;*.heif|"
              "AVIF image (*.avif)|*.avif|"
              "Camera raw preview (*.cr2;*.nef;*.arw;*.dng)|*.cr2;*.nef;*.arw;*.dng|"
              "Windows Meta File (*.emf,*.wmf)|*.wmf;*.emf;|");
    EXPECT_STREQ(JpegSaveFilter, "JPEG encoded (*.jpg)|*.jpg");
}

TEST(GraphicsIO, ReaderIsChosenByExtension) {
    TPictureFormats formats;
    struct Case {
        const char* Name;
        const char* Patterns;  // of the chosen reader, "" for none
    } cases[] = {
        {"a.jpg", "*.jpg;*.jpeg;*.jpe"},
        {"A.JPE", "*.jpg;*.jpeg;*.jpe"},
        {"b.PNG", "*.png"},
        {"c.hip", "*.hips;*.hip"},
        {"c.Hips", "*.hips;*.hip"},
        {"d.bmp", "*.bmp"},
        {"e.pcx", "*.pcx"},
        {"f.gif", ""},
        {"g.ico", ""},
        {"jpg", ""},
    };
    for (const Case& c : cases) {
        const TPictureFormat* format = formats.Find(c.Name);
        EXPECT_EQ(format ? format->Patterns : "", c.Patterns) << c.Name;
    }
}

TEST(GraphicsIO, LoadPictureReadsEveryBuiltInFormat) {
    TempDir dir;
    const TBitmap quadrants = Quadrants(8, 8);
    BmpLayout bmp;
    bmp.Width = bmp.Height = 8;
    for (int y = 7; y >= 0; y--)
        for (int x = 0; x < 8; x++) {
            const std::uint8_t* p = quadrants.Row(y) + x * 3;
            bmp.Data.insert(bmp.Data.end(), {p[2], p[1], p[0]});
        }
    PngLayout png;
    png.Width = png.Height = 8;
    for (int y = 0; y < 8; y++) png.Rows.emplace_back(quadrants.Row(y), quadrants.Row(y) + 24);
    const std::vector<std::uint8_t> planes = [&] {
        std::vector<std::uint8_t> data;
        for (int c = 0; c < 3; c++)
            for (int i = 0; i < 64; i++) data.push_back(quadrants.Pixels[std::size_t(i) * 3 + c]);
        return data;
    }();
    PcxLayout pcx;
    pcx.Width = pcx.Height = 8, pcx.Planes = 3, pcx.BytesPerLine = 8;
    std::vector<std::uint8_t> raw;
    for (int y = 0; y < 8; y++)
        for (int c = 0; c < 3; c++)
            for (int x = 0; x < 8; x++) raw.push_back(quadrants.Row(y)[x * 3 + c]);
    pcx.Data = PcxRle(raw);
    struct Case {
        const char* Name;
        Bytes File;
    } cases[] = {
        {"q.JPG", JpegRgb(quadrants, 100)},    {"q.bmp", Bmp(bmp)}, {"q.png", Png(png)},
        {"q.hips", Hips2(8, 8, 3, 0, planes)}, {"q.pcx", Pcx(pcx)},
    };
    for (const Case& c : cases) {
        WriteFileBytes(dir / c.Name, c.File);
        const TBitmap picture = LoadPicture(dir / c.Name);
        ASSERT_EQ(picture.Width, 8) << c.Name;
        ASSERT_EQ(picture.Height, 8) << c.Name;
        // Red, green, blue and white quadrants, clockwise from the top left.
        const struct {
            int X, Y;
            std::uint32_t Rgb;
        } corners[] = {{1, 1, 0xFF0000}, {6, 1, 0x00FF00}, {6, 6, 0x0000FF}, {1, 6, 0xFFFFFF}};
        for (const auto& at : corners)
            EXPECT_TRUE(Near(picture, at.X, at.Y, at.Rgb, 8))
                << c.Name << " at " << at.X << "," << at.Y << ": "
                << PixelText(picture, at.X, at.Y);
    }
}

TEST(GraphicsIO, LoadPictureFailures) {
    TempDir dir;
    WriteFileBytes(dir / "garbage.bmp", "not a bitmap at all");
    WriteFileBytes(dir / "x.gif", "GIF89a");
    WriteFileBytes(dir / "x.ico", Bytes(30, '\0'));
    std::filesystem::create_directory(dir / "folder.jpg");
    struct Case {
        std::string Name;
        std::string Message;
    } cases[] = {
        {"", "No file name"},
        {dir / "x.gif", "Unsupported file format"},
        {dir / "x.ico", "Unsupported file format"},  // only a plug-in reads icons
        {dir / "missing.jpg", "Unable to open file"},
        {dir / "folder.jpg", "Unable to open file"},
        {dir.Path(), "Unsupported file format"},
        {dir / "garbage.bmp", "Not a BMP file"},
    };
    for (const Case& c : cases) EXPECT_EQ(LoadError(c.Name), c.Message) << "\"" << c.Name << "\"";
}

TEST(GraphicsIO, IsValidImage) {
    TempDir dir;
    WriteFileBytes(dir / "good.png", [] {
        PngLayout layout;
        layout.Rows = {{1, 2, 3}};
        return Png(layout);
    }());
    WriteFileBytes(dir / "bad.png", "\x89PNG broken");
    WriteFileBytes(dir / "drawing.EMF", "not even a metafile");

    RecordingMessages messages;
    EXPECT_FALSE(IsValidImage(dir / "missing.png", true, &messages));
    EXPECT_TRUE(IsValidImage(dir / "good.png", true, &messages));
    EXPECT_TRUE(IsValidImage(dir / "drawing.EMF", true, &messages)) << "metafiles are not read";
    EXPECT_TRUE(messages.Boxes.empty());

    EXPECT_THROW(IsValidImage(dir / "bad.png", false, &messages), EFSC_Exception);
    EXPECT_TRUE(messages.Boxes.empty()) << "no box without report";
    try {
        IsValidImage(dir / "bad.png", true, &messages);
        ADD_FAILURE() << "a damaged file must not pass";
    } catch (const EFSC_Exception& error) {
        EXPECT_EQ(std::string(error.what()), "Not a PNG file");
    }
    EXPECT_EQ(messages.Boxes, std::vector<std::string>{"ERROR: Not a valid image!"});
}

TEST(GraphicsIO, NoticesOfAPartlyLoadedPictureReachTheUser) {
    TempDir dir;
    WriteFileBytes(dir / "five.hips", Hips2(2, 2, 5, 0, std::vector<std::uint8_t>(20, 9)));
    RecordingMessages messages;
    const TBitmap picture = LoadPicture(dir / "five.hips", &messages);
    EXPECT_EQ(picture.Width, 2);
    EXPECT_EQ(
        messages.Boxes,
        std::vector<std::string>{"Message: The image contains 5 color planes, only 3 were loaded"});
}

}  // namespace
}  // namespace fsc
