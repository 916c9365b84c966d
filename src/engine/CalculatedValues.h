// Calculated values: size and count tags, and nested ADD/SUB/MUL/DIV constructs.
#pragma once

#include <string>

#include "engine/TPageContext.h"

namespace fsc {

// Replaces the known words (THUMBHEIGT, THUMBWIDTH, IMAGEHEIGHT, IMAGEWIDTH, COLCOUNT,
// ROWCOUNT, THUMBCOUNT) and evaluates operator constructs; other tags stay.
std::string ApplyCalculatedValues(const TPageContext& context, const std::string& text);

}  // namespace fsc
