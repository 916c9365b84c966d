#include <gtest/gtest.h>

#include <cstdlib>

#include "base/TDateTime.h"
#include "support/TempDir.h"

namespace fsc {
namespace {

TEST(TDateTime, CountsDaysSince18991230) {
    EXPECT_DOUBLE_EQ(EncodeDateTime(1899, 12, 30), 0.0);
    EXPECT_DOUBLE_EQ(EncodeDateTime(1900, 1, 1), 2.0);
    EXPECT_DOUBLE_EQ(EncodeDateTime(2000, 1, 1), 36526.0);
    EXPECT_DOUBLE_EQ(EncodeDateTime(2000, 1, 1, 18), 36526.75);
    // Before the epoch the fraction still counts forwards from midnight.
    EXPECT_DOUBLE_EQ(EncodeDateTime(1899, 12, 29, 6), -1.25);
}

TEST(TDateTime, DecodesWhatItEncodes) {
    const int samples[][7] = {{2026, 12, 7, 23, 59, 59, 999},
                              {1999, 2, 28, 0, 0, 0, 0},
                              {2024, 2, 29, 12, 30, 15, 500},
                              {1899, 12, 29, 6, 0, 0, 0}};
    for (const auto& s : samples) {
        const TDateTimeParts p =
            DecodeDateTime(EncodeDateTime(s[0], s[1], s[2], s[3], s[4], s[5], s[6]));
        EXPECT_EQ((std::array{p.Year, p.Month, p.Day, p.Hour, p.Minute, p.Second, p.Millisecond}),
                  (std::array{s[0], s[1], s[2], s[3], s[4], s[5], s[6]}));
    }
}

TEST(TDateTime, FileTimesUseTheLocalZone) {
    test::ScopedEnv zone("TZ", "UTC");
    tzset();
    EXPECT_DOUBLE_EQ(UnixTimeToDateTime(0), 25569.0);
    EXPECT_DOUBLE_EQ(UnixTimeToDateTime(86400 + 43200), 25570.5);
    {
        test::ScopedEnv east("TZ", "UTC-2");
        tzset();
        EXPECT_DOUBLE_EQ(UnixTimeToDateTime(0), 25569.0 + 2.0 / 24);
    }
    tzset();
}

TEST(TDateTime, ShortDateFollowsTheLocale) {
    test::ScopedEnv locale("LC_ALL", "C");
    EXPECT_EQ(ShortDateString(EncodeDateTime(2026, 12, 7, 15)), "12/07/26");
}

}  // namespace
}  // namespace fsc
