// The gallery wizard's schemes step: a group with the buttons that start the scheme wizard
// and show the "Special" window. The window only hosts the group, which the gallery wizard
// borrows; it is never shown itself.
#pragma once

#include <QDialog>
#include <functional>

class QGroupBox;

namespace fsc {

class TSpecialForm;

class TThumbnailWizardSchemeWizardForm : public QDialog {
    Q_OBJECT

public:
    // `startSchemeWizard` runs the scheme wizard over all four schemes, modally; its button
    // stays disabled without one.
    TThumbnailWizardSchemeWizardForm(TSpecialForm& special, std::function<void()> startSchemeWizard,
                                     QWidget* parent = nullptr);

    QGroupBox* Panel() const { return groupBox1; }

    // "Special Options": the Special window on its own, modally. Its groups normally live on
    // the main window's "Special" tab; they come home afterwards.
    void ShowSpecial();

private:
    TSpecialForm& special;
    std::function<void()> startSchemeWizard;
    QGroupBox* groupBox1;
};

}  // namespace fsc
