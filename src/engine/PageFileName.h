// Names of numbered thumbnail pages: index.html, index2.html, index3.html, ...
#pragma once

#include <string>

namespace fsc {

// Page 1 (and below) keeps the name; page k >= 2 gets k before the extension. A name
// without extension gets "." + ext.
std::string PageFileName(const std::string& name, const std::string& ext, int number);

// The name without its extension (the directory part is kept).
std::string WithoutExtension(const std::string& name);

}  // namespace fsc
