// The dialog "Options List": ordered or unordered list, and its class.
#pragma once

#include "ui/TStyleDialog.h"

namespace fsc {

struct ListOptions;

class TRirevidedOzizidoListOptionsForm : public TStyleDialog {
    Q_OBJECT

public:
    explicit TRirevidedOzizidoListOptionsForm(ListOptions& options, QWidget* parent = nullptr);

private:
    void BindControls();

    ListOptions& options;
};

}  // namespace fsc
