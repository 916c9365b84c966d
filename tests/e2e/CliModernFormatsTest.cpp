// Photos from phones, cameras, scanners and the web, made by those formats' own tools and
// built through "folioscope-cli build": every one becomes an upright JPEG copy that keeps its
// EXIF data but not its position.
#include <gtest/gtest.h>

#include "base/Files.h"
#include "e2e/CliGallery.h"
#include "imaging/DngSample.h"
#include "imaging/ExifSamples.h"
#include "imaging/GraphicsIO.h"
#include "imaging/HeaderPictureBytes.h"

namespace fsc::test {
namespace {

constexpr std::uint32_t Red = 0xFF0000, Green = 0x00FF00, Blue = 0x0000FF, White = 0xFFFFFF;

// What the camera recorded, as the bare TIFF block WebP and AVIF files hold.
Bytes TiffExifBlock(int orientation) {
    TExifSample sample;
    sample.Orientation = orientation;
    return ExifPayload(sample).substr(6);
}

// The colours of the picture's four quarters, from the top left clockwise.
struct TCorners {
    std::uint32_t TopLeft, TopRight, BottomRight, BottomLeft;
};

void ExpectUprightCopy(const std::string& copy, int width, int height, TCorners corners) {
    SCOPED_TRACE(copy);
    const TBitmap picture = LoadPicture(copy);
    ASSERT_EQ(picture.Width, width);
    ASSERT_EQ(picture.Height, height);
    const int left = width / 4, right = width * 3 / 4, top = height / 4, bottom = height * 3 / 4;
    // Lossy coders and the JPEG copy move colours a little, never to another quarter's.
    constexpr int Tolerance = 48;
    EXPECT_TRUE(Near(picture, left, top, corners.TopLeft, Tolerance))
        << PixelText(picture, left, top);
    EXPECT_TRUE(Near(picture, right, top, corners.TopRight, Tolerance))
        << PixelText(picture, right, top);
    EXPECT_TRUE(Near(picture, right, bottom, corners.BottomRight, Tolerance))
        << PixelText(picture, right, bottom);
    EXPECT_TRUE(Near(picture, left, bottom, corners.BottomLeft, Tolerance))
        << PixelText(picture, left, bottom);
}

void ExpectCameraDataWithoutPosition(const std::string& copy) {
    SCOPED_TRACE(copy);
    TExifDataPtr exif = ExifOfFile(copy);
    ASSERT_TRUE(exif) << "the copy lost its EXIF block";
    EXPECT_EQ(ExifText(exif.get(), EXIF_IFD_0, EXIF_TAG_MODEL), "Canon EOS 5D");
    EXPECT_EQ(ExifText(exif.get(), EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_ORIGINAL),
              "2021:07:14 10:30:05");
    EXPECT_EQ(ExifOrientationOf(exif.get()), 1) << "the copy's pixels are upright";
    EXPECT_EQ(exif->ifd[EXIF_IFD_GPS]->count, 0u) << "the position was published";
}

// The camera's data and a position, written into a TIFF or raw file by exiftool.
void AddCameraData(const std::string& file) {
    RunTool({"exiftool", "-q", "-overwrite_original", "-Model=Canon EOS 5D",
             "-DateTimeOriginal=2021:07:14 10:30:05", "-GPSLatitude=48.1", "-GPSLatitudeRef=N",
             "-GPSLongitude=11.5", "-GPSLongitudeRef=E", file});
}

// 64 x 32 quarters, stored red, green / white, blue, in each format with its own way of
// saying how the picture is turned.
void WritePhotos(const std::string& folder) {
    ForceDirectories(folder);
    const TBitmap stored = Quadrants(64, 32);
    const std::string png = folder + "/../stored.png", exif = folder + "/../exif.tiff";
    WriteFileBytes(png, PngFileBytes(stored));

    // WebP: the EXIF chunk alone says the camera was held sideways.
    WriteFileBytes(exif, TiffExifBlock(6));
    RunTool({"cwebp", "-quiet", "-q", "95", png, "-o", folder + "/../plain.webp"});
    RunTool(
        {"webpmux", "-set", "exif", exif, folder + "/../plain.webp", "-o", folder + "/web.webp"});

    // AVIF: the file's own turn (90 degrees anticlockwise) with a block that records none.
    WriteFileBytes(exif, TiffExifBlock(1));
    RunTool({"avifenc", "--min", "0", "--max", "8", "--irot", "1", "--exif", exif, png,
             folder + "/phone.avif"});

    // HEIC from a camera JPEG: heif-enc carries the JPEG's EXIF block over.
    TExifSample sample;
    sample.Orientation = 1;
    const std::string jpeg = folder + "/../camera.jpg";
    WriteFileBytes(jpeg, WithExif(JpegRgb(stored), ExifPayload(sample)));
    RunTool({"heif-enc", "-q", "90", jpeg, "-o", folder + "/iphone.heic"});

    // TIFF from a scanner, LZW-compressed, stored turned (orientation 8).
    WriteFileBytes(folder + "/../stored.ppm", PpmFileBytes(stored));
    RunTool({"ppm2tiff", folder + "/../stored.ppm", folder + "/../raw.tif"});
    RunTool({"tiffcp", "-c", "lzw", folder + "/../raw.tif", folder + "/scan.tif"});
    AddCameraData(folder + "/scan.tif");
    // libtiff writes the changed directory after the pixels, as scanners' software does.
    RunTool({"tiffset", "-s", "274", "8", folder + "/scan.tif"});
}

TEST(CliModernFormats, PhoneCameraAndWebPhotosBuildUprightKeepingTheirExif) {
    TCliRun run;
    const std::string photos = run.Root / "photos/in";
    WritePhotos(photos);
    // Known before decoding, so that pictures decoded side by side share the memory budget
    // instead of each taking all of it.
    for (const char* name : {"web.webp", "phone.avif", "iphone.heic", "scan.tif"})
        EXPECT_EQ(HeaderPictureBytesOf(photos + "/" + name), 64u * 32 * 3) << name;
    const std::string out = run.Root / "gallery";
    const auto result =
        run.Build({"--images", photos, "--html-dir", out, "--html-file", "index.html", "--quiet"},
                  {"LC_ALL=C"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;

    // Turned clockwise: the stored bottom left comes to the top left.
    ExpectUprightCopy(out + "/images/web.jpg", 32, 64, {White, Red, Green, Blue});
    ExpectCameraDataWithoutPosition(out + "/images/web.jpg");
    // Turned anticlockwise, by the AVIF's own rotation.
    ExpectUprightCopy(out + "/images/phone.jpg", 32, 64, {Green, Blue, White, Red});
    ExpectCameraDataWithoutPosition(out + "/images/phone.jpg");
    // Not turned: HEIF leaves turning to its own rotation, which this file has none of.
    ExpectUprightCopy(out + "/images/iphone.jpg", 64, 32, {Red, Green, Blue, White});
    ExpectCameraDataWithoutPosition(out + "/images/iphone.jpg");
    ExpectUprightCopy(out + "/images/scan.jpg", 32, 64, {Green, Blue, White, Red});
    ExpectCameraDataWithoutPosition(out + "/images/scan.jpg");
    const std::string index = ReadFileBytes(out + "/index.html");
    for (const char* copy : {"web.jpg", "phone.jpg", "iphone.jpg", "scan.jpg"})
        EXPECT_NE(index.find(copy), std::string::npos) << copy;
}

TEST(CliModernFormats, RawFileBuildsFromItsPreviewUnlessItsJpegIsBeside) {
    TCliRun run;
    const std::string photos = run.Root / "photos";
    ForceDirectories(photos);
    WriteDng(photos + "/IMG_0001.DNG", Quadrants(64, 32), 6);
    AddCameraData(photos + "/IMG_0001.DNG");
    WriteDng(photos + "/IMG_0002.dng", Quadrants(64, 32), 1);
    WriteFileBytes(photos + "/IMG_0002.JPG", JpegRgb(Quadrants(40, 30)));
    EXPECT_EQ(HeaderPictureBytesOf(photos + "/IMG_0001.DNG"), 64u * 32 * 3);
    const std::string out = run.Root / "gallery";
    const auto result =
        run.Build({"--images", photos, "--html-dir", out, "--html-file", "index.html", "--quiet"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    ExpectUprightCopy(out + "/images/IMG_0001.jpg", 32, 64, {White, Red, Green, Blue});
    ExpectCameraDataWithoutPosition(out + "/images/IMG_0001.jpg");
    EXPECT_EQ(PictureSize(out + "/images/IMG_0002.jpg").Width, 40) << "the camera's own JPEG";
    EXPECT_FALSE(FileExists(out + "/images/IMG_0002_2.jpg")) << "the raw file came in twice";
}

TEST(CliModernFormats, DamagedPhotoStopsTheBuildNamingIt) {
    TCliRun run;
    const std::string photos = run.Root / "photos/in";
    WritePhotos(photos);
    for (const char* name : {"web.webp", "phone.avif", "iphone.heic", "scan.tif"}) {
        SCOPED_TRACE(name);
        const std::string path = photos + "/" + name;
        const std::string whole = ReadFileBytes(path);
        WriteFileBytes(path, whole.substr(0, whole.size() * 2 / 3));
        const auto result = run.Build({"--images", path, "--html-dir", run.Root / "gallery",
                                       "--html-file", "index.html", "--quiet"});
        EXPECT_EQ(result.ExitCode, 1);
        EXPECT_NE(result.Err.find(name), std::string::npos) << result.Err;
        WriteFileBytes(path, whole);
    }
}

}  // namespace
}  // namespace fsc::test
