#include <gtest/gtest.h>

#include "imaging/JpegQuality.h"

namespace fsc {
namespace {

struct QualityCase {
    int defaultCompression;
    int copy, high, middle, low, veryLow;
};

TEST(JpegQuality, CopyAndThumbnailQualitiesFollowTheDefault) {
    const QualityCase cases[] = {
        {50, 75, 83, 50, 30, 16},   {100, 100, 100, 100, 60, 33}, {5, 30, 40, 20, 16, 8},
        {80, 100, 100, 80, 48, 26}, {21, 31, 40, 21, 16, 8},      {67, 100, 100, 67, 40, 22},
    };
    for (const QualityCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "default compression " << c.defaultCompression);
        EXPECT_EQ(CopyQuality(c.defaultCompression), c.copy);
        EXPECT_EQ(ThumbnailQuality(TThumbQualityLevel::High, c.defaultCompression), c.high);
        EXPECT_EQ(ThumbnailQuality(TThumbQualityLevel::Middle, c.defaultCompression), c.middle);
        EXPECT_EQ(ThumbnailQuality(TThumbQualityLevel::Low, c.defaultCompression), c.low);
        EXPECT_EQ(ThumbnailQuality(TThumbQualityLevel::VeryLow, c.defaultCompression), c.veryLow);
    }
}

TEST(JpegQuality, CollageQualitiesAreFixed) {
    EXPECT_EQ(CollageQuality(TThumbQualityLevel::High), 100);
    EXPECT_EQ(CollageQuality(TThumbQualityLevel::Middle), 80);
    EXPECT_EQ(CollageQuality(TThumbQualityLevel::Low), 60);
    EXPECT_EQ(CollageQuality(TThumbQualityLevel::VeryLow), 40);
}

TEST(JpegQuality, PresetsOfTheCompressionDialog) {
    const struct {
        TJpegPreset preset;
        int defaultCompression;
        const char* caption;
        TJpegSettings expected;
    } cases[] = {
        {TJpegPreset::WwwPhotoHigh, 50, "WWW Photo (high qu.)", {75, false}},
        {TJpegPreset::WwwPhotoHigh, 80, "WWW Photo (high qu.)", {100, false}},
        {TJpegPreset::WwwPhotoNormal, 50, "WWW Photo (normal)", {50, false}},
        {TJpegPreset::WwwPhotoLow, 50, "WWW Photo (low qu.)", {25, false}},
        {TJpegPreset::WwwPhotoLow, 5, "WWW Photo (low qu.)", {2, false}},
        {TJpegPreset::WwwBackground, 50, "WWW Background", {12, true}},
        {TJpegPreset::WwwBackground, 100, "WWW Background", {12, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.caption << " with " << c.defaultCompression);
        EXPECT_STREQ(JpegPresetCaption(c.preset), c.caption);
        const TJpegSettings settings = JpegPresetSettings(c.preset, c.defaultCompression);
        EXPECT_EQ(settings.Quality, c.expected.Quality);
        EXPECT_EQ(settings.Progressive, c.expected.Progressive);
    }
}

}  // namespace
}  // namespace fsc
