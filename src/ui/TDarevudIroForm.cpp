// The main working window.
#include "ui/TDarevudIroForm.h"

#include <QActionGroup>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/BuildSettings.h"
#include "app/Workspace.h"
#include "base/AppFolders.h"
#include "base/IShell.h"
#include "base/Paths.h"
#include "base/Version.h"
#include "engine/Undo.h"
#include "platform/ByteText.h"
#include "ui/Binders.h"
#include "ui/CommandGuard.h"
#include "ui/TOptionsForm.h"
#include "ui/TRirevidedOzizidoForm.h"

namespace fsc {

namespace {

struct TWebPage {
    const char* ObjectName;
    const char* Caption;
    const char* Address;
};

// The maker's pages; separators fall between all but the last two.
constexpr TWebPage WebPages[] = {
    {"HTMLTutorials1", "HTML Tutorials", "https://www.orvik-freeware.example/html-tutorials/"},
    {"FolioscopePage1", "Folioscope Page", "https://www.orvik-freeware.example/folioscope/"},
    {"Contact1", "Contact - Problems, Questions, want new tags, ..",
     "https://www.orvik-freeware.example/contact/"},
    {"Lumetta1", "Lumetta - our photo editor", "https://www.orvik-freeware.example/lumetta/"},
    {"Shop1", "Orvik-Freeware Shop", "https://www.orvik-freeware.example/shop/"},
    {"OrvikFreeware1", "Orvik-Freeware", "https://www.orvik-freeware.example/"},
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
    return scrollBox;
}

// "Qt's" save dialog with the filter and default extension of the original dialogs.
QString AskSavePath(QWidget* parent, const QString& filter, const QString& extension) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(extension);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

}  // namespace

TDarevudIroForm::TDarevudIroForm(const TMainWindowParts& parts, QWidget* parent)
    : QMainWindow(parent), parts(parts), tabControl1(new QTabWidget(this)) {
    setObjectName("DarevudIroForm");
    setWindowTitle(ProgramTitle);
    CreateTabs();
    CreateMenus();
    resize(751, 578);
}

void TDarevudIroForm::CreateTabs() {
    tabControl1->setObjectName("TabControl1");
    for (int index = 0; index < int(std::size(TabCaptions)); ++index) {
        QWidget* content = index == GeneralTab ? CreateGeneralPage() : new QWidget;
        content->setObjectName(QString("TabPage%1").arg(index));
        tabControl1->addTab(ScrollPage(content), TabCaptions[index]);
    }
    setCentralWidget(tabControl1);
}

QWidget* TDarevudIroForm::CreateGeneralPage() {
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

void TDarevudIroForm::CreateMenus() {
    CreateFilesMenu();
    CreateTemplateMenu();
    CreateCreateMenu();
    CreateStyleMenu();
    CreateImagesMenu();
    auto* internet = menuBar()->addMenu("Internet");
    internet->setObjectName("Internet1");
    AddLaterEntry(internet, "FTP1", "FTP    (Upload Gallery and edit your homepage)");
    CreateOptionsMenu();
    CreateHelpMenu();
}

QAction* TDarevudIroForm::AddEntry(QMenu* menu, const char* objectName, const QString& caption,
                                   std::function<void()> command) {
    QAction* entry = menu->addAction(caption);
    entry->setObjectName(objectName);
    connect(entry, &QAction::triggered, this,
            [command = std::move(command)] { RunCommand(command); });
    return entry;
}

QAction* TDarevudIroForm::AddLaterEntry(QMenu* menu, const char* objectName,
                                        const QString& caption) {
    QAction* entry = menu->addAction(caption);
    entry->setObjectName(objectName);
    entry->setEnabled(false);
    return entry;
}

void TDarevudIroForm::CreateFilesMenu() {
    auto* files = menuBar()->addMenu("Files");
    files->setObjectName("Files1");
    AddLaterEntry(files, "OpenGallery1", "Open Gallery");
    AddLaterEntry(files, "SaveGallery1", "Save Gallery ");
    files->addSeparator();
    AddLaterEntry(files, "AddImages1", "Add Images");
    AddLaterEntry(files, "AddImageFromClipboard1", "Add Image from Clipboard");
    AddLaterEntry(files, "AddImageByCapturing1", "Add image by Capturing from the Screen");
    files->addSeparator();
    AddLaterEntry(files, "AddSetOfImages1", "Add Set of images       ");
    AddLaterEntry(files, "SaveSetInfos1", "Save Set of images      (only Image Infos)");
    AddLaterEntry(files, "SaveSetImages1", "Save Set of images      (Images+Image Infos)");
    files->addSeparator();
    AddLaterEntry(files, "CreateGalleriesInDir1",
                  "Create galleries with all images in a directory and recursively for its "
                  "subdirs");
    files->addSeparator();
    AddLaterEntry(files, "UseWizard1", "Use Wizard");
    files->addSeparator();
    AddEntry(files, "Close1", "Close", [this] { close(); });
}

void TDarevudIroForm::CreateTemplateMenu() {
    auto* menu = menuBar()->addMenu("Template");
    menu->setObjectName("Template1");
    // Kept for the template dialog's own use; the main window never shows it.
    QAction* selectOther = AddLaterEntry(menu, "SelectOtherTemplate1", "Select other Template");
    QAction* separator = menu->addSeparator();
    selectOther->setVisible(false);
    separator->setVisible(false);
    AddLaterEntry(menu, "OpenTemplate1", "Open Template");
    AddEntry(menu, "SaveSettingsAsTemplate1", "Save Settings As Template",
             [this] { SaveSettingsAsTemplate(); });
}

void TDarevudIroForm::CreateCreateMenu() {
    auto* menu = menuBar()->addMenu("Create && Undo");
    menu->setObjectName("CreateUndo1");
    AddEntry(menu, "Undo1", "Undo. Delete the created Gallery.", [this] { UndoGallery(); });
    menu->addSeparator();
    AddLaterEntry(menu, "CreateGallery1", "Let's go. Create the gallery.");
}

void TDarevudIroForm::CreateStyleMenu() {
    auto* menu = menuBar()->addMenu("Style");
    menu->setObjectName("Style1");
    AddLaterEntry(menu, "ListOptions1", "List options");
    AddLaterEntry(menu, "ParagraphOptions1", "Paragraph options");
    AddLaterEntry(menu, "SlideShowOptions1", "Java Script Slide Show options");
    AddLaterEntry(menu, "TableOptions1", "Table options");
    AddLaterEntry(menu, "CollageOptions1", "Collage/Image Map options ");
}

void TDarevudIroForm::CreateImagesMenu() {
    auto* menu = menuBar()->addMenu("Images");
    menu->setObjectName("Images1");
    auto* sort = menu->addMenu("Sort");
    sort->setObjectName("Sort1");
    auto* keys = new QActionGroup(this);
    auto* directions = new QActionGroup(this);
    struct TSortChoice {
        const char* ObjectName;
        const char* Caption;
        QActionGroup* Group;
    };
    const TSortChoice choices[] = {{"ByName1", "by Name", keys},
                                   {"ByDate1", "by Date", keys},
                                   {"Up1", "Up", directions},
                                   {"Down1", "Down", directions}};
    // The sort itself is an image list command that is not part of the program yet.
    for (int index = 0; index < int(std::size(choices)); ++index) {
        const TSortChoice& choice = choices[index];
        if (index == 2) sort->addSeparator();
        QAction* entry = AddLaterEntry(sort, choice.ObjectName, choice.Caption);
        entry->setCheckable(true);
        entry->setChecked(index == 2);
        choice.Group->addAction(entry);
    }
}

void TDarevudIroForm::CreateOptionsMenu() {
    auto* menu = menuBar()->addMenu("Options");
    menu->setObjectName("Options1");
    AddEntry(menu, "Options2", "Options", [this] { ShowOptions(); });
}

void TDarevudIroForm::CreateHelpMenu() {
    auto* menu = menuBar()->addMenu("Help");
    menu->setObjectName("Help1");
    AddEntry(menu, "About1", "About", [this] { ShowAbout(); });
    AddEntry(menu, "HelpLocal1", "Help   (local HTML)",
             [this] { parts.Shell.Open(JoinPath(DataFolder(), "index.html")); });
    const int count = int(std::size(WebPages));
    for (int index = 0; index < count; ++index) {
        // Every entry but the last stands apart from the one before it.
        if (index < count - 1) menu->addSeparator();
        const TWebPage& page = WebPages[index];
        AddEntry(menu, page.ObjectName, page.Caption,
                 [this, address = page.Address] { parts.Shell.Open(address); });
    }
}

void TDarevudIroForm::SaveSettingsAsTemplate() {
    const QString path = AskSavePath(this, "Template (*.tpl)", "tpl");
    if (path.isEmpty()) return;
    SaveWorkspaceAsTemplate(parts.Ws, QStringToBytes(path));
}

void TDarevudIroForm::UndoGallery() { fsc::UndoGallery(parts.Ws.Journal, parts.Ws.Images); }

void TDarevudIroForm::ShowOptions() {
    parts.Options.ShowOptions();
    parts.Options.exec();
}

void TDarevudIroForm::ShowAbout() {
    QMessageBox box(QMessageBox::NoIcon, "About",
                    QString("%1\nVersion %2").arg(ProgramTitle, ProgramVersion), QMessageBox::Ok,
                    this);
    box.setObjectName("AboutBox");
    box.exec();
}

}  // namespace fsc
