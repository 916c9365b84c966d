#include <gtest/gtest.h>

#include "base/Errors.h"
#include "base/TDateTime.h"
#include "ftp/ListingReader.h"

namespace fsc {
namespace {

const TDateTime Now = EncodeDateTime(2026, 12, 7, 20, 0);

TEST(ListingWords, RunsOfBlanksSeparateLikeOne) {
    const struct {
        const char* line;
        TStringList words;
    } cases[] = {
        {"a b c", {"a", "b", "c"}},
        {"  a    b  ", {"a", "b"}},
        {"drwxr-xr-x   2 user  group 4096 Jan  5 10:30 pics",
         {"drwxr-xr-x", "2", "user", "group", "4096", "Jan", "5", "10:30", "pics"}},
        {"", {}},
        {"single", {"single"}},
    };
    for (const auto& c : cases) EXPECT_EQ(ListingWords(c.line), c.words) << "line: " << c.line;
}

TEST(ListingDate, TimeMeansThisYearAndYearMeansMidnight) {
    const struct {
        const char *month, *day, *timeOrYear;
        bool ok;
        int year, mon, mday, hour, minute;
    } cases[] = {
        {"Jan", "5", "10:30", true, 2026, 1, 5, 10, 30},
        {"Jan", "5", "2001", true, 2001, 1, 5, 0, 0},
        {"Dec", "31", "23:59", true, 2026, 12, 31, 23, 59},
        {"Feb", "29", "2024", true, 2024, 2, 29, 0, 0},
        // The year passes through two digits: 50 years back and 49 ahead read back right.
        {"Mar", "1", "1976", true, 1976, 3, 1, 0, 0},
        {"Mar", "1", "1975", true, 2075, 3, 1, 0, 0},
        {"Mar", "1", "2075", true, 2075, 3, 1, 0, 0},
        {"Mar", "1", "2076", true, 1976, 3, 1, 0, 0},
        // Only the start of the month word counts, in exact case.
        {"January", "5", "2001", true, 2001, 1, 5, 0, 0},
        {"jan", "5", "2001", false, 0, 0, 0, 0, 0},
        {"Foo", "5", "2001", false, 0, 0, 0, 0, 0},
        {"Jan", "x", "2001", false, 0, 0, 0, 0, 0},
        {"Jan", "5", "20x1", false, 0, 0, 0, 0, 0},
        {"Feb", "30", "2001", false, 0, 0, 0, 0, 0},
        {"Jan", "5", "25:00", false, 0, 0, 0, 0, 0},
        {"Jan", "5", "ab:cd", false, 0, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.month) + " " + c.day + " " + c.timeOrYear);
        TDateTime date = -1;
        ASSERT_EQ(ListingDate(c.month, c.day, c.timeOrYear, Now, date), c.ok);
        if (c.ok) {
            EXPECT_DOUBLE_EQ(date, EncodeDateTime(c.year, c.mon, c.mday, c.hour, c.minute));
        }
    }
}

TEST(ListingEntry, ReadsUnixLongListingLines) {
    const TFile dir = ListingEntry("drwxr-xr-x 2 user group 4096 Jan 5 10:30 pics", Now);
    EXPECT_EQ(dir.Name, "pics");
    EXPECT_TRUE(dir.IsDir);
    EXPECT_FALSE(dir.ReadOnly);
    EXPECT_EQ(dir.Size, 4096);
    EXPECT_DOUBLE_EQ(dir.Date, EncodeDateTime(2026, 1, 5, 10, 30));

    const TFile old = ListingEntry("drwxr-xr-x 2 user group 4096 Jan 5 2001 pics", Now);
    EXPECT_DOUBLE_EQ(old.Date, EncodeDateTime(2001, 1, 5));

    // The name is all after the blank that ends the eighth field, blanks included at either
    // end (the server has a file " a.jpg" that is not "a.jpg"); a link without its target.
    const std::pair<const char*, const char*> names[] = {
        {"-rw-r--r-- 1 u g 10 Jan 5 2001 my holiday.jpg", "my holiday.jpg"},
        {"drwxr-xr-x  2 u  g   4096 Jan  5 10:30 my  pub ", "my  pub "},
        {"-rw-r--r-- 1 u g 10 Jan 5 2001  lead.jpg\r", " lead.jpg"},
        {"lrwxrwxrwx 1 u g 7 Jan 5 2001 my link -> a b.jpg", "my link"},
        {"-rw-r--r-- 1 u g 10 Jan 5 2001 a -> b.txt", "a -> b.txt"},
    };
    for (const auto& [line, name] : names) EXPECT_EQ(ListingEntry(line, Now).Name, name) << line;
    // A capital D marks a directory too; a bad date still gives an entry, dated 0.
    const TFile odd = ListingEntry("Drwx 1 u g 0 Foo 5 2001 x", Now);
    EXPECT_TRUE(odd.IsDir);
    EXPECT_DOUBLE_EQ(odd.Date, 0);
    // Sizes beyond 2 GiB are still read.
    EXPECT_EQ(ListingEntry("-rw-r--r-- 1 u g 5000000000 Jan 5 2001 big.mp4", Now).Size,
              5000000000LL);
}

TEST(ListingEntry, RefusesOtherLayouts) {
    const char* lines[] = {
        "-rw-r--r-- 1 user 4096 Jan 5 10:30 no-group-column",  // 8 words
        "-rw-r--r-- 1 user group size Jan 5 10:30 name",       // 5th word not a number
        "01-05-26  10:30AM       <DIR>          pics",         // a DOS-style listing
        "",
    };
    for (const char* line : lines) {
        try {
            ListingEntry(line, Now);
            ADD_FAILURE() << "accepted: " << line;
        } catch (const EFSC_Exception& e) {
            EXPECT_EQ(std::string(e.what()),
                      std::string("Incompatible directory listing. ") + line);
        }
    }
}

TEST(ReadListing, SkipsOnlyALeadingTotalLine) {
    TFileList list;
    ReadListing(
        {"total 8", "-rw-r--r-- 1 u g 10 Jan 5 2001 a.jpg", "drwxr-xr-x 2 u g 0 Jan 5 2001 pics"},
        list, Now);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Get(0)->Name, "a.jpg");
    EXPECT_EQ(list.Get(1)->Name, "pics");

    // A server may send names that point out of the folder; a sync would clear such a
    // "leftover part" wherever it points.
    TFileList hostile;
    ReadListing({"-rw-r--r-- 1 u g 10 Jan 5 2001 ../victim.folioscope-part",
                 "-rw-r--r-- 1 u g 10 Jan 5 2001 a\\b.jpg",
                 std::string("-rw-r--r-- 1 u g 10 Jan 5 2001 x\x1B]0;t\x07.jpg"),
                 "drwxr-xr-x 2 u g 0 Jan 5 2001 ..", "-rw-r--r-- 1 u g 10 Jan 5 2001 b c.jpg"},
                hostile, Now);
    ASSERT_EQ(hostile.Count(), 2);
    EXPECT_EQ(hostile.Get(0)->Name, "..");
    EXPECT_EQ(hostile.Get(1)->Name, "b c.jpg");

    const TStringList refused[] = {
        {"-rw-r--r-- 1 u g 10 Jan 5 2001 a.jpg", "total 8"},
        {"total", "-rw-r--r-- 1 u g 10 Jan 5 2001 a.jpg"},
        {"total eight"},
    };
    for (const TStringList& lines : refused) {
        TFileList other;
        EXPECT_THROW(ReadListing(lines, other, Now), EFSC_Exception) << lines.front();
    }
}

}  // namespace
}  // namespace fsc
