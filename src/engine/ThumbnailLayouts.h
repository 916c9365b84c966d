// The three HTML layouts of a thumbnail page: table, list and paragraph. Each emits every
// slot of the page; slots after the last image hold a blank filler.
#pragma once

#include <string>

#include "engine/TPageContext.h"

namespace fsc {

inline constexpr const char* FillerCell = " &nbsp; \r\n";

// Images first..last fill Rows x Cols cells row by row.
std::string TableHTML(TPageContext& context, int first, int last);
// Rows list items (ordered or not).
std::string ListHTML(TPageContext& context, int first, int last);
// Rows thumbnails in one paragraph.
std::string ParagraphHTML(TPageContext& context, int first, int last);

}  // namespace fsc
