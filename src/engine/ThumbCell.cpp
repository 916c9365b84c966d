// Thumbnail cells.
#include "engine/ThumbCell.h"

#include "base/Text.h"
#include "base/WebText.h"
#include "engine/ImageDataTags.h"
#include "engine/PageUrls.h"
#include "engine/VariantTags.h"

namespace fsc {

namespace {

const std::string CRLF = "\r\n";

std::string Anchor(const TThumbnail& thumb, const TPageContext& context, const std::string& attr) {
    if (thumb.Link.empty()) return {};
    const TFSC_HTML& html = context.HTML;
    const std::string target =
        html.UseTargetFrame ? "target=\"" + HtmlText(html.TargetFrame) + "\"" : std::string();
    const std::string href = HtmlText(LinkUrl(thumb, PageImageDir(context)));
    return "<a href=\"" + href + "\" " + attr + " " + target + ">";
}

// One width/height pair only: browsers keep the first of repeated attributes, and the record
// holds the size the fitting rule gave the picture, also with "Images = Thumbnails".
// The alt text falls back to the picture's name: a linked thumbnail with an empty alt leaves
// the link without a name, and a screen reader then reads out only the address. Thumbnails
// below the first row load lazily, so a long page does not fetch the pictures far below the
// window first.
std::string ImageMarkup(const TThumbnail& thumb, const TPageContext& context,
                        const std::string& attr) {
    const std::string anchor = Anchor(thumb, context, attr);
    std::string markup =
        anchor + "<img src=\"" + FileUrl(PageImageDir(context), thumb.ThumbName) + "\" alt=\"" +
        AltText(thumb) + "\" " + attr + " width=\"" + std::to_string(thumb.ThumbWidth) + "\"" +
        " height=\"" + std::to_string(thumb.ThumbHeight) + "\"" + " loading=\"<!-THUMBLOADING->\">";
    if (!anchor.empty()) markup += "</a>";
    return markup + CRLF;
}

}  // namespace

std::string PageImageDir(const TPageContext& context) {
    return context.UpToHTMLDir + context.HTML.ImageDir;
}

void UpdateLink(TThumbnail& thumb, const TFSC_HTML& html) {
    if (html.LinkToHTML) thumb.Link = "image_" + thumb.Name + "." + html.PageExt;
    if (thumb.useOtherLink) thumb.Link = Trim(thumb.OtherLink);
}

std::string ThumbCell(TPageContext& context, int n, const std::string& attr,
                      TThumbLoading loading) {
    TThumbnail& thumb = context.Thumbs[n];
    std::string cell;
    if (thumb.noImage) {
        cell = "<!-DESCRIPTION->";
    } else {
        const std::string scheme = JoinLines(context.HTML.ThumbScheme);
        const std::size_t at = scheme.find("<!-THUMB->");
        UpdateLink(thumb, context.HTML);
        if (at == std::string::npos) {
            cell = scheme;
        } else {
            const std::string before = scheme.substr(0, at);
            const std::string after = scheme.substr(at + 10);
            cell = before + CRLF + ImageMarkup(thumb, context, attr) + CRLF + after;
        }
    }
    ReplaceAllIn(cell, "<!-THUMBLOADING->", loading == TThumbLoading::Eager ? "eager" : "lazy");
    cell = ApplyVariantTags(cell, thumb, PageImageDir(context), context.Images);
    cell = ApplyOriginalTags(cell, thumb, context.UpToHTMLDir);
    return ApplyImageDataTags(cell, thumb, n, PageImageDir(context), TTagPlace::Cell,
                              CopySizeOf(thumb, context.Images));
}

}  // namespace fsc
