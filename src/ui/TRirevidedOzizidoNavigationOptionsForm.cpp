// The navigation options dialog.
#include "ui/TRirevidedOzizidoNavigationOptionsForm.h"

#include <QLabel>
#include <QVBoxLayout>

namespace fsc {

TRirevidedOzizidoNavigationOptionsForm::TRirevidedOzizidoNavigationOptionsForm(QWidget* parent)
    : TStyleDialog("RirevidedOzizidoNavigationOptionsForm", "Options Navigation", parent) {
    auto* controls = new QVBoxLayout;
    controls->addWidget(Named<QLabel>("Label1", "no navigation options available at the moment"));
    SetContent(controls);
}

}  // namespace fsc
