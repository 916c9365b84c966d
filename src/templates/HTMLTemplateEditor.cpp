// The HTML template editor's page list and the texts it edits.
#include "templates/HTMLTemplateEditor.h"

#include "base/Files.h"

namespace fsc {

namespace {

constexpr const char* IndexGalleryEntry = "Index/Gallery HTML";
constexpr const char* IndexEntry = "Index HTML";
constexpr const char* UnusedGalleryEntry = "Gallery HTML (not used)";
constexpr const char* GalleryEntry = "Gallery HTML";
constexpr const char* ImageEntry = "Image HTML";

// The text the editor targets, or nullptr when it targets nothing (or the template changed
// under it so that the target is gone).
template <class Template>
auto TargetText(const HTMLTemplateEditor& editor, Template& tpl) -> decltype(&tpl.IndexPage) {
    switch (editor.Target) {
        case TEditorTarget::Index:
            return &tpl.IndexPage;
        case TEditorTarget::Gallery:
            return tpl.GalleryPage ? &*tpl.GalleryPage : nullptr;
        case TEditorTarget::Image:
            return &tpl.ImagePageSkeleton;
        case TEditorTarget::ExtraPage:
            if (editor.ExtraPage < tpl.ExtraPages.size())
                return &tpl.ExtraPages[editor.ExtraPage].Lines;
            return nullptr;
        case TEditorTarget::None:
            break;
    }
    return nullptr;
}

void TargetEntry(HTMLTemplateEditor& editor, const TTemplate& tpl, const std::string& entry) {
    editor.Target = TEditorTarget::None;
    if (entry == IndexGalleryEntry || entry == IndexEntry) {
        editor.Target = TEditorTarget::Index;
    } else if (entry == GalleryEntry) {
        editor.Target = TEditorTarget::Gallery;
    } else if (entry == ImageEntry) {
        editor.Target = TEditorTarget::Image;
    } else {
        // Pages of the same name: the last one is the one edited.
        for (std::size_t i = 0; i < tpl.ExtraPages.size(); ++i) {
            if (tpl.ExtraPages[i].FileName != entry) continue;
            editor.Target = TEditorTarget::ExtraPage;
            editor.ExtraPage = i;
        }
    }
}

}  // namespace

TStringList EditorPageList(const TTemplate& tpl) {
    TStringList pages;
    if (!tpl.IndexPage.empty())
        pages.push_back(tpl.IndexIsGallery ? IndexGalleryEntry : IndexEntry);
    if (tpl.GalleryPage) pages.push_back(tpl.IndexIsGallery ? UnusedGalleryEntry : GalleryEntry);
    if (!tpl.ImagePageSkeleton.empty()) pages.push_back(ImageEntry);
    for (const TFSC_File& page : tpl.ExtraPages) pages.push_back(page.FileName);
    return pages;
}

void ReloadHTMLTemplateEditor(HTMLTemplateEditor& editor, const TTemplate& tpl) {
    editor.Pages = EditorPageList(tpl);
    editor.Target = TEditorTarget::None;
    editor.ItemIndex = -1;
    if (editor.Pages.empty()) {
        editor.Text.clear();
        return;
    }
    ChooseEditorPage(editor, tpl, 0);
}

void ChooseEditorPage(HTMLTemplateEditor& editor, const TTemplate& tpl, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= editor.Pages.size()) return;
    editor.ItemIndex = index;
    TargetEntry(editor, tpl, editor.Pages[static_cast<std::size_t>(index)]);
    if (const TStringList* text = TargetText(editor, tpl)) editor.Text = *text;
}

void StoreEditorText(HTMLTemplateEditor& editor, TTemplate& tpl, const TStringList& text) {
    editor.Text = text;
    if (TStringList* target = TargetText(editor, tpl)) *target = text;
}

void OpenEditorFile(HTMLTemplateEditor& editor, TTemplate& tpl, const std::string& path) {
    StoreEditorText(editor, tpl, LoadLines(path));
}

}  // namespace fsc
