// The paragraph options dialog.
#include "ui/ParagraphOptionsDialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "options/ParaOptions.h"
#include "ui/DialogButtons.h"

namespace fsc {

ParagraphOptionsDialog::ParagraphOptionsDialog(ParaOptions& options, QWidget* parent)
    : TStyleDialog("ParagraphOptionsDialog", "Options Paragraph", parent), options(options) {
    BindControls();
}

void ParagraphOptionsDialog::BindControls() {
    auto* left = Named<QRadioButton>("LeftRadioButton", "left");
    auto* center = Named<QRadioButton>("CenterRadioButton", "center");
    auto* right = Named<QRadioButton>("RightRadioButton", "right");
    auto* cssEdit = Named<QLineEdit>("CSSClassEdit");
    refreshers.push_back(BindChoice(left, options.Align, THorzAlign::Left));
    refreshers.push_back(BindChoice(center, options.Align, THorzAlign::Center));
    refreshers.push_back(BindChoice(right, options.Align, THorzAlign::Right));
    refreshers.push_back(Bind(cssEdit, options.CSSClass));

    auto* controls = new QVBoxLayout;
    controls->addWidget(RadioGroup("Alignment", {left, center, right}));
    auto* fields = new QFormLayout;
    fields->addRow("CSS Class", cssEdit);
    controls->addLayout(fields);
    SetContent(controls);
    KeepContentsSize(this);
}

}  // namespace fsc
