// The dialog "Options Table": class, border, width and cell alignment of the table layout.
#pragma once

#include "ui/TStyleDialog.h"

namespace fsc {

struct TableOptions;

class TRirevidedOzizidoTableOptionsForm : public TStyleDialog {
    Q_OBJECT

public:
    explicit TRirevidedOzizidoTableOptionsForm(TableOptions& options, QWidget* parent = nullptr);

private:
    void BindControls();

    TableOptions& options;
};

}  // namespace fsc
