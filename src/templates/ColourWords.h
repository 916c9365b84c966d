// Colour words: the 136-entry named-colour list, the parsing of a colour name or
// "#RRGGBB", the contrast colour for text on a coloured ground, and what choosing a list
// entry yields.
#pragma once

#include <cstdint>
#include <string>

#include "base/TStringList.h"

namespace fsc {

inline constexpr std::size_t NamedColourCount = 136;

struct TColour {
    std::uint8_t Red = 0, Green = 0, Blue = 0;

    bool operator==(const TColour&) const = default;
};

// A background and the text colour that stays readable on it.
struct TColourPair {
    TColour Background;
    TColour Text;

    bool operator==(const TColourPair&) const = default;
};

// 16 HTML names ("black = #000000 ") followed by 120 extended names
// ("aliceblue  #F0F8FF "), each entry ending in a blank.
TStringList NamedColourList();

// The 16 basic names (any case, blanks around ignored); otherwise characters 2-7 as three
// hexadecimal pairs, other characters counting 0; a text shorter than 7 gives black.
TColour ParseColour(const std::string& text);

// Per channel: 0 on a channel of more than 128, else 255.
TColour ContrastColour(const TColour& background);

// Choosing an entry: the trimmed name before "=" for a basic colour, else the code from
// the "#" on (at most 20 characters).
std::string ColourListChoice(const std::string& entry);

// The colours of an edit holding a colour value: parsed background, contrast text.
TColourPair EntryColours(const std::string& text);

// The collage list's colour change: the seven characters from the "#" of the selected
// entry, parsed; background and contrast text.
TColourPair CollageListColours(const std::string& entry);

// A stored collage colour: the list entry equal to it (blanks around either aside), else
// the first entry.
std::string CollageColourEntry(const std::string& value);

}  // namespace fsc
