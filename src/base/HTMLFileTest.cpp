// The HTML file test.
#include "base/HTMLFileTest.h"

#include <algorithm>

#include "base/Text.h"

namespace fsc {

bool IsHTMLExtension(const TStringList& extensions, const std::string& extensionWithDot) {
    const std::string wanted = UpperCase(extensionWithDot);
    if (wanted == ".HTML" || wanted == ".HTM") return true;
    return std::any_of(extensions.begin(), extensions.end(), [&](const std::string& line) {
        return "." + UpperCase(Trim(line)) == wanted;
    });
}

}  // namespace fsc
