// The JavaScript slide show that replaces the gallery tag on slide-show pages.
#pragma once

#include <string>

#include "engine/TPageContext.h"

namespace fsc {

// The framed slide scheme with its button tags and the script for images first..last
// (at most Rows of them). Rewrites Link of each image shown, as thumbnail cells do.
std::string SlideShowHTML(TPageContext& context, int first, int last);

}  // namespace fsc
