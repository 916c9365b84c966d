// The navigation text of the directory-tree galleries.
#include "tools/TreeNavigation.h"

#include <filesystem>

#include "base/Paths.h"
#include "base/WebText.h"

namespace fsc {

namespace {

std::string Link(const std::string& target, const std::string& caption) {
    return " &nbsp;&nbsp; <a href=\"" + UrlPath(target) + "\">" + HtmlText(caption) + "</a> <br>";
}

}  // namespace

std::string TreeNavigationText(const std::string& shownFolder, int depth,
                               const TStringList& subfolders, const std::string& fileName) {
    std::string text = "<b>Directory: " + HtmlText(shownFolder) + " </b> <br>";
    if (depth > 0) text += Link("../" + fileName, "..");
    for (const std::string& subfolder : subfolders) {
        text += Link(subfolder + "/" + fileName, subfolder);
    }
    return text;
}

TStringList TreeNavigationScheme(const TStringList& userScheme, const std::string& navigation) {
    return SplitLines(JoinLines(userScheme) + "\r\n" + navigation);
}

std::string ShownTopFolder(const std::string& top) {
    // "." or "photos/.." name no folder by themselves; "/" has no name at all.
    const std::filesystem::path whole = std::filesystem::absolute(top).lexically_normal();
    const std::string name = ExtractFileName(ExcludeTrailingSeparator(whole.string()));
    return name.empty() ? whole.string() : name;
}

std::string ShownFolderText(const std::string& folder) {
    if (folder.size() <= 20) return folder;
    return "..." + folder.substr(folder.size() - 18);
}

}  // namespace fsc
