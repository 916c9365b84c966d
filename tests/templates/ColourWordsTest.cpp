#include <gtest/gtest.h>

#include <set>

#include "base/Text.h"
#include "templates/ColourWords.h"

namespace fsc {

inline void PrintTo(const TColour& colour, std::ostream* out) {
    *out << "(" << int(colour.Red) << ", " << int(colour.Green) << ", " << int(colour.Blue) << ")";
}

namespace {

TEST(NamedColourList, HasSixteenBasicThenOneHundredTwentyExtendedNames) {
    const TStringList list = NamedColourList();
    ASSERT_EQ(list.size(), 136u);
    const char* basic[] = {"black", "maroon",  "green",  "olive", "navy", "purple",
                           "teal",  "gray",    "silver", "red",   "lime", "yellow",
                           "blue",  "fuchsia", "aqua",   "white"};
    for (std::size_t i = 0; i < 16; ++i) {
        EXPECT_TRUE(StartsWith(list[i], std::string(basic[i]) + " =")) << i << ": " << list[i];
    }
    for (std::size_t i = 16; i < list.size(); ++i) {
        EXPECT_EQ(list[i].find('='), std::string::npos) << list[i];
    }
    EXPECT_EQ(list[16], "aliceblue  #F0F8FF ");
    EXPECT_EQ(list.back(), "yellowgreen  #9ACD32 ");
}

TEST(NamedColourList, EntriesKeepTheirExactSpacing) {
    const TStringList list = NamedColourList();
    const char* expected[] = {"black = #000000 ",       "navy = #000080 ", "silver =  #C0C0C0 ",
                              "mediumpurple  #9370DB ", "tan #D2B48C ",    "lightgrey  #D3D3D3 "};
    const std::set<std::string> entries(list.begin(), list.end());
    for (const char* entry : expected) EXPECT_EQ(entries.count(entry), 1u) << entry;
}

TEST(NamedColourList, ExtendedNamesAreSortedAndLeaveOutTheListedOnes) {
    const TStringList list = NamedColourList();
    std::set<std::string> names;
    for (std::size_t i = 16; i < list.size(); ++i) {
        const std::string name = list[i].substr(0, list[i].find(' '));
        if (i > 16) {
            EXPECT_LT(list[i - 1].substr(0, list[i - 1].find(' ')), name);
        }
        names.insert(name);
        // Every entry is name, blanks, "#" and six upper-case digits, then one blank.
        const std::string code = list[i].substr(list[i].find('#'));
        EXPECT_EQ(code.size(), 8u) << list[i];
        EXPECT_EQ(code, UpperCase(code)) << list[i];
        EXPECT_EQ(code.back(), ' ') << list[i];
    }
    for (const char* left :
         {"bisque", "blanchedalmond", "cyan", "magenta", "lightgray", "grey", "darkgrey", "dimgrey",
          "slategrey", "darkslategrey", "lightslategrey", "black", "navy"}) {
        EXPECT_EQ(names.count(left), 0u) << left;
    }
    EXPECT_EQ(names.count("lightgrey"), 1u);
    EXPECT_EQ(names.count("darkgray"), 1u);
}

TEST(ColourListChoice, BasicColoursYieldTheirNameExtendedOnesTheirCode) {
    const std::pair<const char*, const char*> cases[] = {
        {"navy = #000080 ", "navy"},
        {"silver =  #C0C0C0 ", "silver"},
        {"mediumpurple  #9370DB ", "#9370DB"},
        {"aliceblue  #F0F8FF ", "#F0F8FF"},
        // An equals sign in the first place does not count as a name.
        {"=#123456 ", "#123456"},
    };
    for (const auto& [entry, value] : cases) EXPECT_EQ(ColourListChoice(entry), value) << entry;
}

TEST(ParseColour, NamesCodesAndBadCharacters) {
    const std::pair<const char*, TColour> cases[] = {
        {"navy", {0, 0, 128}},
        {"  SILVER ", {192, 192, 192}},
        {"#C0C0C0", {192, 192, 192}},
        {"#9370db", {147, 112, 219}},
        {"#12", {0, 0, 0}},         // shorter than 7: black
        {"x0A0B0C", {10, 11, 12}},  // the first character is not looked at
        {"#GG00ZZ", {0, 0, 0}},     // other characters count 0
        {"#1G2H3I", {16, 32, 48}},
        // Only the 16 basic names are known by name; others are read as codes.
        {"mediumpurple", {0xED, 0, 0}},
    };
    for (const auto& [text, colour] : cases) EXPECT_EQ(ParseColour(text), colour) << text;
}

TEST(ContrastColour, LightChannelsGetZeroDarkOnes255) {
    EXPECT_EQ(EntryColours("#C0C0C0").Text, (TColour{0, 0, 0}));
    // Navy gets white text, as every user expects; 128 itself counts as dark.
    EXPECT_EQ(EntryColours("#000080").Text, (TColour{255, 255, 255}));
    EXPECT_EQ(ContrastColour({129, 128, 0}), (TColour{0, 255, 255}));
}

TEST(CollageColours, TakeTheCodeOfTheWholeEntry) {
    EXPECT_EQ(CollageListColours("navy = #000080 ").Background, (TColour{0, 0, 128}));
    EXPECT_EQ(CollageListColours("navy = #000080 ").Text, (TColour{255, 255, 255}));
    EXPECT_EQ(CollageListColours("silver =  #C0C0C0 ").Background, (TColour{192, 192, 192}));
    EXPECT_EQ(CollageListColours("silver =  #C0C0C0 ").Text, (TColour{0, 0, 0}));
    EXPECT_EQ(CollageColourEntry("silver =  #C0C0C0 "), "silver =  #C0C0C0 ");
    EXPECT_EQ(CollageColourEntry("silver =  #C0C0C0"), "silver =  #C0C0C0 ");
    EXPECT_EQ(CollageColourEntry("silver"), "black = #000000 ");
    EXPECT_EQ(CollageColourEntry("silver = #C0C0C0"), "black = #000000 ");
}

}  // namespace
}  // namespace fsc
