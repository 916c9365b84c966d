#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <ostream>
#include <string>

#include "base/Errors.h"
#include "imaging/ImageFitting.h"

namespace fsc {

void PrintTo(const TSize& size, std::ostream* out) { *out << size.Width << "x" << size.Height; }

namespace {

using SizeRule = TSize (*)(int, int, int, int);

struct FitCase {
    const char* mode;
    SizeRule rule;
    int width, height, boxWidth, boxHeight;
    TSize expected;
};

std::ostream& operator<<(std::ostream& out, const FitCase& c) {
    return out << c.mode << " " << c.width << "x" << c.height << " in " << c.boxWidth << "x"
               << c.boxHeight;
}

TEST(ImageFitting, WorkedExamplesGiveExactSizes) {
    const FitCase cases[] = {
        {"limit", LimitSize, 800, 600, 70, 70, {70, 52}},
        {"limit", LimitSize, 600, 800, 70, 70, {52, 70}},
        {"limit", LimitSize, 50, 40, 70, 70, {50, 40}},  // never enlarges
        {"limit", LimitSize, 100, 1, 10, 10, {10, 0}},   // truncation reaches 0
        {"limit", LimitSize, 1, 100, 10, 10, {0, 10}},
        {"limit", LimitSize, 800, 600, -1, 300, {400, 300}},  // -1: no limit on that side
        {"limit", LimitSize, 800, 600, 400, -1, {400, 300}},
        {"limit", LimitSize, 800, 600, 0, 0, {800, 600}},
        {"limit", LimitSize, 1000, 999, 999, 999, {999, 998}},
        // Both steps apply: the width step leaves the height above the box.
        {"limit", LimitSize, 400, 800, 200, 300, {150, 300}},
        {"stretch", StretchSize, 800, 600, 70, 70, {70, 70}},
        {"stretch", StretchSize, 10, 10, 300, 20, {300, 20}},
        {"hardlimit", HardLimitSize, 800, 600, 70, 70, {94, 70}},
        {"hardlimit", HardLimitSize, 50, 100, 70, 70, {70, 140}},
        {"hardlimit", HardLimitSize, 600, 800, 70, 70, {70, 94}},
        {"hardlimit", HardLimitSize, 70, 70, 70, 70, {70, 70}},
        // The limit step truncates the thin side to 0; it is taken as 1 instead of dividing by 0.
        {"hardlimit", HardLimitSize, 100, 1, 10, 10, {100, 10}},
        {"hardlimit", HardLimitSize, 1, 100, 10, 10, {10, 100}},
        {"fit", FitSize, 800, 800, 70, 70, {35, 35}},
        {"fit", FitSize, 800, 600, 70, 70, {40, 30}},
        {"fit", FitSize, 800, 300, 70, 70, {70, 26}},
        {"fit", FitSize, 70, 70, 70, 70, {35, 35}},
        // Exactly half-filled stays: r = 0.5 is not above 0.5.
        {"fit", FitSize, 100, 50, 100, 100, {100, 50}},
        // f = 0.5 for a square: 35 x 0.5 = 17.5 goes to the even 18, 33 x 0.5 = 16.5 to 16.
        {"fit", FitSize, 35, 35, 70, 70, {18, 18}},
        {"fit", FitSize, 33, 33, 70, 70, {16, 16}},
    };
    for (const FitCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c));
        EXPECT_EQ(c.rule(c.width, c.height, c.boxWidth, c.boxHeight), c.expected);
    }
}

struct ErrorCase {
    SizeRule rule;
    int width, height, boxWidth, boxHeight;
    const char* message;
};

TEST(ImageFitting, InvalidSizesNameModeAndNumbers) {
    const ErrorCase cases[] = {
        {LimitSize, 0, 480, 70, 70, "Size was 0 at limit. Image Size:0x480 Target Size:70x70"},
        {LimitSize, 640, -3, 70, 70, "Size was 0 at limit. Image Size:640x-3 Target Size:70x70"},
        {StretchSize, 640, 480, 0, 70,
         "Size was 0 at stretch. Image Size:640x480 Target Size:0x70"},
        {HardLimitSize, 640, 480, 70, -1,
         "Size was 0 at hardlimit. Image Size:640x480 Target Size:70x-1"},
        {HardLimitSize, 0, 0, 70, 70, "Size was 0 at hardlimit. Image Size:0x0 Target Size:70x70"},
        {FitSize, 0, 480, 70, 70, "Size was 0 at fit. Image Size:0x480 Target Size:70x70"},
        {FitSize, 640, 480, -1, -1, "Size was 0 at fit. Image Size:640x480 Target Size:-1x-1"},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.message);
        try {
            c.rule(c.width, c.height, c.boxWidth, c.boxHeight);
            ADD_FAILURE() << "no exception";
        } catch (const EFSC_Exception& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
}

// Sweeps many picture and box shapes: the result must respect each rule's promise.
TEST(ImageFitting, SweepKeepsBoxAndAspectRatio) {
    const int sides[] = {1, 2, 3, 7, 50, 70, 99, 150, 640, 1001, 4000};
    for (int width : sides) {
        for (int height : sides) {
            for (int boxWidth : {1, 9, 70, 150, 800}) {
                for (int boxHeight : {1, 9, 70, 150, 600}) {
                    SCOPED_TRACE(testing::Message() << width << "x" << height << " in " << boxWidth
                                                    << "x" << boxHeight);
                    const TSize limit = LimitSize(width, height, boxWidth, boxHeight);
                    EXPECT_LE(limit.Width, std::min(width, boxWidth));
                    EXPECT_LE(limit.Height, std::min(height, boxHeight));
                    // Truncation loses less than one pixel of the other side's proportion.
                    EXPECT_LE(std::abs(double(limit.Width) * height - double(limit.Height) * width),
                              double(std::max(width, height)) + 1e-9);

                    const TSize fit = FitSize(width, height, boxWidth, boxHeight);
                    EXPECT_LE(fit.Width, limit.Width);
                    EXPECT_LE(fit.Height, limit.Height);
                    EXPECT_GE(fit.Width * 2 + 1, limit.Width);  // f is never below 1/2

                    const TSize cover = HardLimitSize(width, height, boxWidth, boxHeight);
                    EXPECT_GE(cover.Width, boxWidth);
                    EXPECT_GE(cover.Height, boxHeight);
                }
            }
        }
    }
}

}  // namespace
}  // namespace fsc
