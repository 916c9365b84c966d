// The dialog "Edit File Parameters": where a file the template adds is written in the
// gallery, a directory below the HTML directory and a file name.
#pragma once

#include <QDialog>

#include "tools/IFileParametersDialog.h"

class QLineEdit;

namespace fsc {

class TFileEditorEditForm : public QDialog, public IFileParametersDialog {
    Q_OBJECT

public:
    explicit TFileEditorEditForm(QWidget* parent = nullptr);

    bool Execute(std::string& directory, std::string& fileName) override;

private:
    QLineEdit* dirEdit;
    QLineEdit* nameEdit;
};

}  // namespace fsc
