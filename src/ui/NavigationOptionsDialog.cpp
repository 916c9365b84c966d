// The navigation options dialog.
#include "ui/NavigationOptionsDialog.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ui/DialogButtons.h"

namespace fsc {

NavigationOptionsDialog::NavigationOptionsDialog(QWidget* parent)
    : TStyleDialog("NavigationOptionsDialog", "Options Navigation", parent) {
    auto* controls = new QVBoxLayout;
    controls->addWidget(Named<QLabel>("Label1", "no navigation options available at the moment"));
    SetContent(controls);
    KeepContentsSize(this);
}

}  // namespace fsc
