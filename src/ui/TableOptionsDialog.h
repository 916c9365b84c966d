// The dialog "Options Table": class, border, width and cell alignment of the table layout.
#pragma once

#include "ui/TStyleDialog.h"

namespace fsc {

struct TableOptions;

class TableOptionsDialog : public TStyleDialog {
    Q_OBJECT

public:
    explicit TableOptionsDialog(TableOptions& options, QWidget* parent = nullptr);

private:
    void BindControls();

    TableOptions& options;
};

}  // namespace fsc
