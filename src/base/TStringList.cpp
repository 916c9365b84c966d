// Line lists and their comma-text form.
#include "base/TStringList.h"

#include "base/Text.h"

namespace fsc {

namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }

bool NeedsQuotes(std::string_view item) {
    for (char c : item) {
        if (IsBlankOrControl(c) || c == ',' || c == '"') return true;
    }
    return false;
}

std::string Quoted(std::string_view item) {
    std::string quoted = "\"";
    quoted += ReplaceAll(item, "\"", "\"\"");
    quoted += '"';
    return quoted;
}

// Reads a quoted item starting at the opening quote; a doubled quote stands for one.
// An item that is never closed runs to the end of the text.
std::string ReadQuoted(std::string_view text, std::size_t& pos) {
    std::string item;
    ++pos;
    while (pos < text.size()) {
        if (text[pos] == '"') {
            if (pos + 1 < text.size() && text[pos + 1] == '"') {
                item += '"';
                pos += 2;
                continue;
            }
            ++pos;
            break;
        }
        item += text[pos++];
    }
    return item;
}

void SkipBlanks(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && IsBlankOrControl(text[pos])) ++pos;
}

}  // namespace

TStringList SplitLines(std::string_view text) {
    TStringList lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::string JoinLines(const TStringList& lines) {
    // Pages are joined and split again for every tag pass: one allocation, not a growing string.
    std::size_t size = 0;
    for (const std::string& line : lines) size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::string JoinLinesNoFinalBreak(const TStringList& lines) {
    std::string text = JoinLines(lines);
    if (!lines.empty()) text.resize(text.size() - 2);
    return text;
}

int IndexOfLine(const TStringList& lines, std::string_view line) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == line) return static_cast<int>(i);
    }
    return -1;
}

int IndexOfLineNoCase(const TStringList& lines, std::string_view line) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (SameText(lines[i], line)) return static_cast<int>(i);
    }
    return -1;
}

std::string ToCommaText(const TStringList& items) {
    if (items.size() == 1 && items[0].empty()) return "\"\"";
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += ',';
        text += NeedsQuotes(items[i]) ? Quoted(items[i]) : items[i];
    }
    return text;
}

TStringList FromCommaText(std::string_view text) {
    TStringList items;
    std::size_t pos = 0;
    SkipBlanks(text, pos);
    while (pos < text.size()) {
        if (text[pos] == '"') {
            items.push_back(ReadQuoted(text, pos));
        } else {
            const std::size_t start = pos;
            while (pos < text.size() && !IsBlankOrControl(text[pos]) && text[pos] != ',') ++pos;
            items.emplace_back(text.substr(start, pos - start));
        }
        SkipBlanks(text, pos);
        if (pos < text.size() && text[pos] == ',') {
            // A comma at the very end still separates: an empty last item follows it.
            if (pos + 1 == text.size()) items.emplace_back();
            ++pos;
            SkipBlanks(text, pos);
        }
    }
    return items;
}

}  // namespace fsc
