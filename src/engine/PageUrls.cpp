// URLs of files and links.
#include "engine/PageUrls.h"

#include <cctype>

#include "base/Paths.h"
#include "base/WebText.h"

namespace fsc {

std::string FileUrl(const std::string& dir, const std::string& name) {
    // A folder typed or stored with "\" separates like "/"; the name is one segment.
    return UrlPath(ToInternalPath(dir)) + UrlPath(name);
}

bool IsLinkAsWritten(const std::string& link) {
    if (link.empty()) return false;
    if (link.front() == '/' || link.front() == '\\') return true;
    // A scheme: a letter, then letters, digits, "+", "-" or ".", up to the first ":".
    if (!std::isalpha(static_cast<unsigned char>(link.front()))) return false;
    for (std::size_t i = 1; i < link.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(link[i]);
        if (c == ':') return true;
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
    }
    return false;
}

bool IsAbsoluteLink(const TThumbnail& thumb) {
    return IsLinkAsWritten(thumb.Link) || thumb.useOtherLink;
}

std::string LinkUrl(const TThumbnail& thumb, const std::string& dir) {
    if (IsAbsoluteLink(thumb)) return UrlAsWritten(thumb.Link);
    return FileUrl(dir, thumb.Link);
}

}  // namespace fsc
