#include <gtest/gtest.h>

#include <functional>

#include "SettingsPrinters.h"
#include "TemplateTestSupport.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "support/TempDir.h"

namespace fsc {
namespace {

struct KeyCase {
    TStringList Lines;
    std::function<void(Workspace&)> Prepare;
    std::function<bool(const Workspace&)> Holds;
    const char* What;
};

TEST(ApplyTemplate, EachKeyReadsItsValueByItsRule) {
    const auto nothing = [](Workspace&) {};
    const KeyCase cases[] = {
        {{"STYLE=List"},
         nothing,
         [](auto& ws) { return ws.Main.Style == TGalleryStyle::List; },
         "mixed case selects the list layout"},
        {{"STYLE=Slideshow"},
         nothing,
         [](auto& ws) { return ws.Main.Style == TGalleryStyle::SlideShow; },
         "slide show"},
        {{"STYLE=grid"},
         [](auto& ws) { ws.Main.Style = TGalleryStyle::List; },
         [](auto& ws) { return ws.Main.Style == TGalleryStyle::Table; },
         "unknown style is table"},
        {{"COLLAGECENTER=maybe"},
         nothing,
         [](auto& ws) { return ws.Collage.CenterImages; },
         "collage centre on unless FALSE"},
        {{"COLLAGECENTER=False"},
         [](auto& ws) { ws.Collage.CenterImages = true; },
         [](auto& ws) { return !ws.Collage.CenterImages; },
         "collage centre off"},
        {{"REMOVELOCATION=maybe"},
         [](auto& ws) { ws.Special.RemoveLocation = false; },
         [](auto& ws) { return ws.Special.RemoveLocation; },
         "location data removed unless FALSE"},
        {{"REMOVELOCATION=False"},
         nothing,
         [](auto& ws) { return !ws.Special.RemoveLocation; },
         "location data kept"},
        {{"USEAUTHOR=maybe"},
         [](auto& ws) { ws.Special.MetaAuthor = true; },
         [](auto& ws) { return !ws.Special.MetaAuthor; },
         "author tag off unless TRUE"},
        {{"IMAGEDORESIZE=true", "IMAGEWIDTH=0", "IMAGEHEIGHT=500"},
         [](auto& ws) { ws.Main.GreaterThan = 700; },
         [](auto& ws) {
             return !ws.Main.ResizeWidthChecked && ws.Main.ResizeHeightChecked &&
                    ws.Main.GreaterThan == 500;
         },
         "a width of 0 turns only its switch off"},
        {{"IMAGEDORESIZE=true", "IMAGEWIDTH=0"},
         [](auto& ws) { ws.Main.GreaterThan = 700; },
         [](auto& ws) { return ws.Main.GreaterThan == 700; },
         "and leaves the limit alone"},
        {{"TABLEROWS=", "TABLECOLS=7"},
         [](auto& ws) { ws.Main.Rows = 9; },
         [](auto& ws) { return ws.Main.Rows == 9 && ws.Main.Cols == 7; },
         "empty rows ignored"},
        {{"TABLETDALIGN=middle", "TABLETDVALIGN=Top"},
         [](auto& ws) { ws.Table.TDAlign = THorzAlign::Left; },
         [](auto& ws) {
             return ws.Table.TDAlign == THorzAlign::Left && ws.Table.TDVAlign == TVertAlign::Top;
         },
         "alignments outside their group change nothing"},
        {{"PARAALIGN=justify"},
         nothing,
         [](auto& ws) { return ws.Para.Align == THorzAlign::Right; },
         "paragraph: else right"},
        {{"COLLAGETYPE=spiral"},
         nothing,
         [](auto& ws) { return ws.Collage.Partitioning == TCollageType::Random; },
         "collage: else random"},
        {{"COLLAGEBGCOLOR=chartreuse"},
         [](auto& ws) { ws.Collage.BackgroundColor = "x"; },
         [](auto& ws) { return ws.Collage.BackgroundColor == "black = #000000 "; },
         "a colour that is no entry selects the first"},
        {{"LISTSTYLE=Ordered"}, nothing, [](auto& ws) { return ws.List.OrderedList; }, "ordered"},
        {{"THUMBMETHOD=HardLimit", "THUMBQUALITY=VeryLow"},
         nothing,
         [](auto& ws) {
             return ws.Main.ThumbSize == TThumbSizeMode::hardLimit &&
                    ws.Main.ThumbQuality == TThumbQualityLevel::VeryLow;
         },
         "thumbnail words in any case"},
        {{"THUMBMETHOD=big", "THUMBQUALITY=best"},
         [](auto& ws) {
             ws.Main.ThumbSize = TThumbSizeMode::fit;
             ws.Main.ThumbQuality = TThumbQualityLevel::High;
         },
         [](auto& ws) {
             return ws.Main.ThumbSize == TThumbSizeMode::limit &&
                    ws.Main.ThumbQuality == TThumbQualityLevel::Middle;
         },
         "unknown thumbnail words: limit and middle"},
        {{"DEFAULTHTMLEXT=PHP"},
         nothing,
         [](auto& ws) { return ws.Main.UseDefaultExt && ws.Main.DefaultExt == "PHP"; },
         "another extension switches the default extension on as written"},
        {{"DEFAULTHTMLEXT=HTML"},
         nothing,
         [](auto& ws) { return !ws.Main.UseDefaultExt && ws.Main.DefaultExt == "html"; },
         "html switches it off"},
        {{"USETARGET=yes", "TARGETFRAME="},
         nothing,
         [](auto& ws) { return !ws.Main.UseTargetFrame && ws.Main.TargetFrame.empty(); },
         "the apply resets the target frame; other words leave it"},
        {{"USETARGET=TRUE", "TARGETFRAME=right"},
         nothing,
         [](auto& ws) { return ws.Main.UseTargetFrame && ws.Main.TargetFrame == "right"; },
         "target frame"},
        {{"USEIMAGEASHTML=maybe"},
         [](auto& ws) { ws.Main.LinkToHTML = true; },
         [](auto& ws) { return ws.Main.LinkToHTML; },
         "link to HTML: other words unchanged"},
        {{"IMAGENOEXT=maybe"},
         [](auto& ws) { ws.Main.ImagesAreThumbs = true; },
         [](auto& ws) { return !ws.Main.ImagesAreThumbs; },
         "images = thumbnails on only if TRUE"},
        {{"SLIDEWIDTH=0", "SLIDEHEIGHT=0"},
         nothing,
         [](auto& ws) {
             return !ws.SlideShow.SlideWidthChecked && !ws.SlideShow.SlideHeightChecked &&
                    ws.SlideShow.SlideSize == 300;
         },
         "slide limits below 1 are off"},
        {{"SLIDEHEIGHT=640"},
         nothing,
         [](auto& ws) { return ws.SlideShow.SlideHeightChecked && ws.SlideShow.SlideSize == 640; },
         "slide height"},
        {{"WATERMARKTRANSPARENCY=lots", "WATERMARKFONTSIZE=big", "WATERMARKFONTCOLOR=red"},
         [](auto& ws) {
             ws.Watermark.Transparency = 50;
             ws.Watermark.Font.Size = 20;
             ws.Watermark.Font.Red = 9;
         },
         [](auto& ws) {
             return ws.Watermark.Transparency == 0 && ws.Watermark.Font.Size == 20 &&
                    ws.Watermark.Font.Red == 9;
         },
         "a bad transparency is 0, a bad font size or colour is ignored"},
        {{"WATERMARKFONTCOLOR=255", "WATERMARKFONTBOLD=yes", "WATERMARKCT=True"},
         [](auto& ws) { ws.Watermark.Font.Bold = true; },
         [](auto& ws) {
             return ws.Watermark.Font.Red == 255 && ws.Watermark.Font.Blue == 0 &&
                    !ws.Watermark.Font.Bold && ws.Watermark.CT;
         },
         "font colour 00BBGGRR, styles only with TRUE"},
        {{"TABLEBORDER=3", "TABLEBORDER=4"},
         nothing,
         [](auto& ws) { return ws.Table.Border == 4; },
         "a later line wins"},
        {{"tablerows=8", " STYLE=list", "STYLE =list"},
         nothing,
         [](auto& ws) { return ws.Main.Rows == 3 && ws.Main.Style == TGalleryStyle::Table; },
         "keys match exactly at the start of the line"},
        {{"AUTHOR=   Ann Example   "},
         nothing,
         [](auto& ws) { return ws.Special.Author == "Ann Example"; },
         "values are trimmed"},
        {{"METADESC=" + std::string(120, 'x')},
         nothing,
         [](auto& ws) { return ws.Special.Description == std::string(99, 'x'); },
         "values are cut to 99 characters"},
    };
    test::TempDir dir;
    for (const KeyCase& c : cases) {
        Workspace ws;
        c.Prepare(ws);
        test::ApplyTemplateLines(ws, dir / "case.tpl", c.Lines);
        EXPECT_TRUE(c.Holds(ws)) << c.What << ":\n" << JoinLines(c.Lines);
    }
}

TEST(ApplyTemplate, MultiLineValuesRunToTheirMarkers) {
    test::TempDir dir;
    Workspace ws;
    test::ApplyTemplateLines(ws, dir / "m.tpl",
                             {"WATERMARKTEXT=first", "STYLE=list", "third//WATERMARKEND//",
                              "SLIDESCHEME=<!-SLIDES->", "<!-NEXTBUTTON->//SlideSchemeEND//"});
    EXPECT_EQ(ws.Watermark.Text, (TStringList{"first", "STYLE=list", "third"}));
    EXPECT_EQ(ws.Special.WatermarkText, ws.Watermark.Text);
    EXPECT_EQ(ws.SlideShow.SlideScheme, (TStringList{"<!-SLIDES->", "<!-NEXTBUTTON->"}));

    // The watermark marker is the first in the file, even when it comes before the key.
    Workspace early;
    test::ApplyTemplateLines(early, dir / "e.tpl",
                             {"REM //WATERMARKEND//", "WATERMARKTEXT=lost//WATERMARKEND//"});
    EXPECT_TRUE(early.Watermark.Text.empty());
    // An empty slide scheme leaves the scheme as it is.
    Workspace empty;
    test::ApplyTemplateLines(empty, dir / "s.tpl", {"SLIDESCHEME=//SlideSchemeEND//"});
    EXPECT_EQ(empty.SlideShow.SlideScheme, DefaultSlideScheme());
}

TEST(ApplyTemplate, ABadNumberStopsTheApplyKeepingWhatCameBefore) {
    const char* numericKeys[] = {
        "TABLEROWS=",   "TABLECOLS=",  "LISTROWS=",    "TABLEBORDER=", "SLIDEWIDTH=",
        "SLIDEHEIGHT=", "IMAGEWIDTH=", "IMAGEHEIGHT=", "THUMBWIDTH=",  "THUMBHEIGHT="};
    test::TempDir dir;
    for (const char* key : numericKeys) {
        Workspace ws;
        try {
            test::ApplyTemplateLines(ws, dir / "bad.tpl",
                                     {"STYLE=list", std::string(key) + "12a", "PARAALIGN=center"});
            ADD_FAILURE() << key;
        } catch (const EFSC_Exception& error) {
            EXPECT_EQ(std::string(error.what()),
                      "\"12a\" is not a valid integer value (template line " + std::string(key) +
                          "12a).");
        }
        EXPECT_EQ(ws.Main.Style, TGalleryStyle::List) << key;
        EXPECT_EQ(ws.Para.Align, THorzAlign::Left) << key;
    }
}

TEST(ApplyTemplate, MissingSkeletonsAndSchemeFilesAreSkipped) {
    test::TempDir dir;
    Workspace ws;
    ws.Schemes.Navigation.Text = {"mine"};
    EXPECT_NO_THROW(test::ApplyTemplateLines(
        ws, dir / "gaps.tpl",
        {"INDEXFILE=gaps.tpl.dir\\index.html", "INDEXISNOTGALLERY=true",
         "GALLERYFILE=gaps.tpl.dir\\gallery.html", "IMAGEHTMLTEMPLATE=gaps.tpl.dir\\image.html",
         "IMAGEASHTMLTEMPLATE=nothing.html", "NAVIGATIONSCHEME=nothing.nvs",
         "THUMBSCHEME=", "STYLE=paragraph"}));
    EXPECT_EQ(ws.Main.Style, TGalleryStyle::Paragraph);
    EXPECT_EQ(ws.Template.IndexPage, DefaultPageSkeleton());
    EXPECT_EQ(ws.Template.GalleryPage, DefaultPageSkeleton());
    EXPECT_EQ(ws.Template.ImagePageSkeleton, ws.ImageHTML.Text);
    EXPECT_EQ(ws.Schemes.Navigation.Text, (TStringList{"mine"}));
}

TEST(ApplyTemplate, SchemesComeFromTheCompanionFolderThenTheLines) {
    test::TempDir dir;
    ForceDirectories(dir / "s.tpl.dir");
    SaveLines(dir / "s.tpl.dir/scheme.nvs", {"companion nav"});
    SaveLines(dir / "s.tpl.dir/scheme.ths", {"companion thumb"});
    SaveLines(dir / "s.tpl.dir/scheme.gls", {"companion gallery"});
    SaveLines(dir / "own.ims", {"own image"});
    SaveLines(dir / "skeleton.html", {"<b><!-IMAGE-></b>"});
    Workspace ws;
    test::ApplyTemplateLines(
        ws, dir / "s.tpl",
        {"NAVIGATIONSCHEME=Default", "IMAGESCHEME=own.ims", "IMAGEASHTMLTEMPLATE=skeleton.html"});
    EXPECT_EQ(ws.Schemes.Navigation.Text, DefaultSchemeText(SchemeNavigation));
    EXPECT_EQ(ws.Schemes.Thumbnail.Text, (TStringList{"companion thumb"}));
    EXPECT_EQ(ws.Schemes.Gallery.Text, (TStringList{"companion gallery"}));
    EXPECT_EQ(ws.Schemes.Image.Text, (TStringList{"own image"}));
    EXPECT_EQ(ws.ImageHTML.Text, (TStringList{"<b><!-IMAGE-></b>"}));
    EXPECT_EQ(ws.Template.ImagePageSkeleton, ws.ImageHTML.Text);
}

TEST(ApplyTemplate, ResetsSlideShowAndTargetAndKeepsTheUsersParameterValues) {
    test::TempDir dir;
    SaveLines(dir / "p.tpl",
              {"ASKCOLOR=Back", "ASKDEFAULT=white", "ASKSTRING=Title", "ASKDEFAULT=Gallery"});
    Workspace ws;
    ws.SlideShow = {{"custom"}, true, false, 999};
    ws.Main.UseTargetFrame = true;
    ws.Main.TargetFrame = "old";
    ws.Main.UseDefaultExt = true;
    ws.Special.RemoveLocation = false;
    ws.Selection.Entries = {"USER:" + dir / "p.tpl"};
    ws.Selection.ItemIndex = 0;
    test::ScriptedAsk yes(true);
    TemplateContext context = ws.Templates();
    SelectTemplate(context, TTemplateSender::MainWindow, {}, yes);
    ASSERT_EQ(ws.Selection.DialogTemplate.Parameters.size(), 2u);
    ChooseParameterColour(ws.Selection, 0, "navy = #000080 ");
    EditTemplateParameter(ws.Selection, 1, "Summer");
    ApplyTemplate(context, TTemplateSender::TemplateDialog);
    EXPECT_EQ(ws.SlideShow, SlideShowOptions());
    EXPECT_FALSE(ws.Main.UseTargetFrame);
    EXPECT_EQ(ws.Main.TargetFrame, "");
    EXPECT_FALSE(ws.Main.UseDefaultExt);
    EXPECT_TRUE(ws.Special.RemoveLocation) << "a file that does not name it removes it";
    EXPECT_EQ(ws.Template.Parameters,
              (std::vector<TParameter>{{"Back", "white", "navy", ParameterColour},
                                       {"Title", "Gallery", "Summer", ParameterText}}));
    EXPECT_FALSE(ws.Selection.Changed);
    // Nothing changed since: a second OK does nothing.
    ws.Main.Style = TGalleryStyle::Collage;
    SaveLines(dir / "p.tpl", {"STYLE=list"});
    ApplyTemplate(context, TTemplateSender::TemplateDialog);
    EXPECT_EQ(ws.Main.Style, TGalleryStyle::Collage);
}

TEST(ApplyTemplate, TheMainWindowTakesOnlyTheNameAndParameters) {
    test::TempDir dir;
    SaveLines(dir / "n.tpl", {"STYLE=list", "ASKSTRING=Title"});
    Workspace ws;
    ws.Selection.Entries = {"USER:" + dir / "n.tpl"};
    ws.Selection.ItemIndex = 0;
    test::ScriptedAsk yes(true);
    TemplateContext context = ws.Templates();
    SelectTemplate(context, TTemplateSender::MainWindow, {}, yes);
    ApplyTemplate(context, TTemplateSender::MainWindow);
    EXPECT_EQ(ws.Main.TemplateName, "USER:" + dir / "n.tpl");
    EXPECT_EQ(ws.Main.Style, TGalleryStyle::Table);
    ASSERT_EQ(ws.Template.Parameters.size(), 1u);
    EXPECT_EQ(ws.Template.Parameters[0].Name, "Title");
}

TEST(ApplyTemplate, NoTemplateCases) {
    test::TempDir dir;
    SaveLines(dir / "lib.tpl", {"STYLE=list"});
    // "no Template" and nothing selected: an empty current template.
    Workspace none;
    none.Template.IndexPage = {"old"};
    none.Selection.Changed = true;
    TemplateContext context = none.Templates();
    ApplyTemplate(context, TTemplateSender::TemplateDialog);
    EXPECT_EQ(none.Main.TemplateName, "- no template -");
    EXPECT_EQ(none.Template.IndexPage, DefaultPageSkeleton());
    EXPECT_FALSE(none.Selection.UseTemplate);

    // "no Template" while the list still shows an entry: that entry's file is still read.
    Workspace shown;
    shown.TemplateLibrary = dir.Path();
    shown.Selection.Entries = {"lib"};
    shown.Selection.ItemIndex = 0;
    shown.Selection.Changed = true;
    TemplateContext shownContext = shown.Templates();
    ApplyTemplate(shownContext, TTemplateSender::TemplateDialog);
    EXPECT_EQ(shown.Main.TemplateName, "- no template -");
    EXPECT_EQ(shown.Main.Style, TGalleryStyle::List);

    // A selected entry whose file is gone sets only the name.
    Workspace gone;
    gone.TemplateLibrary = dir.Path();
    gone.Selection.Entries = {"missing"};
    gone.Selection.ItemIndex = 0;
    gone.Selection.UseTemplate = true;
    gone.Selection.Changed = true;
    TemplateContext goneContext = gone.Templates();
    ApplyTemplate(goneContext, TTemplateSender::TemplateDialog);
    EXPECT_EQ(gone.Main.TemplateName, "missing");
    EXPECT_EQ(gone.Main.Style, TGalleryStyle::Table);
}

}  // namespace
}  // namespace fsc
