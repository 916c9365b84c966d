// Reading the pages' wish for extra picture files from their texts.
#include "engine/VariantsAsked.h"

#include <string_view>

namespace fsc {

namespace {

class TPageTexts {
public:
    explicit TPageTexts(const TBuildContext& context) {
        const TFSC_HTML& html = context.HTML;
        const TTemplate& tpl = context.Template;
        for (const TStringList* lines :
             {&html.ThumbScheme, &html.ImageScheme, &html.GalleryScheme, &html.NavigationScheme,
              &tpl.IndexPage, &tpl.ImagePageSkeleton, &tpl.SlideScheme})
            Add(*lines);
        if (tpl.GalleryPage) Add(*tpl.GalleryPage);
        for (const TFSC_File& page : tpl.ExtraPages) Add(page.Lines);
    }
    bool Has(std::string_view tag) const { return text.find(tag) != std::string::npos; }

private:
    void Add(const TStringList& lines) {
        for (const std::string& line : lines) text += line + '\n';
    }
    std::string text;
};

}  // namespace

TVariantChoice VariantsAsked(const TBuildContext& context) {
    TVariantChoice choice;
    if (context.HTML.NoHTML) return choice;
    const TPageTexts pages(context);
    choice.ThumbScales = pages.Has("<!-THUMBSRCSET->");
    choice.CopySteps = pages.Has("<!-IMAGESRCSET->");
    const bool sources = pages.Has("<!-THUMBSOURCES->") || pages.Has("<!-IMAGESOURCES->");
    choice.Webp = sources && context.Images.WriteWebp;
    choice.Avif = sources && context.Images.WriteAvif;
    choice.Copies = context.Images.CopyVariants;
    return choice;
}

}  // namespace fsc
