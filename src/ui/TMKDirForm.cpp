// The create-directory dialog of the FTP window.
#include "ui/TMKDirForm.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "ui/Binders.h"
#include "ui/NamedWidget.h"

namespace fsc {

TMKDirForm::TMKDirForm(QWidget* parent) : QDialog(parent) {
    setObjectName("MKDirForm");
    setWindowTitle("Create Directory");
    directoryEdit = Named<QLineEdit>("DirectoryEdit");
    auto* okButton = Named<QPushButton>("OKButton", "OK");
    auto* cancelButton = Named<QPushButton>("CancelButton", "Cancel");
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QFormLayout(this);
    layout->addRow("Directory:", directoryEdit);
    layout->addRow(buttons);
}

std::optional<std::string> TMKDirForm::Ask() {
    directoryEdit->clear();
    directoryEdit->setFocus();
    if (exec() != QDialog::Accepted) return std::nullopt;
    return QStringToBytes(directoryEdit->text());
}

}  // namespace fsc
