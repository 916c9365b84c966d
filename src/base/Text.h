// Byte-string helpers: replacing, finding and case rules shared by every subsystem.
// Text is bytes; case conversions touch ASCII letters only.
#pragma once

#include <string>
#include <string_view>

namespace fsc {

// Replaces every occurrence from left to right; inserted text is never searched again.
std::string ReplaceAll(std::string_view text, std::string_view tag, std::string_view value);
// ReplaceAll in place: a page goes through dozens of tags and holds few of them, and a text
// without the tag is then neither copied nor changed.
void ReplaceAllIn(std::string& text, std::string_view tag, std::string_view value);
// Replaces the first occurrence only; returns the text unchanged when the tag is absent.
std::string ReplaceFirst(std::string_view text, std::string_view tag, std::string_view value);
// Like ReplaceFirst but the tag is found without regard to ASCII case.
std::string ReplaceFirstNoCase(std::string_view text, std::string_view tag, std::string_view value);

// Position of the first occurrence at or after `from`, ignoring ASCII case; npos when absent.
std::size_t FindNoCase(std::string_view text, std::string_view what, std::size_t from = 0);
bool ContainsNoCase(std::string_view text, std::string_view what);

std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
bool SameText(std::string_view a, std::string_view b);
// <0, 0 or >0 like strcmp, comparing ASCII letters without regard to case.
int CompareText(std::string_view a, std::string_view b);

// Trimming removes blanks and control characters (bytes up to 32), as stored settings need.
std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);

bool StartsWith(std::string_view text, std::string_view prefix);
bool EndsWith(std::string_view text, std::string_view suffix);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// Decimal integer with optional sign and surrounding blanks; false when not a whole number
// or out of the int range.
bool TryParseInt(std::string_view text, int& value);

}  // namespace fsc
