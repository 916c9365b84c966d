// The gallery wizard.
#include "ui/TThumbnailWizardForm.h"

#include <QBoxLayout>
#include <QGroupBox>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>

#include "app/CreateGallery.h"
#include "app/Workspace.h"
#include "base/IAsk.h"
#include "ui/ColourPainting.h"
#include "ui/CommandGuard.h"
#include "ui/NamedWidget.h"
#include "ui/SettingsPanels.h"
#include "ui/TImagesPanel.h"
#include "ui/TThumbnailWizardSchemeWizardForm.h"
#include "ui/TemplateSelectionDialog.h"

namespace fsc {

namespace {

const char* const StepTexts[WizardSteps] = {
    "Please select the HTML directory, the subdirectory for images and the name of the HTML "
    "file.\n"
    "You may also select a template that contains code and settings for various kinds of "
    "galleries.",
    "Let's select a style and edit options of the style.\n"
    "Table, Collage, Paragraph and List are available.",
    "The lower the quality of the thumbnail the better the compression. Width and Height "
    "specify the target width and height for the thumbnails. Limit, Stretch and Fit are "
    "different ways to adjust the size.",
    "Link to HTML means that the thumbnail will link to a HTML page that contains the image.\n"
    "With resize you can limit the size of the images. A typical size limit for the internet "
    "is 800x800 pixels.",
    "Schemes are used to costumize the HTML design of images and thumbnails.\n"
    "Click the button if you want to change them. \n"
    "If you use a given template, you usually don't want to edit the schemes.",
    "Select Images and add description.\n"
    "Press 'Let's Go!' to create your gallery.\n"
    "The result will be shown in your browser and\n"
    "the Folioscope main window will open\n"
    "for further editing.",
};

// The "HTML-File" label blinks between these while the name is missing; both are moved
// towards the desktop's text colour as far as it takes to read them on its background.
const QColor Teal(0x00, 0x80, 0x80);
const QColor Maroon(0x80, 0x00, 0x00);
constexpr int LastStepHeight = 650;

}  // namespace

TThumbnailWizardForm::TThumbnailWizardForm(const TGalleryWizardParts& parts, QWidget* parent)
    : QDialog(parent),
      parts(parts),
      stepGroup(Named<QGroupBox>("StepGroupBox")),
      stepLayout(new QVBoxLayout(stepGroup)),
      messageMemo(Named<QTextEdit>("MessageMemo")),
      backButton(Named<QPushButton>("BackButton", "Back")),
      nextButton(Named<QPushButton>("NextButton", "Next")),
      closeButton(Named<QPushButton>("CloseWizardButton", "Close Wizard")),
      timer1(new QTimer(this)) {
    setObjectName("ThumbnailWizardForm");
    messageMemo->setReadOnly(true);
    messageMemo->setFixedHeight(6 * fontMetrics().height());
    stepLayout->setSpacing(10);
    stepLayout->addWidget(messageMemo);
    stepLayout->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    buttons->addStretch();
    buttons->addWidget(closeButton);
    buttons->addWidget(backButton);
    buttons->addWidget(nextButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(stepGroup, 1);
    layout->addLayout(buttons);
    nextButton->setDefault(true);
    connect(nextButton, &QPushButton::clicked, this, [this] { NextClicked(); });
    connect(backButton, &QPushButton::clicked, this, [this] { BackClicked(); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    // The label has no name of its own in the settings panel; its caption finds it.
    for (auto* label : parts.Settings.DirectoriesPanel()->findChildren<QLabel*>())
        if (label->text() == "HTML-File") htmlFileLabel = label;
    timer1->setInterval(500);
    connect(timer1, &QTimer::timeout, this, [this] { UpdateButtons(); });
    designedSize = QSize(560, 420);
    stepGroup->setTitle("Step 1");
    setWindowTitle("Folioscope Wizard - Step 1");
}

QWidget* TThumbnailWizardForm::StepPanel(int forStep) const {
    switch (forStep) {
        case 1:
            return parts.Settings.DirectoriesPanel();
        case 2:
            return parts.Settings.StylePanel();
        case 3:
            return parts.Settings.ThumbnailPanel();
        case 4:
            return parts.Settings.ResizePanel();
        case 5:
            return parts.Schemes.Panel();
        default:
            return &parts.Images;
    }
}

void TThumbnailWizardForm::GoToStep(int newStep) {
    step = std::clamp(newStep, 1, WizardSteps);
    borrowed.GiveBack();
    const QString caption = QString("Step %1").arg(step);
    stepGroup->setTitle(caption);
    setWindowTitle("Folioscope Wizard - " + caption);
    QFont messageFont = font();
    // The later steps say more; a smaller font keeps it within the box.
    if (step >= 4) messageFont.setPointSize(10);
    messageMemo->setFont(messageFont);
    messageMemo->setPlainText(StepTexts[step - 1]);
    // Below the explanation, before the stretch that keeps the panel at the top.
    borrowed.Borrow(StepPanel(step), stepLayout, 1);
    const QSize needed = sizeHint();
    resize(std::max(designedSize.width(), needed.width()),
           std::max(designedSize.height(), needed.height()));
    if (step == WizardSteps) {
        // The image list needs room; the window moves up so that its bottom stays on screen.
        const int listWidth = parts.Images.sizeHint().width();
        stepGroup->setMinimumWidth(listWidth + 20);
        resize(std::max(width(), listWidth + 35), std::max(LastStepHeight, needed.height()));
        QPoint position = pos();
        if (position.y() > 50) position.ry() -= 50;
        if (position.y() > 100) position.ry() -= 100;
        move(position);
    } else {
        stepGroup->setMinimumWidth(0);
    }
    UpdateButtons();
    nextButton->setFocus();
}

void TThumbnailWizardForm::UpdateButtons() {
    const bool nameMissing = step == 1 && parts.Ws.Main.HTMLFile.empty();
    nextButton->setEnabled(!nameMissing);
    backButton->setEnabled(step >= 2);
    nextButton->setText(step == WizardSteps ? "Let's go!" : "Next");
    blinkMaroon = nameMissing && !blinkMaroon;
    if (htmlFileLabel) ShowTextInColour(htmlFileLabel, blinkMaroon ? Maroon : Teal);
}

void TThumbnailWizardForm::NextClicked() {
    if (step < WizardSteps) {
        GoToStep(step + 1);
        return;
    }
    close();
    // The main window appears first; the question then comes over it.
    QTimer::singleShot(300, this, [this] { AskAndCreate(); });
}

void TThumbnailWizardForm::BackClicked() {
    if (step > 1) GoToStep(step - 1);
}

void TThumbnailWizardForm::AskAndCreate() {
    if (parts.Ask.Ask("", WizardCreateQuestion)) {
        RunCommand([this] {
            WizardCreateGallery(parts.Ws, parts.Services, [this] {
                parts.Settings.DirectoriesPanel()
                    ->findChild<QPushButton*>("SelectHTMLFileButton")
                    ->click();
            });
        });
    }
    if (parts.Finished) parts.Finished();
}

void TThumbnailWizardForm::ShowTemplateDialog() { parts.Templates.ExecOnItsOwn(); }

void TThumbnailWizardForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    GoToStep(1);
    timer1->start();
    // Queued, so that the wizard is on screen beneath the template dialog.
    QTimer::singleShot(0, this, [this] {
        if (!isVisible()) return;
        ShowTemplateDialog();
        GoToStep(1);
    });
}

void TThumbnailWizardForm::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (event->spontaneous()) return;
    timer1->stop();
    borrowed.GiveBack();
    if (htmlFileLabel) ShowTextInColour(htmlFileLabel, Teal);
}

}  // namespace fsc
