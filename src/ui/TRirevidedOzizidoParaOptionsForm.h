// The dialog "Options Paragraph": alignment and class of the paragraph layout.
#pragma once

#include "ui/TStyleDialog.h"

namespace fsc {

struct ParaOptions;

class TRirevidedOzizidoParaOptionsForm : public TStyleDialog {
    Q_OBJECT

public:
    explicit TRirevidedOzizidoParaOptionsForm(ParaOptions& options, QWidget* parent = nullptr);

private:
    void BindControls();

    ParaOptions& options;
};

}  // namespace fsc
