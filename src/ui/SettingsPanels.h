// The host of the gallery settings panels ("Directories", "Style", "Thumbnails", "Images",
// "General") that the main window shows on its "General" tab. It is never shown itself.
#pragma once

#include <QWidget>
#include <utility>
#include <vector>

#include "ui/Binders.h"
#include "ui/StyleDialogs.h"

class QGroupBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace fsc {

class IAsk;
class IMessages;
struct Workspace;

class SettingsPanels : public QWidget {
    Q_OBJECT

public:
    // `messages` and `ask` serve the HTML file check of the "Directories" panel.
    SettingsPanels(Workspace& ws, IMessages& messages, IAsk& ask, QWidget* parent = nullptr);

    QGroupBox* DirectoriesPanel() const { return groupBox1; }
    QGroupBox* StylePanel() const { return groupBox3; }
    QGroupBox* ThumbnailPanel() const { return thumbnailGroupbox; }
    QGroupBox* ResizePanel() const { return groupBox4; }
    QGroupBox* GeneralPanel() const { return groupBox7; }

    // Re-fills every control from the workspace, after a command replaced its values.
    void ShowSettings();

    // The option dialogs that the "Style" buttons and "Image HTML options" open; the
    // buttons stay disabled until they have a dialog to open.
    void SetStyleDialogs(const StyleDialogs& dialogs);

private:
    // Builds each group with its controls bound to the workspace.
    QGroupBox* CreateDirectories();
    QGroupBox* CreateStyle();
    QGroupBox* CreateThumbnails();
    QGroupBox* CreateResize();
    QGroupBox* CreateGeneral();
    void SelectHTMLDir();
    void SelectHTMLFile();
    void ConnectDirectories(QLineEdit* imageDirEdit, QLineEdit* htmlFileEdit);
    void ShowTemplateName();
    void EnableDependentControls();
    // Shows an option dialog modally, if there is one.
    void ShowStyleDialog(QDialog* StyleDialogs::*dialog);

    Workspace& ws;
    IMessages& messages;
    IAsk& ask;
    std::vector<Refresher> refreshers;
    QGroupBox* groupBox1;
    QGroupBox* groupBox3;
    QGroupBox* thumbnailGroupbox;
    QGroupBox* groupBox4;
    QGroupBox* groupBox7;
    QLineEdit* htmlDirEdit = nullptr;
    QLineEdit* templateNameEdit = nullptr;
    QLineEdit* targetFrameEdit = nullptr;
    StyleDialogs styleDialogs;
    // Each option button with the dialog it opens.
    std::vector<std::pair<QPushButton*, QDialog * StyleDialogs::*>> optionButtons;
    QPushButton* imageHTMLButton = nullptr;
};

}  // namespace fsc
