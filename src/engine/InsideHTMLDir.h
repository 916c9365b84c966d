// Guards the gallery folder against untrusted names: a template or a typed file name
// must never make the build write outside the HTML directory.
#pragma once

#include <string>
#include <string_view>

#include "engine/TTemplate.h"

namespace fsc {

// True when a path relative to the HTML directory stays inside it: not absolute (no
// leading separator, no drive letter) and no ".." climbing above the start. Both '\' and
// '/' separate.
bool StaysInsideHTMLDir(std::string_view relativePath);

// Raises EFSC_Exception with the message `what` + " lies outside the HTML directory."
// when the path would leave it.
void RequireInsideHTMLDir(std::string_view relativePath, const std::string& what);

// Checks every name a template gives the build to write (gallery file and page names,
// extra pages, plain copies) just before a build, since a template may have been edited
// after it was read. Raises for the first that would leave the HTML directory.
void CheckTemplateTargets(const TTemplate& tpl);

}  // namespace fsc
