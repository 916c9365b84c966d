// The main working window.
#include "ui/MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QDialog>
#include <QFileDialog>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <utility>

#include "app/AddImages.h"
#include "app/BuildSettings.h"
#include "app/BuildWithoutUnreadable.h"
#include "app/CreateGallery.h"
#include "app/GalleryProject.h"
#include "app/GalleryUndo.h"
#include "app/ImageListEdit.h"
#include "app/ImageListPanel.h"
#include "app/ImageSet.h"
#include "app/Workspace.h"
#include "base/AppFolders.h"
#include "base/IClock.h"
#include "base/IRandom.h"
#include "base/IShell.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "base/Version.h"
#include "engine/Undo.h"
#include "platform/ByteText.h"
#include "platform/IScreenGrabber.h"
#include "platform/QtTextRasteriser.h"
#include "templates/TScheme.h"
#include "ui/Binders.h"
#include "ui/BitmapImage.h"
#include "ui/CommandGuard.h"
#include "ui/FileDialogs.h"
#include "ui/SettingsPanels.h"
#include "ui/TAskForm.h"
#include "ui/TCapturer.h"
#include "ui/TColorWizardForm.h"
#include "ui/TCreateGalleryForImagesInDirForm.h"
#include "ui/TFTPForm.h"
#include "ui/TFileEditorForm.h"
#include "ui/THTMLTemplateEditorForm.h"
#include "ui/THelpForm.h"
#include "ui/TImagesPanel.h"
#include "ui/TOptionsForm.h"
#include "ui/TProgress.h"
#include "ui/TSchemeEditorForm.h"
#include "ui/TSchemeWizardForm.h"
#include "ui/TSchemeWizardGalNavForm.h"
#include "ui/TSpecialForm.h"
#include "ui/TThumbnailWizardForm.h"
#include "ui/TThumbnailWizardSchemeWizardForm.h"
#include "ui/TWatermarkForm.h"
#include "ui/TemplateSelectionDialog.h"

namespace fsc {

namespace {

struct THelpPage {
    const char* ObjectName;
    const char* Caption;
    // A page of the program's own help, in its data folder: it opens without a network.
    const char* File;
};

// The "Help" menu's pages; separators fall between all but the last two.
constexpr THelpPage HelpPages[] = {
    {"HTMLTutorials1", "HTML Tutorials", "HTMLTutorial.html"},
    {"FolioscopePage1", "Folioscope Page", "About.html"},
    {"Contact1", "Contact - Problems, Questions, want new tags, ..", "Problems.html"},
    {"Lumetta1", "Lumetta - our photo editor", "Photos.html"},
    {"Shop1", "Orvik-Freeware Shop", "About.html"},
    {"OrvikFreeware1", "Orvik-Freeware", "About.html"},
};

const char* const TabCaptions[] = {
    "General",        "Special",          "Images",       "Template",          "File Manager",
    "HTML Templates", "Thumbnail Scheme", "Image Scheme", "Navigation Scheme", "Gallery Scheme",
};

// A tab's page scrolls when the window is smaller than its panels.
QScrollArea* ScrollPage(QWidget* content) {
    auto* scrollBox = new QScrollArea;
    scrollBox->setObjectName("ScrollBox1");
    scrollBox->setFrameShape(QFrame::NoFrame);
    scrollBox->setWidgetResizable(true);
    scrollBox->setWidget(content);
    // The page itself is no Tab stop: it shows no focus, and its controls are the stops.
    scrollBox->setFocusPolicy(Qt::NoFocus);
    return scrollBox;
}

// The keys the desktop uses for a standard command; a desktop whose key scheme has none for
// it (Quit has none outside X11 desktops) gets the key most desktops use.
void GiveStandardKeys(QAction* entry, QKeySequence::StandardKey command,
                      const QKeySequence& usual) {
    const QList<QKeySequence> keys = QKeySequence::keyBindings(command);
    if (keys.isEmpty()) {
        entry->setShortcut(usual);
    } else {
        entry->setShortcuts(keys);
    }
}

std::optional<TBitmap> ClipboardPicture() {
    const QImage image = QGuiApplication::clipboard()->image();
    if (image.isNull()) return std::nullopt;
    return FromImage(image);
}

const TFileDialogSetup GalleryDialog{"Gallery|*.gal", "gal", ""};
const TFileDialogSetup SetDialog{"Set of Thumbs|*.set", "set", ""};
const TFileDialogSetup TemplateDialog{"Template|*.tpl", "tpl", ""};

}  // namespace

struct MainWindow::TServiceObjects {
    TSystemClock Clock;
    TSystemRandom Random;
    QtTextRasteriser Rasteriser;
};

MainWindow::MainWindow(const TMainWindowParts& parts, QWidget* parent)
    : QMainWindow(parent),
      parts(parts),
      serviceObjects(std::make_unique<TServiceObjects>()),
      imageList(std::make_unique<ImageListPanel>()),
      tabControl1(new QTabWidget(this)) {
    setObjectName("MainWindow");
    TServiceObjects& own = *serviceObjects;
    services.reset(new TCommandServices{
        TBuildServices{parts.Ask, parts.Progress, own.Clock, own.Random, own.Rasteriser,
                       parts.Compression, &parts.Messages},
        parts.Messages, parts.Shell, TempFolder(), TempFolder(), HistoryFolder()});
    setWindowTitle(ProgramTitle);
    CreateWindows();
    CreateTabs();
    CreateWizards();
    CreateMenus();
    // The dialog keeps its fields between runs, as long as the main window lives.
    treeForm = new TCreateGalleryForImagesInDirForm(parts.Ws, *imageList, *services, this);
    // The design size, or what the "General" panels need when the font makes them larger,
    // and wide enough for all ten tab captions in full; never larger than a 1280 x 800
    // screen, where a window frame and a panel take about 60 pixels of the height.
    const QSize needed =
        tabControl1->widget(GeneralTab)->findChild<QWidget*>("TabPage0")->sizeHint();
    const int tabsWidth = tabControl1->tabBar()->sizeHint().width() + 20;
    resize(std::min(1280, std::max({751, needed.width() + 40, tabsWidth})),
           std::min(740, std::max(578, needed.height() + 90)));
    buildStatus = new QLabel(this);
    buildStatus->setObjectName("BuildStatusLabel");
    buildStatus->setTextFormat(Qt::RichText);
    buildStatus->hide();
    connect(buildStatus, &QLabel::linkActivated, this, [this] {
        RunCommand([this] { this->parts.Shell.Open(GalleryFilePath(this->parts.Ws)); });
    });
    statusBar()->addWidget(buildStatus);
    MarkSaved();
}

MainWindow::~MainWindow() = default;

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel) return QMainWindow::eventFilter(watched, event);
    // Only the long "Images" page scrolls with the wheel, 10 pixels a step; the wheel does
    // nothing on the other pages, whose panels fit the window.
    if (tabControl1->currentIndex() == ImagesTab) {
        auto* page = static_cast<QScrollArea*>(tabControl1->currentWidget());
        const int steps = static_cast<QWheelEvent*>(event)->angleDelta().y() / 120;
        QScrollBar* bar = page->verticalScrollBar();
        bar->setValue(bar->value() - 10 * steps);
    }
    return true;
}

void MainWindow::CreateWindows() {
    Workspace& ws = parts.Ws;
    templateForm = new TemplateSelectionDialog(
        ws, parts.Ask, [this] { ShowReplacedSettings(); }, this);
    helpForm = new THelpForm(this);
    schemeEditorForm = new TSchemeEditorForm(ws, *helpForm, this);
    htmlTemplateEditorForm = new THTMLTemplateEditorForm(
        ws, [this] { helpForm->ShowHelp(); }, this);
    fileEditorForm =
        new TFileEditorForm(ws, parts.Ask, parts.Messages, serviceObjects->Random, this);
    watermarkForm = new TWatermarkForm(ws, serviceObjects->Clock, this);
    ftpForm = new TFTPForm(ws, parts.Ask, parts.Shell, parts.Messages, this);
    screenGrabber = CreateScreenGrabber();
    capturer = new TCapturer(*screenGrabber, *this, parts.Shell, this);
    specialForm = new TSpecialForm(
        ws, parts.Ask, *watermarkForm, [this] { parts.Settings.ShowSettings(); }, this);
}

void MainWindow::CreateWizards() {
    Workspace& ws = parts.Ws;
    auto* wizardPages = new TSchemeWizardGalNavForm(ws, this);
    schemeWizardForm = new TSchemeWizardForm(ws, *wizardPages, *schemeEditorForm, *helpForm, this);
    schemeEditorForm->SetWizard([this] { schemeWizardForm->EditSchemeOfEditor(); });
    colourWizardForm = new TColorWizardForm(this);
    templateForm->SetColourWizard([this] { colourWizardForm->Open(); });
    auto* schemeStep = new TThumbnailWizardSchemeWizardForm(
        *specialForm, [this] { schemeWizardForm->RunSequence(); }, this);
    galleryWizardForm =
        new TThumbnailWizardForm({ws, parts.Settings, *imagesPanel, *templateForm, *schemeStep,
                                  parts.Ask, *services, [this] { ShowReplacedSettings(); }},
                                 this);
}

void MainWindow::UseWizard() {
    if (tabControl1->currentIndex() != GeneralTab) tabControl1->setCurrentIndex(GeneralTab);
    galleryWizardForm->exec();
    // The wizard's panels wrote straight into the workspace; its template choice too.
    ShowReplacedSettings();
}

void MainWindow::CreateTabs() {
    tabControl1->setObjectName("TabControl1");
    for (int index = 0; index < int(std::size(TabCaptions)); ++index) {
        QWidget* content = new QWidget;
        if (index == GeneralTab) content = CreateGeneralPage();
        if (index == ImagesTab) {
            imagesPanel =
                new TImagesPanel(parts.Ws, *imageList, parts.Ask,
                                 {[this] { AddImages(false); }, [this] { AddImages(true); }});
            auto* layout = new QVBoxLayout(content);
            layout->addWidget(imagesPanel);
        }
        if (index == SpecialTab) content = CreateSpecialPage();
        // The pages whose panel belongs to one window each.
        const std::pair<int, QWidget*> borrowed[] = {
            {TemplateTab, templateForm->Panel()},
            {FileManagerTab, fileEditorForm->Panel()},
            {HTMLTemplatesTab, htmlTemplateEditorForm->Panel()},
        };
        for (const auto& [tab, panel] : borrowed) {
            if (index != tab) continue;
            auto* layout = new QVBoxLayout(content);
            layout->addWidget(panel);
        }
        // The scheme tabs share one editor panel, moved in when a tab is shown.
        if (index >= ThumbnailSchemeTab) new QVBoxLayout(content);
        content->setObjectName(QString("TabPage%1").arg(index));
        QScrollArea* page = ScrollPage(content);
        page->viewport()->installEventFilter(this);
        tabControl1->addTab(page, TabCaptions[index]);
    }
    setCentralWidget(tabControl1);
    connect(tabControl1, &QTabWidget::currentChanged, this, &MainWindow::TabSwitched);
}

void MainWindow::TabSwitched(int index) {
    const int previous = std::exchange(currentTab, index);
    if (previous == TemplateTab && index != TemplateTab) templateForm->Apply();
    if (index == TemplateTab && previous != TemplateTab) templateForm->RememberForCancel();
    fileEditorForm->Refresh();
    if (index == HTMLTemplatesTab) htmlTemplateEditorForm->Reload();
    if (index >= ThumbnailSchemeTab) ShowSchemeTab(index);
}

void MainWindow::ShowSchemeTab(int index) {
    static constexpr int KindOfTab[] = {SchemeThumbnail, SchemeImage, SchemeNavigation,
                                        SchemeGallery};
    QWidget* content = static_cast<QScrollArea*>(tabControl1->widget(index))->widget();
    content->layout()->addWidget(schemeEditorForm->Panel());
    schemeEditorForm->EditScheme(KindOfTab[index - ThumbnailSchemeTab]);
}

QWidget* MainWindow::CreateSpecialPage() {
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(specialForm->MetaTagsPanel(), 0, Qt::AlignTop);
    layout->addWidget(specialForm->ProtectPanel(), 0, Qt::AlignTop);
    layout->addStretch();
    return page;
}

QWidget* MainWindow::CreateGeneralPage() {
    auto* page = new QWidget;
    auto* left = new QVBoxLayout;
    left->addWidget(parts.Settings.DirectoriesPanel());
    left->addWidget(parts.Settings.StylePanel());
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(parts.Settings.ThumbnailPanel());
    right->addWidget(parts.Settings.ResizePanel());
    right->addWidget(parts.Settings.GeneralPanel());
    right->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left, 1);
    layout->addLayout(right);
    return page;
}

void MainWindow::CreateMenus() {
    CreateFilesMenu();
    CreateTemplateMenu();
    CreateCreateMenu();
    CreateStyleMenu();
    CreateImagesMenu();
    auto* internet = menuBar()->addMenu("I&nternet");
    internet->setObjectName("Internet1");
    AddEntry(internet, "FTP1", "FTP    (Upload Gallery and edit your homepage)",
             [this] { ShowFtpWindow(); });
    CreateOptionsMenu();
    CreateHelpMenu();
}

QAction* MainWindow::AddEntry(QMenu* menu, const char* objectName, const QString& caption,
                              std::function<void()> command) {
    QAction* entry = menu->addAction(caption);
    entry->setObjectName(objectName);
    connect(entry, &QAction::triggered, this,
            [command = std::move(command)] { RunCommand(command); });
    return entry;
}

QAction* MainWindow::AddLaterEntry(QMenu* menu, const char* objectName, const QString& caption) {
    QAction* entry = menu->addAction(caption);
    entry->setObjectName(objectName);
    entry->setEnabled(false);
    return entry;
}

void MainWindow::CreateFilesMenu() {
    auto* files = menuBar()->addMenu("&Files");
    files->setObjectName("Files1");
    GiveStandardKeys(AddEntry(files, "OpenGallery1", "Open Gallery", [this] { OpenGallery(); }),
                     QKeySequence::Open, Qt::CTRL | Qt::Key_O);
    GiveStandardKeys(AddEntry(files, "SaveGallery1", "Save Gallery ", [this] { SaveGallery(); }),
                     QKeySequence::Save, Qt::CTRL | Qt::Key_S);
    files->addSeparator();
    AddEntry(files, "AddImages1", "Add Images", [this] { AddImages(true); });
    AddEntry(files, "AddImageFromClipboard1", "Add Image from Clipboard",
             [this] { AddClipboardImage(); });
    AddEntry(files, "AddImageByCapturing1", "Add image by Capturing from the Screen",
             [this] { AddCapturedImage(); });
    files->addSeparator();
    AddEntry(files, "AddSetOfImages1", "Add Set of images       ", [this] { AddSetOfImages(); });
    AddEntry(files, "SaveSetInfos1", "Save Set of images      (only Image Infos)",
             [this] { SaveSet(false); });
    AddEntry(files, "SaveSetImages1", "Save Set of images      (Images+Image Infos)",
             [this] { SaveSet(true); });
    files->addSeparator();
    AddEntry(files, "CreateGalleriesInDir1",
             "Create galleries with all images in a directory and recursively for its subdirs",
             [this] { CreateGalleriesInDirectoryTree(); });
    files->addSeparator();
    AddEntry(files, "UseWizard1", "Use Wizard", [this] { UseWizard(); });
    files->addSeparator();
    GiveStandardKeys(AddEntry(files, "Close1", "Close", [this] { close(); }), QKeySequence::Quit,
                     Qt::CTRL | Qt::Key_Q);
}

void MainWindow::CreateTemplateMenu() {
    auto* menu = menuBar()->addMenu("&Template");
    menu->setObjectName("Template1");
    // Kept for the template dialog's own use; the main window never shows it.
    QAction* selectOther = AddLaterEntry(menu, "SelectOtherTemplate1", "Select other Template");
    QAction* separator = menu->addSeparator();
    selectOther->setVisible(false);
    separator->setVisible(false);
    AddEntry(menu, "OpenTemplate1", "Open Template", [this] { OpenTemplate(); });
    AddEntry(menu, "SaveSettingsAsTemplate1", "Save Settings As Template",
             [this] { SaveSettingsAsTemplate(); });
}

void MainWindow::CreateCreateMenu() {
    auto* menu = menuBar()->addMenu("&Create && Undo");
    menu->setObjectName("CreateUndo1");
    AddEntry(menu, "Undo1", "Undo. Delete the created Gallery.", [this] { UndoGallery(); });
    menu->addSeparator();
    AddEntry(menu, "CreateGallery1", "Let's go. Create the gallery.", [this] { CreateGallery(); });
}

void MainWindow::CreateStyleMenu() {
    auto* menu = menuBar()->addMenu("&Style");
    menu->setObjectName("Style1");
    const struct {
        const char* ObjectName;
        const char* Caption;
        QDialog* Dialog;
    } entries[] = {
        {"ListOptions1", "List options", parts.Styles.List},
        {"ParagraphOptions1", "Paragraph options", parts.Styles.Para},
        {"SlideShowOptions1", "Java Script Slide Show options", parts.Styles.SlideShow},
        {"TableOptions1", "Table options", parts.Styles.Table},
        {"CollageOptions1", "Collage/Image Map options ", parts.Styles.Collage},
        {"NavigationOptions1", "Navigation options", parts.Styles.Navigation},
    };
    for (const auto& entry : entries) {
        QDialog* dialog = entry.Dialog;
        AddEntry(menu, entry.ObjectName, entry.Caption, [dialog] {
            dialog->exec();
        })->setEnabled(dialog != nullptr);
    }
}

void MainWindow::CreateImagesMenu() {
    auto* menu = menuBar()->addMenu("&Images");
    menu->setObjectName("Images1");
    auto* sort = menu->addMenu("Sort");
    sort->setObjectName("Sort1");
    auto* keys = new QActionGroup(this);
    auto* directions = new QActionGroup(this);
    struct TSortChoice {
        const char* ObjectName;
        const char* Caption;
        QActionGroup* Group;
        TSortEntry Entry;
    };
    const TSortChoice choices[] = {{"ByName1", "by Name", keys, TSortEntry::ByName},
                                   {"ByDate1", "by Date", keys, TSortEntry::ByDate},
                                   {"ByDateTaken1", "by Date Taken", keys, TSortEntry::ByDateTaken},
                                   {"Up1", "Up", directions, TSortEntry::Up},
                                   {"Down1", "Down", directions, TSortEntry::Down}};
    for (const TSortChoice& choice : choices) {
        if (choice.Entry == TSortEntry::Up) sort->addSeparator();
        QAction* entry = AddEntry(sort, choice.ObjectName, choice.Caption,
                                  [this, sortEntry = choice.Entry] { Sort(sortEntry); });
        entry->setCheckable(true);
        entry->setChecked(choice.Entry == TSortEntry::Up);
        choice.Group->addAction(entry);
    }
}

void MainWindow::CreateOptionsMenu() {
    auto* menu = menuBar()->addMenu("&Options");
    menu->setObjectName("Options1");
    AddEntry(menu, "Options2", "Options", [this] { ShowOptions(); });
}

void MainWindow::CreateHelpMenu() {
    auto* menu = menuBar()->addMenu("&Help");
    menu->setObjectName("Help1");
    AddEntry(menu, "About1", "About", [this] { ShowAbout(); });
    GiveStandardKeys(AddEntry(menu, "HelpLocal1", "Help   (local HTML)",
                              [this] { parts.Shell.Open(JoinPath(DataFolder(), "index.html")); }),
                     QKeySequence::HelpContents, Qt::Key_F1);
    const int count = int(std::size(HelpPages));
    for (int index = 0; index < count; ++index) {
        // Every entry but the last stands apart from the one before it.
        if (index < count - 1) menu->addSeparator();
        const THelpPage& page = HelpPages[index];
        AddEntry(menu, page.ObjectName, page.Caption,
                 [this, file = page.File] { parts.Shell.Open(JoinPath(DataFolder(), file)); });
    }
}

void MainWindow::ShowWorkspace() {
    parts.Settings.ShowSettings();
    imagesPanel->ShowImages();
    templateForm->ShowSelection();
    fileEditorForm->Refresh();
    htmlTemplateEditorForm->ShowChanges();
    schemeEditorForm->ShowReplacedScheme();
}

void MainWindow::ShowReplacedSettings() {
    ShowWorkspace();
    specialForm->ShowSettings();
    watermarkForm->ShowOptions();
}

void MainWindow::AddImages(bool fromMenu) {
    const ProgramOptions& options = parts.Ws.Program;
    // The menu starts in the options' image folder; the panel's "Add" where Qt left off.
    const bool useImageDir = fromMenu && options.UseImageDir;
    const std::vector<std::string> chosen = AskOpenPaths(
        this, {parts.PictureFilter, "", useImageDir ? options.ImageDir : std::string()});
    TStringList paths(chosen.begin(), chosen.end());
    if (!paths.empty()) {
        // Whatever is added before a file that cannot be read stays and is shown.
        RunCommand([&] {
            AddImageFiles(parts.Ws, *imageList, PictureDialogOrder(paths), parts.Progress);
        });
        imagesPanel->ShowImages();
    }
    if (fromMenu) tabControl1->setCurrentIndex(ImagesTab);
}

void MainWindow::AddClipboardImage() {
    AddClipboardPicture(parts.Ws, *imageList, ClipboardPicture(), [this] {
        return AskSavePath(this, {"JPG|*.jpg", "jpg", ""});
    });
    imagesPanel->ShowImages();
    tabControl1->setCurrentIndex(ImagesTab);
}

void MainWindow::AddCapturedImage() {
    const std::optional<TBitmap> captured = capturer->Execute();
    if (!captured) return;
    AddCapturedPicture(parts.Ws, *imageList, captured, [this] {
        return AskSavePath(this, {"JPG|*.jpg", "jpg", ""});
    });
    imagesPanel->ShowImages();
    tabControl1->setCurrentIndex(ImagesTab);
}

void MainWindow::OpenGallery() {
    if (!MayLeaveChanges()) return;
    const std::optional<std::string> path = AskOpenPath(this, GalleryDialog);
    if (!path) return;
    OpenGalleryProject(parts.Ws, *imageList, *path, parts.Ask, parts.Progress);
    ShowReplacedSettings();
    MarkSaved();
}

void MainWindow::MarkSaved() { savedContents = ProjectContents(parts.Ws); }

bool MainWindow::HasUnsavedChanges() const { return ProjectContents(parts.Ws) != savedContents; }

bool MainWindow::MayLeaveChanges() {
    if (!HasUnsavedChanges()) return true;
    QMessageBox box(QMessageBox::Warning, ProgramTitle,
                    "The gallery has changes that are not saved.",
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setObjectName("UnsavedChangesBox");
    box.setInformativeText("Save them as a gallery project first?");
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
        case QMessageBox::Save:
            RunCommand([this] { SaveGallery(); });
            // A cancelled save dialog or a failed save leaves the changes unsaved.
            return !HasUnsavedChanges();
        case QMessageBox::Discard:
            return true;
        default:
            return false;
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!MayLeaveChanges()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void MainWindow::OpenFiles(const std::vector<std::string>& paths) {
    // Projects first, since opening one replaces the image list; then image sets and
    // pictures are added to it in the order given. Each failure is shown on its own and
    // the other files still open.
    TStringList pictures;
    bool imagesAdded = false;
    for (const std::string& path : paths) {
        if (SameText(ExtractFileExt(path), ".gal")) {
            RunCommand(
                [&] { OpenGalleryProject(parts.Ws, *imageList, path, parts.Ask, parts.Progress); });
            MarkSaved();
        }
    }
    for (const std::string& path : paths) {
        if (SameText(ExtractFileExt(path), ".set")) {
            RunCommand([&] {
                AddImageSet(parts.Ws.Images, path, parts.Progress);
                CheckAdvancedOptions(parts.Ws, *imageList, parts.Ask);
            });
            imagesAdded = true;
        } else if (!SameText(ExtractFileExt(path), ".gal")) {
            pictures.push_back(path);
        }
    }
    if (!pictures.empty()) {
        RunCommand([&] { AddImageFiles(parts.Ws, *imageList, pictures, parts.Progress); });
        imagesAdded = true;
    }
    ShowReplacedSettings();
    if (imagesAdded) tabControl1->setCurrentIndex(ImagesTab);
}

void MainWindow::SaveGallery() {
    const std::optional<std::string> path = AskSavePath(this, GalleryDialog);
    if (!path) return;
    SaveGalleryProject(parts.Ws, *path, parts.Messages, parts.Progress);
    ShowWorkspace();
    MarkSaved();
}

void MainWindow::AddSetOfImages() {
    const std::optional<std::string> path = AskOpenPath(this, SetDialog);
    if (!path) return;
    AddImageSet(parts.Ws.Images, *path, parts.Progress);
    CheckAdvancedOptions(parts.Ws, *imageList, parts.Ask);
    imagesPanel->ShowImages();
}

void MainWindow::SaveSet(bool withImages) {
    const std::optional<std::string> path = AskSavePath(this, SetDialog);
    if (!path) return;
    if (withImages) {
        WriteImageSetWithImages(parts.Ws.Images, *path, parts.Progress);
    } else {
        WriteImageSetInfos(parts.Ws.Images, *path);
    }
    imagesPanel->ShowImages();
}

void MainWindow::CreateGallery() {
    // The command updates the HTML file field and the template before it builds; the
    // panels show that whether the build succeeds or not.
    struct TShowAfter {
        MainWindow* Form;
        ~TShowAfter() { Form->ShowWorkspace(); }
    } showAfter{this};
    CreateGalleryOrSkipUnreadable(parts.Ws, TCreateMode::MainWindow, *services);
    ShowBuildStatus();
}

void MainWindow::ShowBuildStatus() {
    const Workspace& ws = parts.Ws;
    // The browser may not open (none installed, or no rebuild opens it): the status bar says
    // that the build is done, and its link opens the gallery on demand.
    const auto pictures = std::count_if(ws.Images.begin(), ws.Images.end(),
                                        [](const TThumbnail& image) { return !image.noImage; });
    const std::size_t pages = ws.LastHTML ? ws.LastHTML->Files.size() : 0;
    const auto counted = [](std::size_t count, const char* one, const char* many) {
        return QString("%1 %2").arg(count).arg(count == 1 ? one : many);
    };
    buildStatus->setText(QString("Gallery written: %1, %2 %3 <a href=\"open\">Open</a>")
                             .arg(counted(std::size_t(pictures), "picture", "pictures"),
                                  counted(pages, "page", "pages"), QString(QChar(0x2014))));
    buildStatus->show();
}

void MainWindow::Sort(TSortEntry entry) {
    ChooseSortEntry(parts.Ws, *imageList, entry);
    imagesPanel->ShowImages();
}

void MainWindow::SaveSettingsAsTemplate() {
    const std::optional<std::string> path = AskSavePath(this, TemplateDialog);
    if (!path) return;
    // The same preparation as "Save Gallery ": the HTML file check and the template choice
    // still pending on the Template tab take effect before the file is written.
    SaveWorkspaceAsTemplate(parts.Ws, *path, parts.Messages);
    ShowWorkspace();
}

void MainWindow::UndoGallery() { UndoCreatedGallery(parts.Ws, services->HistoryFolder, parts.Ask); }

void MainWindow::ShowOptions() {
    parts.Options.ShowOptions();
    parts.Options.exec();
}

void MainWindow::CreateGalleriesInDirectoryTree() {
    treeForm->exec();
    // The tool gave the user's gallery back, read again from its project file.
    ShowReplacedSettings();
}

void MainWindow::ShowFtpWindow() {
    // The local pane starts where the gallery is written.
    ftpForm->SetLocalDirectory(parts.Ws.Main.HTMLDir);
    ftpForm->exec();
}

void MainWindow::OpenTemplate() {
    const std::optional<std::string> path = AskOpenPath(this, TemplateDialog);
    if (!path) return;
    templateForm->OpenTemplateFile(*path);
    tabControl1->setCurrentIndex(TemplateTab);
}

void MainWindow::ShowAbout() {
    QMessageBox box(QMessageBox::NoIcon, "About",
                    QString("%1\nVersion %2").arg(ProgramName, ProgramVersion), QMessageBox::Ok,
                    this);
    box.setObjectName("AboutBox");
    box.exec();
}

}  // namespace fsc
