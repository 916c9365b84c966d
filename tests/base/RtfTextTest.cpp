// The help documents' RTF: text and styles of good files, and damaged files that must
// still give their readable text without failing.
#include <gtest/gtest.h>

#include <string>

#include "base/RtfText.h"

namespace fsc {
namespace {

// The text the help window shows, without its styles.
std::string PlainText(const TRtfText& text) {
    std::string plain;
    for (const TRtfRun& run : text) plain += run.Text;
    return plain;
}

struct TextCase {
    const char* Why;
    std::string Rtf;
    std::string Text;
};

TEST(ReadRtf, TurnsTheHelpSubsetIntoText) {
    const TextCase cases[] = {
        {"plain paragraphs", R"({\rtf1\ansi\deff0 one\par two\par})", "one\ntwo\n"},
        {"tab", R"({\rtf1 a\tab b})", "a\tb"},
        {"the blank after a control word is part of it", R"({\rtf1\b bold\b0  text})", "bold text"},
        {"escaped braces and backslash", R"({\rtf1 \{x\} \\ y})", "{x} \\ y"},
        {"line breaks of the file are not text", "{\\rtf1 a\r\nb\nc}", "abc"},
        {"hex escape in Windows-1252", R"({\rtf1 Gr\'fc\'dfe \'80})",
         "Gr\xC3\xBC\xC3\x9F"
         "e \xE2\x82\xAC"},
        {"font table skipped", R"({\rtf1\ansi{\fonttbl{\f0\fswiss Arial;}{\f1 Courier;}}\f0 Hi})",
         "Hi"},
        {"colour table skipped", R"({\rtf1{\colortbl;\red255\green0\blue0;}x})", "x"},
        {"optional destination skipped", R"({\rtf1{\*\generator Writer 1.0;}y})", "y"},
        {"unknown control words ignored", R"({\rtf1\viewkind4\uc1\pard\sa200\fs20 z\par})", "z\n"},
        {"unicode escape with its stand-in", R"({\rtf1 \u8364?\uc2\u-4064??x})",
         "\xE2\x82\xAC\xEF\x80\xA0x"},
        {"surrogate pair", R"({\rtf1 \u-10179?\u-8704?})", "\xF0\x9F\x98\x80"},
        {"text after the document ends is not read", R"({\rtf1 in} out)", "in"},
        {"nested groups restore nothing they did not change", R"({\rtf1 a{b}c})", "abc"},
        {"control symbols", R"({\rtf1 a\~b\-c\_d})",
         "a\xC2\xA0"
         "bc-d"},
        {"binary data skipped", "{\\rtf1 a\\bin3 {\\}b}", "ab"},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(PlainText(ReadRtf(c.Rtf)), c.Text) << c.Why << ": " << c.Rtf;
    }
}

TEST(ReadRtf, KeepsBoldAndItalicRunsApart) {
    const TRtfText text =
        ReadRtf(R"({\rtf1 plain \b bold \i both\b0  italic\i0 {\b group} end\plain})");
    const TRtfText expected = {
        {"plain ", false, false}, {"bold ", true, false}, {"both", true, true},
        {" italic", false, true}, {"group", true, false}, {" end", false, false},
    };
    EXPECT_EQ(text, expected);
    // A group's style ends with the group.
    EXPECT_EQ(ReadRtf(R"({\rtf1{\i a}b})"), (TRtfText{{"a", false, true}, {"b", false, false}}));
    EXPECT_EQ(ReadRtf(R"({\rtf1\b1 a\b0 b})"), (TRtfText{{"a", true, false}, {"b", false, false}}));
}

TEST(ReadRtf, DamagedInputGivesWhatCanBeRead) {
    const TextCase cases[] = {
        {"empty", "", ""},
        {"missing closing brace", R"({\rtf1 abc)", "abc"},
        {"missing closing braces in a nested group", R"({\rtf1 a{\b b{\i c)", "abc"},
        {"surplus closing brace before the document", R"(}}{\rtf1 x})", "x"},
        {"trailing backslash", "{\\rtf1 abc\\", "abc"},
        {"trailing backslash after a word", "{\\rtf1 a\\par\\", "a\n"},
        {"hex escape cut short", R"({\rtf1 a\'4)", "a"},
        {"hex escape with a bad digit", R"({\rtf1 a\'zzb})", "azzb"},
        {"huge parameter", R"({\rtf1 \fs99999999999999999999 a})", "a"},
        {"huge binary length", "{\\rtf1 a\\bin99999999999 b}", "a"},
        {"unicode out of range", R"({\rtf1 \u99999?x})", "\xEF\xBF\xBDx"},
        {"lone low surrogate", R"({\rtf1 \u-9000?x})", "\xEF\xBF\xBDx"},
        {"lone high surrogate at the end", R"({\rtf1 \u-10179?})", "\xEF\xBF\xBD"},
        {"unclosed destination hides the rest", R"({\rtf1 a{\fonttbl b)", "a"},
        {"minus without digits", R"({\rtf1 \fs- a})", "- a"},
        {"control characters dropped",
         std::string("{\\rtf1 a\x01"
                     "b}"),
         "ab"},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(PlainText(ReadRtf(c.Rtf)), c.Text) << c.Why << ": " << c.Rtf;
    }
    // Deep nesting is read without recursion.
    const std::string deep = "{\\rtf1 " + std::string(100000, '{') + "x" + std::string(100000, '}');
    EXPECT_EQ(PlainText(ReadRtf(deep)), "x");
}

TEST(IsRtf, LooksForTheHeaderOnly) {
    EXPECT_TRUE(IsRtf(R"({\rtf1\ansi x})"));
    EXPECT_TRUE(IsRtf("\xEF\xBB\xBF \r\n{\\rtf1}"));
    EXPECT_FALSE(IsRtf("Plain help text {\\rtf1}"));
    EXPECT_FALSE(IsRtf("{\\rt"));
    EXPECT_FALSE(IsRtf(""));
}

}  // namespace
}  // namespace fsc
