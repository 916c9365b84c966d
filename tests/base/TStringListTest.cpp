#include <gtest/gtest.h>

#include "base/TStringList.h"

namespace fsc {
namespace {

TEST(SplitLines, AcceptsEveryLineEnd) {
    EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (TStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n"), (TStringList{"a"}));
    EXPECT_EQ(SplitLines("a\n\nb"), (TStringList{"a", "", "b"}));
    EXPECT_EQ(SplitLines("\r\n"), (TStringList{""}));
    EXPECT_TRUE(SplitLines("").empty());
    // LF CR is two line ends, not one.
    EXPECT_EQ(SplitLines("a\n\rb"), (TStringList{"a", "", "b"}));
}

TEST(JoinLines, EndsEveryLineWithCrLf) {
    EXPECT_EQ(JoinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(JoinLinesNoFinalBreak({"a", "b"}), "a\r\nb");
    EXPECT_EQ(JoinLines({}), "");
    EXPECT_EQ(SplitLines(JoinLines({"x", "", "y"})), (TStringList{"x", "", "y"}));
}

TEST(CommaText, QuotesOnlyItemsThatNeedIt) {
    EXPECT_EQ(ToCommaText({"HTML", "HTM", "PHP"}), "HTML,HTM,PHP");
    EXPECT_EQ(ToCommaText({"a b", "c,d", "say \"hi\"", "tab\there"}),
              "\"a b\",\"c,d\",\"say \"\"hi\"\"\",\"tab\there\"");
    EXPECT_EQ(ToCommaText({""}), "\"\"");
    EXPECT_EQ(ToCommaText({}), "");
    EXPECT_EQ(ToCommaText({"a", ""}), "a,");
}

TEST(CommaText, ReadingSplitsAtCommasAndUnquotedBlanks) {
    struct Case {
        const char* text;
        TStringList items;
    };
    const Case cases[] = {
        {"HTML,HTM,PHP,ASP,CGI,PL", {"HTML", "HTM", "PHP", "ASP", "CGI", "PL"}},
        {"a b", {"a", "b"}},
        {"  a , b  ", {"a", "b"}},
        {"\"a b\",c", {"a b", "c"}},
        {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
        {"a,,b", {"a", "", "b"}},
        {"a,", {"a", ""}},
        {"\"\"", {""}},
        {"", {}},
        {"\"open", {"open"}},
    };
    for (const Case& c : cases) EXPECT_EQ(FromCommaText(c.text), c.items) << c.text;
}

TEST(CommaText, RoundTripsAwkwardItems) {
    const TStringList lists[] = {{"plain"},
                                 {""},
                                 {"with blank", "x"},
                                 {"\"", ",", " "},
                                 {"a", "", "b"},
                                 {"\x01"
                                  "ctl"}};
    for (const TStringList& items : lists) {
        EXPECT_EQ(FromCommaText(ToCommaText(items)), items) << ToCommaText(items);
    }
}

}  // namespace
}  // namespace fsc
