#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/Errors.h"
#include "base/Files.h"
#include "imaging/JpegReader.h"
#include "imaging/JpegWriter.h"
#include "support/TempDir.h"

namespace fsc {
namespace {

TBitmap Gradient(int width, int height) {
    TBitmap picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = picture.Row(y) + x * 3;
            p[0] = std::uint8_t(x * 255 / std::max(1, width - 1));
            p[1] = std::uint8_t(y * 255 / std::max(1, height - 1));
            p[2] = 128;
        }
    }
    return picture;
}

struct JpegMarkers {
    std::vector<int> Codes;  // every marker before the scan data, in file order
    int Width = 0, Height = 0;
    int FirstLuminanceQuantiser = -1;
};

// Walks the marker segments up to the first scan; enough to see what the encoder chose.
JpegMarkers ReadMarkers(const std::string& jpeg) {
    JpegMarkers markers;
    auto byte = [&](std::size_t i) { return int(static_cast<unsigned char>(jpeg.at(i))); };
    std::size_t pos = 2;
    markers.Codes.push_back(byte(0) << 8 | byte(1));
    while (pos + 4 <= jpeg.size() && byte(pos) == 0xFF) {
        const int code = byte(pos + 1);
        const std::size_t length = std::size_t(byte(pos + 2) << 8 | byte(pos + 3));
        markers.Codes.push_back(0xFF00 | code);
        if (code == 0xC0 || code == 0xC2) {
            markers.Height = byte(pos + 5) << 8 | byte(pos + 6);
            markers.Width = byte(pos + 7) << 8 | byte(pos + 8);
        }
        // Table 0 holds the luminance quantiser; its first entry is the DC step.
        if (code == 0xDB && markers.FirstLuminanceQuantiser < 0 && byte(pos + 4) == 0) {
            markers.FirstLuminanceQuantiser = byte(pos + 5);
        }
        if (code == 0xDA) break;
        pos += 2 + length;
    }
    return markers;
}

bool Contains(const std::vector<int>& codes, int code) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

TEST(JpegWriter, BaselineAndProgressiveUseTheirFrameMarkers) {
    const TBitmap picture = Gradient(37, 21);
    for (bool progressive : {false, true}) {
        SCOPED_TRACE(progressive ? "progressive" : "baseline");
        const std::string jpeg = EncodeJpeg(picture, 75, progressive);
        const JpegMarkers markers = ReadMarkers(jpeg);
        EXPECT_EQ(markers.Codes.front(), 0xFFD8);
        EXPECT_EQ(jpeg.substr(jpeg.size() - 2), "\xFF\xD9");
        EXPECT_EQ(Contains(markers.Codes, 0xFFC0), !progressive);
        EXPECT_EQ(Contains(markers.Codes, 0xFFC2), progressive);
        EXPECT_EQ(markers.Width, 37);
        EXPECT_EQ(markers.Height, 21);
    }
}

// libjpeg scales its standard tables (luminance DC step 16) by the quality.
TEST(JpegWriter, QualityScalesTheQuantisers) {
    const struct {
        int quality;
        int dcStep;
    } cases[] = {{50, 16}, {75, 8}, {100, 1}, {10, 80}, {0, 255}, {150, 1}};
    const TBitmap picture = Gradient(16, 16);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "quality " << c.quality);
        EXPECT_EQ(ReadMarkers(EncodeJpeg(picture, c.quality, false)).FirstLuminanceQuantiser,
                  c.dcStep);
    }
}

TEST(JpegWriter, LowerQualityGivesSmallerFiles) {
    const TBitmap picture = Gradient(200, 150);
    EXPECT_LT(EncodeJpeg(picture, 16, false).size(), EncodeJpeg(picture, 83, false).size());
}

TEST(JpegWriter, LargeOutputGrowsTheBufferIntact) {
    // Noise compresses badly: several times the first 64 KiB buffer.
    TBitmap picture(600, 400);
    std::uint32_t state = 1;
    for (auto& byte : picture.Pixels)
        byte = std::uint8_t((state = state * 1103515245u + 12345u) >> 24);
    const std::string jpeg = EncodeJpeg(picture, 100, false);
    EXPECT_GT(jpeg.size(), 4u * 64 * 1024);
    EXPECT_EQ(jpeg.substr(jpeg.size() - 2), "\xFF\xD9");
    EXPECT_EQ(ReadMarkers(jpeg).Width, 600);
}

// Largest difference of any channel of any pixel, and the mean difference.
struct Difference {
    int Largest = 0;
    double Mean = 0;
};

Difference Compare(const TBitmap& a, const TBitmap& b) {
    Difference difference;
    double sum = 0;
    for (std::size_t i = 0; i < a.Pixels.size(); ++i) {
        const int d = std::abs(int(a.Pixels[i]) - int(b.Pixels[i]));
        difference.Largest = std::max(difference.Largest, d);
        sum += d;
    }
    difference.Mean = sum / double(a.Pixels.size());
    return difference;
}

TEST(JpegWriter, RoundTripsThroughTheDecoder) {
    const struct {
        const char* picture;
        TBitmap bitmap;
        int quality;
        bool progressive;
        int largest;  // at most this far off in any channel
        double mean;  // and on average at most this
    } cases[] = {
        {"gradient, best quality", Gradient(64, 48), 100, false, 4, 0.75},
        {"gradient, best quality, progressive", Gradient(64, 48), 100, true, 4, 0.75},
        {"gradient, copy quality", Gradient(64, 48), 75, false, 12, 2.0},
        {"gradient, odd size, thumbnail quality", Gradient(33, 17), 50, false, 18, 4.0},
        {"one pixel", Gradient(1, 1), 90, true, 2, 1.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.picture);
        const TBitmap decoded = DecodeJpeg(EncodeJpeg(c.bitmap, c.quality, c.progressive));
        ASSERT_EQ(decoded.Width, c.bitmap.Width);
        ASSERT_EQ(decoded.Height, c.bitmap.Height);
        const Difference difference = Compare(decoded, c.bitmap);
        EXPECT_LE(difference.Largest, c.largest);
        EXPECT_LE(difference.Mean, c.mean);
    }
}

TEST(JpegWriter, FlatColoursSurviveExactlyEnough) {
    // Channel order must survive: a swap of red and blue would be off by 200.
    for (const auto& colour :
         {std::array<std::uint8_t, 3>{230, 30, 10}, std::array<std::uint8_t, 3>{0, 0, 0},
          std::array<std::uint8_t, 3>{255, 255, 255}, std::array<std::uint8_t, 3>{12, 130, 250}}) {
        SCOPED_TRACE(testing::Message()
                     << int(colour[0]) << "," << int(colour[1]) << "," << int(colour[2]));
        TBitmap flat(24, 16);
        for (std::size_t i = 0; i < flat.Pixels.size(); ++i) flat.Pixels[i] = colour[i % 3];
        const Difference difference = Compare(DecodeJpeg(EncodeJpeg(flat, 83, false)), flat);
        EXPECT_LE(difference.Largest, 2);
    }
}

TEST(JpegWriter, RefusesPicturesItCannotWrite) {
    const struct {
        const char* fault;
        TBitmap picture;
        const char* message;
    } cases[] = {
        {"no pixels", TBitmap(), "Cannot write a picture without pixels as JPEG."},
        {"zero height", TBitmap(10, 0), "Cannot write a picture without pixels as JPEG."},
        {"wider than JPEG allows", TBitmap(70000, 1),
         "JPEG compression failed: Maximum supported image dimension is 65500 pixels"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        try {
            EncodeJpeg(c.picture, 50, false);
            ADD_FAILURE() << "no exception";
        } catch (const EFSC_Exception& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

TEST(JpegWriter, SaveWritesTheEncodedBytesAndReplacesOldFiles) {
    test::TempDir dir;
    const TBitmap picture = Gradient(20, 10);
    const std::string path = dir / "copy.jpg";
    WriteFileBytes(path, "old contents");
    SaveJpeg(picture, path, 60, true);
    EXPECT_EQ(ReadFileBytes(path), EncodeJpeg(picture, 60, true));
}

TEST(JpegWriter, FailedSaveLeavesNothingBehind) {
    test::TempDir dir;
    const std::string path = dir / "thumb.jpg";
    WriteFileBytes(path, "previous thumbnail");
    EXPECT_THROW(SaveJpeg(TBitmap(), path, 50, false), EFSC_Exception);
    EXPECT_THROW(SaveJpeg(Gradient(4, 4), dir / "missing/thumb.jpg", 50, false), EFSC_Exception);
    EXPECT_EQ(ReadFileBytes(path), "previous thumbnail");
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

}  // namespace
}  // namespace fsc
