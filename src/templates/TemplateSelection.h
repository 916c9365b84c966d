// The state of the template selection dialog: the radio buttons, the template list, the
// dialog's private template with the user's parameter values, and what Cancel restores.
#pragma once

#include <string>

#include "base/TStringList.h"
#include "engine/TTemplate.h"

namespace fsc {

struct TemplateSelection {
    // "use Template" rather than the initial "no Template".
    bool UseTemplate = false;
    // The lines of the template list: library names and "USER:" paths.
    TStringList Entries;
    int ItemIndex = -1;
    // The template being looked at and its edited parameters, until the user confirms.
    TTemplate DialogTemplate = TTemplate::Create();
    // Set by every edit; applying clears it, and applying with it clear does nothing.
    bool Changed = false;
    // The description line and the preview picture ("" hides the preview).
    std::string Description;
    std::string PreviewFile;
    bool CancelEnabled = true;
    // What Cancel goes back to, remembered whenever the dialog is shown.
    bool SavedUseTemplate = false;
    int SavedItemIndex = -1;
    // The index when the list got the focus, restored when a new choice is refused.
    int FocusItemIndex = -1;

    // The selected list line, or "" when nothing is selected.
    std::string SelectedEntry() const;
};

template <class Selection, class Visitor>
void VisitTemplateSelection(Selection& selection, Visitor&& visit) {
    visit("UseTemplate", selection.UseTemplate);
    visit("Entries", selection.Entries);
    visit("ItemIndex", selection.ItemIndex);
    visit("Changed", selection.Changed);
    visit("Description", selection.Description);
    visit("PreviewFile", selection.PreviewFile);
    visit("CancelEnabled", selection.CancelEnabled);
    visit("SavedUseTemplate", selection.SavedUseTemplate);
    visit("SavedItemIndex", selection.SavedItemIndex);
    visit("FocusItemIndex", selection.FocusItemIndex);
}

// Parameter rows: each edit marks the selection changed.
void AddTemplateParameter(TemplateSelection& selection, const std::string& name, bool colour);
void DeleteTemplateParameter(TemplateSelection& selection, std::size_t index);
void EditTemplateParameter(TemplateSelection& selection, std::size_t index,
                           const std::string& value);
// Choosing an entry of a row's colour list: the name of a basic colour, else its code.
void ChooseParameterColour(TemplateSelection& selection, std::size_t index,
                           const std::string& colourEntry);

// On every show of the dialog: remember the radio buttons and the index for Cancel.
void RememberForCancel(TemplateSelection& selection);

}  // namespace fsc
