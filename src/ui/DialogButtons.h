// The button rows of the program's own dialogs, in the order the desktop puts them (OK
// before or after Cancel, Yes before or after No), and the size rule of its small dialogs.
#pragma once

#include <QDialogButtonBox>
#include <initializer_list>
#include <utility>

class QDialog;
class QPushButton;

namespace fsc {

struct TDialogButtons {
    QPushButton* Ok;
    QPushButton* Cancel;
    // For the dialog's layout to take.
    QDialogButtonBox* Box;
};

// "OK" (the button Return presses) and "Cancel", closing the dialog.
TDialogButtons OkCancelButtons(QDialog* dialog);

// Buttons made and connected by their dialog, each with its role, in the desktop's order.
QDialogButtonBox* PlatformButtonBox(
    std::initializer_list<std::pair<QPushButton*, QDialogButtonBox::ButtonRole>> buttons);

// A dialog of a line or two keeps the size of its contents: a window manager offers no
// maximise button for it, and no resizing that would only add empty space.
void KeepContentsSize(QDialog* dialog);

}  // namespace fsc
