// Table, list and paragraph layouts.
#include "engine/ThumbnailLayouts.h"

#include "base/Text.h"
#include "engine/ThumbCell.h"

namespace fsc {

namespace {

const std::string CRLF = "\r\n";

bool Blank(const std::string& text) { return Trim(text).empty(); }

// Lists and paragraphs flow into as many columns as the window holds: the first six are about
// the first row of a wide window and the first rows of a phone's.
constexpr int EagerFlowCells = 6;

TThumbLoading LoadingOf(bool firstRow) {
    return firstRow ? TThumbLoading::Eager : TThumbLoading::Lazy;
}

std::string CellAlignment(const TTemplate& tpl) {
    std::string align;
    if (!Blank(tpl.TableTDAlign)) align += " align=\"" + tpl.TableTDAlign + "\"";
    if (!Blank(tpl.TableTDVAlign)) align += " valign=\"" + tpl.TableTDVAlign + "\"";
    return align;
}

}  // namespace

std::string TableHTML(TPageContext& context, int first, int last) {
    const TTemplate& tpl = context.Template;
    const std::string css = tpl.TableCSS;
    const std::string width =
        Blank(tpl.TableWidth) ? std::string() : " width=\"" + tpl.TableWidth + "\"";
    const std::string align = CellAlignment(tpl);
    std::string html = "<table border=\"" + std::to_string(tpl.TableBorder) + "\" " + css + " " +
                       width + ">" + CRLF;
    int next = first;
    for (int row = 0; row < context.HTML.Rows; ++row) {
        html += CRLF + "<tr " + css + ">" + CRLF;
        for (int col = 0; col < context.HTML.Cols; ++col) {
            html += "<td " + css + " " + align + ">" + CRLF;
            html += next <= last ? ThumbCell(context, next++, css, LoadingOf(row == 0)) + CRLF
                                 : FillerCell;
            html += "</td>" + CRLF;
        }
        html += "</tr>" + CRLF;
    }
    return html + "</table>" + CRLF + CRLF;
}

std::string ListHTML(TPageContext& context, int first, int last) {
    const std::string css = context.Template.ListCSS;
    const std::string kind = context.Template.OrderedList ? "ol" : "ul";
    std::string html = "<" + kind + " " + css + ">" + CRLF;
    int next = first;
    for (int slot = 0; slot < context.HTML.Rows; ++slot) {
        if (next <= last) {
            html += CRLF + "<li " + css + ">" + CRLF +
                    ThumbCell(context, next++, css, LoadingOf(slot < EagerFlowCells)) + CRLF +
                    "</li>" + CRLF;
        } else {
            html += FillerCell;
        }
    }
    return html + "</" + kind + ">" + CRLF;
}

std::string ParagraphHTML(TPageContext& context, int first, int last) {
    const TTemplate& tpl = context.Template;
    std::string html = "<p " + tpl.ParaCSS + " align=\"" + tpl.ParaAlign + "\">" + CRLF;
    int next = first;
    for (int slot = 0; slot < context.HTML.Rows; ++slot) {
        html +=
            next <= last
                ? CRLF + ThumbCell(context, next++, tpl.ParaCSS, LoadingOf(slot < EagerFlowCells)) +
                      CRLF + CRLF
                : std::string(FillerCell);
    }
    return html + "</p>" + CRLF;
}

}  // namespace fsc
