// The values of the "Options Table" dialog.
#pragma once

#include <string>

#include "options/Alignment.h"

namespace fsc {

inline constexpr int MinTableBorder = 0;
inline constexpr int MaxTableBorder = 99;

struct TableOptions {
    std::string CSSClass;
    int Border = 0;
    std::string TableWidth;
    THorzAlign TDAlign = THorzAlign::Center;
    TVertAlign TDVAlign = TVertAlign::Middle;

    bool operator==(const TableOptions&) const = default;
};

template <class Options, class Visitor>
void VisitTableOptions(Options& options, Visitor&& visit) {
    visit("CSSClass", options.CSSClass);
    visit("Border", options.Border);
    visit("TableWidth", options.TableWidth);
    visit("TDAlign", options.TDAlign);
    visit("TDVAlign", options.TDVAlign);
}

}  // namespace fsc
