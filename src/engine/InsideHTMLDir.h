// Guards the gallery folder against untrusted names: a template or a typed file name
// must never make the build write outside the HTML directory.
#pragma once

#include <string>
#include <string_view>

namespace fsc {

// True when a path relative to the HTML directory stays inside it: not absolute (no
// leading separator, no drive letter) and no ".." climbing above the start. Both '\' and
// '/' separate.
bool StaysInsideHTMLDir(std::string_view relativePath);

// Raises EFSC_Exception with the message `what` + " lies outside the HTML directory."
// when the path would leave it.
void RequireInsideHTMLDir(std::string_view relativePath, const std::string& what);

}  // namespace fsc
