// The program options dialog.
#include "ui/TOptionsForm.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTextBlock>
#include <QVBoxLayout>
#include <optional>

#include "options/ProgramOptions.h"
#include "platform/ByteText.h"
#include "ui/CommandGuard.h"

namespace fsc {

namespace {

template <class Widget, class... Args>
Widget* Named(QWidget* parent, const char* objectName, Args&&... args) {
    auto* widget = new Widget(std::forward<Args>(args)..., parent);
    widget->setObjectName(objectName);
    return widget;
}

}  // namespace

TOptionsForm::TOptionsForm(ProgramOptions& options, ISettingsStore& store, QWidget* parent)
    : QDialog(parent), options(options), store(store) {
    setObjectName("OptionsForm");
    setWindowTitle("Options");
    BindControls();
    ConnectCommands();
}

void TOptionsForm::BindControls() {
    auto* jpegSpin = Named<QSpinBox>(this, "JPEGSpinEdit");
    jpegSpin->setRange(MinJPEGCompression, MaxJPEGCompression);
    auto* threadsSpin = Named<QSpinBox>(this, "WorkerThreadsSpinEdit");
    threadsSpin->setRange(0, MaxWorkerThreads);
    threadsSpin->setSpecialValueText("one per core");
    auto* wizardBox = Named<QCheckBox>(this, "WizardCheckBox", "Start with Wizard");
    auto* reopenBox = Named<QCheckBox>(this, "OpenAfterRebuildCheckBox",
                                       "Open the gallery in the browser after every build, "
                                       "not only after its first");
    auto* htmlDirBox = Named<QCheckBox>(this, "HTMLDirCheckBox", "use default HTML directory");
    auto* htmlDirEdit = Named<QLineEdit>(this, "HTMLDirEdit");
    auto* imageDirBox =
        Named<QCheckBox>(this, "ImageDirCheckBox", "use as default directory to look for images");
    auto* imageDirEdit = Named<QLineEdit>(this, "ImageDirEdit");
    auto* defExtEdit = Named<QLineEdit>(this, "DefExtEdit");
    extMemo = Named<QPlainTextEdit>(this, "ExtMemo");
    // The folders come only from the pickers, so a typed path cannot name a missing folder.
    htmlDirEdit->setReadOnly(true);
    imageDirEdit->setReadOnly(true);

    refreshers.push_back(Bind(jpegSpin, options.JPEGCompression));
    refreshers.push_back(Bind(threadsSpin, options.WorkerThreads));
    refreshers.push_back(Bind(wizardBox, options.Wizard));
    refreshers.push_back(Bind(reopenBox, options.OpenAfterRebuild));
    refreshers.push_back(Bind(htmlDirBox, options.UseHTMLDir));
    refreshers.push_back(Bind(htmlDirEdit, options.HTMLDir));
    refreshers.push_back(Bind(imageDirBox, options.UseImageDir));
    refreshers.push_back(Bind(imageDirEdit, options.ImageDir));
    refreshers.push_back(Bind(defExtEdit, options.DefaultHTMLExt));
    ShowExtensions();

    auto* selectHTMLDir = Named<QPushButton>(this, "SelectHTMLDirButton", "Select");
    auto* selectImageDir = Named<QPushButton>(this, "SelectImageDirButton", "Select");
    connect(selectHTMLDir, &QPushButton::clicked, this, [=, this] {
        SelectFolder(htmlDirBox, options.UseHTMLDir, htmlDirEdit, options.HTMLDir);
    });
    connect(selectImageDir, &QPushButton::clicked, this, [=, this] {
        SelectFolder(imageDirBox, options.UseImageDir, imageDirEdit, options.ImageDir);
    });

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Default JPEG compression"), 0, 0);
    grid->addWidget(jpegSpin, 0, 1, Qt::AlignLeft);
    grid->addWidget(wizardBox, 1, 0, 1, 3);
    grid->addWidget(htmlDirBox, 2, 0, 1, 3);
    grid->addWidget(htmlDirEdit, 3, 0, 1, 2);
    grid->addWidget(selectHTMLDir, 3, 2);
    grid->addWidget(imageDirBox, 4, 0, 1, 3);
    grid->addWidget(imageDirEdit, 5, 0, 1, 2);
    grid->addWidget(selectImageDir, 5, 2);
    grid->addWidget(new QLabel("Default HTML extension"), 6, 0);
    grid->addWidget(defExtEdit, 6, 1);
    auto* extCaption = new QVBoxLayout;
    extCaption->addWidget(new QLabel("Extensions for HTML files:"));
    extCaption->addWidget(new QLabel("(one per line)"));
    extCaption->addStretch();
    grid->addLayout(extCaption, 7, 0);
    grid->addWidget(extMemo, 7, 1, 1, 2);
    grid->addWidget(new QLabel("Pictures made at once"), 8, 0);
    grid->addWidget(threadsSpin, 8, 1, Qt::AlignLeft);
    grid->addWidget(reopenBox, 9, 0, 1, 3);
    grid->setColumnStretch(1, 1);

    auto* closeButtons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    closeButtons->setObjectName("CloseButtons");
    connect(closeButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(closeButtons);
}

void TOptionsForm::ConnectCommands() {
    connect(extMemo, &QPlainTextEdit::textChanged, this,
            [this] { RunCommand([this] { ExtensionsEdited(); }); });
}

void TOptionsForm::ShowOptions() {
    for (const Refresher& refresh : refreshers) refresh();
    ShowExtensions();
}

void TOptionsForm::ShowExtensions() {
    const QSignalBlocker blocker(extMemo);
    QStringList lines;
    for (const std::string& extension : options.HTMLExt) lines << BytesToQString(extension);
    extMemo->setPlainText(lines.join('\n'));
}

void TOptionsForm::ExtensionsEdited() {
    options.HTMLExt = SplitLines(QStringToBytes(extMemo->toPlainText()));
    const TStringList typed = options.HTMLExt;
    RepairExtensionList(options.HTMLExt);
    if (options.HTMLExt == typed) return;
    // Put the restored lines in front of the user at once, keeping the cursor's line.
    const int line = extMemo->textCursor().blockNumber();
    ShowExtensions();
    const int shift = int(options.HTMLExt.size() - typed.size());
    const QTextBlock block = extMemo->document()->findBlockByNumber(line + shift);
    if (block.isValid()) {
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::EndOfBlock);
        extMemo->setTextCursor(cursor);
    }
}

void TOptionsForm::SelectFolder(QCheckBox* box, bool& useFolder, QLineEdit* edit,
                                std::string& folder) {
    const QString chosen =
        QFileDialog::getExistingDirectory(this, QString(), BytesToQString(folder));
    std::optional<std::string> choice;
    if (!chosen.isEmpty()) choice = QStringToBytes(chosen);
    ApplyFolderChoice(useFolder, folder, choice);
    const QSignalBlocker blocker(box);
    box->setChecked(useFolder);
    Show(edit, folder);
}

void TOptionsForm::hideEvent(QHideEvent* event) {
    // Closing hides the dialog too, so this one place writes the store for both.
    RunCommand([this] {
        SaveProgramOptions(options, store);
        ShowExtensions();
    });
    QDialog::hideEvent(event);
}

}  // namespace fsc
