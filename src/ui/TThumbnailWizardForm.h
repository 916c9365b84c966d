// The gallery wizard: six steps that each show one panel of the gallery settings (or the
// image list) with a few lines of explanation, ending in the build of the gallery.
#pragma once

#include <QDialog>
#include <functional>

#include "ui/BorrowedPanel.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QTextEdit;
class QTimer;
class QVBoxLayout;

namespace fsc {

class IAsk;
class TImagesPanel;
class SettingsPanels;
class TemplateSelectionDialog;
class TThumbnailWizardSchemeWizardForm;
struct TCommandServices;
struct Workspace;

inline constexpr int WizardSteps = 6;
inline constexpr const char* WizardCreateQuestion =
    "Do you want to create the gallery immediately without further editing?";

// The windows whose panels the wizard shows, and what its last step runs.
struct TGalleryWizardParts {
    Workspace& Ws;
    SettingsPanels& Settings;
    TImagesPanel& Images;
    // Shown modally before the first step.
    TemplateSelectionDialog& Templates;
    TThumbnailWizardSchemeWizardForm& Schemes;
    IAsk& Ask;
    TCommandServices& Services;
    // Runs after the wizard's own gallery build (built or not), so every window shows the
    // workspace again.
    std::function<void()> Finished;
};

class TThumbnailWizardForm : public QDialog {
    Q_OBJECT

public:
    explicit TThumbnailWizardForm(const TGalleryWizardParts& parts, QWidget* parent = nullptr);

    int Step() const { return step; }
    // Gives back any borrowed panel, shows the step's explanation and panel.
    void GoToStep(int newStep);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void NextClicked();
    void BackClicked();
    // What the 500 ms timer keeps up to date: the buttons and the blinking "HTML-File".
    void UpdateButtons();
    void ShowTemplateDialog();
    void AskAndCreate();
    QWidget* StepPanel(int forStep) const;

    TGalleryWizardParts parts;
    TBorrowedPanel borrowed;
    int step = 1;
    bool blinkMaroon = false;
    QSize designedSize;
    QGroupBox* stepGroup;
    QVBoxLayout* stepLayout;
    QTextEdit* messageMemo;
    QPushButton* backButton;
    QPushButton* nextButton;
    QPushButton* closeButton;
    QLabel* htmlFileLabel = nullptr;
    QTimer* timer1;
};

}  // namespace fsc
