// The application-wide error handler.
#include "ui/TFscApplication.h"

#include <QMessageBox>

#include "base/ErrorMessage.h"
#include "base/Errors.h"
#include "base/Version.h"
#include "platform/ByteText.h"

namespace fsc {

TFscApplication::TFscApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setOrganizationName("Orvik_Freeware");
    setApplicationName("Folioscope");
}

bool TFscApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ReportError(std::current_exception());
        return false;
    }
}

namespace {

bool IsAbort(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const EOperationAborted&) {
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace

void TFscApplication::ReportError(std::exception_ptr error) {
    // The user's own Abort is no failure: it is said with a warning, not an error's sign.
    QMessageBox box(IsAbort(error) ? QMessageBox::Warning : QMessageBox::Critical, ProgramTitle,
                    BytesToQString(ErrorMessage(error)), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName("ErrorMessageBox");
    box.exec();
}

}  // namespace fsc
