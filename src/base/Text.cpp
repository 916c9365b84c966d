// Byte-string helpers shared by every subsystem.
#include "base/Text.h"

#include <charconv>

namespace fsc {

namespace {

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }
bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }

using Finder = std::size_t (*)(std::string_view, std::string_view, std::size_t);

std::size_t FindExact(std::string_view text, std::string_view what, std::size_t from) {
    return text.find(what, from);
}

std::string Replace(std::string_view text, std::string_view tag, std::string_view value, bool all,
                    Finder find) {
    std::size_t pos = tag.empty() ? std::string_view::npos : find(text, tag, 0);
    // Most tags are absent from most pages: one copy then, and no growing result either way.
    if (pos == std::string_view::npos) return std::string(text);
    std::string result;
    result.reserve(text.size());
    std::size_t start = 0;
    for (; pos != std::string_view::npos; pos = find(text, tag, start)) {
        result.append(text.substr(start, pos - start));
        result.append(value);
        start = pos + tag.size();
        if (!all) break;
    }
    result.append(text.substr(start));
    return result;
}

}  // namespace

std::string ReplaceAll(std::string_view text, std::string_view tag, std::string_view value) {
    return Replace(text, tag, value, true, FindExact);
}

void ReplaceAllIn(std::string& text, std::string_view tag, std::string_view value) {
    if (!tag.empty() && text.find(tag) != std::string::npos) text = ReplaceAll(text, tag, value);
}

std::string ReplaceFirst(std::string_view text, std::string_view tag, std::string_view value) {
    return Replace(text, tag, value, false, FindExact);
}

std::string ReplaceFirstNoCase(std::string_view text, std::string_view tag,
                               std::string_view value) {
    return Replace(text, tag, value, false, FindNoCase);
}

std::size_t FindNoCase(std::string_view text, std::string_view what, std::size_t from) {
    if (what.size() > text.size()) return std::string_view::npos;
    for (std::size_t i = from; i + what.size() <= text.size(); ++i) {
        std::size_t k = 0;
        while (k < what.size() && AsciiUpper(text[i + k]) == AsciiUpper(what[k])) ++k;
        if (k == what.size()) return i;
    }
    return std::string_view::npos;
}

bool ContainsNoCase(std::string_view text, std::string_view what) {
    return FindNoCase(text, what) != std::string_view::npos;
}

std::string UpperCase(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = AsciiUpper(c);
    return result;
}

std::string LowerCase(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = AsciiLower(c);
    return result;
}

int CompareText(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(AsciiUpper(a[i]));
        const auto cb = static_cast<unsigned char>(AsciiUpper(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool SameText(std::string_view a, std::string_view b) { return CompareText(a, b) == 0; }

std::string TrimLeft(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlankOrControl(text[i])) ++i;
    return std::string(text.substr(i));
}

std::string TrimRight(std::string_view text) {
    std::size_t n = text.size();
    while (n > 0 && IsBlankOrControl(text[n - 1])) --n;
    return std::string(text.substr(0, n));
}

std::string Trim(std::string_view text) { return TrimLeft(TrimRight(text)); }

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

bool TryParseInt(std::string_view text, int& value) {
    const std::string trimmed = Trim(text);
    std::string_view digits = trimmed;
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    if (digits.empty()) return false;
    int parsed = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), parsed);
    if (error != std::errc() || end != digits.data() + digits.size()) return false;
    value = parsed;
    return true;
}

}  // namespace fsc
