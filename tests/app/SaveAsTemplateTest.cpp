#include <gtest/gtest.h>

#include "CommandTestSupport.h"
#include "SettingsPrinters.h"
#include "TemplateTestSupport.h"
#include "app/CreateGallery.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "support/TempDir.h"

namespace fsc {
namespace {

// "Save Settings As Template" on a workspace whose HTML file needs no message.
void SaveAsTemplate(Workspace& ws, const std::string& path) {
    test::TRecordingMessages messages;
    SaveWorkspaceAsTemplate(ws, path, messages);
    EXPECT_TRUE(messages.Errors.empty());
}

TEST(SaveAsTemplate, AppliedAgainGivesTheSameSettings) {
    test::TempDir dir;
    Workspace saved;
    test::ChangeTemplateSettings(saved);
    saved.Schemes.Thumbnail.Text = {"<!-THUMB-> <!-NAME->"};
    saved.Schemes.Navigation.Text = {"nav", "second line"};
    saved.Template.Parameters = {{"Background", "#000000", "#FF0000", ParameterColour},
                                 {"Title", "", "Holiday", ParameterText}};
    saved.Template.ImagePageSkeleton = {"<html>", "<!-IMAGE->", "</html>"};
    SaveAsTemplate(saved, dir / "mine.tpl");

    Workspace applied;
    test::ApplyTemplateFile(applied, dir / "mine.tpl");

    // Settings that a template does not carry keep the applying workspace's values.
    MainSettings main = saved.Main;
    main.HTMLDir = applied.Main.HTMLDir;
    main.TemplateName = "USER:" + dir / "mine.tpl";
    EXPECT_EQ(applied.Main, main);
    EXPECT_EQ(applied.Table, saved.Table);
    EXPECT_EQ(applied.List, saved.List);
    EXPECT_EQ(applied.Para, saved.Para);
    EXPECT_EQ(applied.Collage, saved.Collage);
    EXPECT_EQ(applied.SlideShow, saved.SlideShow);
    SpecialOptions special = saved.Special;
    special.WatermarkText = saved.Watermark.Text;  // the build takes the editor's text
    EXPECT_EQ(applied.Special, special);
    EXPECT_EQ(applied.Watermark, saved.Watermark);
    EXPECT_EQ(applied.Schemes, saved.Schemes);
    EXPECT_EQ(applied.Template.ImagePageSkeleton, saved.Template.ImagePageSkeleton);
    // The values become the defaults of the saved template.
    EXPECT_EQ(applied.Template.Parameters,
              (std::vector<TParameter>{{"Background", "#FF0000", "#FF0000", ParameterColour},
                                       {"Title", "Holiday", "Holiday", ParameterText}}));
}

TEST(SaveAsTemplate, ListLayoutKeepsItsRowsAndSizeLimitsCanBeOff) {
    test::TempDir dir;
    Workspace saved;
    saved.Main.Style = TGalleryStyle::SlideShow;
    saved.Main.ListRows = 12;
    // The table's values are not the build's while a list layout is chosen.
    saved.Main.Rows = 4;
    saved.Main.Cols = 6;
    // Never used, the watermark editor is empty; the Special window shows its text.
    saved.Special.WatermarkText = {"(c) Ann", "ann.example"};
    saved.Main.ResizeHeightChecked = true;
    saved.Main.GreaterThan = 1024;
    saved.Main.ImageDir = "pictures";
    SaveAsTemplate(saved, dir / "slides.tpl");
    Workspace applied;
    test::ApplyTemplateFile(applied, dir / "slides.tpl");
    EXPECT_EQ(applied.Main.Style, TGalleryStyle::SlideShow);
    EXPECT_EQ(applied.Main.ListRows, 12);
    EXPECT_EQ(applied.Main.Rows, 4);
    EXPECT_EQ(applied.Main.Cols, 6);
    EXPECT_EQ(applied.Special.WatermarkText, saved.Special.WatermarkText);
    EXPECT_EQ(applied.Watermark.Text, saved.Special.WatermarkText);
    EXPECT_FALSE(applied.Main.ResizeWidthChecked);
    EXPECT_TRUE(applied.Main.ResizeHeightChecked);
    EXPECT_EQ(applied.Main.GreaterThan, 1024);
    EXPECT_EQ(applied.Main.ImageDir,
              "images");  // the directories are the project's, not the template's
}

TEST(SaveAsTemplate, WritesTheLinesInTheirOrderAndSpelling) {
    test::TempDir dir;
    WriteFileBytes(dir / "logo.png", "PNG bytes");
    Workspace ws;
    ws.Template.CopyFiles = {{"css/img", "logo-copy.png", dir / "logo.png"}};
    TFSC_File extra;
    extra.FileName = "about.htm";
    extra.SubDir = "info";
    extra.Lines = {"<p>about</p>"};
    ws.Template.ExtraPages = {extra};
    TFSC_File numbered = extra;  // a page of the build, not of the template
    numbered.PageNumber = 2;
    ws.Template.ExtraPages.push_back(numbered);
    ws.Template.Parameters = {{"Colour", "", "navy", ParameterColour}};
    ws.Watermark.Text = {"one", "two"};
    SaveAsTemplate(ws, dir / "my.tpl");

    const TStringList expected = {"DESCRIPTION=Saved settings: table layout, thumbnails 70 x 70.",
                                  "INDEXFILE=my.tpl.dir\\index.html",
                                  "INDEXISNOTGALLERY=false",
                                  "IMAGEHTMLTEMPLATE=my.tpl.dir\\image.html",
                                  "USEIMAGEASHTML=false",
                                  "COPY my.tpl.dir\\about.htm TO info\\about.htm",
                                  "COPY my.tpl.dir\\logo.png TO css\\img\\logo-copy.png",
                                  "ASKCOLOR=Colour",
                                  "ASKDEFAULT=navy",
                                  "STYLE=table",
                                  "TABLECSS=",
                                  "TABLEBORDER=0",
                                  "TABLEWIDTH=",
                                  "TABLETDALIGN=center",
                                  "TABLETDVALIGN=middle",
                                  "TABLEROWS=3",
                                  "TABLECOLS=5",
                                  "LISTCSS=",
                                  "LISTSTYLE=unordered",
                                  "LISTROWS=20",
                                  "PARAALIGN=left",
                                  "PARACSS=",
                                  "COLLAGECSS=",
                                  "COLLAGETYPE=TABLE",
                                  "COLLAGEBGCOLOR=black = #000000 ",
                                  "COLLAGECENTER=false",
                                  "SLIDESCHEME=<CENTER>",
                                  "<!-SLIDES->",
                                  "<br>",
                                  "<!-PREVBUTTON->",
                                  "<!-NEXTBUTTON->",
                                  "</CENTER>//SlideSchemeEND//",
                                  "SLIDEWIDTH=-1",
                                  "SLIDEHEIGHT=300",
                                  "THUMBMETHOD=limit",
                                  "THUMBQUALITY=middle",
                                  "THUMBWIDTH=70",
                                  "THUMBHEIGHT=70",
                                  "IMAGEDORESIZE=false",
                                  "IMAGENOEXT=false",
                                  "RESIZEMETHOD=smooth",
                                  "IMAGEWEBP=false",
                                  "IMAGEAVIF=false",
                                  "IMAGEORIGINALS=false",
                                  "DEFAULTHTMLEXT=html",
                                  "USEAUTHOR=false",
                                  "AUTHOR=",
                                  "USEKEYWORDS=false",
                                  "KEYWORDS=",
                                  "KEYWORDSNAME=true",
                                  "KEYWORDSHINTDESC=true",
                                  "USEMETADESC=false",
                                  "METADESC=",
                                  "METADESCHINT=true",
                                  "USEDISABLERMB=false",
                                  "RMBMESSAGE=Right Mouse Button Disabled.",
                                  "USEWATERMARK=false",
                                  "WATERMARKTEXT=one",
                                  "two//WATERMARKEND//",
                                  "WATERMARKTRANSPARENCY=120",
                                  "WATERMARKADJUSTTOSIZE=true",
                                  "WATERMARKFONTNAME=MS Sans Serif",
                                  "WATERMARKFONTSIZE=8",
                                  "WATERMARKFONTCOLOR=0",
                                  "WATERMARKFONTBOLD=false",
                                  "WATERMARKFONTITALIC=false",
                                  "WATERMARKFONTUNDERLINE=false",
                                  "WATERMARKFONTSTRIKEOUT=false",
                                  "WATERMARKLT=false",
                                  "WATERMARKLM=false",
                                  "WATERMARKLB=true",
                                  "WATERMARKCT=false",
                                  "WATERMARKCM=false",
                                  "WATERMARKCB=false",
                                  "WATERMARKRT=false",
                                  "WATERMARKRM=false",
                                  "WATERMARKRB=false",
                                  "REMOVELOCATION=true"};
    const TStringList lines = LoadLines(dir / "my.tpl");
    ASSERT_EQ(lines.size(), expected.size()) << JoinLines(lines);
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << i;

    const std::string folder = dir / "my.tpl.dir";
    EXPECT_EQ(LoadLines(folder + "/index.html"), DefaultPageSkeleton());
    EXPECT_EQ(LoadLines(folder + "/image.html"), ws.ImageHTML.Text);
    EXPECT_EQ(LoadLines(folder + "/about.htm"), extra.Lines);
    EXPECT_EQ(ReadFileBytes(folder + "/logo.png"), "PNG bytes");
    EXPECT_EQ(LoadLines(folder + "/scheme.nvs"), ws.Schemes.Navigation.Text);
    EXPECT_EQ(LoadLines(folder + "/scheme.ths"), ws.Schemes.Thumbnail.Text);
    EXPECT_EQ(LoadLines(folder + "/scheme.gls"), ws.Schemes.Gallery.Text);
    EXPECT_EQ(LoadLines(folder + "/scheme.ims"), ws.Schemes.Image.Text);
    EXPECT_EQ(ws.Template.GalleryFileName, "index.html");
}

TEST(SaveAsTemplate, SeparateGalleryPageAndColouredFont) {
    test::TempDir dir;
    Workspace ws;
    ws.Main.HTMLFile = "sub/start.html";
    ws.Template.IndexIsGallery = false;
    ws.Template.GalleryPage = TStringList{"<!-GALLERY->"};
    ws.Watermark.Font.Red = 0x11;
    ws.Watermark.Font.Green = 0x22;
    ws.Watermark.Font.Blue = 0x33;
    SaveAsTemplate(ws, dir / "two.tpl");
    const TStringList lines = LoadLines(dir / "two.tpl");
    EXPECT_EQ(lines[1], "INDEXFILE=two.tpl.dir\\start.html");
    EXPECT_EQ(lines[2], "INDEXISNOTGALLERY=true");
    EXPECT_EQ(lines[3], "GALLERYFILE=two.tpl.dir\\gallery.html");
    EXPECT_EQ(IndexOfLine(lines, "WATERMARKFONTCOLOR=" + std::to_string(0x332211)) >= 0, true);
    EXPECT_EQ(LoadLines(dir / "two.tpl.dir/gallery.html"), (TStringList{"<!-GALLERY->"}));

    Workspace applied;
    test::ApplyTemplateFile(applied, dir / "two.tpl");
    EXPECT_FALSE(applied.Template.IndexIsGallery);
    EXPECT_EQ(applied.Template.GalleryPage, ws.Template.GalleryPage);
    EXPECT_EQ(applied.Watermark.Font, ws.Watermark.Font);
}

TEST(SaveAsTemplate, SavingOverTheTemplateItCameFromKeepsItsFiles) {
    test::TempDir dir;
    Workspace first;
    WriteFileBytes(dir / "style.css", "body {}");
    first.Template.CopyFiles = {{"", "style.css", dir / "style.css"}};
    SaveAsTemplate(first, dir / "t.tpl");
    Workspace second;
    test::ApplyTemplateFile(second, dir / "t.tpl");
    ASSERT_EQ(second.Template.CopyFiles.size(), 1u);
    // Changed settings do not make it another template: the description stays.
    TStringList lines = LoadLines(dir / "t.tpl");
    ASSERT_EQ(lines[0], "DESCRIPTION=Saved settings: table layout, thumbnails 70 x 70.");
    lines[0] = "DESCRIPTION=Plain pages in pastel";
    SaveLines(dir / "t.tpl", lines);
    test::ApplyTemplateFile(second, dir / "t.tpl");
    second.Main.Style = TGalleryStyle::Paragraph;
    SaveAsTemplate(second, dir / "t.tpl");
    EXPECT_EQ(ReadFileBytes(dir / "t.tpl.dir/style.css"), "body {}");
    EXPECT_EQ(TemplateDescription(LoadLines(dir / "t.tpl")), "Plain pages in pastel");
}

TEST(SaveAsTemplate, FilesSharingANameKeepTheirOwnContents) {
    test::TempDir dir;
    ForceDirectories(dir / "a");
    ForceDirectories(dir / "b");
    WriteFileBytes(dir / "a/logo.png", "logo A");
    WriteFileBytes(dir / "b/logo.png", "logo B");
    Workspace ws;
    ws.Template.CopyFiles = {{"one", "logo.png", dir / "a/logo.png"},
                             {"two", "logo.png", dir / "b/logo.png"}};
    TFSC_File page;
    page.FileName = "index.html";
    page.SubDir = "more";
    page.Lines = {"<p>the other index</p>"};
    ws.Template.ExtraPages = {page};
    SaveAsTemplate(ws, dir / "n.tpl");

    Workspace applied;
    test::ApplyTemplateFile(applied, dir / "n.tpl");
    ASSERT_EQ(applied.Template.CopyFiles.size(), 2u);
    EXPECT_EQ(ReadFileBytes(applied.Template.CopyFiles[0].Source), "logo A");
    EXPECT_EQ(ReadFileBytes(applied.Template.CopyFiles[1].Source), "logo B");
    EXPECT_EQ(applied.Template.CopyFiles[1].SubDir, "two");
    ASSERT_EQ(applied.Template.ExtraPages.size(), 1u);
    EXPECT_EQ(applied.Template.ExtraPages[0].FileName, "index.html");
    EXPECT_EQ(applied.Template.ExtraPages[0].Lines, page.Lines);
    EXPECT_EQ(applied.Template.IndexPage, DefaultPageSkeleton());
    EXPECT_EQ(applied.Template.GalleryFileName, "index.html");
}

TEST(SaveAsTemplate, AnUnwritableCompanionFolderStopsBeforeTheFile) {
    test::TempDir dir;
    WriteFileBytes(dir / "x.tpl.dir", "a file where the folder should be");
    Workspace ws;
    EXPECT_THROW(SaveAsTemplate(ws, dir / "x.tpl"), EFscError);
    EXPECT_FALSE(FileExists(dir / "x.tpl"));
}

}  // namespace
}  // namespace fsc
