// The colour wizard.
#include "ui/TColorWizardForm.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>

#include "templates/ColourWizard.h"
#include "ui/BitmapImage.h"
#include "ui/NamedWidget.h"

namespace fsc {

namespace {

QSpinBox* ColourSpin(const char* objectName) {
    auto* spin = Named<QSpinBox>(objectName);
    spin->setRange(0, 255);
    return spin;
}

}  // namespace

TColorWizardForm::TColorWizardForm(QWidget* parent)
    : QDialog(parent),
      paletteImage(Named<QLabel>("PaletteImage")),
      redSpinEdit(ColourSpin("RedSpinEdit")),
      greenSpinEdit(ColourSpin("GreenSpinEdit")),
      blueSpinEdit(ColourSpin("BlueSpinEdit")),
      colourSample(Named<QLabel>("ColorSample")),
      codeEdit(Named<QLineEdit>("CodeEdit")) {
    setObjectName("ColorWizardForm");
    setWindowTitle("Color Wizard");
    paletteImage->setFixedSize(ColourPaletteSize, ColourPaletteSize);
    paletteImage->setCursor(Qt::CrossCursor);
    paletteImage->installEventFilter(this);
    colourSample->setFixedSize(ColourPaletteSize, 40);
    codeEdit->setReadOnly(true);
    auto* drawButton = Named<QPushButton>("DrawPaletteButton", "Click to select a color");
    auto* closeButton =
        Named<QPushButton>("CloseCopyButton", "Close and Copy Color Code to Clipboard");
    connect(drawButton, &QPushButton::clicked, this, [this] { DrawPalette(); });
    connect(closeButton, &QPushButton::clicked, this, [this] { CloseAndCopy(); });
    for (QSpinBox* spin : {redSpinEdit, greenSpinEdit, blueSpinEdit})
        connect(spin, &QSpinBox::valueChanged, this, [this] { ShowColour(); });

    auto* layout = new QGridLayout(this);
    layout->addWidget(drawButton, 0, 0);
    layout->addWidget(paletteImage, 1, 0, 4, 1, Qt::AlignLeft | Qt::AlignTop);
    const std::pair<const char*, QSpinBox*> spins[] = {
        {"Red", redSpinEdit}, {"Green", greenSpinEdit}, {"Blue", blueSpinEdit}};
    for (int row = 0; row < 3; ++row) {
        layout->addWidget(new QLabel(spins[row].first), row + 1, 1);
        layout->addWidget(spins[row].second, row + 1, 2);
    }
    layout->addWidget(colourSample, 4, 1, 1, 2);
    layout->addWidget(codeEdit, 5, 0, 1, 3);
    layout->addWidget(closeButton, 6, 0, 1, 3);
    DrawPalette();
    ShowColour();
}

void TColorWizardForm::Open() {
    if (QApplication::activeModalWidget() && !isVisible()) {
        exec();
        return;
    }
    show();
    raise();
    activateWindow();
}

TColour TColorWizardForm::Colour() const {
    return {std::uint8_t(redSpinEdit->value()), std::uint8_t(greenSpinEdit->value()),
            std::uint8_t(blueSpinEdit->value())};
}

QString TColorWizardForm::Code() const { return codeEdit->text(); }

void TColorWizardForm::DrawPalette() {
    paletteImage->setPixmap(QPixmap::fromImage(ToImage(ColourWizardPalette())));
}

bool TColorWizardForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched != paletteImage || event->type() != QEvent::MouseButtonPress)
        return QDialog::eventFilter(watched, event);
    const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
    const TColour picked = PaletteColour(std::clamp(at.x(), 0, ColourPaletteSize - 1),
                                         std::clamp(at.y(), 0, ColourPaletteSize - 1));
    redSpinEdit->setValue(picked.Red);
    greenSpinEdit->setValue(picked.Green);
    blueSpinEdit->setValue(picked.Blue);
    return true;
}

void TColorWizardForm::ShowColour() {
    const TColour colour = Colour();
    colourSample->setStyleSheet(QString("background-color: rgb(%1, %2, %3);")
                                    .arg(colour.Red)
                                    .arg(colour.Green)
                                    .arg(colour.Blue));
    codeEdit->setText(QString::fromStdString(ColourWizardCode(colour)));
}

void TColorWizardForm::CloseAndCopy() {
    QGuiApplication::clipboard()->setText(codeEdit->text());
    close();
}

}  // namespace fsc
