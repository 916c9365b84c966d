// The line list that holds every text the program reads and writes.
// Lines are split at CR LF, CR or LF and joined with CR LF, as the stored formats require.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fsc {

using TStringList = std::vector<std::string>;

// Splits at CR LF, CR or LF; a final line break does not start another (empty) line.
TStringList SplitLines(std::string_view text);
// Every line followed by CR LF, the way the lists are shown, compared and saved.
std::string JoinLines(const TStringList& lines);
// JoinLines without the CR LF after the last line.
std::string JoinLinesNoFinalBreak(const TStringList& lines);

// -1 when absent.
int IndexOfLine(const TStringList& lines, std::string_view line);
int IndexOfLineNoCase(const TStringList& lines, std::string_view line);

// Comma text: items joined by ","; items holding a blank, control character, comma or
// double quote are quoted with inner quotes doubled; a single empty item is "".
std::string ToCommaText(const TStringList& items);
// Splits at commas and, outside quotes, at blanks and control characters; removes quoting.
TStringList FromCommaText(std::string_view text);

}  // namespace fsc
