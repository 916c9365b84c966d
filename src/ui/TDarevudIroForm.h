// The main working window.
#pragma once

#include <QMainWindow>

namespace fsc {

class TDarevudIroForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TDarevudIroForm(QWidget* parent = nullptr);
};

}  // namespace fsc
