#include <gtest/gtest.h>

#include "base/Errors.h"
#include "base/Files.h"
#include "support/TempDir.h"
#include "templates/HTMLTemplateEditor.h"

namespace fsc {
namespace {

TTemplate TemplateWithPages(bool indexIsGallery) {
    TTemplate tpl = TTemplate::Create();
    tpl.IndexIsGallery = indexIsGallery;
    tpl.IndexPage = {"index"};
    tpl.GalleryPage = TStringList{"gallery"};
    tpl.ImagePageSkeleton = {"image"};
    TFSC_File about;
    about.FileName = "about.html";
    about.Lines = {"first about"};
    TFSC_File again = about;
    again.Lines = {"second about"};
    TFSC_File links;
    links.FileName = "links.htm";
    links.Lines = {"links"};
    tpl.ExtraPages = {about, links, again};
    return tpl;
}

TEST(HTMLTemplateEditor, PageListFollowsTheTemplate) {
    EXPECT_EQ(EditorPageList(TemplateWithPages(true)),
              (TStringList{"Index/Gallery HTML", "Gallery HTML (not used)", "Image HTML",
                           "about.html", "links.htm", "about.html"}));
    EXPECT_EQ(EditorPageList(TemplateWithPages(false)),
              (TStringList{"Index HTML", "Gallery HTML", "Image HTML", "about.html", "links.htm",
                           "about.html"}));
    TTemplate bare = TTemplate::Create();
    bare.IndexPage.clear();
    bare.ImagePageSkeleton.clear();
    HTMLTemplateEditor editor;
    editor.Text = {"old"};
    ReloadHTMLTemplateEditor(editor, bare);
    EXPECT_TRUE(editor.Pages.empty());
    EXPECT_EQ(editor.Target, TEditorTarget::None);
    EXPECT_TRUE(editor.Text.empty());
}

TEST(HTMLTemplateEditor, EachEntryEditsItsOwnText) {
    TTemplate tpl = TemplateWithPages(false);
    HTMLTemplateEditor editor;
    ReloadHTMLTemplateEditor(editor, tpl);
    EXPECT_EQ(editor.Text, (TStringList{"index"}));
    const std::pair<int, TStringList TTemplate::*> skeletons[] = {
        {0, &TTemplate::IndexPage}, {2, &TTemplate::ImagePageSkeleton}};
    for (const auto& [index, field] : skeletons) {
        ChooseEditorPage(editor, tpl, index);
        StoreEditorText(editor, tpl, {"edited", std::to_string(index)});
        EXPECT_EQ(tpl.*field, (TStringList{"edited", std::to_string(index)})) << index;
    }
    ChooseEditorPage(editor, tpl, 1);
    EXPECT_EQ(editor.Text, (TStringList{"gallery"}));
    StoreEditorText(editor, tpl, {"new gallery"});
    EXPECT_EQ(*tpl.GalleryPage, (TStringList{"new gallery"}));
    // Pages of the same name: the last one is edited.
    ChooseEditorPage(editor, tpl, 3);
    EXPECT_EQ(editor.Text, (TStringList{"second about"}));
    StoreEditorText(editor, tpl, {"third about"});
    EXPECT_EQ(tpl.ExtraPages[0].Lines, (TStringList{"first about"}));
    EXPECT_EQ(tpl.ExtraPages[2].Lines, (TStringList{"third about"}));
}

TEST(HTMLTemplateEditor, UnusedGalleryEntryChangesNoText) {
    TTemplate tpl = TemplateWithPages(true);
    const TTemplate before = tpl;
    HTMLTemplateEditor editor;
    ReloadHTMLTemplateEditor(editor, tpl);
    ChooseEditorPage(editor, tpl, 1);
    EXPECT_EQ(editor.Target, TEditorTarget::None);
    EXPECT_EQ(editor.Text, (TStringList{"index"}));  // the box keeps its text
    StoreEditorText(editor, tpl, {"typed"});
    EXPECT_EQ(tpl.IndexPage, before.IndexPage);
    EXPECT_EQ(tpl.GalleryPage, before.GalleryPage);
    EXPECT_EQ(tpl.ExtraPages, before.ExtraPages);
}

TEST(HTMLTemplateEditor, OpenStoresTheFileInTheTarget) {
    test::TempDir dir;
    TTemplate tpl = TemplateWithPages(false);
    HTMLTemplateEditor editor;
    ReloadHTMLTemplateEditor(editor, tpl);
    ChooseEditorPage(editor, tpl, 2);
    SaveLines(dir / "in.html", {"<p>", "<!-IMAGE->"});
    OpenEditorFile(editor, tpl, dir / "in.html");
    EXPECT_EQ(tpl.ImagePageSkeleton, (TStringList{"<p>", "<!-IMAGE->"}));
    EXPECT_THROW(OpenEditorFile(editor, tpl, dir / "missing.html"), EFSC_Exception);
    EXPECT_EQ(tpl.ImagePageSkeleton, (TStringList{"<p>", "<!-IMAGE->"}));
    // A target that vanished with a changed template is not written.
    ChooseEditorPage(editor, tpl, 4);
    tpl.ExtraPages.clear();
    EXPECT_NO_THROW(StoreEditorText(editor, tpl, {"late"}));
}

}  // namespace
}  // namespace fsc
