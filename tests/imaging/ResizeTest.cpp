#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "base/Errors.h"
#include "imaging/AreaResize.h"
#include "imaging/CutToBox.h"
#include "imaging/Resize.h"

namespace fsc {
namespace {

// A picture whose pixels are given as grey levels, row by row.
TBitmap Grey(int width, int height, const std::vector<int>& levels) {
    TBitmap picture(width, height);
    for (std::size_t i = 0; i < levels.size(); ++i) {
        picture.Pixels[i * 3] = picture.Pixels[i * 3 + 1] = picture.Pixels[i * 3 + 2] =
            std::uint8_t(levels[i]);
    }
    return picture;
}

std::vector<int> GreyLevels(const TBitmap& picture) {
    std::vector<int> levels;
    for (std::size_t i = 0; i < picture.Pixels.size(); i += 3) {
        EXPECT_EQ(picture.Pixels[i], picture.Pixels[i + 1]);
        EXPECT_EQ(picture.Pixels[i], picture.Pixels[i + 2]);
        levels.push_back(picture.Pixels[i]);
    }
    return levels;
}

TBitmap RandomPicture(int width, int height, std::mt19937& random) {
    TBitmap picture(width, height);
    for (auto& byte : picture.Pixels) byte = std::uint8_t(random());
    return picture;
}

// The resize exactly as the gallery describes it: smoothing in place over the whole source,
// column by column, then row by row, then nearest sampling. Slow and literal on purpose.
TBitmap LiteralResize(TBitmap source, int width, int height) {
    const double rx = double(source.Width) / width, ry = double(source.Height) / height;
    auto at = [&](int x, int y, int c) -> std::uint8_t& {
        return source.Pixels[(std::size_t(y) * source.Width + x) * 3 + c];
    };
    if (rx > 2.0) {
        for (int x = 0; x <= source.Width - 3; ++x)
            for (int y = 0; y < source.Height; ++y)
                for (int c = 0; c < 3; ++c)
                    at(x, y, c) =
                        std::uint8_t((at(x, y, c) + at(x + 1, y, c) + at(x + 2, y, c)) / 3);
    }
    if (ry > 2.0) {
        for (int y = 0; y <= source.Height - 3; ++y)
            for (int x = 0; x < source.Width; ++x)
                for (int c = 0; c < 3; ++c)
                    at(x, y, c) =
                        std::uint8_t((at(x, y, c) + at(x, y + 1, c) + at(x, y + 2, c)) / 3);
    }
    TBitmap result(width, height);
    for (int y = 0; y < height; ++y) {
        const int sy = std::min(source.Height - 1, int(std::nearbyint(y * ry)));
        for (int x = 0; x < width; ++x) {
            const int sx = std::min(source.Width - 1, int(std::nearbyint(x * rx)));
            for (int c = 0; c < 3; ++c) result.Row(y)[x * 3 + c] = at(sx, sy, c);
        }
    }
    return result;
}

struct GreyCase {
    const char* rule;
    int width, height;
    std::vector<int> source;
    int targetWidth, targetHeight;
    std::vector<int> expected;
};

TEST(Resize, SmoothsAndSamplesSmallPicturesExactly) {
    const GreyCase cases[] = {
        {"own size: an unsmoothed copy",
         3,
         2,
         {10, 20, 30, 40, 50, 60},
         3,
         2,
         {10, 20, 30, 40, 50, 60}},
        {"ratio 3: each sample averages itself and two right neighbours, truncating",
         6,
         1,
         {10, 20, 31, 100, 0, 0},
         2,
         1,
         {20, 33}},
        {"ratio 2.5: 2.5 rounds to the even 2, which still has two right neighbours",
         5,
         1,
         {0, 30, 60, 90, 120},
         2,
         1,
         {30, 90}},
        {"ratio 4.5: 4.5 rounds to the even 4, not to 5",
         9,
         1,
         {9, 9, 9, 9, 50, 70, 0, 0, 0},
         2,
         1,
         {9, 40}},
        {"ratio exactly 2: no smoothing", 4, 1, {10, 20, 30, 40}, 2, 1, {10, 30}},
        {"ratio 3 down: rows average with the two rows below",
         1,
         6,
         {10, 20, 31, 100, 0, 0},
         1,
         2,
         {20, 33}},
        {"ratio 3.5 down, last sample is row 4 with rows 5 and 6",
         1,
         7,
         {0, 0, 0, 0, 30, 61, 91},
         1,
         2,
         {0, 60}},
        {"horizontal smoothing only: 300 x 200 to 100 x 100 style ratios 3 and 2",
         3,
         2,
         {30, 60, 91, 0, 3, 3},
         1,
         1,
         {60}},
        {"enlarging repeats pixels: 0.5 goes to 0, 1.5 to 2 (clamped to 1)",
         2,
         1,
         {10, 200},
         4,
         1,
         {10, 10, 200, 200}},
        {"enlarging by 3 repeats pixels, never blends",
         2,
         2,
         {0, 255, 255, 0},
         3,
         3,
         {0, 255, 255, 255, 0, 0, 255, 0, 0}},
        // Rows give 8/3=2, 8/3=2, 11/3=3, then 7/3=2; one division of all nine would give 3.
        {"both directions truncate after each pass", 3, 3, {2, 3, 3, 2, 3, 3, 3, 4, 4}, 1, 1, {2}},
        {"a target side of 0 becomes 1 (ratio 4)", 4, 2, {1, 2, 3, 4, 5, 6, 7, 8}, 0, 2, {2, 6}},
    };
    for (const GreyCase& c : cases) {
        SCOPED_TRACE(c.rule);
        const TBitmap result =
            Resize(Grey(c.width, c.height, c.source), c.targetWidth, c.targetHeight);
        EXPECT_EQ(GreyLevels(result), c.expected);
    }
}

TEST(Resize, ChannelsAreSmoothedSeparately) {
    TBitmap source(3, 1);
    source.Pixels = {255, 0, 0, 0, 255, 0, 0, 0, 255};
    const TBitmap result = Resize(source, 1, 1);
    EXPECT_EQ(result.Pixels, (std::vector<std::uint8_t>{85, 85, 85}));
}

TEST(Resize, LeavesTheSourceUnchanged) {
    std::mt19937 random(7);
    const TBitmap source = RandomPicture(40, 30, random);
    const TBitmap copy = source;
    Resize(source, 5, 4);
    EXPECT_EQ(source, copy);
}

// The fast path computes only sampled pixels; it must agree byte for byte with the
// whole-picture passes for every mix of smoothed and unsmoothed directions.
TEST(Resize, AgreesWithTheLiteralInPlaceAlgorithm) {
    std::mt19937 random(2024);
    const int sides[] = {1, 2, 3, 4, 5, 7, 16, 33, 100};
    for (int width : sides) {
        for (int height : sides) {
            const TBitmap source = RandomPicture(width, height, random);
            for (int targetWidth : {1, 2, 3, 5, 8, 49, 101}) {
                for (int targetHeight : {1, 2, 3, 6, 50}) {
                    SCOPED_TRACE(testing::Message() << width << "x" << height << " to "
                                                    << targetWidth << "x" << targetHeight);
                    const TBitmap result = Resize(source, targetWidth, targetHeight);
                    ASSERT_EQ(result.Width, targetWidth);
                    ASSERT_EQ(result.Height, targetHeight);
                    ASSERT_EQ(result, LiteralResize(source, targetWidth, targetHeight));
                }
            }
        }
    }
}

TEST(Resize, FlatColourStaysFlat) {
    TBitmap source(97, 61);
    for (std::size_t i = 0; i < source.Pixels.size(); i += 3) {
        source.Pixels[i] = 12, source.Pixels[i + 1] = 200, source.Pixels[i + 2] = 255;
    }
    for (int target : {1, 10, 30, 48, 97, 200}) {
        SCOPED_TRACE(target);
        const TBitmap result = Resize(source, target, target);
        for (std::size_t i = 0; i < result.Pixels.size(); i += 3) {
            ASSERT_EQ(result.Pixels[i], 12);
            ASSERT_EQ(result.Pixels[i + 1], 200);
            ASSERT_EQ(result.Pixels[i + 2], 255);
        }
    }
}

TEST(AreaResize, EachPixelIsTheMeanOfTheAreaItCovers) {
    // 6 x 4 to 3 x 2: every result pixel is the exact mean of a 2 x 2 block; to 4 x 4 across,
    // a result pixel covers one and a half source pixels, weighted 2/3 and 1/3.
    TBitmap source(6, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            for (int c = 0; c < 3; ++c)
                source.Row(y)[x * 3 + c] = std::uint8_t(x * 40 + y * 10 + c);
        }
    }
    const TBitmap half = AreaResize(source, 3, 2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            const int mean = (2 * x * 40 + 20) + (2 * y * 10 + 5);  // + channel
            EXPECT_EQ(half.Row(y)[x * 3], mean) << x << "," << y;
            EXPECT_EQ(half.Row(y)[x * 3 + 2], mean + 2) << x << "," << y;
        }
    }
    const TBitmap across = AreaResize(source, 4, 4);
    EXPECT_EQ(across.Row(0)[3], std::lround((40 * 0.5 + 80 * 1.0) / 1.5));
}

TEST(AreaResize, KeepsAFlatColourAndTheSizeAsked) {
    TBitmap source(97, 61);
    for (std::size_t i = 0; i < source.Pixels.size(); i += 3) {
        source.Pixels[i] = 12, source.Pixels[i + 1] = 200, source.Pixels[i + 2] = 255;
    }
    for (const auto& [w, h] : {std::pair{1, 1}, {10, 7}, {48, 30}, {97, 61}, {200, 3}, {0, 5}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        const TBitmap result = AreaResize(source, w, h);
        ASSERT_EQ(result.Width, std::max(w, 1));
        ASSERT_EQ(result.Height, std::max(h, 1));
        for (std::size_t i = 0; i < result.Pixels.size(); i += 3) {
            ASSERT_EQ(result.Pixels[i], 12);
            ASSERT_EQ(result.Pixels[i + 1], 200);
            ASSERT_EQ(result.Pixels[i + 2], 255);
        }
    }
    // The hard-limit cut is the top-left of the whole resize.
    const TBitmap whole = AreaResize(source, 40, 30);
    const TBitmap cut = AreaResizeAndCut(source, 40, 30, 25, 30);
    for (int y = 0; y < 30; ++y)
        EXPECT_TRUE(std::equal(cut.Row(y), cut.Row(y) + 75, whole.Row(y))) << y;
}

TEST(AreaResize, ThinLinesShrinkToGreyInsteadOfBreakingUp) {
    // A one-pixel black line every 7 pixels on white, shrunk by 5: the smooth way a line
    // darkens its result pixel by its share of it (to 204); sampling keeps some lines darker
    // and drops others, which is the staircase on cables and branches.
    TBitmap source(700, 10);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 700; ++x) {
            const std::uint8_t v = x % 7 == 0 ? 0 : 255;
            source.Row(y)[x * 3] = source.Row(y)[x * 3 + 1] = source.Row(y)[x * 3 + 2] = v;
        }
    }
    const TBitmap smooth = AreaResize(source, 140, 2);
    int darkest = 255;
    for (int x = 0; x < 140; ++x) darkest = std::min(darkest, int(smooth.Row(1)[x * 3]));
    EXPECT_EQ(darkest, 204);
    const TBitmap sampled = Resize(source, 140, 2);
    int sampledDarkest = 255;
    for (int x = 0; x < 140; ++x)
        sampledDarkest = std::min(sampledDarkest, int(sampled.Row(1)[x * 3]));
    EXPECT_LT(sampledDarkest, darkest);
}

TEST(Resize, PictureWithoutPixelsIsRefused) {
    try {
        Resize(TBitmap(), 10, 10);
        FAIL() << "no exception";
    } catch (const EFSC_Exception& e) {
        EXPECT_STREQ(e.what(), "Cannot resize a picture without pixels.");
    }
}

TEST(ResizeAndCut, GivesTheTopLeftOfTheWholeResize) {
    std::mt19937 random(99);
    const TBitmap source = RandomPicture(41, 23, random);
    for (int width : {3, 13, 41, 97}) {
        for (int height : {2, 7, 23, 60}) {
            for (int box : {1, 5, 30, 200}) {
                SCOPED_TRACE(testing::Message() << width << "x" << height << " cut to " << box);
                ASSERT_EQ(ResizeAndCut(source, width, height, box, box),
                          CutToBox(Resize(source, width, height), box, box));
            }
        }
    }
}

// A thin picture covering a large box: the whole resize would need 3 GB.
TEST(ResizeAndCut, KeepsOnlyTheBoxOfAHugeResize) {
    std::mt19937 random(5);
    const TBitmap thin = RandomPicture(4000, 4, random);
    const TBitmap cut = ResizeAndCut(thin, 1000000, 1000, 1000, 1000);
    ASSERT_EQ(cut.Width, 1000);
    ASSERT_EQ(cut.Height, 1000);
    // Enlarging 250 times across: the first 1000 columns all sample source columns 0..4.
    EXPECT_TRUE(std::equal(cut.Row(0), cut.Row(0) + 3, thin.Row(0)));
    EXPECT_TRUE(std::equal(cut.Row(0) + 999 * 3, cut.Row(0) + 1000 * 3, thin.Row(0) + 4 * 3));
}

TEST(Resize, RefusesResultsBeyondAGigapixel) {
    TBitmap source(2, 2);
    try {
        Resize(source, 100000, 100000);
        FAIL() << "no exception";
    } catch (const EFSC_Exception& e) {
        EXPECT_STREQ(e.what(), "Cannot resize a picture to 100000x100000 pixels.");
    }
}

TEST(CutToBox, KeepsTheTopLeftPart) {
    const TBitmap picture = Grey(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    EXPECT_EQ(GreyLevels(CutToBox(picture, 2, 2)), (std::vector<int>{1, 2, 4, 5}));
    EXPECT_EQ(GreyLevels(CutToBox(picture, 5, 1)), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(CutToBox(picture, 3, 3), picture);
    EXPECT_THROW(CutToBox(picture, 0, 3), EFSC_Exception);
}

}  // namespace
}  // namespace fsc
