// The create-directory dialog of the FTP window.
#include "ui/TMKDirForm.h"

#include <QFormLayout>
#include <QLineEdit>

#include "ui/Binders.h"
#include "ui/DialogButtons.h"
#include "ui/NamedWidget.h"

namespace fsc {

TMKDirForm::TMKDirForm(QWidget* parent) : QDialog(parent) {
    setObjectName("MKDirForm");
    setWindowTitle("Create Directory");
    directoryEdit = Named<QLineEdit>("DirectoryEdit");
    auto* layout = new QFormLayout(this);
    layout->addRow("Directory:", directoryEdit);
    layout->addRow(OkCancelButtons(this).Box);
    KeepContentsSize(this);
}

std::optional<std::string> TMKDirForm::Ask() {
    directoryEdit->clear();
    directoryEdit->setFocus();
    if (exec() != QDialog::Accepted) return std::nullopt;
    return QStringToBytes(directoryEdit->text());
}

}  // namespace fsc
