// folioscope: the desktop program.
#include <QApplication>

#include "ui/TDarevudIroForm.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName("Orvik_Freeware");
    QApplication::setApplicationName("Folioscope");
    fsc::TDarevudIroForm mainWindow;
    mainWindow.show();
    return QApplication::exec();
}
