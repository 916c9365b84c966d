// Escaping and splitting tab-separated records.
#include "base/TabFields.h"

#include <exception>

namespace fsc {

namespace {

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::optional<std::string> Unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) return std::nullopt;
        switch (text[i]) {
            case '\\':
                out += '\\';
                break;
            case 't':
                out += '\t';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            default:
                return std::nullopt;
        }
    }
    return out;
}

}  // namespace

std::string JoinTabFields(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += '\t';
        line += Escape(fields[i]);
    }
    return line;
}

std::optional<std::vector<std::string>> SplitTabFields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        std::optional<std::string> field = Unescape(line.substr(start, tab - start));
        if (!field) return std::nullopt;
        fields.push_back(std::move(*field));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

std::optional<long long> TabFieldNumber(const std::string& field) {
    if (field.empty()) return std::nullopt;
    std::size_t used = 0;
    long long value = 0;
    try {
        value = std::stoll(field, &used);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (used != field.size()) return std::nullopt;
    return value;
}

}  // namespace fsc
