// The directory-tree gallery dialog.
#include "ui/TCreateGalleryForImagesInDirForm.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/CreateGallery.h"
#include "base/AppFolders.h"
#include "base/IMessages.h"
#include "base/IShell.h"
#include "base/Paths.h"
#include "platform/ByteText.h"
#include "ui/ColourPainting.h"
#include "ui/CommandGuard.h"
#include "ui/DialogButtons.h"
#include "ui/NamedWidget.h"

namespace fsc {

TCreateGalleryForImagesInDirForm::TCreateGalleryForImagesInDirForm(Workspace& ws,
                                                                   ImageListPanel& panel,
                                                                   TCommandServices& services,
                                                                   QWidget* parent)
    : QDialog(parent), ws(ws), panel(panel), services(services) {
    setObjectName("CreateGalleryForImagesInDirForm");
    setWindowTitle("Create gallery for all images in a directory");
    CreateControls();
}

void TCreateGalleryForImagesInDirForm::CreateControls() {
    auto* directoryEdit = Named<QLineEdit>("Edit1");
    // The folder comes only from the picker, so it names a folder that existed.
    directoryEdit->setReadOnly(true);
    auto* fileEdit = Named<QLineEdit>("FileEdit");
    auto* subdirBox = Named<QCheckBox>("CheckBox1", "include subdirectories");
    auto* noNavigationBox =
        Named<QCheckBox>("NoNavigationCheckBox", "no navigation between the directories");
    auto* frameNote = Named<QLabel>("Label4", "Don't use it with frame templates.");
    ShowTextInColour(frameNote, Qt::red);
    auto* modifyBox = Named<QCheckBox>(
        "ResizeCheckbox", "allow modification of original images, e.g. for resize or watermark.");
    refreshers.push_back(Bind(directoryEdit, options.Directory));
    refreshers.push_back(Bind(fileEdit, options.FileName));
    refreshers.push_back(Bind(subdirBox, options.IncludeSubdirectories));
    refreshers.push_back(Bind(noNavigationBox, options.NoNavigation));
    refreshers.push_back(Bind(modifyBox, options.AllowModify));

    auto* selectButton = Named<QPushButton>("Button1", "Select");
    auto* okButton = Named<QPushButton>("Button2", "OK");
    auto* cancelButton = Named<QPushButton>("Button3", "Cancel");
    auto* helpButton = Named<QPushButton>("Button4", "Help");
    okButton->setDefault(true);
    connect(selectButton, &QPushButton::clicked, this, [this] { SelectDirectory(); });
    connect(okButton, &QPushButton::clicked, this, [this] { RunTool(); });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this, [this] { ShowHelp(); });

    auto* folderGroup = Named<QGroupBox>("FolderGroupBox");
    auto* folderLayout = new QGridLayout(folderGroup);
    folderLayout->addWidget(new QLabel("Directory"), 0, 0);
    folderLayout->addWidget(directoryEdit, 0, 1);
    folderLayout->addWidget(selectButton, 0, 2);
    folderLayout->addWidget(new QLabel("Filename"), 1, 0);
    folderLayout->addWidget(fileEdit, 1, 1);
    folderLayout->addWidget(subdirBox, 2, 0, 1, 3);
    folderLayout->addWidget(noNavigationBox, 3, 0, 1, 3);
    folderLayout->addWidget(frameNote, 4, 0, 1, 3, Qt::AlignLeft);
    folderLayout->setColumnMinimumWidth(1, fontMetrics().horizontalAdvance('x') * 45);

    auto* securityGroup = Named<QGroupBox>("GroupBox2", "Security Options");
    auto* securityLayout = new QVBoxLayout(securityGroup);
    securityLayout->addWidget(modifyBox);
    securityLayout->addWidget(new QLabel("(not recommended since originals will be destroyed)"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(folderGroup);
    layout->addWidget(securityGroup);
    layout->addWidget(PlatformButtonBox({{okButton, QDialogButtonBox::AcceptRole},
                                         {cancelButton, QDialogButtonBox::RejectRole},
                                         {helpButton, QDialogButtonBox::HelpRole}}));
}

void TCreateGalleryForImagesInDirForm::ShowOptions() {
    for (const Refresher& refresh : refreshers) refresh();
}

void TCreateGalleryForImagesInDirForm::SelectDirectory() {
    const QString chosen = QFileDialog::getExistingDirectory(
        this, QString(), BytesToQString(options.Directory), QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty()) return;
    options.Directory = QStringToBytes(chosen);
    ShowOptions();
}

void TCreateGalleryForImagesInDirForm::RunTool() {
    RunCommand([this] {
        if (!CreateDirectoryTreeGalleries(ws, panel, options, services, TempFolder())) {
            services.Messages.ShowMessage("No gallery was made in " + options.Directory +
                                          " or below it.");
        }
    });
    // The tool may have completed the file name; the field shows it next time.
    ShowOptions();
    accept();
}

void TCreateGalleryForImagesInDirForm::ShowHelp() {
    services.Shell.Open(JoinPath(DataFolder(), "RecursiveInDirs.html"));
}

}  // namespace fsc
