// Slide-show pages.
#include "engine/SlideShow.h"

#include "base/Text.h"
#include "engine/ThumbCell.h"

namespace fsc {

namespace {

const std::string CRLF = "\r\n";
const std::string TAB = "\t";

std::string ReplaceButtons(std::string text) {
    text = ReplaceFirstNoCase(
        text, "<!-PREVBUTTON->",
        "<input type=\"button\" value=\"Prev\" onclick=\"selectCurrentImage(-1)\">");
    text = ReplaceFirstNoCase(
        text, "<!-NEXTBUTTON->",
        "<input type=\"button\" value=\"Next\" onclick=\"selectCurrentImage(1)\">");
    text = ReplaceFirstNoCase(
        text, "<!-FIRSTBUTTON->",
        "<input type=\"button\" value=\"First\" onclick=\"selectCurrentImage(-2)\">");
    return ReplaceFirstNoCase(
        text, "<!-LASTBUTTON->",
        "<input type=\"button\" value=\"Last\" onclick=\"selectCurrentImage(2)\">");
}

struct TSlideLists {
    std::string Images;
    std::string Links;
};

TSlideLists SlideLists(TPageContext& context, int first, int last) {
    TSlideLists lists;
    const std::string prefix = PageImageDir(context);
    for (int i = first; i <= last && i - first < context.HTML.Rows; ++i) {
        TThumbnail& thumb = context.Thumbs[i];
        UpdateLink(thumb, context.HTML);
        std::string url;
        if (!thumb.Link.empty()) {
            url = IsLinkAsWritten(thumb.Link) ? thumb.Link : prefix + thumb.Link;
        }
        const std::string separator = i > first ? "," : "";
        lists.Images += separator + "\"" + prefix + thumb.Name + "\"";
        lists.Links += separator + "\"" + url + "\"";
    }
    return lists;
}

// Height before width, as pages made by earlier versions have it.
std::string SizeAttributes(const TTemplate& tpl) {
    std::string size;
    if (tpl.SlideHeight > 0) size += " height=\"" + std::to_string(tpl.SlideHeight) + "\"";
    if (tpl.SlideWidth > 0) size += " width=\"" + std::to_string(tpl.SlideWidth) + "\"";
    return size;
}

// One line of the source per part of the script, so it reads like the script it writes.
// clang-format off
std::string Script(const TSlideLists& lists, const std::string& size) {
    return "<script language=\"JavaScript\">" + CRLF + "<!--" + CRLF + "var current = 0;" +
           CRLF + "var imgz = new Array (" + lists.Images + ");" + CRLF +
           "var lks= new Array (" + lists.Links + ");" + CRLF +
           "document.write('<a id=\"FSCLink\" href=\"javascript:followLink()\" "
           "bbhref=\"'+lks[0]+'\"><img  name=\"FSCBild\" border=\"0\" src=\"'+imgz[0]+'\"" +
           size + "></a>');" + CRLF +
           "function selectCurrentImage(val)" + CRLF +
           "{" + CRLF +
           " if (val==-2)" + CRLF +
           TAB + " current=0;" + CRLF +
           " if (val==2)" + CRLF +
           TAB + " current= imgz.length-1;" + CRLF +
           "if (val==-1)" + CRLF +
           "  current = current+val;" + CRLF +
           "if (val==1)" + CRLF +
           "  current = current+val;" + CRLF +
           " if ( current < 0)" + CRLF +
           TAB + " alert(\"Already at first image.\");" + CRLF +
           " if  (current < 0)" + CRLF +
           TAB + "current = 0;" + CRLF +
           " if (current > imgz.length-1)" + CRLF +
           TAB + "alert(\"Already at last image.\");" + CRLF +
           " if (current> imgz.length-1)" + CRLF +
           TAB + "current = imgz.length-1;" + CRLF +
           "document.FSCBild.src = imgz[current];" + CRLF +
           "}" + CRLF +
           CRLF +
           "function followLink()" + CRLF +
           "{" + CRLF +
           "document.location.href =lks[current];" + CRLF +
           "}" + CRLF +
           "//-->" + CRLF +
           "</script>";
}
// clang-format on

}  // namespace

std::string SlideShowHTML(TPageContext& context, int first, int last) {
    const std::string framed = ReplaceButtons(
        "<form>" + CRLF + JoinLines(context.Template.SlideScheme) + CRLF + "</form>");
    const std::string script =
        Script(SlideLists(context, first, last), SizeAttributes(context.Template));
    // A scheme without the slides tag still gets a working show: the script follows it.
    if (FindNoCase(framed, "<!-SLIDES->") == std::string::npos) return framed + script;
    return ReplaceFirstNoCase(framed, "<!-SLIDES->", script);
}

}  // namespace fsc
