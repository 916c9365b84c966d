// Copying the style option values into the template and the slide scheme check.
#include "options/StyleOptions.h"

#include "base/Errors.h"
#include "base/Files.h"
#include "base/Text.h"

namespace fsc {

namespace {

const char* CollageTypeText(TCollageType type) {
    switch (type) {
        case TCollageType::Random:
            return "RANDOM";
        case TCollageType::Circle:
            return "CIRCLE";
        case TCollageType::Table:
            break;
    }
    return "TABLE";
}

}  // namespace

int SlideWidthValue(const SlideShowOptions& options) {
    return options.SlideWidthChecked ? options.SlideSize : -1;
}

int SlideHeightValue(const SlideShowOptions& options) {
    return options.SlideHeightChecked ? options.SlideSize : -1;
}

void CopyStyleOptionsToTemplate(const StyleOptionRefs& options, TTemplate& tpl) {
    tpl.TableCSS = options.Table.CSSClass;
    tpl.TableBorder = options.Table.Border;
    tpl.TableWidth = options.Table.TableWidth;
    tpl.TableTDAlign = AlignText(options.Table.TDAlign);
    tpl.TableTDVAlign = AlignText(options.Table.TDVAlign);
    tpl.ListCSS = options.List.CSSClass;
    tpl.OrderedList = options.List.OrderedList;
    tpl.ParaCSS = options.Para.CSSClass;
    tpl.ParaAlign = AlignText(options.Para.Align);
    tpl.CollageCSS = options.Collage.CSSClass;
    tpl.CollageType = CollageTypeText(options.Collage.Partitioning);
    tpl.CollageBgColor = options.Collage.BackgroundColor;
    tpl.CollageCenter = options.Collage.CenterImages;
    tpl.SlideScheme = options.SlideShow.SlideScheme;
    tpl.SlideWidth = SlideWidthValue(options.SlideShow);
    tpl.SlideHeight = SlideHeightValue(options.SlideShow);
}

void ResetSlideShowOptions(SlideShowOptions& options) { options = SlideShowOptions(); }

void CheckSlideScheme(SlideShowOptions& options) {
    const std::string scheme = UpperCase(JoinLinesNoFinalBreak(options.SlideScheme));
    if (scheme.find("<!-SLIDES->") == std::string::npos) {
        // Put in front of the first line so that the user's first line keeps its place after it.
        if (options.SlideScheme.empty()) options.SlideScheme.emplace_back();
        options.SlideScheme.front().insert(0, "<!-SLIDES-><br>");
        throw EFSC_Exception("<!-SLIDES-> must be in the scheme!");
    }
    if (scheme.find("BUTTON->") == std::string::npos) {
        if (options.SlideScheme.empty()) options.SlideScheme.emplace_back();
        options.SlideScheme.back() += "<!-PREVBUTTON-> <!-NEXTBUTTON->";
        throw EFSC_Exception("Warning: There must be a button in the scheme!");
    }
}

void ShowImageHTMLOptions(ImageHTMLOptions& options, TTemplate& tpl) {
    if (tpl.ImagePageSkeleton.empty()) tpl.ImagePageSkeleton = options.Text;
    options.Text = tpl.ImagePageSkeleton;
}

void LoadImageHTMLFile(ImageHTMLOptions& options, const std::string& path) {
    options.Text = LoadLines(path);
}

void CloseImageHTMLOptions(const ImageHTMLOptions& options, TTemplate& tpl) {
    tpl.ImagePageSkeleton = options.Text;
}

}  // namespace fsc
