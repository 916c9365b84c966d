// The navigation text of the directory-tree galleries.
#include "tools/TreeNavigation.h"

#include <cstdio>

namespace fsc {

namespace {

std::string HtmlText(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

// Letters, digits and the few marks that mean nothing special in a relative URL path stay;
// everything else (blanks, "#", "?", "%", quotes, non-ASCII bytes) is percent-encoded.
std::string UrlPath(const std::string& path) {
    static const std::string kept = "-._~/!$'()*+,;=:@";
    std::string encoded;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
            (byte >= '0' && byte <= '9') || kept.find(c) != std::string::npos) {
            encoded += c;
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", byte);
            encoded += hex;
        }
    }
    return encoded;
}

std::string Link(const std::string& target, const std::string& caption) {
    return " &nbsp;&nbsp; <a href=\"" + UrlPath(target) + "\">" + HtmlText(caption) + "</a> <br>";
}

}  // namespace

std::string TreeNavigationText(const std::string& folder, int depth, const TStringList& subfolders,
                               const std::string& fileName) {
    std::string text = "<b>Directory: " + HtmlText(folder) + " </b> <br>";
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
