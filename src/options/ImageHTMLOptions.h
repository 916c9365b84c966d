// The text box of the "Options Image HTML" dialog: the image page skeleton it offers.
#pragma once

#include "base/TStringList.h"

namespace fsc {

inline TStringList DefaultImageHTMLText() {
    return {"<HTML><HEAD><TITLE><!-NAME-></TITLE></HEAD>", "<BODY><!-IMAGE-> ",
            "<br> </BODY></HTML>"};
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
