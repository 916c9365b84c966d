// The dialog "Options Navigation", which holds no options yet and says so.
#pragma once

#include "ui/TStyleDialog.h"

namespace fsc {

class NavigationOptionsDialog : public TStyleDialog {
    Q_OBJECT

public:
    explicit NavigationOptionsDialog(QWidget* parent = nullptr);
};

}  // namespace fsc
