// Slide-show pages.
#include "engine/SlideShow.h"

#include "base/Text.h"
#include "base/WebText.h"
#include "engine/ImageDataTags.h"
#include "engine/PageUrls.h"
#include "engine/ThumbCell.h"

namespace fsc {

namespace {

const std::string CRLF = "\r\n";
const std::string TAB = "\t";

// Without JavaScript the buttons could do nothing: they stay hidden until the script
// shows them.
std::string Button(const std::string& caption, int step) {
    return "<input type=\"button\" value=\"" + caption + "\" onclick=\"selectCurrentImage(" +
           std::to_string(step) + ")\" data-slide-button hidden>";
}

std::string ReplaceButtons(std::string text) {
    text = ReplaceFirstNoCase(text, "<!-PREVBUTTON->", Button("Prev", -1));
    text = ReplaceFirstNoCase(text, "<!-NEXTBUTTON->", Button("Next", 1));
    text = ReplaceFirstNoCase(text, "<!-FIRSTBUTTON->", Button("First", -2));
    return ReplaceFirstNoCase(text, "<!-LASTBUTTON->", Button("Last", 2));
}

// The slides as the script sees them (arrays of quoted strings) and as a list of links that
// a visitor without JavaScript gets instead, which also holds each slide's caption.
struct TSlideLists {
    std::string Images;
    std::string Links;
    std::string Sizes;
    std::string Items;
};

void AddSlide(TSlideLists& lists, const TThumbnail& thumb, const std::string& prefix,
              const TSize size, bool first) {
    const std::string separator = first ? "" : ",";
    const std::string image = FileUrl(prefix, thumb.Name);
    // Unlike a cell, a slide puts the image folder in front of a relative other link too.
    const std::string link = thumb.Link.empty()            ? std::string()
                             : IsLinkAsWritten(thumb.Link) ? UrlAsWritten(thumb.Link)
                                                           : FileUrl(prefix, thumb.Link);
    lists.Images += separator + "\"" + JsString(image) + "\"";
    lists.Links += separator + "\"" + JsString(link) + "\"";
    lists.Sizes +=
        separator + "[" + std::to_string(size.Width) + "," + std::to_string(size.Height) + "]";
    const std::string text = Trim(thumb.Description).empty()
                                 ? std::string()
                                 : " <span class=\"slide-text\">" + thumb.Description + "</span>";
    lists.Items += "<li><a href=\"" + HtmlText(link.empty() ? image : link) + "\">" +
                   AltText(thumb) + "</a>" + text + "</li>" + CRLF;
}

TSlideLists SlideLists(TPageContext& context, int first, int last) {
    TSlideLists lists;
    const std::string prefix = PageImageDir(context);
    for (int i = first; i <= last && i - first < context.HTML.Rows; ++i) {
        TThumbnail& thumb = context.Thumbs[i];
        UpdateLink(thumb, context.HTML);
        AddSlide(lists, thumb, prefix, CopySizeOf(thumb, context.Images), i == first);
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
// Without a fixed slide size each picture gets its own, so the page does not jump when it
// arrives; its alt text and caption come from the list of slides, which the script hides.
// clang-format off
std::string Script(const TSlideLists& lists, const std::string& size) {
    const std::string ownSize = size.empty() ? "showSize();" + CRLF : std::string();
    return "<ul class=\"slides\" id=\"FSCSlides\">" + CRLF + lists.Items + "</ul>" + CRLF +
           "<script>" + CRLF + "<!--" + CRLF + "var current = 0;" +
           CRLF + "var imgz = new Array (" + lists.Images + ");" + CRLF +
           "var lks= new Array (" + lists.Links + ");" + CRLF +
           "var sizes = new Array (" + lists.Sizes + ");" + CRLF +
           "var slides = document.getElementById(\"FSCSlides\").getElementsByTagName(\"li\");" + CRLF +
           "document.getElementById(\"FSCSlides\").hidden = true;" + CRLF +
           "document.write('<a id=\"FSCLink\" href=\"javascript:followLink()\" "
           "bbhref=\"'+lks[0]+'\"><img  name=\"FSCBild\" border=\"0\" src=\"'+imgz[0]+'\"" +
           size + " alt=\"\"></a><p class=\"slide-caption\" id=\"FSCCaption\"></p>');" + CRLF +
           "function showSize()" + CRLF +
           "{" + CRLF +
           " if (sizes[current][0] > 0) {" + CRLF +
           TAB + " document.FSCBild.width = sizes[current][0];" + CRLF +
           TAB + " document.FSCBild.height = sizes[current][1];" + CRLF +
           " }" + CRLF +
           "}" + CRLF +
           "function showCaption()" + CRLF +
           "{" + CRLF +
           " var slide = slides[current];" + CRLF +
           " document.FSCBild.alt = slide.getElementsByTagName(\"a\")[0].textContent;" + CRLF +
           " document.getElementById(\"FSCCaption\").innerHTML = slide.innerHTML;" + CRLF +
           "}" + CRLF +
           ownSize +
           "showCaption();" + CRLF +
           "document.addEventListener(\"DOMContentLoaded\", function () {" + CRLF +
           " var buttons = document.querySelectorAll(\"input[data-slide-button]\");" + CRLF +
           " for (var i = 0; i < buttons.length; i++) buttons[i].hidden = false;" + CRLF +
           "});" + CRLF +
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
           ownSize +
           "showCaption();" + CRLF +
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
