// The URLs pages give for the gallery's files and the pictures' links.
#pragma once

#include <string>

#include "engine/TThumbnail.h"

namespace fsc {

// The URL of the file `name` in the folder `dir`, a relative folder that ends in a
// separator or is empty ("images/", "../images/"). Both are percent-encoded.
std::string FileUrl(const std::string& dir, const std::string& name);

// True for a link that no folder may be put in front of: one with a scheme (http:,
// https:, ftp:, mailto:, ... in any case) or an absolute path.
bool IsLinkAsWritten(const std::string& link);

// True for a link used as written: an other link, or one IsLinkAsWritten.
bool IsAbsoluteLink(const TThumbnail& thumb);

// Where the picture's Link leads, seen from a page for which the links' folder is `dir`:
// a link used as written stays as the user wrote it; any other is a file in `dir`.
// Not yet escaped for an attribute: pass it through HtmlText there.
std::string LinkUrl(const TThumbnail& thumb, const std::string& dir);

}  // namespace fsc
