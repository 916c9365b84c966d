// libFuzzer target of page assembly: a random page skeleton, image page skeleton and the four
// schemes, with random images and layout settings, go through the page list, the tag engine,
// the layouts and the navigation, as the HTML step of a build runs them before saving.
// The texts come first in the input, so that real skeletons and schemes serve as seeds.
#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzFiles.h"
#include "engine/AssemblePages.h"
#include "engine/CreateHTML.h"
#include "engine/PageSetup.h"

namespace {

using namespace fsc;

// The collage is left out: it draws and writes pictures, which other targets do not need.
constexpr int Layouts[] = {LayoutTable, LayoutList, LayoutParagraph, LayoutSlideShow};

struct TTexts {
    TStringList IndexPage, ImagePage, Thumb, Image, Gallery, Navigation;
};

TTexts ConsumeTexts(FuzzedDataProvider& input) {
    TTexts t;
    for (TStringList* text :
         {&t.IndexPage, &t.ImagePage, &t.Thumb, &t.Image, &t.Gallery, &t.Navigation})
        *text = SplitLines(input.ConsumeRandomLengthString(4096));
    return t;
}

std::string Short(FuzzedDataProvider& input) { return input.ConsumeRandomLengthString(24); }

TThumbnail ConsumeImage(FuzzedDataProvider& input, int i) {
    TThumbnail thumb;
    thumb.Name = input.ConsumeBool() ? Short(input) : "photo" + std::to_string(i) + ".jpg";
    thumb.FileName = "/pictures/" + thumb.Name;
    thumb.Link = input.ConsumeBool() ? Short(input) : thumb.Name;
    thumb.ThumbName = "th_" + thumb.Name;
    thumb.Hint = Short(input);
    thumb.Description = Short(input);
    thumb.FieldA = Short(input);
    thumb.noImage = input.ConsumeBool();
    thumb.useOtherLink = input.ConsumeBool();
    thumb.OtherLink = Short(input);
    thumb.ImageWidth = input.ConsumeIntegralInRange(0, 5000);
    thumb.ImageHeight = input.ConsumeIntegralInRange(0, 5000);
    thumb.ThumbWidth = input.ConsumeIntegralInRange(0, 500);
    thumb.ThumbHeight = input.ConsumeIntegralInRange(0, 500);
    thumb.FileSize = input.ConsumeIntegral<int>();
    return thumb;
}

void ConsumeSettings(FuzzedDataProvider& input, TFSC_HTML& html, TTemplate& tpl) {
    html.Layout = input.PickValueInArray(Layouts);
    html.Rows = input.ConsumeIntegralInRange(1, 6);
    html.Cols = input.ConsumeIntegralInRange(1, 6);
    html.LinkToHTML = input.ConsumeBool();
    html.UseTargetFrame = input.ConsumeBool();
    html.TargetFrame = Short(input);
    html.ImageDir = Short(input);
    html.PageExt = input.ConsumeBool() ? "html" : Short(input);
    html.MetaAuthor = input.ConsumeBool();
    html.MetaKeywords = input.ConsumeBool();
    html.MetaDescription = input.ConsumeBool();
    html.AuthorText = Short(input);
    html.DisableRightButton = input.ConsumeBool();
    tpl.IndexIsGallery = input.ConsumeBool();
    tpl.GalleryFileName = input.ConsumeBool() ? "index.html" : Short(input);
    tpl.OrderedList = input.ConsumeBool();
    tpl.TableCSS = Short(input);
    tpl.TableBorder = input.ConsumeIntegralInRange(-1, 10);
    tpl.SlideWidth = input.ConsumeIntegralInRange(-1, 2000);
    tpl.SlideHeight = input.ConsumeIntegralInRange(-1, 2000);
    const int parameters = input.ConsumeIntegralInRange(0, 3);
    for (int i = 0; i < parameters; ++i)
        tpl.Parameters.push_back(
            {Short(input), Short(input), Short(input), input.ConsumeIntegralInRange(0, 3)});
}

class TInputRandom final : public IRandom {
public:
    explicit TInputRandom(FuzzedDataProvider& input) : input(input) {}
    int Random(int range) override {
        return range <= 0 ? 0 : input.ConsumeIntegralInRange(0, range - 1);
    }

private:
    FuzzedDataProvider& input;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const TTexts texts = ConsumeTexts(input);
    TThumbnailArray thumbs;
    TFSC_Images images;
    TFSC_HTML html;
    LinkSettings(images, html);
    TTemplate tpl = TTemplate::Create(texts.ImagePage);
    tpl.IndexPage = texts.IndexPage;
    html.ThumbScheme = texts.Thumb;
    html.ImageScheme = texts.Image;
    html.GalleryScheme = texts.Gallery;
    html.NavigationScheme = texts.Navigation;
    ConsumeSettings(input, html, tpl);
    const int count = input.ConsumeIntegralInRange(1, 12);
    for (int i = 0; i < count; ++i) thumbs.push_back(ConsumeImage(input, i));

    // As the HTML step prepares a build.
    html.PerPage = html.Rows * html.Cols;
    html.PageCount = (count - 1) / html.PerPage + 1;
    html.ImageDir = ImageDirPrefix(html.ImageDir);
    WrapCSSFields(tpl);
    html.Files = PageList(thumbs, html, tpl);
    TBuildJournal journal;
    TInputRandom random(input);
    TSilentProgress progress;
    TPageContext context{thumbs, images, html, tpl, journal, random, progress, ""};
    fuzz::Refusing([&] { AssemblePages(context); });
    return 0;
}
