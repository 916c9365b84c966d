// Calculated values.
#include "engine/CalculatedValues.h"

#include <cstdint>
#include <optional>

#include "base/Text.h"

namespace fsc {

namespace {

const std::string Open = "<!-";
const std::string Close = "->";

struct TGroup {
    std::string Inner;
    std::size_t End;  // just after the group's closing "->"
};

// A group starts at the next "<!-" and ends at the "->" that brings the nesting back to 0.
// It jumps from marker to marker: a page can hold many unclosed operators, and each of them
// reads on to the end of the page.
std::optional<TGroup> ReadGroup(const std::string& text, std::size_t from) {
    const std::size_t start = text.find(Open, from);
    if (start == std::string::npos) return std::nullopt;
    int depth = 1;
    std::size_t open = start;
    std::size_t close = start;
    std::size_t pos = start + Open.size();
    while (true) {
        // Each marker is searched for once, so a long page is read once.
        if (open != std::string::npos && open < pos) open = text.find(Open, pos);
        if (close < pos) close = text.find(Close, pos);
        if (close == std::string::npos) return std::nullopt;
        if (open < close) {
            ++depth;
            pos = open + Open.size();
            continue;
        }
        pos = close + Close.size();
        if (--depth == 0) {
            return TGroup{text.substr(start + Open.size(), close - start - Open.size()), pos};
        }
    }
}

std::optional<std::int64_t> Integer(const std::string& text) {
    int value = 0;
    if (!TryParseInt(text, value)) return std::nullopt;
    return value;
}

// A shared template could ask for billions of copies; a page never needs more than a
// megabyte of repeated text, so the repetition stops there instead of exhausting memory.
constexpr std::size_t MaxRepeatedBytes = 1 << 20;

std::string Repeat(const std::string& text, std::int64_t times) {
    std::string result;
    if (text.empty()) return result;
    for (std::int64_t i = 0; i < times && result.size() + text.size() <= MaxRepeatedBytes; ++i) {
        result += text;
    }
    return result;
}

std::string Operate(const std::string& op, const std::string& a, const std::string& b) {
    const auto x = Integer(a);
    const auto y = Integer(b);
    if (op == "MUL") {
        if (!x) return a + b;
        if (!y) return Repeat(b, *x);
        return std::to_string(*x * *y);
    }
    if (!x || !y) return a + b;
    if (op == "ADD") return std::to_string(*x + *y);
    if (op == "SUB") return std::to_string(*x - *y);
    if (*y == 0) return a + b;
    return std::to_string(*x / *y);
}

bool IsOperator(const std::string& word) {
    return word == "ADD" || word == "SUB" || word == "MUL" || word == "DIV";
}

class TCalculator {
public:
    explicit TCalculator(const TPageContext& context) : context(context) {}

    std::string Evaluate(const std::string& text) const {
        std::string result;
        std::size_t pos = 0;
        while (true) {
            const std::size_t start = text.find(Open, pos);
            const std::size_t end =
                start == std::string::npos ? start : text.find(Close, start + Open.size());
            if (end == std::string::npos) break;
            result.append(text, pos, start - pos);
            const std::string word = text.substr(start + Open.size(), end - start - Open.size());
            pos = end + Close.size();
            if (const auto value = WordValue(word)) {
                result += *value;
            } else if (IsOperator(word)) {
                result += Construct(word, text, pos);
            } else {
                result.append(text, start, pos - start);
            }
        }
        result.append(text, pos, std::string::npos);
        return result;
    }

private:
    // Evaluates the operator's three groups from `pos`; on success `pos` moves past the
    // third group. A construct missing a group keeps its operator tag as written.
    std::string Construct(const std::string& op, const std::string& text, std::size_t& pos) const {
        const auto a = ReadGroup(text, pos);
        const auto b = a ? ReadGroup(text, a->End) : std::nullopt;
        const auto closing = b ? ReadGroup(text, b->End) : std::nullopt;
        if (!closing) return Open + op + Close;
        pos = closing->End;
        return Operate(op, Trim(Evaluate(a->Inner)), Trim(Evaluate(b->Inner)));
    }

    std::optional<std::string> WordValue(const std::string& word) const {
        const TFSC_Images& images = context.Images;
        const TFSC_HTML& html = context.HTML;
        if (word == "THUMBHEIGT") return std::to_string(images.ThumbHeight);
        if (word == "THUMBWIDTH") return std::to_string(images.ThumbWidth);
        if (word == "IMAGEHEIGHT") return std::to_string(images.ResizeHeight);
        if (word == "IMAGEWIDTH") return std::to_string(images.ResizeWidth);
        if (word == "COLCOUNT") return std::to_string(html.Cols);
        if (word == "ROWCOUNT") return std::to_string(html.Rows);
        if (word == "THUMBCOUNT") return std::to_string(context.Thumbs.size());
        return std::nullopt;
    }

    const TPageContext& context;
};

}  // namespace

std::string ApplyCalculatedValues(const TPageContext& context, const std::string& text) {
    return TCalculator(context).Evaluate(text);
}

}  // namespace fsc
