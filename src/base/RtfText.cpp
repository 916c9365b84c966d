// The RTF reader: one pass over the bytes with a stack of group states, no recursion, so
// neither deep nesting nor damaged input can exhaust anything but the input itself.
#include "base/RtfText.h"

#include <algorithm>
#include <array>

namespace fsc {

namespace {

// Groups whose content is data for the writer, not text for the reader.
constexpr std::array<std::string_view, 26> SkippedDestinations = {
    "annotation", "author",    "colortbl", "comment",           "company", "datastore",
    "doccomm",    "fldinst",   "filetbl",  "fonttbl",           "footer",  "footerl",
    "footerr",    "footnote",  "header",   "headerl",           "headerr", "info",
    "keywords",   "listtable", "object",   "listoverridetable", "pict",    "rsidtbl",
    "stylesheet", "themedata",
};

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; its five unassigned codes keep
// their value, as Windows itself maps them.
constexpr std::array<char32_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t FromCp1252(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return Cp1252High[byte - 0x80];
    return byte;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

struct TGroupState {
    bool Bold = false;
    bool Italic = false;
    // Inside a destination group: read on (for the braces) but show nothing.
    bool Skip = false;
    // How many characters stand in for a \u character in readers that do not know it.
    int UnicodeFallback = 1;
};

class TRtfReader {
public:
    explicit TRtfReader(std::string_view bytes) : in(bytes) {}

    TRtfText Read() {
        while (pos < in.size()) {
            const char c = in[pos];
            if (c == '{') {
                ++pos;
                groups.push_back(state);
                fallbackLeft = 0;
            } else if (c == '}') {
                ++pos;
                fallbackLeft = 0;
                // A surplus closing brace has no group to end; it is dropped.
                if (groups.empty()) continue;
                state = groups.back();
                groups.pop_back();
                // The document is the outermost group; what follows it is not part of it.
                if (groups.empty()) break;
            } else if (c == '\\') {
                ++pos;
                ControlSequence();
            } else if (c == '\r' || c == '\n') {
                // Line breaks of the file only wrap the source; paragraphs are \par.
                ++pos;
            } else {
                ++pos;
                Emit(FromCp1252(static_cast<unsigned char>(c)));
            }
        }
        FlushSurrogate();
        return std::move(runs);
    }

private:
    void ControlSequence() {
        // A backslash as the very last byte escapes nothing.
        if (pos >= in.size()) return;
        const char c = in[pos];
        if (IsLetter(c)) {
            ControlWord();
            return;
        }
        ++pos;
        switch (c) {
            case '\\':
            case '{':
            case '}':
                Emit(char32_t(c));
                break;
            case '\'':
                HexCharacter();
                break;
            case '~':
                Emit(0x00A0);
                break;
            case '_':
                Emit('-');
                break;
            case '*':
                // An optional destination: a reader that does not know it skips it.
                state.Skip = true;
                break;
            case '\r':
            case '\n':
                Emit('\n');
                break;
            default:
                // "\-" (optional hyphen) and unknown symbols show nothing.
                break;
        }
    }

    void HexCharacter() {
        int value = 0;
        for (int digit = 0; digit < 2; ++digit) {
            const int hex = pos < in.size() ? HexValue(in[pos]) : -1;
            // A broken escape is dropped together with the digits it has.
            if (hex < 0) return;
            value = value * 16 + hex;
            ++pos;
        }
        Emit(FromCp1252(static_cast<unsigned char>(value)));
    }

    void ControlWord() {
        const std::size_t start = pos;
        while (pos < in.size() && IsLetter(in[pos])) ++pos;
        const std::string_view word = in.substr(start, pos - start);
        bool hasParameter = false;
        long long parameter = 0;
        bool negative = false;
        if (pos + 1 < in.size() && in[pos] == '-' && IsDigit(in[pos + 1])) {
            negative = true;
            ++pos;
        }
        while (pos < in.size() && IsDigit(in[pos])) {
            hasParameter = true;
            // RTF numbers are 16- or 32-bit; longer ones are read on but no longer counted.
            if (parameter < 1000000000) parameter = parameter * 10 + (in[pos] - '0');
            ++pos;
        }
        if (negative) parameter = -parameter;
        // One blank ends a control word and belongs to it.
        if (pos < in.size() && in[pos] == ' ') ++pos;
        Apply(word, hasParameter, parameter);
    }

    void Apply(std::string_view word, bool hasParameter, long long parameter) {
        if (std::find(SkippedDestinations.begin(), SkippedDestinations.end(), word) !=
            SkippedDestinations.end()) {
            state.Skip = true;
        } else if (word == "par" || word == "line" || word == "sect" || word == "page" ||
                   word == "row") {
            Emit('\n');
        } else if (word == "tab" || word == "cell") {
            Emit('\t');
        } else if (word == "b") {
            state.Bold = !hasParameter || parameter != 0;
        } else if (word == "i") {
            state.Italic = !hasParameter || parameter != 0;
        } else if (word == "plain") {
            state.Bold = state.Italic = false;
        } else if (word == "u" && hasParameter) {
            // Values above 32767 are written as negative 16-bit numbers.
            const long long code = parameter < 0 ? parameter + 65536 : parameter;
            fallbackLeft = 0;
            Emit(code >= 0 && code <= 0xFFFF ? char32_t(code) : char32_t(0xFFFD));
            fallbackLeft = state.UnicodeFallback;
        } else if (word == "uc" && hasParameter) {
            state.UnicodeFallback = int(std::clamp(parameter, 0LL, 16LL));
        } else if (word == "bin" && hasParameter && parameter > 0) {
            // Binary data: its bytes are not RTF and must not be read as such.
            pos += std::min<std::size_t>(std::size_t(parameter), in.size() - pos);
        } else if (word == "emdash") {
            Emit(0x2014);
        } else if (word == "endash") {
            Emit(0x2013);
        } else if (word == "bullet") {
            Emit(0x2022);
        } else if (word == "lquote") {
            Emit(0x2018);
        } else if (word == "rquote") {
            Emit(0x2019);
        } else if (word == "ldblquote") {
            Emit(0x201C);
        } else if (word == "rdblquote") {
            Emit(0x201D);
        }
    }

    void Emit(char32_t code) {
        if (state.Skip) return;
        if (fallbackLeft > 0) {
            // The stand-in of the \u character just read.
            --fallbackLeft;
            return;
        }
        if (code >= 0xD800 && code <= 0xDBFF) {
            FlushSurrogate();
            highSurrogate = code;
            return;
        }
        if (code >= 0xDC00 && code <= 0xDFFF) {
            if (highSurrogate == 0) {
                Append(0xFFFD);
            } else {
                Append(0x10000 + ((highSurrogate - 0xD800) << 10) + (code - 0xDC00));
                highSurrogate = 0;
            }
            return;
        }
        FlushSurrogate();
        // Other control characters would show as boxes or nothing at all.
        if (code < 0x20 && code != '\n' && code != '\t') return;
        Append(code);
    }

    void FlushSurrogate() {
        if (highSurrogate == 0) return;
        highSurrogate = 0;
        Append(0xFFFD);
    }

    void Append(char32_t code) {
        if (runs.empty() || runs.back().Bold != state.Bold || runs.back().Italic != state.Italic)
            runs.push_back({{}, state.Bold, state.Italic});
        AppendUtf8(runs.back().Text, code);
    }

    std::string_view in;
    std::size_t pos = 0;
    TGroupState state;
    std::vector<TGroupState> groups;
    int fallbackLeft = 0;
    char32_t highSurrogate = 0;
    TRtfText runs;
};

}  // namespace

bool IsRtf(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    const std::size_t start = bytes.find_first_not_of(" \t\r\n");
    return start != std::string_view::npos && bytes.substr(start, 5) == "{\\rtf";
}

TRtfText ReadRtf(std::string_view bytes) { return TRtfReader(bytes).Read(); }

}  // namespace fsc
