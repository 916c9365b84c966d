// Finishing a page.
#include "engine/FinishPage.h"

#include "base/Paths.h"
#include "base/Text.h"
#include "base/WebText.h"
#include "engine/CalculatedValues.h"
#include "engine/HeadInsertion.h"
#include "engine/Navigation.h"
#include "engine/PageFileName.h"
#include "engine/PageUrls.h"

namespace fsc {

namespace {

std::string FirstThumbnailPageName(const TPageContext& context) {
    for (const TFSC_File& file : context.HTML.Files) {
        if (file.PageNumber == 1) return file.FileName;
    }
    return context.Template.GalleryFileName;
}

// The copy of the gallery's first picture: what a link to the gallery shows as its preview.
std::string FirstImageUrl(const TPageContext& context, const std::string& mainDir) {
    for (const TThumbnail& thumb : context.Thumbs) {
        if (!thumb.noImage) return FileUrl(mainDir + context.HTML.ImageDir, thumb.Name);
    }
    return {};
}

std::string ApplyParameters(const TPageContext& context, std::string text) {
    for (const TParameter& parameter : context.Template.Parameters) {
        ReplaceAllIn(text, "<!-PARA=" + parameter.Name + "->", parameter.Value);
        ReplaceAllIn(text, "<!!replaceWith" + parameter.Name + "!!>", parameter.Value);
    }
    return text;
}

}  // namespace

std::string PageFolder(const TFSC_File& page) {
    const std::string own = ExtractFileDir(page.FileName);
    if (own.empty()) return page.SubDir;
    if (page.SubDir.empty() || IsPathSeparator(page.SubDir.back())) return page.SubDir + own;
    return page.SubDir + "/" + own;
}

std::string MainDirText(const std::string& subDir) {
    // One "../" per folder level between separators, whichever separator was typed; a
    // trailing separator (image pages keep "images/") and "." add no level, ".." takes one.
    std::string up;
    std::size_t start = 0;
    while (start < subDir.size()) {
        std::size_t end = start;
        while (end < subDir.size() && !IsPathSeparator(subDir[end])) ++end;
        const std::string part = subDir.substr(start, end - start);
        if (part == "..") {
            if (!up.empty()) up.resize(up.size() - 3);
        } else if (!part.empty() && part != ".") {
            up += "../";
        }
        start = end + 1;
    }
    return up;
}

std::string FinishText(const TPageContext& context, const TFSC_File& page, std::string text) {
    const TFSC_HTML& html = context.HTML;
    const TFSC_Images& images = context.Images;
    text = ApplyParameters(context, std::move(text));
    // Links below are written relative to the HTML directory and lead there first.
    const std::string mainDir = MainDirText(PageFolder(page));
    // The name page 1 is written under: a gallery file's own extension is kept.
    ReplaceAllIn(text, "<!!replaceWithGalleryFile!!>",
                 mainDir + UrlPath(ToInternalPath(
                               PageFileName(FirstThumbnailPageName(context), html.PageExt, 1))));
    ReplaceAllIn(text, "<!!replaceWithThumbWidth!!>",
                 std::to_string(images.ThumbWidth * 4 / 3 + 20));
    ReplaceAllIn(text, "<!!replaceWithThumbHeight!!>",
                 std::to_string(images.ThumbHeight * 5 / 3 + 30));
    ReplaceAllIn(text, "<!-ORVIKLINK->", "");
    ReplaceAllIn(text, "<!-NAME->", HtmlText(WithoutExtension(ExtractFileName(page.FileName))));
    ReplaceAllIn(text, "<!-MAINDIR->", mainDir);
    ReplaceAllIn(text, "<!-IMAGEDIR->",
                 page.SubDir != html.ImageDir ? mainDir + UrlPath(ToInternalPath(html.ImageDir))
                                              : std::string());
    ReplaceAllIn(text, "<!-BACKTOGALLERY->",
                 mainDir + UrlPath(ToInternalPath(
                               PageFileName(context.Template.GalleryFileName, html.PageExt, 1))));
    if (text.find("<!-FIRSTIMAGEURL->") != std::string::npos)
        ReplaceAllIn(text, "<!-FIRSTIMAGEURL->", FirstImageUrl(context, mainDir));
    text = ApplyCalculatedValues(context, text);
    return InsertIntoHead(text, HeadText(context, page));
}

void FinishPage(TPageContext& context, TFSC_File& page) {
    ApplyNavigation(context, page);
    const std::string text = FinishText(context, page, JoinLines(page.Lines));
    page.Lines = SplitLines(InsertIntoHead(text, CharsetText(text)));
}

}  // namespace fsc
