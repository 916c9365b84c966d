// Escaping for URLs, HTML and JavaScript.
#include "base/WebText.h"

#include <cctype>

namespace fsc {

namespace {

const char HexDigits[] = "0123456789ABCDEF";

void AppendPercent(std::string& out, unsigned char byte) {
    out += '%';
    out += HexDigits[byte >> 4];
    out += HexDigits[byte & 0x0F];
}

bool IsAsciiAlnum(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// ":" would make a first segment read as a scheme, "'" and "&" would need escaping in an
// attribute or a script string: all three are encoded with the rest.
bool KeptInPath(unsigned char c) {
    static const std::string_view marks = "-._~!$()*+,;=@/";
    return IsAsciiAlnum(c) || marks.find(static_cast<char>(c)) != std::string_view::npos;
}

bool NeverInUrl(unsigned char c) {
    static const std::string_view marks = "\"<>\\^`{|}'";
    return c <= 0x20 || c >= 0x7F || marks.find(static_cast<char>(c)) != std::string_view::npos;
}

// "&name;", "&#123;" or "&#x1F;" at `at`.
bool StartsCharacterReference(std::string_view text, std::size_t at) {
    std::size_t i = at + 1;
    const bool numeric = i < text.size() && text[i] == '#';
    if (numeric) ++i;
    const bool hex = numeric && i < text.size() && (text[i] == 'x' || text[i] == 'X');
    if (hex) ++i;
    const std::size_t start = i;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const bool fits = hex ? std::isxdigit(c) : numeric ? std::isdigit(c) : IsAsciiAlnum(c);
        if (!fits) break;
        ++i;
    }
    return i > start && i < text.size() && text[i] == ';';
}

std::string Escaped(std::string_view text, bool keepEntities) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        switch (text[i]) {
            case '&':
                out += keepEntities && StartsCharacterReference(text, i) ? "&" : "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += text[i];
        }
    }
    return out;
}

// Every byte `keep` refuses as %XX.
template <class Keep>
std::string PercentEncoded(std::string_view text, Keep keep) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (keep(byte)) {
            out += c;
        } else {
            AppendPercent(out, byte);
        }
    }
    return out;
}

}  // namespace

std::string UrlPath(std::string_view path) { return PercentEncoded(path, KeptInPath); }

std::string UrlAsWritten(std::string_view url) {
    return PercentEncoded(url, [](unsigned char c) { return !NeverInUrl(c); });
}

std::string HtmlText(std::string_view text) { return Escaped(text, false); }

std::string HtmlTextKeepingEntities(std::string_view text) { return Escaped(text, true); }

std::string JsString(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        // U+2028 and U+2029 end a line inside older engines' string literals.
        const std::string_view rest = text.substr(i);
        if (rest.starts_with("\xE2\x80\xA8") || rest.starts_with("\xE2\x80\xA9")) {
            out += rest[2] == '\xA8' ? "\\u2028" : "\\u2029";
            i += 2;
        } else if (byte == '\\' || byte == '"' || byte == '\'') {
            out += '\\';
            out += text[i];
        } else if (byte < 0x20 || byte == '<' || byte == '>' || byte == '&') {
            out += "\\x";
            out += HexDigits[byte >> 4];
            out += HexDigits[byte & 0x0F];
        } else {
            out += text[i];
        }
    }
    return out;
}

bool IsUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int follow = 0;
        unsigned int codePoint = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            follow = 1;
            codePoint = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            follow = 2;
            codePoint = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            follow = 3;
            codePoint = lead & 0x07;
        } else {
            return false;
        }
        if (i + follow >= text.size()) return false;
        for (int k = 1; k <= follow; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values beyond Unicode are not UTF-8.
        if ((follow == 2 && codePoint < 0x800) || (follow == 3 && codePoint < 0x10000) ||
            (codePoint >= 0xD800 && codePoint <= 0xDFFF) || codePoint > 0x10FFFF) {
            return false;
        }
        i += follow + 1;
    }
    return true;
}

}  // namespace fsc
