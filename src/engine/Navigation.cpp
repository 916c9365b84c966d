// Navigation: the scan of the scheme in rounds, IF targets and expansion per mode.
#include "engine/Navigation.h"

#include "base/Paths.h"
#include "base/Text.h"
#include "base/WebText.h"
#include "engine/PageFileName.h"
#include "engine/PageUrls.h"

namespace fsc {

namespace {

const std::string IfTag = "<!-IF";
const std::string EndIfTag = "<!-ENDIF->";

std::string LastPart(const std::string& text) {
    const std::size_t slash = text.rfind('/');
    return slash == std::string::npos ? text : text.substr(slash + 1);
}

// Image pages lie beside each other, so a neighbour is reached by the last part of its
// link; a link with a scheme or an other link leads elsewhere and is used as written.
std::string NeighbourLink(const TThumbnail& thumb) {
    if (IsAbsoluteLink(thumb)) return HtmlText(LinkUrl(thumb, ""));
    return UrlPath(LastPart(thumb.Link));
}

class TNavigator {
public:
    TNavigator(TPageContext& context, const TFSC_File& page, bool pageMode, int number)
        : context(context), page(page), pageMode(pageMode), number(number) {}

    // The scan as pages made by earlier versions had it, including its quirks: a text
    // ends when the position reaches the last character, and the first ENDIF closes a
    // block even when another IF comes before it.
    std::string Run(const std::string& scheme) {
        std::string out;
        const std::size_t length = scheme.size();
        std::size_t b = 0;
        while (b + 1 < length) {
            const std::size_t c = scheme.find(IfTag, b);
            const std::size_t d = scheme.find(EndIfTag, b);
            if (c == b) {
                b = RunIfBlock(scheme, b, d, out);
            } else if (d != std::string::npos && (c == std::string::npos || d < c)) {
                out += Expand(scheme.substr(b, d - b), number);
                b = d + EndIfTag.size();
            } else if (c != std::string::npos) {
                out += Expand(scheme.substr(b, c - b), number);
                b = c;
            } else {
                out += Expand(scheme.substr(b), number);
                break;
            }
        }
        return out;
    }

private:
    std::size_t RunIfBlock(const std::string& scheme, std::size_t b, std::size_t d,
                           std::string& out) {
        const std::size_t close = scheme.find("->", b);
        const std::size_t bodyStart = close == std::string::npos ? scheme.size() : close + 2;
        std::size_t bodyEnd;
        if (d != std::string::npos) {
            bodyEnd = d;
        } else {
            const std::size_t nextIf = scheme.find(IfTag, b + 5);
            bodyEnd = nextIf == std::string::npos ? scheme.size() : nextIf;
        }
        bodyEnd = std::max(bodyEnd, bodyStart);
        const std::string body = scheme.substr(bodyStart, bodyEnd - bodyStart);
        const int target = Target(scheme.substr(b, bodyStart - b));
        if (target > 0) {
            out += Expand(body, target);
        } else if (target == -1) {
            for (int each = 1; each <= Count(); ++each) out += Expand(body, each);
        }
        return bodyEnd;
    }

    int Count() const {
        return pageMode ? context.HTML.PageCount : static_cast<int>(context.Thumbs.size());
    }

    static int Number(const std::string& tag, std::size_t from) {
        std::string digits = tag.substr(from);
        if (EndsWith(digits, "->")) digits.resize(digits.size() - 2);
        int value = 0;
        return TryParseInt(digits, value) ? value : 0;
    }

    int RawTarget(const std::string& tag) {
        if (tag == "<!-IFNEXT->") return number + 1;
        if (tag == "<!-IFPREVIOUS->") return std::max(number - 1, 0);
        if (tag == "<!-IFINDEX->") return -1;
        if (StartsWith(tag, "<!-IFINDEX=")) return Number(tag, 11);
        if (StartsWith(tag, "<!-IFINDEX+")) return number + Number(tag, 11);
        if (StartsWith(tag, "<!-IFINDEX-")) return std::max(number - Number(tag, 11), 0);
        context.Journal.Warnings.push_back("Unknown Index Command: " + tag);
        return number;
    }

    int Target(const std::string& tag) {
        const int target = RawTarget(tag);
        if (target > Count()) return 0;
        if (!pageMode && target > 0 && context.Thumbs[target - 1].noImage) return 0;
        return target;
    }

    std::string Expand(std::string text, int target) const {
        return pageMode ? ExpandPage(std::move(text), target)
                        : ExpandImage(std::move(text), target);
    }

    std::string ExpandPage(std::string text, int target) const {
        const int pages = context.HTML.PageCount;
        const std::string& ext = context.HTML.PageExt;
        // The thumbnail pages share one folder, so a link to another is its file name.
        const std::string name = ExtractFileName(page.FileName);
        const int previous = ((target - 2 + pages) % pages) + 1;
        const int next = (target % pages) + 1;
        ReplaceAllIn(text, "<!-PREVIOUS->", UrlPath(PageFileName(name, ext, previous)));
        ReplaceAllIn(text, "<!-PREVIOUSNAME->", std::to_string(previous));
        ReplaceAllIn(text, "<!-NEXT->", UrlPath(PageFileName(name, ext, next)));
        ReplaceAllIn(text, "<!-NEXTNAME->", std::to_string(next));
        ReplaceAllIn(text, "<!-LINK->", UrlPath(PageFileName(name, ext, target)));
        ReplaceAllIn(text, "<!-NAME->", std::to_string(target));
        return ReplaceAll(text, "<!-NUMBER->", std::to_string(target));
    }

    std::string ExpandImage(std::string text, int target) const {
        const TThumbnailArray& thumbs = context.Thumbs;
        const int count = static_cast<int>(thumbs.size());
        const int own = target - 1;
        int previous = (target + count - 2) % count;
        if (thumbs[previous].noImage) previous = own;
        int next = target % count;
        if (thumbs[next].noImage) next = own;
        ReplaceAllIn(text, "<!-PREVIOUS->", NeighbourLink(thumbs[previous]));
        ReplaceAllIn(text, "<!-PREVIOUSNAME->", HtmlText(LastPart(thumbs[previous].Name)));
        ReplaceAllIn(text, "<!-NEXT->", NeighbourLink(thumbs[next]));
        ReplaceAllIn(text, "<!-NEXTNAME->", HtmlText(LastPart(thumbs[next].Name)));
        ReplaceAllIn(text, "<!-LINK->", NeighbourLink(thumbs[own]));
        ReplaceAllIn(text, "<!-NAME->", HtmlText(LastPart(thumbs[own].Name)));
        ReplaceAllIn(text, "<!-NAMEUS->", HtmlText(ReplaceAll(thumbs[own].Name, "_", " ")));
        return ReplaceAll(text, "<!-NUMBER->", std::to_string(target));
    }

    TPageContext& context;
    const TFSC_File& page;
    const bool pageMode;
    const int number;
};

}  // namespace

std::string NavigationText(TPageContext& context, const TFSC_File& page) {
    const bool pageMode = page.PageNumber >= 1;
    const int number = pageMode ? page.PageNumber : page.ImageNumber;
    if (number <= 0) return {};
    if (pageMode && context.HTML.PageCount <= 0) return {};
    if (!pageMode && number > static_cast<int>(context.Thumbs.size())) return {};
    return TNavigator(context, page, pageMode, number)
        .Run(JoinLines(context.HTML.NavigationScheme));
}

void ApplyNavigation(TPageContext& context, TFSC_File& page) {
    // Built even for a page without the tag, so that its warnings are always noted.
    const std::string navigation = NavigationText(context, page);
    const std::string text = JoinLines(page.Lines);
    if (text.find("<!-NAVIGATION->") == std::string::npos) return;
    page.Lines = SplitLines(ReplaceAll(text, "<!-NAVIGATION->", navigation));
}

}  // namespace fsc
