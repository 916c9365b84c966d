// The dialog "Options Slide Show": the slide scheme around the slides and their buttons,
// and the fixed width or height of the slide picture.
#pragma once

#include "ui/TStyleDialog.h"

class QPlainTextEdit;

namespace fsc {

class IShell;
struct SlideShowOptions;

class SlideShowOptionsDialog : public TStyleDialog {
    Q_OBJECT

public:
    // "Help" opens the layout options' help page through `shell`.
    SlideShowOptionsDialog(SlideShowOptions& options, IShell& shell, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BindControls(QPushButton* helpButton);
    // Leaving the scheme box repairs a scheme that lacks the slides or a button and says
    // what was added.
    void SlideSchemeMemoExit();
    void ShowHelp();

    SlideShowOptions& options;
    IShell& shell;
    QPlainTextEdit* slideSchemeMemo;
    Refresher showScheme;
};

}  // namespace fsc
