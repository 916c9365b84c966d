// The file parameter dialog of the file manager.
#include "ui/TFileEditorEditForm.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include "base/Text.h"
#include "ui/Binders.h"
#include "ui/DialogButtons.h"
#include "ui/NamedWidget.h"

namespace fsc {

TFileEditorEditForm::TFileEditorEditForm(QWidget* parent) : QDialog(parent) {
    setObjectName("FileEditorEditForm");
    setWindowTitle("Edit File Parameters");
    dirEdit = Named<QLineEdit>("DirEdit");
    nameEdit = Named<QLineEdit>("NameEdit");
    const TDialogButtons buttons = OkCancelButtons(this);
    QPushButton* okButton = buttons.Ok;
    // A file without a name would be written over its directory; the build could only fail.
    connect(nameEdit, &QLineEdit::textChanged, this, [this, okButton] {
        okButton->setEnabled(!Trim(QStringToBytes(nameEdit->text())).empty());
    });
    auto* layout = new QFormLayout(this);
    layout->addRow("Save in directory", dirEdit);
    layout->addRow("Save as (Filename)", nameEdit);
    layout->addRow(buttons.Box);
    setMinimumWidth(360);
}

bool TFileEditorEditForm::Execute(std::string& directory, std::string& fileName) {
    Show(dirEdit, directory);
    Show(nameEdit, fileName);
    findChild<QPushButton*>("OKButton")->setEnabled(!Trim(fileName).empty());
    nameEdit->setFocus();
    const QString shownDirectory = dirEdit->text(), shownName = nameEdit->text();
    if (exec() != QDialog::Accepted) return false;
    // An untouched field keeps its bytes, even those that are no UTF-8.
    if (dirEdit->text() != shownDirectory) directory = QStringToBytes(dirEdit->text());
    if (nameEdit->text() != shownName) fileName = QStringToBytes(nameEdit->text());
    return true;
}

}  // namespace fsc
