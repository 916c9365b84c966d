// The "OK" / "Cancel" row that closes the program's small dialogs, "OK" being the button
// Return presses.
#pragma once

class QDialog;
class QHBoxLayout;
class QPushButton;

namespace fsc {

struct TDialogButtons {
    QPushButton* Ok;
    QPushButton* Cancel;
    // Right-aligned, for the dialog's layout to take.
    QHBoxLayout* Row;
};

TDialogButtons OkCancelButtons(QDialog* dialog);

}  // namespace fsc
