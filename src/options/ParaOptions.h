// The values of the "Options Paragraph" dialog.
#pragma once

#include <string>

#include "options/Alignment.h"

namespace fsc {

struct ParaOptions {
    THorzAlign Align = THorzAlign::Left;
    std::string CSSClass;

    bool operator==(const ParaOptions&) const = default;
};

template <class Options, class Visitor>
void VisitParaOptions(Options& options, Visitor&& visit) {
    visit("Align", options.Align);
    visit("CSSClass", options.CSSClass);
}

}  // namespace fsc
