// The dialog "Options Paragraph": alignment and class of the paragraph layout.
#pragma once

#include "ui/TStyleDialog.h"

namespace fsc {

struct ParaOptions;

class ParagraphOptionsDialog : public TStyleDialog {
    Q_OBJECT

public:
    explicit ParagraphOptionsDialog(ParaOptions& options, QWidget* parent = nullptr);

private:
    void BindControls();

    ParaOptions& options;
};

}  // namespace fsc
