// Whether a file extension counts as an HTML page, by the program options' extension list.
// Shared by the template reader, the main settings and the template file manager.
#pragma once

#include <string>

#include "base/TStringList.h"

namespace fsc {

// `extensions` holds one extension a line without the dot; ".HTML" and ".HTM" always count.
bool IsHTMLExtension(const TStringList& extensions, const std::string& extensionWithDot);

}  // namespace fsc
