// The values of the "Options Slide Show" dialog.
#pragma once

#include "base/TStringList.h"
#include "engine/TTemplate.h"

namespace fsc {

inline constexpr int MinSlideSize = 30;
inline constexpr int MaxSlideSize = 2000;

struct SlideShowOptions {
    TStringList SlideScheme = DefaultSlideScheme();
    // "Width" and "Height" in "Slide - Fixed Width/Height"; one size serves both.
    bool SlideWidthChecked = false;
    bool SlideHeightChecked = true;
    int SlideSize = 300;

    bool operator==(const SlideShowOptions&) const = default;
};

template <class Options, class Visitor>
void VisitSlideShowOptions(Options& options, Visitor&& visit) {
    visit("SlideScheme", options.SlideScheme);
    visit("SlideWidthChecked", options.SlideWidthChecked);
    visit("SlideHeightChecked", options.SlideHeightChecked);
    visit("SlideSize", options.SlideSize);
}

}  // namespace fsc
