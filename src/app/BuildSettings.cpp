// Collecting build settings from the workspace.
#include "app/BuildSettings.h"

#include "options/StyleOptions.h"

namespace fsc {

namespace {

int LayoutOf(TGalleryStyle style) {
    switch (style) {
        case TGalleryStyle::Table:
            return LayoutTable;
        case TGalleryStyle::List:
            return LayoutList;
        case TGalleryStyle::Paragraph:
            return LayoutParagraph;
        case TGalleryStyle::SlideShow:
            return LayoutSlideShow;
        case TGalleryStyle::Collage:
            break;
    }
    return LayoutCollage;
}

void FillWatermark(const Workspace& ws, TFSC_Images& images) {
    const WatermarkOptions& editor = ws.Watermark;
    images.Watermark = ws.Special.Watermark;
    images.WatermarkText = editor.Text;
    images.WatermarkAdjustSize = editor.AdjustSize;
    images.WatermarkTransparency = editor.Transparency;
    images.WatermarkFont = editor.Font;
    images.WatermarkChanged = editor.Changed;
    images.WatermarkPositions[wpLeftTop] = editor.LT;
    images.WatermarkPositions[wpCenterTop] = editor.CT;
    images.WatermarkPositions[wpRightTop] = editor.RT;
    images.WatermarkPositions[wpLeftMiddle] = editor.LM;
    images.WatermarkPositions[wpCenterMiddle] = editor.CM;
    images.WatermarkPositions[wpRightMiddle] = editor.RM;
    images.WatermarkPositions[wpLeftBottom] = editor.LB;
    images.WatermarkPositions[wpCenterBottom] = editor.CB;
    images.WatermarkPositions[wpRightBottom] = editor.RB;
}

void FillImages(const Workspace& ws, TBuildCaller caller, TFSC_Images& images) {
    const MainSettings& main = ws.Main;
    images.ResizeImages = main.ResizeWidthChecked || main.ResizeHeightChecked;
    images.ResizeWidth = main.ResizeWidthChecked ? main.GreaterThan : -1;
    images.ResizeHeight = main.ResizeHeightChecked ? main.GreaterThan : -1;
    images.ResizeMethod = main.ResizeMethod;
    images.WriteWebp = main.WriteWebp;
    images.WriteAvif = main.WriteAvif;
    images.Originals = main.OfferOriginals;
    images.ThumbSuffix = caller == TBuildCaller::DirectoryTreeTool ? "_fsc_th" : "_th";
    images.CopyVariants = caller != TBuildCaller::DirectoryTreeTool;
    images.ThumbWidth = main.ThumbWidth;
    images.ThumbHeight = main.ThumbHeight;
    images.ThumbSizeMode = main.ThumbSize;
    images.ThumbQualityLevel = main.ThumbQuality;
    images.ImagesAreThumbs = main.ImagesAreThumbs;
    images.AdjustCompression = main.AdjustCompression;
    images.RemoveLocation = ws.Special.RemoveLocation;
    FillWatermark(ws, images);
}

void FillLayout(const MainSettings& main, TFSC_HTML& html) {
    html.Layout = LayoutOf(main.Style);
    const bool grid = html.Layout == LayoutTable || html.Layout == LayoutCollage;
    html.Rows = grid ? main.Rows : main.ListRows;
    html.Cols = grid ? main.Cols : 1;
}

void FillSpecial(const SpecialOptions& special, TFSC_HTML& html) {
    html.MetaAuthor = special.MetaAuthor;
    html.AuthorText = special.Author;
    html.MetaKeywords = special.MetaKeywords;
    html.KeywordsText = special.Keywords;
    html.MetaDescription = special.MetaDescription;
    html.DescriptionText = special.Description;
    html.KeywordsFromName = special.KeywordsFromName;
    html.KeywordsFromHintDesc = special.KeywordsFromHintDesc;
    html.DescriptionWithHint = special.DescriptionWithHint;
    html.DisableRightButton = special.DisableRightButton;
    html.RightButtonMessage = special.RightButtonMessage;
}

void FillHTML(const Workspace& ws, TFSC_HTML& html) {
    const MainSettings& main = ws.Main;
    html.NoHTML = main.NoHTML;
    html.HTMLDir = main.HTMLDir;
    html.ImageDir = main.ImageDir;
    FillLayout(main, html);
    html.UseTargetFrame = main.UseTargetFrame;
    html.TargetFrame = main.UseTargetFrame ? main.TargetFrame : std::string();
    html.ThumbScheme = ws.Schemes.Thumbnail.Text;
    html.GalleryScheme = ws.Schemes.Gallery.Text;
    html.ImageScheme = ws.Schemes.Image.Text;
    html.NavigationScheme = ws.Schemes.Navigation.Text;
    html.LinkToHTML = main.LinkToHTML;
    if (main.UseDefaultExt) {
        html.PageExt = main.DefaultExt;
    } else {
        html.PageExt = ws.Program.DefaultHTMLExt.empty() ? "html" : ws.Program.DefaultHTMLExt;
    }
    FillSpecial(ws.Special, html);
}

}  // namespace

void FillBuildSettings(const Workspace& ws, TBuildCaller caller, TFSC_Images& images,
                       TFSC_HTML& html) {
    FillImages(ws, caller, images);
    FillHTML(ws, html);
    LinkSettings(images, html);
}

TKeptSettings KeptSettingsOf(const Workspace& ws) {
    return {ws.Main.Rows, ws.Main.Cols, ws.Main.ListRows, ws.Special.WatermarkText};
}

void CopyOptionsToTemplate(Workspace& ws) {
    CopyStyleOptionsToTemplate({ws.Table, ws.List, ws.Para, ws.Collage, ws.SlideShow}, ws.Template);
    ws.Template.GalleryFileName = ws.Main.HTMLFile;
}

}  // namespace fsc
