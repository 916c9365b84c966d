// Thumbnail cells.
#include "engine/ThumbCell.h"

#include "base/Text.h"
#include "engine/ImageDataTags.h"

namespace fsc {

namespace {

const std::string CRLF = "\r\n";

std::string Anchor(const TThumbnail& thumb, const TFSC_HTML& html, const std::string& attr) {
    if (thumb.Link.empty()) return {};
    const std::string target =
        html.UseTargetFrame ? "target=\"" + html.TargetFrame + "\"" : std::string();
    const std::string href = IsAbsoluteLink(thumb) ? thumb.Link : html.ImageDir + thumb.Link;
    return "<a href=\"" + href + "\" " + attr + " " + target + ">";
}

// With "Images = Thumbnails" the box size comes first, so the record's own size wins in
// browsers that take the last attribute.
std::string ImageMarkup(const TThumbnail& thumb, const TPageContext& context,
                        const std::string& attr) {
    const TFSC_Images& images = context.Images;
    const std::string anchor = Anchor(thumb, context.HTML, attr);
    const std::string box = images.ImagesAreThumbs
                                ? " width=\"" + std::to_string(images.ThumbWidth) + "\" height=\"" +
                                      std::to_string(images.ThumbHeight) + "\" "
                                : std::string();
    std::string markup = anchor + "<img src=\"" + context.HTML.ImageDir + thumb.ThumbName +
                         "\" alt=\"" + thumb.Hint + "\" " + attr + box + " width=\"" +
                         std::to_string(thumb.ThumbWidth) + "\"" + " height=\"" +
                         std::to_string(thumb.ThumbHeight) + "\"" + ">";
    if (!anchor.empty()) markup += "</a>";
    return markup + CRLF;
}

}  // namespace

void UpdateLink(TThumbnail& thumb, const TFSC_HTML& html) {
    if (html.LinkToHTML) thumb.Link = "image_" + thumb.Name + "." + html.PageExt;
    if (thumb.useOtherLink) thumb.Link = Trim(thumb.OtherLink);
}

bool IsAbsoluteLink(const TThumbnail& thumb) {
    return StartsWith(UpperCase(thumb.Link), "HTTP:") || thumb.useOtherLink;
}

std::string ThumbCell(TPageContext& context, int n, const std::string& attr) {
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
    return ApplyImageDataTags(cell, thumb, n, context.HTML.ImageDir, TTagPlace::Cell);
}

}  // namespace fsc
