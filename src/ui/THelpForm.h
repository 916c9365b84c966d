// The help window "Template and Scheme Help": three help documents about templates, their
// HTML pages and the scheme tags, one at a time in a read-only box.
#pragma once

#include <QDialog>
#include <string>

class QTextEdit;

namespace fsc {

class THelpForm : public QDialog {
    Q_OBJECT

public:
    // Starts with the general document.
    explicit THelpForm(QWidget* parent = nullptr);

    // Shows the window without blocking the one that asked for help.
    void ShowHelp();
    // Loads one of the documents from the data folder; one that cannot be read is reported
    // and the box keeps what it showed.
    void LoadDocument(const std::string& fileName);

private:
    QTextEdit* helpRichEdit;
};

}  // namespace fsc
