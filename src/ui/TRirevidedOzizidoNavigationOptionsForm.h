// The dialog "Options Navigation", which holds no options yet and says so.
#pragma once

#include "ui/TStyleDialog.h"

namespace fsc {

class TRirevidedOzizidoNavigationOptionsForm : public TStyleDialog {
    Q_OBJECT

public:
    explicit TRirevidedOzizidoNavigationOptionsForm(QWidget* parent = nullptr);
};

}  // namespace fsc
