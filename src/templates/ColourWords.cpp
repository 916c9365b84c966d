// The named-colour list offered wherever a colour is chosen, and the reading of colour words.
#include "templates/ColourWords.h"

#include <array>

#include "base/Text.h"

namespace fsc {

namespace {

// The 16 HTML 4.01 names carry "=", so that choosing one yields the name itself; the
// extended CSS3/SVG names yield their code, which every browser understands.
const std::array<const char*, NamedColourCount> NamedColourEntries = {
    "black = #000000 ",
    "maroon =  #800000 ",
    "green = #008000 ",
    "olive = #808000 ",
    "navy = #000080 ",
    "purple =  #800080 ",
    "teal = #008080 ",
    "gray = #808080 ",
    "silver =  #C0C0C0 ",
    "red = #FF0000 ",
    "lime = #00FF00 ",
    "yellow =  #FFFF00 ",
    "blue = #0000FF ",
    "fuchsia =  #FF00FF ",
    "aqua = #00FFFF ",
    "white = #FFFFFF ",
    "aliceblue  #F0F8FF ",
    "antiquewhite  #FAEBD7 ",
    "aquamarine  #7FFFD4 ",
    "azure #F0FFFF ",
    "beige #F5F5DC ",
    "blueviolet  #8A2BE2 ",
    "brown #A52A2A ",
    "burlywood  #DEB887 ",
    "cadetblue  #5F9EA0 ",
    "chartreuse  #7FFF00 ",
    "chocolate  #D2691E ",
    "coral #FF7F50 ",
    "cornflowerblue  #6495ED ",
    "cornsilk  #FFF8DC ",
    "crimson  #DC143C ",
    "darkblue  #00008B ",
    "darkcyan  #008B8B ",
    "darkgoldenrod  #B8860B ",
    "darkgray  #A9A9A9 ",
    "darkgreen  #006400 ",
    "darkkhaki  #BDB76B ",
    "darkmagenta  #8B008B ",
    "darkolivegreen  #556B2F ",
    "darkorange  #FF8C00 ",
    "darkorchid  #9932CC ",
    "darkred  #8B0000 ",
    "darksalmon  #E9967A ",
    "darkseagreen  #8FBC8F ",
    "darkslateblue  #483D8B ",
    "darkslategray  #2F4F4F ",
    "darkturquoise  #00CED1 ",
    "darkviolet  #9400D3 ",
    "deeppink  #FF1493 ",
    "deepskyblue  #00BFFF ",
    "dimgray  #696969 ",
    "dodgerblue  #1E90FF ",
    "firebrick  #B22222 ",
    "floralwhite  #FFFAF0 ",
    "forestgreen  #228B22 ",
    "gainsboro  #DCDCDC ",
    "ghostwhite  #F8F8FF ",
    "gold #FFD700 ",
    "goldenrod  #DAA520 ",
    "greenyellow  #ADFF2F ",
    "honeydew  #F0FFF0 ",
    "hotpink  #FF69B4 ",
    "indianred  #CD5C5C ",
    "indigo  #4B0082 ",
    "ivory #FFFFF0 ",
    "khaki #F0E68C ",
    "lavender  #E6E6FA ",
    "lavenderblush  #FFF0F5 ",
    "lawngreen  #7CFC00 ",
    "lemonchiffon  #FFFACD ",
    "lightblue  #ADD8E6 ",
    "lightcoral  #F08080 ",
    "lightcyan  #E0FFFF ",
    "lightgoldenrodyellow  #FAFAD2 ",
    "lightgreen  #90EE90 ",
    "lightgrey  #D3D3D3 ",
    "lightpink  #FFB6C1 ",
    "lightsalmon  #FFA07A ",
    "lightseagreen  #20B2AA ",
    "lightskyblue  #87CEFA ",
    "lightslategray  #778899 ",
    "lightsteelblue  #B0C4DE ",
    "lightyellow  #FFFFE0 ",
    "limegreen  #32CD32 ",
    "linen #FAF0E6 ",
    "mediumaquamarine  #66CDAA ",
    "mediumblue  #0000CD ",
    "mediumorchid  #BA55D3 ",
    "mediumpurple  #9370DB ",
    "mediumseagreen  #3CB371 ",
    "mediumslateblue  #7B68EE ",
    "mediumspringgreen  #00FA9A ",
    "mediumturquoise  #48D1CC ",
    "mediumvioletred  #C71585 ",
    "midnightblue  #191970 ",
    "mintcream  #F5FFFA ",
    "mistyrose  #FFE4E1 ",
    "moccasin  #FFE4B5 ",
    "navajowhite  #FFDEAD ",
    "oldlace  #FDF5E6 ",
    "olivedrab  #6B8E23 ",
    "orange  #FFA500 ",
    "orangered  #FF4500 ",
    "orchid  #DA70D6 ",
    "palegoldenrod  #EEE8AA ",
    "palegreen  #98FB98 ",
    "paleturquoise  #AFEEEE ",
    "palevioletred  #DB7093 ",
    "papayawhip  #FFEFD5 ",
    "peachpuff  #FFDAB9 ",
    "peru #CD853F ",
    "pink #FFC0CB ",
    "plum #DDA0DD ",
    "powderblue  #B0E0E6 ",
    "rosybrown  #BC8F8F ",
    "royalblue  #4169E1 ",
    "saddlebrown  #8B4513 ",
    "salmon  #FA8072 ",
    "sandybrown  #F4A460 ",
    "seagreen  #2E8B57 ",
    "seashell  #FFF5EE ",
    "sienna  #A0522D ",
    "skyblue  #87CEEB ",
    "slateblue  #6A5ACD ",
    "slategray  #708090 ",
    "snow #FFFAFA ",
    "springgreen  #00FF7F ",
    "steelblue  #4682B4 ",
    "tan #D2B48C ",
    "thistle  #D8BFD8 ",
    "tomato  #FF6347 ",
    "turquoise  #40E0D0 ",
    "violet  #EE82EE ",
    "wheat #F5DEB3 ",
    "whitesmoke  #F5F5F5 ",
    "yellowgreen  #9ACD32 ",
};

struct TBasicColour {
    const char* Name;
    TColour Colour;
};

const std::array<TBasicColour, 16> BasicColours = {{
    {"black", {0, 0, 0}},
    {"maroon", {128, 0, 0}},
    {"green", {0, 128, 0}},
    {"olive", {128, 128, 0}},
    {"navy", {0, 0, 128}},
    {"purple", {128, 0, 128}},
    {"teal", {0, 128, 128}},
    {"gray", {128, 128, 128}},
    {"silver", {192, 192, 192}},
    {"red", {255, 0, 0}},
    {"lime", {0, 255, 0}},
    {"yellow", {255, 255, 0}},
    {"blue", {0, 0, 255}},
    {"fuchsia", {255, 0, 255}},
    {"aqua", {0, 255, 255}},
    {"white", {255, 255, 255}},
}};

// A hexadecimal digit counts its value; anything else counts 0.
int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 0;
}

int HexPair(const std::string& text, std::size_t at) {
    return HexDigit(text[at]) * 16 + HexDigit(text[at + 1]);
}

}  // namespace

TStringList NamedColourList() {
    return TStringList(NamedColourEntries.begin(), NamedColourEntries.end());
}

TColour ParseColour(const std::string& text) {
    const std::string word = LowerCase(Trim(text));
    for (const TBasicColour& basic : BasicColours) {
        if (word == basic.Name) return basic.Colour;
    }
    if (word.size() < 7) return {0, 0, 0};
    // The first character is taken as the "#" without looking at it.
    const std::string upper = UpperCase(word);
    return {static_cast<std::uint8_t>(HexPair(upper, 1)),
            static_cast<std::uint8_t>(HexPair(upper, 3)),
            static_cast<std::uint8_t>(HexPair(upper, 5))};
}

TColour ContrastColour(const TColour& background) {
    // A channel of exactly 128 counts as dark, so navy (0, 0, 128) gets white text.
    const auto channel = [](std::uint8_t value) -> std::uint8_t { return value > 128 ? 0 : 255; };
    return {channel(background.Red), channel(background.Green), channel(background.Blue)};
}

std::string ColourListChoice(const std::string& entry) {
    const std::size_t equals = entry.find('=');
    if (equals != std::string::npos && equals >= 1) return Trim(entry.substr(0, equals));
    const std::size_t hash = entry.find('#');
    if (hash == std::string::npos) return Trim(entry);
    return Trim(entry.substr(hash, 20));
}

TColourPair EntryColours(const std::string& text) {
    TColourPair colours;
    colours.Background = ParseColour(text);
    colours.Text = ContrastColour(colours.Background);
    return colours;
}

TColourPair CollageListColours(const std::string& entry) {
    const std::size_t hash = entry.find('#');
    return EntryColours(hash == std::string::npos ? entry : entry.substr(hash, 7));
}

std::string CollageColourEntry(const std::string& value) {
    const TStringList entries = NamedColourList();
    // Settings values are trimmed when read, and every entry ends in a blank: comparing
    // the trimmed texts lets a saved colour find its entry again.
    const std::string wanted = Trim(value);
    for (const std::string& entry : entries) {
        if (Trim(entry) == wanted) return entry;
    }
    return entries.front();
}

}  // namespace fsc
