// "Download original" through "folioscope-cli build --originals": what lands in originals/,
// what the pages link to, and that those files belong to the gallery like its copies.
#include <gtest/gtest.h>
#include <zlib.h>

#include "base/Files.h"
#include "e2e/CliGallery.h"
#include "imaging/ExifSamples.h"
#include "imaging/ExifSegment.h"
#include "imaging/PictureSamples.h"

namespace fsc::test {
namespace {

// A PNG whose XMP packet says where it was taken: nothing short of encoding it again takes
// that out.
std::string PngWithXmpPosition(const TBitmap& picture) {
    PngLayout layout;
    layout.Width = picture.Width;
    layout.Height = picture.Height;
    for (int y = 0; y < picture.Height; ++y)
        layout.Rows.emplace_back(picture.Row(y), picture.Row(y) + picture.Stride());
    const Bytes png = Png(layout);
    const std::string body =
        std::string("iTXtXML:com.adobe.xmp\0\0\0\0\0", 27) +
        "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"><rdf:RDF><rdf:Description "
        "exif:GPSLatitude=\"48,51.49N\" exif:GPSLongitude=\"2,17.67E\"/></rdf:RDF></x:xmpmeta>";
    const auto bigEndian = [](unsigned long value) {
        std::string bytes;
        for (int shift = 24; shift >= 0; shift -= 8) bytes += char((value >> shift) & 0xFF);
        return bytes;
    };
    const std::string chunk =
        bigEndian(body.size() - 4) + body +
        bigEndian(crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size())));
    // After the signature (8 bytes) and IHDR (25).
    std::string bytes = png;
    return bytes.insert(33, chunk);
}

struct TOriginals {
    std::string Folder, Plain, Located, Hostile, Png;
};

TOriginals WriteOriginals(const std::string& folder) {
    ForceDirectories(folder);
    TOriginals photos{folder, folder + "/plain.jpg", folder + "/located.jpg",
                      folder + "/\xC3\xA9t\xC3\xA9 #1&x?.jpg", folder + "/mapped.png"};
    WriteFileBytes(photos.Plain, JpegRgb(Quadrants(120, 80)));
    TExifSample sample;
    sample.Thumbnail = JpegRgb(Quadrants(32, 24));
    WriteFileBytes(photos.Located, WithExif(JpegRgb(Quadrants(400, 300)), ExifPayload(sample)));
    WriteFileBytes(photos.Hostile, JpegRgb(Quadrants(90, 60)));
    WriteFileBytes(photos.Png, PngWithXmpPosition(Quadrants(64, 48)));
    return photos;
}

std::string AllImagePages(const std::string& out) {
    std::string pages;
    for (const std::string& file : FilesBelow(out + "/images"))
        if (file.ends_with(".html")) pages += ReadFileBytes(out + "/images/" + file);
    return pages;
}

TEST(CliOriginals, OriginalsAreTheFilesWithoutTheirPositionLinkedAndOwnedByTheGallery) {
    TCliRun run;
    const TOriginals photos = WriteOriginals(run.Root / "photos");
    const std::string out = run.Root / "gallery";
    // A dry run of an upload says what it would send: they go with the copies.
    const auto result =
        run.Build({"--images", photos.Folder, "--html-dir", out, "--template", "Modern",
                   "--originals", "--quiet", "--upload", "ftp://user@127.0.0.1/gal", "--dry-run"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;

    EXPECT_EQ(ReadFileBytes(out + "/originals/plain.jpg"), ReadFileBytes(photos.Plain));
    // The gallery's name of the picture, blanks turned into "_".
    EXPECT_EQ(ReadFileBytes(out + "/originals/\xC3\xA9t\xC3\xA9_#1&x?.jpg"),
              ReadFileBytes(photos.Hostile));
    // The GPS block goes; the picture data and the rest of the file stay as they were.
    const std::string source = ReadFileBytes(photos.Located);
    const std::string original = ReadFileBytes(out + "/originals/located.jpg");
    const auto sourceSegment = ExifSegmentOf(source);
    const auto originalSegment = ExifSegmentOf(original);
    ASSERT_TRUE(sourceSegment && originalSegment);
    EXPECT_EQ(original.substr(originalSegment->Offset + originalSegment->Length),
              source.substr(sourceSegment->Offset + sourceSegment->Length))
        << "the picture was encoded again";
    TExifDataPtr exif = ExifOfFile(out + "/originals/located.jpg");
    ASSERT_TRUE(exif);
    EXPECT_EQ(exif->ifd[EXIF_IFD_GPS]->count, 0u);
    EXPECT_EQ(ExifText(exif.get(), EXIF_IFD_0, EXIF_TAG_MODEL), "Canon EOS 5D");
    // A PNG cannot lose its XMP position without being written anew: it is not offered.
    EXPECT_FALSE(FileExists(out + "/originals/mapped.png"));
    EXPECT_NE(result.Err.find("Not offered for download"), std::string::npos) << result.Err;
    EXPECT_NE(result.Err.find("mapped.png\"."), std::string::npos) << result.Err;

    const std::string pages = AllImagePages(out);
    EXPECT_NE(pages.find("<a href=\"../originals/plain.jpg\" download>Download original</a>"),
              std::string::npos)
        << pages;
    EXPECT_NE(pages.find("<a href=\"../originals/%C3%A9t%C3%A9_%231%26x%3F.jpg\" download>"),
              std::string::npos)
        << pages;
    std::size_t links = 0;
    for (std::size_t at = pages.find("Download original"); at != std::string::npos;
         at = pages.find("Download original", at + 1))
        ++links;
    EXPECT_EQ(links, 3u) << "one for each picture with an original, none for the PNG";

    EXPECT_NE(result.Out.find("\nsend originals/located.jpg\n"), std::string::npos) << result.Out;

    // Undo takes them away with the rest of the gallery.
    const auto undone = run.Run({"undo", "--html-dir", out, "--html-file", "index.html"});
    ASSERT_EQ(undone.ExitCode, 0) << undone.Err;
    EXPECT_EQ(FilesBelow(out + "/originals"), std::vector<std::string>{});
}

TEST(CliOriginals, WithoutTheChoiceNothingIsWrittenAndAnEarlierBuildsOriginalsGo) {
    TCliRun run;
    const TOriginals photos = WriteOriginals(run.Root / "photos");
    const std::string out = run.Root / "gallery";
    const std::vector<std::string> plain{"--images",   photos.Folder, "--html-dir", out,
                                         "--template", "Classic",     "--quiet"};
    auto result = run.Build(plain);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_FALSE(DirectoryExists(out + "/originals"));
    EXPECT_EQ(AllImagePages(out).find("originals"), std::string::npos);

    // Offered, then no longer: the next build takes them out again, as it does stale copies.
    std::vector<std::string> offered = plain;
    offered.insert(offered.end(),
                   {"--set", "IMAGEORIGINALS=true", "--set", "REMOVELOCATION=false"});
    result = run.Build(offered);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    // With the position kept, every file is its own bytes, the PNG included.
    EXPECT_EQ(ReadFileBytes(out + "/originals/located.jpg"), ReadFileBytes(photos.Located));
    EXPECT_EQ(ReadFileBytes(out + "/originals/mapped.png"), ReadFileBytes(photos.Png));
    EXPECT_NE(AllImagePages(out).find("download>Download original</a>"), std::string::npos);
    result = run.Build(plain);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(FilesBelow(out + "/originals"), std::vector<std::string>{});
    EXPECT_EQ(AllImagePages(out).find("Download original"), std::string::npos);
}

}  // namespace
}  // namespace fsc::test
