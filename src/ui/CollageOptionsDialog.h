// The dialog "Options Collage/Image Map": partitioning, background colour, centring and
// class of the collage picture.
#pragma once

#include "ui/TStyleDialog.h"

class QComboBox;

namespace fsc {

struct CollageOptions;

class CollageOptionsDialog : public TStyleDialog {
    Q_OBJECT

public:
    explicit CollageOptionsDialog(CollageOptions& options, QWidget* parent = nullptr);

private:
    void BindControls();
    // Selects the entry the options hold and paints the list in its colour.
    void ShowColour();
    // The list's reaction to a new selection: the colour is stored and shown.
    void ComboBox1Change();

    CollageOptions& options;
    QComboBox* comboBox1;
};

}  // namespace fsc
