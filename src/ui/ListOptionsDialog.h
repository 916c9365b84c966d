// The dialog "Options List": ordered or unordered list, and its class.
#pragma once

#include "ui/TStyleDialog.h"

namespace fsc {

struct ListOptions;

class ListOptionsDialog : public TStyleDialog {
    Q_OBJECT

public:
    explicit ListOptionsDialog(ListOptions& options, QWidget* parent = nullptr);

private:
    void BindControls();

    ListOptions& options;
};

}  // namespace fsc
