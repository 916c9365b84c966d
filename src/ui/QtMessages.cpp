// Message boxes for the core's messages.
#include "ui/QtMessages.h"

#include <QMessageBox>

#include "base/Version.h"
#include "platform/ByteText.h"

namespace fsc {

// Boxes whose caption no text prescribes carry the program's name, as its main window does;
// the icon tells an error from a warning.
void QtMessages::ShowError(const std::string& text) {
    QMessageBox::critical(parent, ProgramTitle, BytesToQString(text));
}

void QtMessages::ShowWarning(const std::string& text) {
    QMessageBox::warning(parent, ProgramTitle, BytesToQString(text));
}

void QtMessages::ShowInformation(const std::string& text) {
    QMessageBox::information(parent, "Information", BytesToQString(text));
}

void QtMessages::ShowMessage(const std::string& text) {
    QMessageBox::information(parent, ProgramTitle, BytesToQString(text));
}

bool QtMessages::ShowOkCancelError(const std::string& caption, const std::string& text) {
    // The program goes on either way, after a change the user may turn down: a warning.
    return QMessageBox::warning(parent, BytesToQString(caption), BytesToQString(text),
                                QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Cancel;
}

}  // namespace fsc
