// Head insertion.
#include "engine/HeadInsertion.h"

#include "base/Paths.h"
#include "base/Text.h"
#include "base/WebText.h"
#include "engine/PageFileName.h"

namespace fsc {

namespace {

const std::string CRLF = "\r\n";

std::string WithoutPunctuation(std::string word) {
    std::string kept;
    for (char c : word) {
        if (c != '!' && c != '"' && c != ',' && c != '.' && c != ';') kept += c;
    }
    return kept;
}

const TThumbnail* ImageOf(const TPageContext& context, const TFSC_File& page) {
    const int n = page.ImageNumber - 1;
    if (n < 0 || n >= static_cast<int>(context.Thumbs.size())) return nullptr;
    return &context.Thumbs[n];
}

std::string KeywordsMeta(const TPageContext& context, const TFSC_File& page) {
    const TFSC_HTML& html = context.HTML;
    TStringList words;
    if (html.KeywordsFromName) {
        const std::string name = ExtractFileName(page.FileName);
        words.push_back(name);
        words.push_back(WithoutExtension(name));
    }
    const TThumbnail* thumb = ImageOf(context, page);
    if (thumb && html.KeywordsFromHintDesc) {
        for (const std::string& word : FromCommaText(thumb->Hint + " " + thumb->Description)) {
            if (word.size() > 3) words.push_back(WithoutPunctuation(word));
        }
    }
    std::string keywords = html.KeywordsText;
    if (!Trim(keywords).empty()) keywords += ",";
    for (std::size_t i = 0; i < words.size(); ++i) {
        keywords += (i > 0 ? ", " : "") + words[i];
    }
    return "<META NAME=\"Keywords\" CONTENT=\"" + HtmlTextKeepingEntities(keywords) + "\"> " + CRLF;
}

std::string DescriptionMeta(const TPageContext& context, const TFSC_File& page) {
    std::string description = context.HTML.DescriptionText;
    const TThumbnail* thumb = ImageOf(context, page);
    if (thumb && context.HTML.DescriptionWithHint) description += ". " + thumb->Hint;
    return "<META NAME=\"Description\" CONTENT=\"" + HtmlTextKeepingEntities(description) + "\"> " +
           CRLF;
}

std::string RightButtonScript(const std::string& message) {
    return "<SCRIPT type=\"text/javascript\">" + CRLF + "function RMB_disable(e){" + CRLF +
           "if (event.button==2)" + CRLF + "{" + CRLF + "alert(\"" + JsString(message) +
           "\");return false; " + CRLF + "}}" + CRLF +
           "if(document.layers) window.captureEvents(Event.MOUSEDOWN);" + CRLF +
           "document.onmousedown=RMB_disable;" + CRLF + "</script>" + CRLF;
}

}  // namespace

std::string HeadText(const TPageContext& context, const TFSC_File& page) {
    const TFSC_HTML& html = context.HTML;
    std::string head;
    if (html.MetaAuthor) {
        head += "<META NAME=\"Author\" CONTENT=\"" + HtmlTextKeepingEntities(html.AuthorText) +
                "\"> " + CRLF;
    }
    if (html.MetaKeywords) head += KeywordsMeta(context, page);
    if (html.MetaDescription) head += DescriptionMeta(context, page);
    if (html.DisableRightButton) head += RightButtonScript(html.RightButtonMessage);
    return head;
}

namespace {

// After a leading document type and "<html ...>" tag: text in front of the document type
// would put the page into quirks mode.
std::size_t StartOfContent(const std::string& text) {
    std::size_t at = 0;
    for (const char* tag : {"<!DOCTYPE", "<HTML"}) {
        const std::size_t start = text.find_first_not_of(" \t\r\n", at);
        if (start == std::string::npos ||
            !StartsWithNoCase(std::string_view(text).substr(start), tag))
            continue;
        const std::size_t close = text.find('>', start);
        if (close == std::string::npos) break;
        at = close + 1;
    }
    return at;
}

}  // namespace

std::string CharsetText(const std::string& text) {
    // A page that names its encoding itself (a meta tag, or an XML declaration) keeps it.
    const std::size_t headEnd = FindNoCase(text, "</HEAD");
    const std::string_view head =
        std::string_view(text).substr(0, headEnd == std::string::npos ? 1024 : headEnd);
    if (FindNoCase(head, "charset") != std::string::npos) return {};
    // Pages are bytes as the template and the user wrote them: a template of the older,
    // single-byte kind is declared as such rather than read wrongly as UTF-8.
    const char* charset = IsUtf8(text) ? "utf-8" : "windows-1252";
    return std::string("<meta charset=\"") + charset + "\">" + CRLF;
}

std::string InsertIntoHead(const std::string& text, const std::string& headText) {
    if (Trim(headText).empty()) return text;
    const std::size_t head = FindNoCase(text, "<HEAD");
    if (head == std::string::npos) {
        const std::size_t at = StartOfContent(text);
        return text.substr(0, at) + headText + text.substr(at);
    }
    const std::size_t close = text.find('>', head);
    const std::size_t at = close != std::string::npos && close < head + 100 ? close + 1 : head;
    return text.substr(0, at) + headText + text.substr(at);
}

}  // namespace fsc
