// The table options dialog.
#include "ui/TableOptionsDialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "options/TableOptions.h"
#include "ui/DialogButtons.h"

namespace fsc {

TableOptionsDialog::TableOptionsDialog(TableOptions& options, QWidget* parent)
    : TStyleDialog("TableOptionsDialog", "Options Table", parent), options(options) {
    BindControls();
}

void TableOptionsDialog::BindControls() {
    auto* cssEdit = Named<QLineEdit>("CSSClassEdit");
    auto* borderEdit = Named<QSpinBox>("BorderEdit");
    borderEdit->setRange(MinTableBorder, MaxTableBorder);
    auto* widthEdit = Named<QLineEdit>("TableWidthEdit");
    auto* left = Named<QRadioButton>("TDLeftRadioButton", "left");
    auto* center = Named<QRadioButton>("TDCenterRadioButton", "center");
    auto* right = Named<QRadioButton>("TDRightRadioButton", "right");
    auto* top = Named<QRadioButton>("TDTopRadioButton", "top");
    auto* middle = Named<QRadioButton>("TDMiddleRadioButton", "middle");
    auto* bottom = Named<QRadioButton>("TDBottomRadioButton", "bottom");
    refreshers.push_back(Bind(cssEdit, options.CSSClass));
    refreshers.push_back(Bind(borderEdit, options.Border));
    refreshers.push_back(Bind(widthEdit, options.TableWidth));
    refreshers.push_back(BindChoice(left, options.TDAlign, THorzAlign::Left));
    refreshers.push_back(BindChoice(center, options.TDAlign, THorzAlign::Center));
    refreshers.push_back(BindChoice(right, options.TDAlign, THorzAlign::Right));
    refreshers.push_back(BindChoice(top, options.TDVAlign, TVertAlign::Top));
    refreshers.push_back(BindChoice(middle, options.TDVAlign, TVertAlign::Middle));
    refreshers.push_back(BindChoice(bottom, options.TDVAlign, TVertAlign::Bottom));

    auto* fields = new QFormLayout;
    fields->addRow("CSS Class", cssEdit);
    fields->addRow("Border", borderEdit);
    fields->addRow("Width", widthEdit);
    auto* alignments = new QHBoxLayout;
    alignments->addWidget(RadioGroup("TD Alignment", {left, center, right}));
    alignments->addWidget(RadioGroup("TD Vertical Alignment", {top, middle, bottom}));
    auto* controls = new QVBoxLayout;
    controls->addLayout(fields);
    controls->addLayout(alignments);
    SetContent(controls);
    KeepContentsSize(this);
}

}  // namespace fsc
