// The main working window: ten tab pages showing the panels of the other windows, and the
// menus that start the program's commands.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ImageListEdit.h"
#include "ui/StyleDialogs.h"

class QAction;
class QLabel;
class QMenu;
class QTabWidget;

namespace fsc {

class IJpegCompressionDialog;
class IScreenGrabber;
class IMessages;
class IShell;
class TAskForm;
class TCapturer;
class TColorWizardForm;
class TCreateGalleryForImagesInDirForm;
class TFTPForm;
class TFileEditorForm;
class THTMLTemplateEditorForm;
class THelpForm;
class TSchemeEditorForm;
class TSchemeWizardForm;
class TSpecialForm;
class TThumbnailWizardForm;
class TWatermarkForm;
class TemplateSelectionDialog;
class TImagesPanel;
class TOptionsForm;
class TProgress;
class SettingsPanels;
struct ImageListPanel;
struct TCommandServices;
struct Workspace;

// The long-lived windows the main window opens or borrows from.
struct TMainWindowParts {
    Workspace& Ws;
    SettingsPanels& Settings;
    TOptionsForm& Options;
    TProgress& Progress;
    // The per-image compression dialog a build shows.
    IJpegCompressionDialog& Compression;
    TAskForm& Ask;
    IShell& Shell;
    IMessages& Messages;
    // The start window's picture open filter.
    const std::string& PictureFilter;
    // The option dialogs of the "Style" menu; an entry without its dialog is disabled.
    StyleDialogs Styles = {};
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

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(const TMainWindowParts& parts, QWidget* parent = nullptr);
    ~MainWindow() override;

    QTabWidget* Tabs() const { return tabControl1; }
    TImagesPanel& ImagesPanel() const { return *imagesPanel; }
    // The selection and switches of the image list panel and the "Sort" entries.
    ImageListPanel& ImageListState() const { return *imageList; }
    // "Use Wizard": the "General" tab, then the gallery wizard, shown modally; also run at
    // start-up when the options ask for it.
    void UseWizard();
    // Files named on the command line or handed over by a file manager: gallery projects
    // (".gal") are opened, image sets (".set") and pictures added to the image list.
    void OpenFiles(const std::vector<std::string>& paths);
    // What builds ask and report through; tests replace single services.
    TCommandServices& Services() const { return *services; }
    // Whether the gallery differs from what the last save or open of a project left (from
    // the start, when there was none): Close and "Open Gallery" then ask first.
    bool HasUnsavedChanges() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

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

    void AddImages(bool fromMenu);
    void AddClipboardImage();
    void AddCapturedImage();
    void OpenGallery();
    void SaveGallery();
    void AddSetOfImages();
    void SaveSet(bool withImages);
    void CreateGallery();
    void Sort(TSortEntry entry);
    // After a command changed the workspace: every panel shows it again.
    void ShowWorkspace();
    // After a template, a project or the tree tool replaced the settings themselves: also the
    // Special window and the watermark editor, whose refresh counts as a watermark change.
    void ShowReplacedSettings();
    void CreateWindows();
    // The wizards borrow panels, so they come after the tabs.
    void CreateWizards();
    QWidget* CreateSpecialPage();
    // The one scheme editor panel moves to whichever scheme tab is shown.
    void ShowSchemeTab(int index);
    void SaveSettingsAsTemplate();
    void UndoGallery();
    void ShowOptions();
    void ShowAbout();
    void CreateGalleriesInDirectoryTree();
    void OpenTemplate();
    void ShowFtpWindow();
    void MarkSaved();
    // "Gallery written: N pictures, M pages — Open" in the status bar after a build.
    void ShowBuildStatus();
    // With unsaved changes: asks whether to save them (through "Save Gallery"), discard them
    // or cancel. True when the caller may go on: nothing to lose, saved, or discarded.
    bool MayLeaveChanges();
    // Leaving the "Template" tab applies the choice shown there; entering it remembers what
    // its "Cancel" goes back to.
    void TabSwitched(int index);

    TMainWindowParts parts;
    struct TServiceObjects;
    std::unique_ptr<TServiceObjects> serviceObjects;
    std::unique_ptr<TCommandServices> services;
    std::unique_ptr<ImageListPanel> imageList;
    TImagesPanel* imagesPanel = nullptr;
    TCreateGalleryForImagesInDirForm* treeForm = nullptr;
    TemplateSelectionDialog* templateForm = nullptr;
    THelpForm* helpForm = nullptr;
    TSchemeEditorForm* schemeEditorForm = nullptr;
    THTMLTemplateEditorForm* htmlTemplateEditorForm = nullptr;
    TFileEditorForm* fileEditorForm = nullptr;
    TWatermarkForm* watermarkForm = nullptr;
    TSpecialForm* specialForm = nullptr;
    TFTPForm* ftpForm = nullptr;
    std::unique_ptr<IScreenGrabber> screenGrabber;
    TCapturer* capturer = nullptr;
    TSchemeWizardForm* schemeWizardForm = nullptr;
    TColorWizardForm* colourWizardForm = nullptr;
    TThumbnailWizardForm* galleryWizardForm = nullptr;
    int currentTab = GeneralTab;
    QTabWidget* tabControl1;
    std::string savedContents;
    QLabel* buildStatus = nullptr;
};

}  // namespace fsc
