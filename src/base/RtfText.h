// A reader for the small part of RTF that the help documents use: paragraphs, tabs, bold
// and italic, escaped characters. Everything else is skipped, so a richer file still shows
// its text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fsc {

// A stretch of text in one style. The text is UTF-8; "\n" ends a paragraph, "\t" is a tab.
struct TRtfRun {
    std::string Text;
    bool Bold = false;
    bool Italic = false;

    bool operator==(const TRtfRun&) const = default;
};

// Neighbouring runs never share a style; empty runs are left out.
using TRtfText = std::vector<TRtfRun>;

// Whether the bytes start (after blanks) with the RTF header "{\rtf".
bool IsRtf(std::string_view bytes);

// The text of an RTF document. Destination groups (font and colour tables, "{\*...}" and
// the like) are skipped; unknown control words are ignored; characters written as \'hh
// or as raw bytes above 127 are taken from the Windows-1252 code page. Damaged input
// (unbalanced braces, a backslash at the end, huge numbers) never fails: what can be read
// is returned.
TRtfText ReadRtf(std::string_view bytes);

}  // namespace fsc
