// Gallery and image content of pages.
#include "engine/PageContent.h"

#include <algorithm>

#include "base/Paths.h"
#include "base/Text.h"
#include "base/WebText.h"
#include "engine/CollagePage.h"
#include "engine/FinishPage.h"
#include "engine/ImageDataTags.h"
#include "engine/PageFileName.h"
#include "engine/PageUrls.h"
#include "engine/SlideShow.h"
#include "engine/ThumbnailLayouts.h"
#include "engine/VariantTags.h"

namespace fsc {

namespace {

const std::string CRLF = "\r\n";

std::string ThumbnailPageName(const TPageContext& context, int pageNumber) {
    for (const TFSC_File& file : context.HTML.Files) {
        if (file.PageNumber == pageNumber) return file.FileName;
    }
    return context.Template.GalleryFileName;
}

// The neighbour's index, or the image's own when the neighbour is text only.
int Neighbour(const TThumbnailArray& thumbs, int n, int candidate) {
    return thumbs[candidate].noImage ? n : candidate;
}

std::string PlaceGallery(const std::string& text, const std::string& gallery) {
    if (text.find("<!-FOLIOSCOPE->") != std::string::npos) {
        return ReplaceAll(text, "<!-FOLIOSCOPE->", gallery);
    }
    if (text.find("<!- !RirevidedOzizidoAddHere! ->") != std::string::npos) {
        return ReplaceAll(text, "<!- !RirevidedOzizidoAddHere! ->", gallery);
    }
    const std::size_t body = FindNoCase(text, "</BODY");
    if (body == std::string::npos) return text + CRLF + gallery;
    return text.substr(0, body) + gallery + CRLF + text.substr(body);
}

}  // namespace

std::string LayoutHTML(TPageContext& context, int pageNumber, int first, int last) {
    switch (context.HTML.Layout) {
        case LayoutList:
            return ListHTML(context, first, last);
        case LayoutParagraph:
            return ParagraphHTML(context, first, last);
        case LayoutCollage:
            return CollageHTML(context, pageNumber, first, last);
        case LayoutSlideShow:
            return SlideShowHTML(context, first, last);
        default:
            return TableHTML(context, first, last);
    }
}

void ThumbnailPageContent(TPageContext& context, TFSC_File& page) {
    const int perPage = context.HTML.PerPage;
    const int count = static_cast<int>(context.Thumbs.size());
    const int first = (page.PageNumber - 1) * perPage;
    const int last = std::min(page.PageNumber * perPage - 1, count - 1);
    // All thumbnail pages lie in the folder of the gallery file name, if it has one.
    context.UpToHTMLDir = MainDirText(ExtractFileDir(page.FileName));
    const std::string layout = LayoutHTML(context, page.PageNumber, first, last);
    context.UpToHTMLDir.clear();
    const std::string gallery =
        ReplaceAll(JoinLines(context.HTML.GalleryScheme), "<!-GALLERY->", layout);
    page.Lines = SplitLines(PlaceGallery(JoinLines(page.Lines), gallery));
}

namespace {

// The picture as the image page shows it when its scheme asks for "<!-IMAGE->": with its
// size, where known, so the page does not jump when the picture arrives.
std::string ImageTag(const TThumbnail& thumb, const TFSC_Images& images) {
    const TSize size = CopySizeOf(thumb, images);
    const std::string dimensions = size.Width > 0
                                       ? " width=\"" + std::to_string(size.Width) + "\" height=\"" +
                                             std::to_string(size.Height) + "\""
                                       : std::string();
    return CRLF + "<img src=\"" + FileUrl("", thumb.Name) + "\" alt=\"" + AltText(thumb) + "\"" +
           dimensions + ">" + CRLF + CRLF;
}

// The neighbours' tags of an image page, all in the picture's folder.
void ApplyNeighbourTags(std::string& text, const std::string& which, const TThumbnail& thumb) {
    ReplaceAllIn(text, "<!-" + which + "->", HtmlText(LinkUrl(thumb, "")));
    ReplaceAllIn(text, "<!-" + which + "NAME->", HtmlText(thumb.Name));
    ReplaceAllIn(text, "<!-" + which + "IMAGEURL->", FileUrl("", thumb.Name));
}

}  // namespace

void ImagePageContent(TPageContext& context, TFSC_File& page) {
    const TFSC_HTML& html = context.HTML;
    const TThumbnailArray& thumbs = context.Thumbs;
    const int n = page.ImageNumber - 1;
    const int count = static_cast<int>(thumbs.size());
    if (n < 0 || n >= count) return;
    const TThumbnail& thumb = thumbs[n];
    page.SubDir = html.ImageDir;
    std::string scheme = JoinLines(html.ImageScheme);
    scheme = ReplaceFirst(scheme, "<!-IMAGE->", ImageTag(thumb, context.Images));
    std::string text = JoinLines(page.Lines);
    text = text.find("<!-IMAGE->") != std::string::npos ? ReplaceFirst(text, "<!-IMAGE->", scheme)
                                                        : text + scheme;
    text = ApplyVariantTags(text, thumb, "", context.Images);
    text = ApplyOriginalTags(text, thumb, MainDirText(html.ImageDir));
    text = ApplyImageDataTags(text, thumb, n, html.ImageDir, TTagPlace::ImagePage,
                              CopySizeOf(thumb, context.Images));
    const int galleryPage = n / std::max(html.PerPage, 1) + 1;
    text = ReplaceAll(
        text, "<!-BACKTOGALLERY->",
        MainDirText(html.ImageDir) + UrlPath(PageFileName(ThumbnailPageName(context, galleryPage),
                                                          html.PageExt, galleryPage)));
    ApplyNeighbourTags(text, "PREVIOUS", thumbs[Neighbour(thumbs, n, n == 0 ? count - 1 : n - 1)]);
    ApplyNeighbourTags(text, "NEXT", thumbs[Neighbour(thumbs, n, n + 1 == count ? 0 : n + 1)]);
    page.Lines = SplitLines(text);
}

void PageContent(TPageContext& context, TFSC_File& page) {
    if (page.PageNumber >= 1) {
        ThumbnailPageContent(context, page);
    } else if (page.ImageNumber >= 1) {
        ImagePageContent(context, page);
    }
}

}  // namespace fsc
