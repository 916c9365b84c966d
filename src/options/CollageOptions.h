// The values of the "Options Collage/Image Map" dialog.
#pragma once

#include <string>

#include "engine/TTemplate.h"

namespace fsc {

// "Partitioning": "Table", "Random", "Circle".
enum class TCollageType { Table, Random, Circle };

struct CollageOptions {
    TCollageType Partitioning = TCollageType::Table;
    // The whole selected entry of the named-colour list; the first entry at start.
    std::string BackgroundColor = DefaultCollageBgColor;
    // "Align images in center "
    bool CenterImages = false;
    std::string CSSClass;

    bool operator==(const CollageOptions&) const = default;
};

template <class Options, class Visitor>
void VisitCollageOptions(Options& options, Visitor&& visit) {
    visit("Partitioning", options.Partitioning);
    visit("BackgroundColor", options.BackgroundColor);
    visit("CenterImages", options.CenterImages);
    visit("CSSClass", options.CSSClass);
}

}  // namespace fsc
