// The application with the program's one error handler: every exception that leaves an
// event handler ends only the command that raised it and is shown in a message box.
#pragma once

#include <QApplication>
#include <exception>
#include <functional>
#include <string>

#include "base/ErrorMessage.h"

namespace fsc {

class TFscApplication : public QApplication {
    Q_OBJECT

public:
    TFscApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the message of `error` in a message box; the program goes on.
    static void ReportError(std::exception_ptr error);
};

}  // namespace fsc
