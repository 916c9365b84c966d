// The add-parameter dialog of the template selection panel.
#include "ui/TAddTemplateParaForm.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "base/Text.h"
#include "ui/Binders.h"
#include "ui/NamedWidget.h"

namespace fsc {

TAddTemplateParaForm::TAddTemplateParaForm(QWidget* parent) : QDialog(parent) {
    setObjectName("AddTemplateParaForm");
    setWindowTitle("Add Template Parameter");
    nameEdit = Named<QLineEdit>("NameEdit");
    colourButton = Named<QRadioButton>("ColorRadioButton", "Color");
    auto* stringButton = Named<QRadioButton>("StringRadioButton", "String");
    auto* okButton = Named<QPushButton>("OKButton", "OK");
    auto* cancelButton = Named<QPushButton>("CancelButton", "Cancel");
    okButton->setDefault(true);
    // A parameter without a name could never be used by a page.
    connect(nameEdit, &QLineEdit::textChanged, this,
            [this, okButton] { okButton->setEnabled(!Trim(Name()).empty()); });
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* kinds = new QHBoxLayout;
    kinds->addWidget(colourButton);
    kinds->addWidget(stringButton);
    kinds->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QFormLayout(this);
    layout->addRow("Name", nameEdit);
    layout->addRow(kinds);
    layout->addRow(buttons);
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
