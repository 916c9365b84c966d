// The template selection "Folioscope Select Template": the template list with preview and
// description, the template's parameters, and the choice between no template and one.
// Its panel lives on the main window's "Template" tab, where choices apply at once.
#pragma once

#include <QDialog>
#include <functional>

#include "templates/TemplateApply.h"

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QVBoxLayout;

namespace fsc {

class IAsk;
class TAddTemplateParaForm;
struct Workspace;

class TemplateSelectionDialog : public QDialog {
    Q_OBJECT

public:
    // `applied` runs after a choice changed the program's settings, so that every window
    // shows them.
    TemplateSelectionDialog(Workspace& ws, IAsk& ask, std::function<void()> applied,
                            QWidget* parent = nullptr);

    // The panel the main window places on its "Template" tab.
    QWidget* Panel() const { return panel1; }

    // Fills the panel from the selection; on entering the tab also remembers what Cancel
    // goes back to.
    void ShowSelection();
    void RememberForCancel();
    // "OK": applies the choice when anything changed since the last time.
    void Apply();
    // "Open Template": the file becomes the first entry of the list, chosen and applied
    // without the confirmation question.
    void OpenTemplateFile(const std::string& path);
    // Shows the panel in this dialog, modally, filling it as it is resized; OK and Cancel
    // then also close it. The panel goes back to its tab afterwards.
    void ExecOnItsOwn();
    // What "use Color wizard" opens; the button stays disabled until it has one.
    void SetColourWizard(std::function<void()> open);

private:
    QWidget* CreatePanel();
    QWidget* CreateTemplateGroup();
    void EntryChosen(int index);
    void UseTemplateClicked(bool use);
    void AddParameter();
    void Cancel();
    void ShowPreview();
    void BuildParameterRows();
    // Runs a command that may change the settings, then shows the outcome everywhere.
    void Change(const std::function<void()>& command);
    // Whether the main window is on screen, and whether the panel is shown in it.
    TSelectionView View() const;

    Workspace& ws;
    IAsk& ask;
    std::function<void()> applied;
    std::function<void()> openColourWizard;
    TAddTemplateParaForm* addParaForm;
    QWidget* panel1;
    QRadioButton* noTemplateButton = nullptr;
    QRadioButton* useTemplateButton = nullptr;
    QComboBox* templateComboBox = nullptr;
    QLabel* previewImage = nullptr;
    QPushButton* colourWizardButton = nullptr;
    QLabel* descriptionLabel = nullptr;
    QScrollArea* parameterArea = nullptr;
    // Of a parameter row, for the room the rows get.
    int rowHeight = 0;
    QWidget* parameterRows = nullptr;
    QVBoxLayout* parameterLayout = nullptr;
};

}  // namespace fsc
