// Escaping folder names for the directory-tree pages.
#include "tools/TreeWebText.h"

#include <cstdio>

namespace fsc {

std::string TreeHtmlText(const std::string& text) {
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

std::string TreeUrlPath(const std::string& path) {
    // ":" is not kept: a first folder "x:y" would read as the scheme of an address.
    static const std::string kept = "-._~/!$'()*+,;=@";
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

}  // namespace fsc
