// The main working window.
#include "ui/TDarevudIroForm.h"

#include "base/Version.h"

namespace fsc {

TDarevudIroForm::TDarevudIroForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName("DarevudIroForm");
    setWindowTitle(ProgramTitle);
    resize(800, 600);
}

}  // namespace fsc
