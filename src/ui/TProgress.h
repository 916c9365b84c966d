// The progress window "Operation In Progress": a bar, a text line and "Abort".
#pragma once

#include <QDialog>

#include "base/IProgress.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace fsc {

class TProgress : public QDialog, public IProgress {
    Q_OBJECT

public:
    explicit TProgress(QWidget* parent = nullptr);

    // Shows the window and lets the GUI handle pending events, so that a click on "Abort"
    // reaches the running loop before its next item.
    void Update(int minimum, int position, const std::string& text, int maximum) override;
    void Hide() override;
    void KeepResponsive() override;

protected:
    void ShowText(const std::string& text) override;
    // The window's close button is not a way out of a running loop.
    void reject() override {}

private:
    QProgressBar* bar;
    QLabel* textLine;
    QPushButton* abortButton;
};

}  // namespace fsc
