// Finishing a page.
#include "engine/FinishPage.h"

#include "base/Paths.h"
#include "base/Text.h"
#include "engine/CalculatedValues.h"
#include "engine/HeadInsertion.h"
#include "engine/Navigation.h"
#include "engine/PageFileName.h"

namespace fsc {

namespace {

std::string FirstThumbnailPageName(const TPageContext& context) {
    for (const TFSC_File& file : context.HTML.Files) {
        if (file.PageNumber == 1) return file.FileName;
    }
    return context.Template.GalleryFileName;
}

std::string ApplyParameters(const TPageContext& context, std::string text) {
    for (const TParameter& parameter : context.Template.Parameters) {
        text = ReplaceAll(text, "<!-PARA=" + parameter.Name + "->", parameter.Value);
        text = ReplaceAll(text, "<!!replaceWith" + parameter.Name + "!!>", parameter.Value);
    }
    return text;
}

}  // namespace

std::string MainDirText(const std::string& subDir) {
    // A trailing separator (image pages keep "images/") does not add a level; the levels
    // are what lies between separators, whichever separator was typed.
    std::size_t end = subDir.size();
    while (end > 0 && IsPathSeparator(subDir[end - 1])) --end;
    if (end == 0) return {};
    std::string up = "../";
    for (std::size_t i = 0; i < end; ++i) {
        if (IsPathSeparator(subDir[i])) up += "../";
    }
    return up;
}

std::string FinishText(const TPageContext& context, const TFSC_File& page, std::string text) {
    const TFSC_HTML& html = context.HTML;
    const TFSC_Images& images = context.Images;
    text = ApplyParameters(context, std::move(text));
    text = ReplaceAll(text, "<!!replaceWithGalleryFile!!>",
                      ChangeFileExt(FirstThumbnailPageName(context), "." + html.PageExt));
    text = ReplaceAll(text, "<!!replaceWithThumbWidth!!>",
                      std::to_string(images.ThumbWidth * 4 / 3 + 20));
    text = ReplaceAll(text, "<!!replaceWithThumbHeight!!>",
                      std::to_string(images.ThumbHeight * 5 / 3 + 30));
    text = ReplaceAll(text, "<!-ORVIKLINK->", "");
    text = ReplaceAll(text, "<!-NAME->", WithoutExtension(ExtractFileName(page.FileName)));
    const std::string mainDir = MainDirText(page.SubDir);
    text = ReplaceAll(text, "<!-MAINDIR->", mainDir);
    text = ReplaceAll(text, "<!-IMAGEDIR->",
                      page.SubDir != html.ImageDir ? mainDir + html.ImageDir : std::string());
    text = ReplaceAll(text, "<!-BACKTOGALLERY->",
                      mainDir + PageFileName(context.Template.GalleryFileName, html.PageExt, 1));
    text = ApplyCalculatedValues(context, text);
    return InsertIntoHead(text, HeadText(context, page));
}

void FinishPage(TPageContext& context, TFSC_File& page) {
    ApplyNavigation(context, page);
    page.Lines = SplitLines(FinishText(context, page, JoinLines(page.Lines)));
}

}  // namespace fsc
