// The values of the "Options List" dialog.
#pragma once

#include <string>

namespace fsc {

struct ListOptions {
    // "Ordered List" rather than the initial "Unordered List".
    bool OrderedList = false;
    std::string CSSClass;

    bool operator==(const ListOptions&) const = default;
};

template <class Options, class Visitor>
void VisitListOptions(Options& options, Visitor&& visit) {
    visit("OrderedList", options.OrderedList);
    visit("CSSClass", options.CSSClass);
}

}  // namespace fsc
