// The photos' EXIF data through "folioscope-cli build": what the copies keep, what "remove
// location data" takes out, and the picture data tags on the pages.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "base/Files.h"
#include "base/TDateTime.h"
#include "e2e/CliGallery.h"
#include "imaging/ExifSamples.h"
#include "imaging/ExifSegment.h"

namespace fsc::test {
namespace {

// A camera's photo stored sideways (orientation 6) with its preview and GPS position, and
// a photo without any EXIF block.
struct TPhotos {
    std::string Folder, Turned, Plain;
};

TPhotos WritePhotos(const std::string& folder) {
    ForceDirectories(folder);
    TExifSample sample;
    sample.Thumbnail = JpegRgb(Quadrants(32, 24));
    TPhotos photos{folder, folder + "/turned.jpg", folder + "/plain.jpg"};
    WriteFileBytes(photos.Turned, WithExif(JpegRgb(Quadrants(400, 300)), ExifPayload(sample)));
    WriteFileBytes(photos.Plain, JpegRgb(Quadrants(120, 80)));
    return photos;
}

// A template whose image pages and thumbnail cells show every picture data tag.
std::string WriteTagTemplate(const std::string& folder) {
    const std::string path = folder + "/Tags.tpl";
    ForceDirectories(path + ".dir");
    WriteFileBytes(path, "USEIMAGEASHTML=true\r\n");
    WriteFileBytes(
        path + ".dir/scheme.ims",
        "<!-IMAGE-><p id=\"data\"><!-DATETAKEN-> | <!-CAMERA-> | <!-LENS-> | "
        "<!-EXPOSURE-> | <!-APERTURE-> | <!-ISO-> | <!-FOCALLENGTH-> | <!-GPS-></p>\r\n");
    WriteFileBytes(path + ".dir/scheme.ths", "<!-THUMB-><i><!-CAMERA-> [<!-GPS->]</i>\r\n");
    return path;
}

const std::string TakenText = ShortDateString(EncodeDateTime(2021, 7, 14, 10, 30, 5));
const std::string AllData =
    TakenText + " | Canon EOS 5D | EF35mm f/2 | 1/250 s | f/5.6 | 400 | 35 mm | ";
const std::string Position = "48.858222, 2.294500";
const std::vector<std::string> CLocale{"LC_ALL=C"};

std::string PageOf(const std::string& out, const std::string& name) {
    return ReadFileBytes(out + "/images/image_" + name + ".html");
}

TEST(CliExif, EncodedCopiesKeepTheirDataUprightWithoutPreviewOrLocation) {
    TCliRun run;
    const TPhotos photos = WritePhotos(run.Root / "photos");
    const std::string out = run.Root / "modern";
    const auto result =
        run.Build({"--images", photos.Folder, "--html-dir", out, "--html-file", "index.html",
                   "--template", "Modern", "--set", "IMAGEDORESIZE=true", "--set", "IMAGEWIDTH=200",
                   "--set", "IMAGEHEIGHT=200", "--quiet"},
                  CLocale);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;

    const std::string copy = out + "/images/turned.jpg";
    EXPECT_EQ(PictureSize(copy).Width, 150) << "turned upright, then shrunk";
    TExifDataPtr exif = ExifOfFile(copy);
    ASSERT_TRUE(exif) << "the copy lost its EXIF block";
    EXPECT_EQ(ExifText(exif.get(), EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_ORIGINAL),
              "2021:07:14 10:30:05");
    EXPECT_EQ(ExifText(exif.get(), EXIF_IFD_0, EXIF_TAG_MODEL), "Canon EOS 5D");
    EXPECT_EQ(ExifOrientationOf(exif.get()), 1);
    EXPECT_EQ(exif->ifd[EXIF_IFD_GPS]->count, 0u);
    EXPECT_EQ(exif->size, 0u) << "the camera's preview is still embedded";
    EXPECT_FALSE(ExifOfFile(out + "/images/plain.jpg")) << "no block is made up";

    // The shipped Modern template shows when and with what the photo was taken.
    const std::string page = PageOf(out, "turned.jpg");
    EXPECT_NE(page.find(TakenText + " Canon EOS 5D"), std::string::npos) << page;
    EXPECT_EQ(page.find(Position), std::string::npos);
}

TEST(CliExif, ByteCopiesLoseOnlyTheirLocationAndTheChoiceRemakesThem) {
    TCliRun run;
    const TPhotos photos = WritePhotos(run.Root / "photos");
    const std::string tags = WriteTagTemplate(run.Root / "templates");
    const std::string out = run.Root / "gallery";
    const std::vector<std::string> build{"--images",   photos.Folder, "--html-dir",
                                         out,          "--html-file", "index.html",
                                         "--template", tags,          "--quiet"};
    auto result = run.Build(build, CLocale);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;

    const std::string source = ReadFileBytes(photos.Turned);
    const std::string copyPath = out + "/images/turned.jpg";
    std::string copy = ReadFileBytes(copyPath);
    const auto sourceSegment = ExifSegmentOf(source);
    const auto copySegment = ExifSegmentOf(copy);
    ASSERT_TRUE(sourceSegment && copySegment);
    EXPECT_EQ(copy.substr(0, copySegment->Offset), source.substr(0, sourceSegment->Offset));
    EXPECT_EQ(copy.substr(copySegment->Offset + copySegment->Length),
              source.substr(sourceSegment->Offset + sourceSegment->Length))
        << "the picture data changed";
    TExifDataPtr exif = ExifOfFile(copyPath);
    ASSERT_TRUE(exif);
    EXPECT_EQ(exif->ifd[EXIF_IFD_GPS]->count, 0u);
    // The pixels are the source's, so their orientation and preview stay with them.
    EXPECT_EQ(ExifOrientationOf(exif.get()), 6);
    EXPECT_GT(exif->size, 0u);
    EXPECT_EQ(ExifText(exif.get(), EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_ORIGINAL),
              "2021:07:14 10:30:05");
    EXPECT_EQ(ReadFileBytes(out + "/images/plain.jpg"), ReadFileBytes(photos.Plain));

    EXPECT_NE(PageOf(out, "turned.jpg").find("<p id=\"data\">" + AllData + "</p>"),
              std::string::npos)
        << PageOf(out, "turned.jpg");
    EXPECT_NE(PageOf(out, "plain.jpg").find("<p id=\"data\"> |  |  |  |  |  |  | </p>"),
              std::string::npos);
    EXPECT_NE(ReadFileBytes(out + "/index.html").find("<i>Canon EOS 5D []</i>"), std::string::npos);

    // Unchanged: the copy is not made again, yet the pages still show the photo's data.
    const auto written = std::filesystem::last_write_time(copyPath);
    result = run.Build(build, CLocale);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(std::filesystem::last_write_time(copyPath), written);
    EXPECT_NE(PageOf(out, "turned.jpg").find(AllData), std::string::npos);

    // Keeping the location is a new choice: the copy is the photo itself again.
    std::vector<std::string> keep = build;
    keep.insert(keep.end(), {"--set", "REMOVELOCATION=false"});
    result = run.Build(keep, CLocale);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(ReadFileBytes(copyPath), source);
    EXPECT_NE(PageOf(out, "turned.jpg").find(AllData + Position + "</p>"), std::string::npos);
    EXPECT_NE(ReadFileBytes(out + "/index.html").find("<i>Canon EOS 5D [" + Position + "]</i>"),
              std::string::npos);
}

// --sort date: the camera's date first, a picture without one placed by its file's date.
TEST(CliExif, SortByDateFollowsTheCameraElseTheFileDate) {
    TCliRun run;
    const std::string folder = run.Root / "photos";
    ForceDirectories(folder);
    const auto photo = [&](const std::string& name, const std::string& taken) {
        TExifSample sample;
        sample.Taken = taken;
        WriteFileBytes(folder + "/" + name,
                       WithExif(JpegRgb(Quadrants(64, 48)), ExifPayload(sample)));
    };
    photo("a.jpg", "2023:05:01 09:00:00");
    photo("b.jpg", "2021:05:01 09:00:00");
    WriteFileBytes(folder + "/c.jpg", JpegRgb(Quadrants(64, 48)));
    // About four years before now: between the two cameras' dates.
    std::filesystem::last_write_time(
        folder + "/c.jpg",
        std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 365 * 4));
    const std::string out = run.Root / "out";
    const auto result = run.Build({"--images", folder, "--html-dir", out, "--html-file",
                                   "index.html", "--sort", "date", "--quiet"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const std::string index = ReadFileBytes(out + "/index.html");
    const std::size_t a = index.find("a_th.jpg"), b = index.find("b_th.jpg"),
                      c = index.find("c_th.jpg");
    ASSERT_NE(a, std::string::npos) << index;
    EXPECT_LT(b, c);
    EXPECT_LT(c, a);
}

}  // namespace
}  // namespace fsc::test
