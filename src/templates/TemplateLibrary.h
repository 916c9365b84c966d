// The template library folder: which templates it lists, where an entry's file and preview
// picture lie, and a template's description line.
#pragma once

#include <string>

#include "base/TStringList.h"

namespace fsc {

inline constexpr const char* UserTemplatePrefix = "USER:";

// "Templates" in the program's data folder.
std::string TemplateLibraryFolder();

// The ".html" names in listing order, then every ".tpl" name not among them (exact match).
// A missing folder gives an empty list.
TStringList ListTemplates(const std::string& folder);

// A "USER:" entry names its file; any other entry is N + ".tpl" in the library.
std::string TemplatePath(const std::string& folder, const std::string& entry);
// N + ".jpg" in the library when it exists, else "". A "USER:" entry never has one.
std::string TemplatePreviewFile(const std::string& folder, const std::string& entry);

// The text after the last "DESCRIPTION=" line, at most 99 characters; "" without one.
std::string TemplateDescription(const TStringList& lines);

}  // namespace fsc
