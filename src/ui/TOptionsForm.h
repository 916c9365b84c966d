// The program options dialog "Options": it edits the workspace's ProgramOptions and
// writes them to the settings store every time it is hidden or closed.
#pragma once

#include <QDialog>
#include <vector>

#include "ui/Binders.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

namespace fsc {

class ISettingsStore;
struct ProgramOptions;

class TOptionsForm : public QDialog {
    Q_OBJECT

public:
    TOptionsForm(ProgramOptions& options, ISettingsStore& store, QWidget* parent = nullptr);

    // Re-fills the controls, e.g. after the start window changed "Start with Wizard".
    void ShowOptions();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void BindControls();
    void ConnectCommands();
    void ExtensionsEdited();
    // Either folder's "Select": a chosen folder switches its box on, Cancel switches it off.
    void SelectFolder(QCheckBox* box, bool& useFolder, QLineEdit* edit, std::string& folder);
    void ShowExtensions();

    ProgramOptions& options;
    ISettingsStore& store;
    std::vector<Refresher> refreshers;
    QPlainTextEdit* extMemo;
};

}  // namespace fsc
