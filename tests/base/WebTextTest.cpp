// Values written into pages: what a browser reads back must be exactly the value, and
// nothing in it may end an attribute, a string or the script.
#include <gtest/gtest.h>

#include "base/WebText.h"

namespace fsc {
namespace {

TEST(UrlPath, EncodesEverythingThatWouldChangeTheAddressOrEndTheAttribute) {
    // "#" and "?" would start a fragment or a query, "%" an escape, ":" a scheme.
    EXPECT_EQ(UrlPath("images/hash #1.jpg"), "images/hash%20%231.jpg");
    EXPECT_EQ(UrlPath("what?.jpg"), "what%3F.jpg");
    EXPECT_EQ(UrlPath("100%.jpg"), "100%25.jpg");
    EXPECT_EQ(UrlPath("c:d.jpg"), "c%3Ad.jpg");
    EXPECT_EQ(UrlPath("x\"onerror=\"a'b<&>.jpg"), "x%22onerror=%22a%27b%3C%26%3E.jpg");
    // UTF-8 bytes one by one, whatever their normal form; "+" is a plus in a path.
    EXPECT_EQ(UrlPath("\xC3\x85sa a+b=c;d.jpg"), "%C3%85sa%20a+b=c;d.jpg");
    EXPECT_EQ(UrlPath("../index2.html"), "../index2.html");
}

TEST(UrlAsWritten, KeepsTheUsersAddressButNothingThatCannotStandInOne) {
    EXPECT_EQ(UrlAsWritten("http://example.org/a%20b?x=1&y=2#top"),
              "http://example.org/a%20b?x=1&y=2#top");
    EXPECT_EQ(UrlAsWritten("http://e.org/\"><script>"), "http://e.org/%22%3E%3Cscript%3E");
    EXPECT_EQ(UrlAsWritten("my page.html"), "my%20page.html");
}

TEST(HtmlText, EscapesMarkupAndBothQuotes) {
    EXPECT_EQ(HtmlText("say \"hi\" & <b>'bye'</b>"),
              "say &quot;hi&quot; &amp; &lt;b&gt;&#39;bye&#39;&lt;/b&gt;");
    // A hint's own character references are meant; a lone "&" is not one.
    EXPECT_EQ(HtmlTextKeepingEntities("Caf&eacute; &#233; &#xE9; & &x; &amp"),
              "Caf&eacute; &#233; &#xE9; &amp; &x; &amp;amp");
}

TEST(JsString, NothingEndsTheStringOrTheScript) {
    EXPECT_EQ(JsString("a\"b'c\\d"), "a\\\"b\\'c\\\\d");
    EXPECT_EQ(JsString("</script>\n"), "\\x3C/script\\x3E\\x0A");
    EXPECT_EQ(JsString("\xE2\x80\xA8x\xC3\x85"), "\\u2028x\xC3\x85");
}

TEST(IsUtf8, AcceptsWellFormedTextOnly) {
    EXPECT_TRUE(IsUtf8("plain"));
    EXPECT_TRUE(IsUtf8("J\xC3\xBCrgen \xF0\x9F\x93\xB7"));
    EXPECT_FALSE(IsUtf8("J\xFCrgen"));     // Latin-1
    EXPECT_FALSE(IsUtf8("\xC3"));          // cut short
    EXPECT_FALSE(IsUtf8("\xC0\xAF"));      // overlong "/"
    EXPECT_FALSE(IsUtf8("\xE0\x80\xAF"));  // overlong, three bytes
    EXPECT_FALSE(IsUtf8("\xED\xA0\x80"));  // a surrogate
}

}  // namespace
}  // namespace fsc
