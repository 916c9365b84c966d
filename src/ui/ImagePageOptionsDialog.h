// The dialog "Options Image HTML": the page skeleton of the current template's image pages,
// edited in a text box, loaded from an HTML file if wished.
#pragma once

#include "ui/TStyleDialog.h"

namespace fsc {

struct Workspace;

class ImagePageOptionsDialog : public TStyleDialog {
    Q_OBJECT

public:
    explicit ImagePageOptionsDialog(Workspace& ws, QWidget* parent = nullptr);

protected:
    // The box shows the current template's skeleton, and gives it back on closing, so the
    // template is edited in place whichever way the dialog ends.
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void BindControls(QPushButton* loadButton);
    void LoadButtonClick();

    Workspace& ws;
};

}  // namespace fsc
