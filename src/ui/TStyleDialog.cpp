// The common frame of the style option dialogs.
#include "ui/TStyleDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace fsc {

TStyleDialog::TStyleDialog(const char* objectName, const char* caption, QWidget* parent)
    : QDialog(parent) {
    setObjectName(objectName);
    setWindowTitle(caption);
}

void TStyleDialog::ShowOptions() {
    for (const Refresher& refresh : refreshers) refresh();
}

void TStyleDialog::SetContent(QLayout* controls,
                              std::initializer_list<QAbstractButton*> extraButtons) {
    auto* closeButton = Named<QPushButton>("CloseButton", "Close");
    closeButton->setDefault(true);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    for (QAbstractButton* button : extraButtons) buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addLayout(buttons);
}

QGroupBox* TStyleDialog::RadioGroup(const char* title,
                                    std::initializer_list<QAbstractButton*> buttons) {
    // Radio buttons are exclusive among their siblings, so each group needs its own box.
    auto* group = new QGroupBox(title);
    auto* layout = new QVBoxLayout(group);
    for (QAbstractButton* button : buttons) layout->addWidget(button);
    return group;
}

void TStyleDialog::showEvent(QShowEvent* event) {
    ShowOptions();
    QDialog::showEvent(event);
}

}  // namespace fsc
