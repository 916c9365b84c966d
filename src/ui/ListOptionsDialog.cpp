// The list options dialog.
#include "ui/ListOptionsDialog.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "options/ListOptions.h"
#include "ui/DialogButtons.h"

namespace fsc {

ListOptionsDialog::ListOptionsDialog(ListOptions& options, QWidget* parent)
    : TStyleDialog("ListOptionsDialog", "Options List", parent), options(options) {
    BindControls();
}

void ListOptionsDialog::BindControls() {
    auto* ordered = Named<QRadioButton>("OrderedListRadioButton", "Ordered List");
    auto* unordered = Named<QRadioButton>("UnorderedListRadioButton", "Unordered List");
    auto* cssEdit = Named<QLineEdit>("CSSClassEdit");
    // The two buttons stand for one switch: checking either one sets it.
    refreshers.push_back(BindChoice(ordered, options.OrderedList, true));
    refreshers.push_back(BindChoice(unordered, options.OrderedList, false));
    refreshers.push_back(Bind(cssEdit, options.CSSClass));

    auto* controls = new QVBoxLayout;
    controls->addWidget(ordered);
    controls->addWidget(unordered);
    auto* fields = new QFormLayout;
    fields->addRow("CSS Class", cssEdit);
    controls->addLayout(fields);
    SetContent(controls);
    KeepContentsSize(this);
}

}  // namespace fsc
