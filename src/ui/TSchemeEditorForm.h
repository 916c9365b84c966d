// The scheme editor: one of the four schemes (thumbnail, image page, navigation, gallery
// page) in a plain text box, with the scheme tags' help beside it. Its panel lives on the
// main window's four scheme tabs; the window itself is never shown.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "base/TStringList.h"

class QGroupBox;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;

namespace fsc {

class THelpForm;
struct TScheme;
struct Workspace;

class TSchemeEditorForm : public QDialog {
    Q_OBJECT

public:
    // Shows the workspace's edited scheme; "Help" shows `help`.
    TSchemeEditorForm(Workspace& ws, THelpForm& help, QWidget* parent = nullptr);

    // The panel the main window places on its scheme tabs.
    QGroupBox* Panel() const { return groupBox1; }

    // Makes `kind` (SchemeThumbnail ... SchemeGallery) the edited scheme and shows it.
    void EditScheme(int kind);
    // Puts the edited scheme's text into the box, replacing whatever the box held.
    void ShowScheme();
    // After a command replaced the schemes (a project, a template, a wizard): shows the
    // edited scheme again unless the box already holds it, so the box never writes a stale
    // text over the new one.
    void ShowReplacedScheme();

    // "Open" and "Save" once a file is chosen; they work on the scheme in the box. A file
    // that cannot be read or written is reported and the scheme keeps its text.
    void LoadFromFile(const std::string& path);
    void SaveToFile(const std::string& path);

    // What "use Wizard" opens (for the edited scheme); the button stays disabled until then.
    void SetWizard(std::function<void()> open);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* CreatePanel();
    void Fill(int kind);
    bool BoxIsStale();
    void BoxEdited();
    void Open();
    void Save();
    TScheme& ShownScheme();

    Workspace& ws;
    THelpForm& help;
    QGroupBox* groupBox1 = nullptr;
    QPlainTextEdit* schemeMemo = nullptr;
    QTextEdit* helpRichEdit = nullptr;
    QPushButton* wizardButton = nullptr;
    std::function<void()> openWizard;
    // The scheme the box was filled from: edits go there, never to a scheme chosen since.
    int shownKind;
    // The text box and scheme last agreed on; a scheme that differs was changed elsewhere.
    TStringList shownText;
};

}  // namespace fsc
