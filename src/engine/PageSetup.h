// The two rewrites the HTML step makes before any page is generated.
#pragma once

#include <string>

#include "engine/TTemplate.h"

namespace fsc {

// The image directory as a URL prefix: "/" appended unless it is blank.
std::string ImageDirPrefix(const std::string& imageDir);

// Each CSS field without "class=" becomes class="<text>" (an empty one too).
void WrapCSSFields(TTemplate& tpl);

}  // namespace fsc
