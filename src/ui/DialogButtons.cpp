// The button rows and the size rule of the program's dialogs.
#include "ui/DialogButtons.h"

#include <QDialog>
#include <QLayout>
#include <QPushButton>

#include "ui/NamedWidget.h"

namespace fsc {

TDialogButtons OkCancelButtons(QDialog* dialog) {
    auto* ok = Named<QPushButton>("OKButton", "OK");
    auto* cancel = Named<QPushButton>("CancelButton", "Cancel");
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return {ok, cancel,
            PlatformButtonBox(
                {{ok, QDialogButtonBox::AcceptRole}, {cancel, QDialogButtonBox::RejectRole}})};
}

QDialogButtonBox* PlatformButtonBox(
    std::initializer_list<std::pair<QPushButton*, QDialogButtonBox::ButtonRole>> buttons) {
    auto* box = new QDialogButtonBox;
    for (const auto& [button, role] : buttons) box->addButton(button, role);
    return box;
}

void KeepContentsSize(QDialog* dialog) {
    dialog->layout()->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace fsc
