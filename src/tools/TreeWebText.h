// Folder names as the directory-tree pages carry them: as HTML text and as relative links.
// A folder may be called "#1", "a&b", "what?" or "x:y" and still give readable text and a
// link that leads into it.
#pragma once

#include <string>

namespace fsc {

// "&", "<", ">" and '"' as entities; everything else as it is.
std::string TreeHtmlText(const std::string& text);

// Letters, digits, "/" and the few marks that mean nothing special in a relative URL path
// stay; everything else (blanks, "#", "?", "%", ":", quotes, non-ASCII bytes) is
// percent-encoded.
std::string TreeUrlPath(const std::string& path);

}  // namespace fsc
