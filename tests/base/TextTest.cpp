#include <gtest/gtest.h>

#include "base/Text.h"

namespace fsc {
namespace {

TEST(ReplaceAll, ReplacesEveryOccurrenceWithoutSearchingInsertedText) {
    EXPECT_EQ(ReplaceAll("a<!-X->b<!-X->", "<!-X->", "1"), "a1b1");
    // The value contains the tag: a rescan would never end or would double it.
    EXPECT_EQ(ReplaceAll("<!-X-><!-X->", "<!-X->", "[<!-X->]"), "[<!-X->][<!-X->]");
    // Text formed by a value and what follows it is not a new occurrence.
    EXPECT_EQ(ReplaceAll("aab", "ab", "a"), "aa");
    EXPECT_EQ(ReplaceAll("no tag here", "<!-X->", "1"), "no tag here");
    EXPECT_EQ(ReplaceAll("abc", "", "z"), "abc");
}

TEST(ReplaceFirst, ReplacesOnlyTheFirstOccurrence) {
    EXPECT_EQ(ReplaceFirst("x<!-IMAGE->y<!-IMAGE->", "<!-IMAGE->", "I"), "xIy<!-IMAGE->");
    EXPECT_EQ(ReplaceFirst("abc", "z", "q"), "abc");
}

TEST(CaseInsensitive, FindAndReplaceIgnoreAsciiCaseOnly) {
    EXPECT_EQ(FindNoCase("<html><BODY></body>", "</BODY"), 12u);
    EXPECT_EQ(FindNoCase("abc", "ABCD"), std::string::npos);
    EXPECT_EQ(FindNoCase("abcabc", "BC", 2), 4u);
    EXPECT_EQ(ReplaceFirstNoCase("<!-Next-> <!-NEXT->", "<!-next->", "N"), "N <!-NEXT->");
    // Bytes above 127 are not letters: no locale may fold them.
    EXPECT_EQ(UpperCase("\xe4"
                        "a"),
              "\xe4"
              "A");
    EXPECT_FALSE(SameText("\xe4", "\xc4"));
    EXPECT_TRUE(SameText("Html", "hTML"));
    EXPECT_LT(CompareText("asp", "CGI"), 0);
    EXPECT_LT(CompareText("HTM", "html"), 0);
}

TEST(Trim, RemovesBlanksAndControlCharactersAtBothEnds) {
    EXPECT_EQ(Trim(" \t value \r\n"), "value");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(TrimLeft("  a b "), "a b ");
    EXPECT_EQ(TrimRight("  a b "), "  a b");
}

TEST(TryParseInt, AcceptsWholeNumbersOnly) {
    int value = -1;
    EXPECT_TRUE(TryParseInt(" 42 ", value));
    EXPECT_EQ(value, 42);
    EXPECT_TRUE(TryParseInt("-7", value));
    EXPECT_EQ(value, -7);
    for (const char* bad : {"", "abc", "4x", "1.5", "99999999999"}) {
        EXPECT_FALSE(TryParseInt(bad, value)) << bad;
    }
}

}  // namespace
}  // namespace fsc
