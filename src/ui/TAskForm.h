// The question dialog "QUESTION": a statement, a question, "No" and "Yes".
#pragma once

#include <QDialog>

#include "base/IAsk.h"

class QLabel;

namespace fsc {

class TAskForm : public QDialog, public IAsk {
    Q_OBJECT

public:
    explicit TAskForm(QWidget* parent = nullptr);

    // Shows the two lines modally; true only for "Yes".
    bool Ask(const std::string& statement, const std::string& question) override;

private:
    QLabel* statementLine;
    QLabel* questionLine;
};

}  // namespace fsc
