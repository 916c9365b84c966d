// WebP and AVIF as the gallery writes them: read back by the program's own readers, the
// picture must be the one that went in, at its size and near its colours.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/Errors.h"
#include "base/Files.h"
#include "imaging/AvifWriter.h"
#include "imaging/GraphicsIO.h"
#include "imaging/WebpWriter.h"
#include "support/TempDir.h"

namespace fsc {
namespace {

// Four flat quarters: red, green, blue and grey, so a swapped channel or a flipped picture
// shows in the quarter means.
TBitmap Quarters(int width, int height) {
    TBitmap picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = picture.Row(y) + x * 3;
            const int quarter = (y >= height / 2) * 2 + (x >= width / 2);
            const std::uint8_t colours[4][3] = {
                {220, 30, 30}, {30, 200, 40}, {40, 50, 210}, {128, 128, 128}};
            for (int c = 0; c < 3; ++c) p[c] = colours[quarter][c];
        }
    }
    return picture;
}

// The mean of one channel over the middle of a quarter, away from the blurred edges.
int QuarterMean(const TBitmap& picture, int quarter, int channel) {
    const int x0 = (quarter % 2) * picture.Width / 2 + picture.Width / 8;
    const int y0 = (quarter / 2) * picture.Height / 2 + picture.Height / 8;
    long sum = 0, count = 0;
    for (int y = y0; y < y0 + picture.Height / 4; ++y) {
        for (int x = x0; x < x0 + picture.Width / 4; ++x) {
            sum += picture.Row(y)[x * 3 + channel];
            ++count;
        }
    }
    return int(sum / count);
}

struct TWriterCase {
    const char* Name;
    const char* Extension;
    std::string (*Encode)(const TBitmap&, int);
};

class ModernWriters : public ::testing::TestWithParam<TWriterCase> {};

TEST_P(ModernWriters, ReadBackIsThePictureThatWentIn) {
    const TWriterCase& writer = GetParam();
    test::TempDir dir;
    const TBitmap picture = Quarters(96, 64);
    const std::string path = dir / (std::string("quarters") + writer.Extension);
    WriteFileBytes(path, writer.Encode(picture, 80));
    const TBitmap read = LoadPicture(path);
    ASSERT_EQ(read.Width, 96);
    ASSERT_EQ(read.Height, 64);
    for (int quarter = 0; quarter < 4; ++quarter) {
        for (int channel = 0; channel < 3; ++channel) {
            EXPECT_NEAR(QuarterMean(read, quarter, channel), QuarterMean(picture, quarter, channel),
                        12)
                << "quarter " << quarter << " channel " << channel;
        }
    }
}

TEST_P(ModernWriters, LowerQualityGivesFewerBytes) {
    const TWriterCase& writer = GetParam();
    // Noise-like detail, which the encoders cannot keep for free.
    TBitmap picture(128, 128);
    for (std::size_t i = 0; i < picture.Pixels.size(); ++i)
        picture.Pixels[i] = std::uint8_t((i * 2654435761u) >> 13);
    EXPECT_LT(writer.Encode(picture, 30).size(), writer.Encode(picture, 90).size());
}

TEST_P(ModernWriters, APictureWithoutPixelsIsAnError) {
    EXPECT_THROW(GetParam().Encode(TBitmap(), 75), EFSC_Exception);
}

INSTANTIATE_TEST_SUITE_P(Formats, ModernWriters,
                         ::testing::Values(TWriterCase{"WebP", ".webp", EncodeWebp},
                                           TWriterCase{"AVIF", ".avif", EncodeAvif}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(AvifQuantizer, FollowsTheJpegScaleWithinTheEncodersRange) {
    EXPECT_EQ(AvifQuantizer(100), 0);
    EXPECT_EQ(AvifQuantizer(0), 63);
    EXPECT_EQ(AvifQuantizer(-5), 63);
    for (int q = 1; q <= 100; ++q) EXPECT_LE(AvifQuantizer(q), AvifQuantizer(q - 1)) << q;
}

}  // namespace
}  // namespace fsc
