// The add-parameter dialog of the template selection panel.
#include "ui/TAddTemplateParaForm.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "base/Text.h"
#include "ui/Binders.h"
#include "ui/DialogButtons.h"
#include "ui/NamedWidget.h"

namespace fsc {

TAddTemplateParaForm::TAddTemplateParaForm(QWidget* parent) : QDialog(parent) {
    setObjectName("AddTemplateParaForm");
    setWindowTitle("Add Template Parameter");
    nameEdit = Named<QLineEdit>("NameEdit");
    colourButton = Named<QRadioButton>("ColorRadioButton", "Color");
    auto* stringButton = Named<QRadioButton>("StringRadioButton", "String");
    const TDialogButtons buttons = OkCancelButtons(this);
    QPushButton* okButton = buttons.Ok;
    // A parameter without a name could never be used by a page.
    connect(nameEdit, &QLineEdit::textChanged, this,
            [this, okButton] { okButton->setEnabled(!Trim(Name()).empty()); });

    auto* kinds = new QHBoxLayout;
    kinds->addWidget(colourButton);
    kinds->addWidget(stringButton);
    kinds->addStretch();
    auto* layout = new QFormLayout(this);
    layout->addRow("Name", nameEdit);
    layout->addRow(kinds);
    layout->addRow(buttons.Box);
    KeepContentsSize(this);
}

bool TAddTemplateParaForm::Ask() {
    nameEdit->clear();
    colourButton->setChecked(true);
    findChild<QPushButton*>("OKButton")->setEnabled(false);
    nameEdit->setFocus();
    return exec() == QDialog::Accepted;
}

std::string TAddTemplateParaForm::Name() const { return QStringToBytes(nameEdit->text()); }

bool TAddTemplateParaForm::Colour() const { return colourButton->isChecked(); }

}  // namespace fsc
