// Wide-gamut photos (Display P3 from phones, Adobe RGB from cameras) through
// "folioscope-cli build": their copies hold the colours lcms2 itself gives for them in sRGB,
// and an untagged picture keeps its colours as they are.
#include <gtest/gtest.h>
#include <lcms2.h>
#include <zlib.h>

#include <array>
#include <memory>

#include "base/Files.h"
#include "e2e/CliGallery.h"
#include "imaging/GraphicsIO.h"
#include "imaging/PictureSamples.h"

namespace fsc::test {
namespace {

using TColour = std::array<std::uint8_t, 3>;
// Mid tones, which every one of these spaces moves by more than JPEG's error.
const std::array<TColour, 4> Colours{
    {{200, 60, 40}, {60, 170, 80}, {50, 80, 190}, {220, 200, 120}}};

// Four quarters, top left, top right, bottom left, bottom right.
TBitmap FourColours(int width, int height) {
    TBitmap picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const TColour& colour = Colours[(y * 2 >= height ? 2 : 0) + (x * 2 >= width ? 1 : 0)];
            std::copy(colour.begin(), colour.end(), picture.Row(y) + x * 3);
        }
    return picture;
}

struct ProfileClose {
    void operator()(void* profile) const { cmsCloseProfile(profile); }
};
using TProfile = std::unique_ptr<void, ProfileClose>;

TProfile RgbProfile(cmsCIExyYTRIPLE primaries, cmsToneCurve* curve) {
    const cmsCIExyY d65{0.3127, 0.3290, 1.0};
    cmsToneCurve* curves[3] = {curve, curve, curve};
    TProfile profile(cmsCreateRGBProfile(&d65, &primaries, curves));
    cmsFreeToneCurve(curve);
    return profile;
}

TProfile DisplayP3() {
    const cmsFloat64Number srgb[5] = {2.4, 1.0 / 1.055, 0.055 / 1.055, 1.0 / 12.92, 0.04045};
    return RgbProfile({{0.680, 0.320, 1}, {0.265, 0.690, 1}, {0.150, 0.060, 1}},
                      cmsBuildParametricToneCurve(nullptr, 4, srgb));
}

TProfile AdobeRgb() {
    return RgbProfile({{0.64, 0.33, 1}, {0.21, 0.71, 1}, {0.15, 0.06, 1}},
                      cmsBuildGamma(nullptr, 563.0 / 256.0));
}

std::string SaveProfile(void* profile, const std::string& path) {
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    std::string bytes(size, '\0');
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    WriteFileBytes(path, bytes);
    return path;
}

// What lcms2 makes of the colours in sRGB, perceptual intent.
std::array<TColour, 4> InSrgb(void* profile) {
    const TProfile srgb(cmsCreate_sRGBProfile());
    cmsHTRANSFORM transform =
        cmsCreateTransform(profile, TYPE_RGB_8, srgb.get(), TYPE_RGB_8, INTENT_PERCEPTUAL, 0);
    std::array<TColour, 4> out{};
    cmsDoTransform(transform, Colours.data(), out.data(), 4);
    cmsDeleteTransform(transform);
    return out;
}

std::uint32_t BigEndian(std::uint32_t value) {
    return (value >> 24) | ((value >> 8) & 0xFF00) | ((value << 8) & 0xFF0000) | (value << 24);
}

// The PNG with an iCCP chunk holding the profile right after its header, as encoders put it.
std::string WithIccChunk(const std::string& png, const std::string& profile) {
    uLongf size = compressBound(uLong(profile.size()));
    std::string packed(size, '\0');
    compress(reinterpret_cast<Bytef*>(packed.data()), &size,
             reinterpret_cast<const Bytef*>(profile.data()), uLong(profile.size()));
    packed.resize(size);
    const std::string body = std::string("iCCP") + "Display P3" + '\0' + '\0' + packed;
    const std::uint32_t length = BigEndian(std::uint32_t(body.size() - 4));
    const std::uint32_t crc = BigEndian(
        std::uint32_t(crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()))));
    const std::size_t afterHeader = 8 + 8 + 13 + 4;
    return png.substr(0, afterHeader) + std::string(reinterpret_cast<const char*>(&length), 4) +
           body + std::string(reinterpret_cast<const char*>(&crc), 4) + png.substr(afterHeader);
}

void ExpectColours(const std::string& copy, const std::array<TColour, 4>& expected) {
    SCOPED_TRACE(copy);
    const TBitmap picture = LoadPicture(copy);
    ASSERT_FALSE(picture.Empty());
    // JPEG moves a flat colour by a few steps; the conversions under test move these by 20
    // and more.
    constexpr int Tolerance = 6;
    for (int quarter = 0; quarter < 4; ++quarter) {
        const int x = picture.Width * (quarter % 2 == 0 ? 1 : 3) / 4;
        const int y = picture.Height * (quarter < 2 ? 1 : 3) / 4;
        const TColour& want = expected[std::size_t(quarter)];
        EXPECT_TRUE(
            Near(picture, x, y, std::uint32_t(want[0]) << 16 | want[1] << 8 | want[2], Tolerance))
            << "quarter " << quarter << ": " << PixelText(picture, x, y) << " instead of "
            << int(want[0]) << "," << int(want[1]) << "," << int(want[2]);
    }
}

TEST(CliColourProfile, WideGamutPhotosAreConvertedToSrgbAndUntaggedOnesLeftAlone) {
    TCliRun run;
    const std::string work = run.Root / "work", photos = run.Root / "photos";
    ForceDirectories(work);
    ForceDirectories(photos);
    const TProfile p3 = DisplayP3(), adobe = AdobeRgb();
    const std::string p3File = SaveProfile(p3.get(), work + "/p3.icc");
    const std::string adobeFile = SaveProfile(adobe.get(), work + "/adobe.icc");
    WriteFileBytes(work + "/four.ppm", PpmFileBytes(FourColours(64, 32)));
    // A phone's JPEG in Display P3, embedded by libjpeg-turbo's encoder.
    RunTool({"cjpeg", "-quality", "98", "-sample", "1x1", "-icc", p3File, "-outfile",
             photos + "/phone.jpg", work + "/four.ppm"});
    // A camera's TIFF in Adobe RGB, the profile in its own tag.
    RunTool({"ppm2tiff", work + "/four.ppm", photos + "/camera.tif"});
    RunTool({"exiftool", "-q", "-overwrite_original", "-ICC_Profile<=" + adobeFile,
             photos + "/camera.tif"});
    // WebP in Adobe RGB and AVIF in Display P3, as their tools embed a profile.
    RunTool({"cwebp", "-quiet", "-lossless", work + "/four.ppm", "-o", work + "/plain.webp"});
    RunTool(
        {"webpmux", "-set", "icc", adobeFile, work + "/plain.webp", "-o", photos + "/web.webp"});
    WriteFileBytes(work + "/four.png", PngFileBytes(FourColours(64, 32)));
    RunTool(
        {"avifenc", "--lossless", "--icc", p3File, work + "/four.png", photos + "/tablet.avif"});
    // AVIF naming Display P3 by its code points (primaries 12, sRGB's curve) instead.
    RunTool(
        {"avifenc", "--lossless", "--cicp", "12/13/0", work + "/four.png", photos + "/coded.avif"});
    // PNG in Display P3, its profile in the iCCP chunk.
    WriteFileBytes(photos + "/edited.png",
                   WithIccChunk(PngFileBytes(FourColours(64, 32)), ReadFileBytes(p3File)));
    // An untagged picture.
    RunTool({"ppm2tiff", work + "/four.ppm", photos + "/untagged.tif"});

    const std::string out = run.Root / "gallery";
    const auto result = run.Build({"--images", photos, "--html-dir", out, "--html-file",
                                   "index.html", "--set", "IMAGEDORESIZE=true", "--set",
                                   "IMAGEWIDTH=48", "--set", "IMAGEHEIGHT=48", "--quiet"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;

    ExpectColours(out + "/images/phone.jpg", InSrgb(p3.get()));
    ExpectColours(out + "/images/camera.jpg", InSrgb(adobe.get()));
    ExpectColours(out + "/images/web.jpg", InSrgb(adobe.get()));
    ExpectColours(out + "/images/tablet.jpg", InSrgb(p3.get()));
    ExpectColours(out + "/images/coded.jpg", InSrgb(p3.get()));
    ExpectColours(out + "/images/edited.jpg", InSrgb(p3.get()));
    ExpectColours(out + "/images/untagged.jpg", Colours);
}

}  // namespace
}  // namespace fsc::test
