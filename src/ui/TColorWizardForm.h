// The colour wizard "Color Wizard": a palette to click, red, green and blue to adjust, and
// the chosen colour's HTML code, copied to the clipboard for a template parameter.
#pragma once

#include <QDialog>

#include "templates/ColourWords.h"

class QLabel;
class QLineEdit;
class QSpinBox;

namespace fsc {

class TColorWizardForm : public QDialog {
    Q_OBJECT

public:
    explicit TColorWizardForm(QWidget* parent = nullptr);

    // Shows the wizard beside the window that opened it; over a modal window (the template
    // dialog during the gallery wizard) it is modal itself, as otherwise it took no input.
    void Open();

    TColour Colour() const;
    // The code field: the colour as a quoted HTML code.
    QString Code() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void DrawPalette();
    // Any change of red, green or blue shows the colour and its code.
    void ShowColour();
    void CloseAndCopy();

    QLabel* paletteImage;
    QSpinBox* redSpinEdit;
    QSpinBox* greenSpinEdit;
    QSpinBox* blueSpinEdit;
    QLabel* colourSample;
    QLineEdit* codeEdit;
};

}  // namespace fsc
