// The main working window: ten tab pages showing the panels of the other windows, and the
// menus that start the program's commands.
#pragma once

#include <QMainWindow>
#include <functional>

class QAction;
class QMenu;
class QTabWidget;

namespace fsc {

class IShell;
class TAskForm;
class TOptionsForm;
class TProgress;
class TRirevidedOzizidoForm;
struct Workspace;

// The long-lived windows the main window opens or borrows from.
struct TMainWindowParts {
    Workspace& Ws;
    TRirevidedOzizidoForm& Settings;
    TOptionsForm& Options;
    TProgress& Progress;
    TAskForm& Ask;
    IShell& Shell;
};

// Tab indexes, in the order the tabs are shown.
enum TMainTab {
    GeneralTab,
    SpecialTab,
    ImagesTab,
    TemplateTab,
    FileManagerTab,
    HTMLTemplatesTab,
    ThumbnailSchemeTab,
    ImageSchemeTab,
    NavigationSchemeTab,
    GallerySchemeTab,
};

class TDarevudIroForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TDarevudIroForm(const TMainWindowParts& parts, QWidget* parent = nullptr);

    QTabWidget* Tabs() const { return tabControl1; }

private:
    void CreateTabs();
    QWidget* CreateGeneralPage();
    void CreateMenus();
    void CreateFilesMenu();
    void CreateTemplateMenu();
    void CreateCreateMenu();
    void CreateStyleMenu();
    void CreateImagesMenu();
    void CreateOptionsMenu();
    void CreateHelpMenu();
    // A menu entry with a stable object name; `command` runs under the error handler.
    QAction* AddEntry(QMenu* menu, const char* objectName, const QString& caption,
                      std::function<void()> command);
    // An entry whose window is not part of the program yet: present, but disabled.
    QAction* AddLaterEntry(QMenu* menu, const char* objectName, const QString& caption);

    void SaveSettingsAsTemplate();
    void UndoGallery();
    void ShowOptions();
    void ShowAbout();

    TMainWindowParts parts;
    QTabWidget* tabControl1;
};

}  // namespace fsc
