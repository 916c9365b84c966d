// The OK/Cancel row of the small dialogs.
#include "ui/DialogButtons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

#include "ui/NamedWidget.h"

namespace fsc {

TDialogButtons OkCancelButtons(QDialog* dialog) {
    TDialogButtons buttons{Named<QPushButton>("OKButton", "OK"),
                           Named<QPushButton>("CancelButton", "Cancel"), new QHBoxLayout};
    buttons.Ok->setDefault(true);
    QObject::connect(buttons.Ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(buttons.Cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    buttons.Row->addStretch();
    buttons.Row->addWidget(buttons.Ok);
    buttons.Row->addWidget(buttons.Cancel);
    return buttons;
}

}  // namespace fsc
