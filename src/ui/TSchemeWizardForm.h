// The scheme wizard "Scheme Wizard": for each of the four schemes, keep the current text
// (editable) or let the wizard write it from a few choices. Opened on one page by the scheme
// editor, or over all four pages in turn by the gallery wizard.
#pragma once

#include <QDialog>

#include "ui/BorrowedPanel.h"

class QGroupBox;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace fsc {

class THelpForm;
class TSchemeEditorForm;
class TSchemeWizardGalNavForm;
struct Workspace;

class TSchemeWizardForm : public QDialog {
    Q_OBJECT

public:
    TSchemeWizardForm(Workspace& ws, TSchemeWizardGalNavForm& contents, TSchemeEditorForm& editor,
                      THelpForm& help, QWidget* parent = nullptr);

    // Single-page mode, modal: the page of the scheme the editor shows; "OK" applies it.
    void EditSchemeOfEditor();
    // Sequence mode, modal: from the gallery page, "Next" and "Back" apply and move on; the
    // wizard closes after the last page (Next) or the first (Back).
    void RunSequence();

    int Page() const { return page; }
    bool UsesWizard() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void EnterPage(int newPage);
    // The page's scheme becomes the text box or the generated text.
    void ApplyPage();
    void NextClicked();
    void BackClicked();
    void RestoreDefaults();
    void ShowHelp();
    void ShowMode(bool sequenceMode);

    Workspace& ws;
    TSchemeWizardGalNavForm& contents;
    TSchemeEditorForm& editor;
    THelpForm& help;
    TBorrowedPanel hosted;
    int page = 0;
    bool sequence = false;
    QGroupBox* pageGroup;
    QRadioButton* useCurrentButton;
    QRadioButton* useWizardButton;
    QPlainTextEdit* schemeMemo;
    QVBoxLayout* wizardArea;
    QPushButton* backButton;
    QPushButton* nextButton;
    QPushButton* okButton;
    QPushButton* cancelButton;
};

}  // namespace fsc
