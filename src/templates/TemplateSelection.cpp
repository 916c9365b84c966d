// Editing the parameter values of the template being selected.
#include "templates/TemplateSelection.h"

#include "base/Errors.h"
#include "templates/ColourWords.h"

namespace fsc {

namespace {

TParameter& ParameterAt(TemplateSelection& selection, std::size_t index) {
    if (index >= selection.DialogTemplate.Parameters.size()) {
        throw EUserInputError("There is no template parameter number " + std::to_string(index + 1) +
                              ".");
    }
    return selection.DialogTemplate.Parameters[index];
}

}  // namespace

std::string TemplateSelection::SelectedEntry() const {
    if (ItemIndex < 0 || static_cast<std::size_t>(ItemIndex) >= Entries.size()) return {};
    return Entries[static_cast<std::size_t>(ItemIndex)];
}

void AddTemplateParameter(TemplateSelection& selection, const std::string& name, bool colour) {
    selection.DialogTemplate.Parameters.push_back(
        {name, "", "", colour ? ParameterColour : ParameterText});
    selection.Changed = true;
}

void DeleteTemplateParameter(TemplateSelection& selection, std::size_t index) {
    ParameterAt(selection, index);
    auto& parameters = selection.DialogTemplate.Parameters;
    parameters.erase(parameters.begin() + static_cast<std::ptrdiff_t>(index));
    selection.Changed = true;
}

void EditTemplateParameter(TemplateSelection& selection, std::size_t index,
                           const std::string& value) {
    ParameterAt(selection, index).Value = value;
    selection.Changed = true;
}

void ChooseParameterColour(TemplateSelection& selection, std::size_t index,
                           const std::string& colourEntry) {
    EditTemplateParameter(selection, index, ColourListChoice(colourEntry));
}

void RememberForCancel(TemplateSelection& selection) {
    selection.SavedUseTemplate = selection.UseTemplate;
    selection.SavedItemIndex = selection.ItemIndex;
    selection.CancelEnabled = true;
}

}  // namespace fsc
