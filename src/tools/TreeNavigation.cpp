// The navigation text of the directory-tree galleries.
#include "tools/TreeNavigation.h"

#include "tools/TreeWebText.h"

namespace fsc {

namespace {

std::string Link(const std::string& target, const std::string& caption) {
    return " &nbsp;&nbsp; <a href=\"" + TreeUrlPath(target) + "\">" + TreeHtmlText(caption) +
           "</a> <br>";
}

}  // namespace

std::string TreeNavigationText(const std::string& folder, int depth, const TStringList& subfolders,
                               const std::string& fileName) {
    std::string text = "<b>Directory: " + TreeHtmlText(folder) + " </b> <br>";
    if (depth > 0) text += Link("../" + fileName, "..");
    for (const std::string& subfolder : subfolders) {
        text += Link(subfolder + "/" + fileName, subfolder);
    }
    return text;
}

TStringList TreeNavigationScheme(const TStringList& userScheme, const std::string& navigation) {
    return SplitLines(JoinLines(userScheme) + "\r\n" + navigation);
}

std::string ShownFolderText(const std::string& folder) {
    if (folder.size() <= 20) return folder;
    return "..." + folder.substr(folder.size() - 18);
}

}  // namespace fsc
