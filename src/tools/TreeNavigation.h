// The links between the galleries of a directory tree: the text added below the navigation
// scheme of every folder's pages, and the folder name the progress window shows.
#pragma once

#include <string>

#include "base/TStringList.h"

namespace fsc {

// "<b>Directory: " + the folder as the pages show it + " </b> <br>", then below the top
// folder the link to the parent's gallery (".."), then one link per subfolder with a
// gallery, in the given order. Names are written as HTML text and the link targets as URL
// paths, so a folder called "#1" or "a&b" still gives a working link.
std::string TreeNavigationText(const std::string& shownFolder, int depth,
                               const TStringList& subfolders, const std::string& fileName);

// The top folder as the pages show it: its own name, never the path leading to it, which is
// the author's business and not the visitor's. The folders below it are shown as this name,
// "/" and their path from the top.
std::string ShownTopFolder(const std::string& top);

// The navigation scheme of a folder's pages: the user's scheme text, CR LF, the links.
TStringList TreeNavigationScheme(const TStringList& userScheme, const std::string& navigation);

// The folder as the progress line shows it: "..." and its last 18 characters when it is
// longer than 20.
std::string ShownFolderText(const std::string& folder);

}  // namespace fsc
