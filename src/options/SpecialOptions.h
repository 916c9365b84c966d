// The "Special" window: meta tags, the right mouse button and the watermark switch and text.
#pragma once

#include <string>

#include "base/TStringList.h"

namespace fsc {

inline TStringList DefaultWatermarkText() {
    return {"Created with Folioscope", "https://www.orvik-freeware.example/folioscope"};
}

struct SpecialOptions {
    bool MetaAuthor = false;
    std::string Author;
    bool MetaKeywords = false;
    std::string Keywords;
    bool MetaDescription = false;
    std::string Description;
    // Image pages: "use image name", "use hint && description", "use hint".
    bool KeywordsFromName = true;
    bool KeywordsFromHintDesc = true;
    bool DescriptionWithHint = true;
    bool DisableRightButton = false;
    std::string RightButtonMessage = "Right Mouse Button Disabled.";
    // "add a Watermark to your images"
    bool Watermark = false;
    TStringList WatermarkText = DefaultWatermarkText();
    // "remove location data": on unless chosen otherwise, since a gallery is public.
    bool RemoveLocation = true;

    bool operator==(const SpecialOptions&) const = default;
};

template <class Options, class Visitor>
void VisitSpecialOptions(Options& options, Visitor&& visit) {
    visit("MetaAuthor", options.MetaAuthor);
    visit("Author", options.Author);
    visit("MetaKeywords", options.MetaKeywords);
    visit("Keywords", options.Keywords);
    visit("MetaDescription", options.MetaDescription);
    visit("Description", options.Description);
    visit("KeywordsFromName", options.KeywordsFromName);
    visit("KeywordsFromHintDesc", options.KeywordsFromHintDesc);
    visit("DescriptionWithHint", options.DescriptionWithHint);
    visit("DisableRightButton", options.DisableRightButton);
    visit("RightButtonMessage", options.RightButtonMessage);
    visit("Watermark", options.Watermark);
    visit("WatermarkText", options.WatermarkText);
    visit("RemoveLocation", options.RemoveLocation);
}

}  // namespace fsc
