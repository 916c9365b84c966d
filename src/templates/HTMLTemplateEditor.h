// The HTML template editor as a model: the list of the current template's pages, which text
// the chosen entry edits, and storing the edited text back into the template.
#pragma once

#include <string>

#include "base/TStringList.h"
#include "engine/TTemplate.h"

namespace fsc {

enum class TEditorTarget { None, Index, Gallery, Image, ExtraPage };

struct HTMLTemplateEditor {
    TStringList Pages;
    int ItemIndex = -1;
    TEditorTarget Target = TEditorTarget::None;
    // Which of the template's extra pages, when that is the target.
    std::size_t ExtraPage = 0;
    // The editing box.
    TStringList Text;
};

// The page list of a template: index, gallery and image skeletons, then its extra pages.
TStringList EditorPageList(const TTemplate& tpl);

// Rebuilds the list from the template and shows its first entry.
void ReloadHTMLTemplateEditor(HTMLTemplateEditor& editor, const TTemplate& tpl);
// Targets the text of an entry and shows it; an entry without a text ("Gallery HTML (not
// used)") targets nothing and leaves the box alone.
void ChooseEditorPage(HTMLTemplateEditor& editor, const TTemplate& tpl, int index);
// Every edit of the box: the box's text replaces the target's text.
void StoreEditorText(HTMLTemplateEditor& editor, TTemplate& tpl, const TStringList& text);
// "Open": the file's text into the box and the target. A file that cannot be read raises
// EFSC_Exception and changes nothing.
void OpenEditorFile(HTMLTemplateEditor& editor, TTemplate& tpl, const std::string& path);

}  // namespace fsc
