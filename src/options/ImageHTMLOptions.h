// The text box of the "Options Image HTML" dialog: the image page skeleton it offers.
#pragma once

#include "base/TStringList.h"
#include "engine/TTemplate.h"

namespace fsc {

inline TStringList DefaultImageHTMLText() {
    return {"<!DOCTYPE html>",
            "<HTML lang=\"en\"><HEAD><meta charset=\"utf-8\">" + std::string(ViewportMeta) +
                "<TITLE><!-NAME-></TITLE></HEAD>",
            "<BODY><!-IMAGE-> ", "<br> </BODY></HTML>"};
}

struct ImageHTMLOptions {
    TStringList Text = DefaultImageHTMLText();

    bool operator==(const ImageHTMLOptions&) const = default;
};

template <class Options, class Visitor>
void VisitImageHTMLOptions(Options& options, Visitor&& visit) {
    visit("Text", options.Text);
}

}  // namespace fsc
