// The HTML template editor: the current template's page skeletons and extra pages, one at a
// time in a text box whose every edit goes straight into the template. Its panel lives on
// the main window's "HTML Templates" tab.
#pragma once

#include <QDialog>
#include <functional>

#include "base/TStringList.h"

class QComboBox;
class QPlainTextEdit;
class QPushButton;

namespace fsc {

struct Workspace;

class THTMLTemplateEditorForm : public QDialog {
    Q_OBJECT

public:
    // `showHelp` opens the template help window; without it "Help" stays disabled.
    THTMLTemplateEditorForm(Workspace& ws, std::function<void()> showHelp,
                            QWidget* parent = nullptr);

    // The panel the main window places on its "HTML Templates" tab.
    QWidget* Panel() const { return panel; }

    // Rebuilds the page list from the current template and shows its first entry; for
    // entering the tab and after the template was replaced.
    void Reload();
    // After any other command: shows the editor again when that command reloaded it (a
    // template was applied or read), and leaves the box and its cursor alone otherwise.
    void ShowChanges();

private:
    QWidget* CreatePanel();
    // Shows the editor's model as it stands, without counting as an edit.
    void ShowEditor();
    void ShowText();
    void PageChosen(int index);
    void TextEdited();
    // Whether something other than this window reloaded the editor since it last showed it.
    bool ModelMovedOn() const;
    TStringList BoxLines() const;
    void OpenFile();
    void SaveFile();

    Workspace& ws;
    std::function<void()> showHelp;
    QWidget* panel;
    QComboBox* pageComboBox = nullptr;
    QPlainTextEdit* htmlMemo = nullptr;
    // What the window last showed of the model, to notice reloads made behind its back.
    TStringList shownPages;
    int shownIndex = -1;
    TStringList shownText;
    // The box shows a text that is not valid UTF-8 byte for byte as Latin-1, and stores it
    // back the same way, so one keystroke does not re-encode an ANSI template.
    bool latin1Text = false;
};

}  // namespace fsc
