// The template file manager window and its panel.
#include "ui/TFileEditorForm.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <optional>

#include "app/Workspace.h"
#include "platform/ByteText.h"
#include "tools/FileManagerRows.h"
#include "tools/IndexIsGallerySwitch.h"
#include "tools/TemplateFileManager.h"
#include "ui/Binders.h"
#include "ui/CommandGuard.h"
#include "ui/FileDialogs.h"
#include "ui/NamedWidget.h"
#include "ui/TFileEditorEditForm.h"

namespace fsc {

namespace {

const TFileDialogSetup AddFileDialog{"HTML|*.html;*.htm|All Files|*.*", {}, {}};

// Qt's header stands for the list's header row; the divider row below it is not shown.
constexpr int ShownRowsSkipped = FileManagerFirstEntryRow;

QLabel* BoldNote(const char* objectName, const char* text) {
    auto* note = Named<QLabel>(objectName, text);
    QFont font = note->font();
    font.setBold(true);
    note->setFont(font);
    return note;
}

}  // namespace

TFileEditorForm::TFileEditorForm(Workspace& ws, IAsk& ask, IMessages& messages, IRandom& random,
                                 QWidget* parent)
    : QDialog(parent),
      ws(ws),
      ask(ask),
      messages(messages),
      random(random),
      editForm(new TFileEditorEditForm(this)) {
    setObjectName("FileEditorForm");
    setWindowTitle("File Manager");
    panel = CreatePanel();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    Refresh();
}

QWidget* TFileEditorForm::CreatePanel() {
    auto* filePanel = Named<QWidget>("FileListPanel");
    auto* note1 = BoldNote("FileNoteLabel1",
                           "Add and remove files and HTML template files for image, gallery and "
                           "index to or from the gallery.");
    auto* note2 = BoldNote(
        "FileNoteLabel2",
        "In all HTML files the Folioscope specific tags will be replaced with their value.");

    const TFileManagerRow header = EmptyFileManager().Rows[FileManagerHeaderRow];
    stringGrid1 = Named<QTableWidget>("StringGrid1", 0, int(header.size()));
    QStringList captions;
    for (const std::string& caption : header) captions << BytesToQString(caption);
    stringGrid1->setHorizontalHeaderLabels(captions);
    stringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    stringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    stringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    stringGrid1->verticalHeader()->hide();
    stringGrid1->verticalHeader()->setDefaultSectionSize(stringGrid1->fontMetrics().height() + 8);
    // Four equal columns sharing the grid's width.
    stringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    stringGrid1->setMinimumSize(600, 180);

    auto* addButton = Named<QPushButton>("AddFileButton", "Add");
    auto* removeButton = Named<QPushButton>("RemoveFileButton", "Remove");
    auto* editButton = Named<QPushButton>("EditFileButton", "Edit ");
    connect(addButton, &QPushButton::clicked, this, [this] { AddFile(); });
    connect(removeButton, &QPushButton::clicked, this, [this] { RemoveFile(); });
    connect(editButton, &QPushButton::clicked, this, [this] { EditFile(); });

    // Return in the gallery name field must not press "Add" while the panel sits in its
    // own dialog.
    for (QPushButton* button : {addButton, removeButton, editButton}) button->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(addButton);
    buttons->addWidget(removeButton);
    buttons->addWidget(editButton);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(filePanel);
    layout->addWidget(note1);
    layout->addWidget(note2);
    layout->addWidget(stringGrid1, 1);
    layout->addLayout(buttons);
    layout->addWidget(CreateGalleryGroup());
    return filePanel;
}

QWidget* TFileEditorForm::CreateGalleryGroup() {
    auto* group = Named<QGroupBox>("IndexGalleryGroupBox", "Index HTML and Gallery HTML");
    indexIsGalleryButton =
        Named<QRadioButton>("IndexIsGalleryRadioButton", "Index is Gallery (e.g. no frames)");
    indexIsNotGalleryButton =
        Named<QRadioButton>("IndexIsNotGalleryRadioButton",
                            "Index HTML and Gallery HTML are not the same (e.g. frames)");
    indexIsGalleryButton->setChecked(true);
    connect(indexIsGalleryButton, &QRadioButton::clicked, this,
            [this] { IndexIsGalleryClicked(); });
    connect(indexIsNotGalleryButton, &QRadioButton::clicked, this,
            [this] { IndexIsGalleryClicked(); });
    galleryNameEdit = Named<QLineEdit>("GalleryNameEdit");
    galleryNameEdit->setAutoFillBackground(true);
    connect(galleryNameEdit, &QLineEdit::textEdited, this, [this] { GalleryNameEdited(); });
    connect(galleryNameEdit, &QLineEdit::editingFinished, this, [this] { GalleryNameEdited(); });
    auto* nameLabel = Named<QLabel>(
        "GalleryNameLabel", "Name of the gallery file (only when file different from index)");
    auto* hint = Named<QLabel>("GalleryHintLabel",
                               "Hint: You can edit these files on the HTML Templates page.");

    auto* layout = new QVBoxLayout(group);
    layout->addWidget(indexIsGalleryButton);
    layout->addWidget(indexIsNotGalleryButton);
    layout->addWidget(nameLabel);
    layout->addWidget(galleryNameEdit);
    layout->addWidget(hint);
    return group;
}

void TFileEditorForm::Refresh() {
    const TFileManagerPanel view = RefreshFileManager(ws.Template);

    const int keptRow = stringGrid1->currentRow();
    const int rows = int(view.Rows.size()) - ShownRowsSkipped;
    stringGrid1->setRowCount(rows);
    for (int row = 0; row < rows; ++row) {
        const TFileManagerRow& cells = view.Rows[std::size_t(row + ShownRowsSkipped)];
        for (int column = 0; column < int(cells.size()); ++column) {
            auto* item = new QTableWidgetItem(BytesToQString(cells[std::size_t(column)]));
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            stringGrid1->setItem(row, column, item);
        }
    }
    // The row stays where it was, or on the last one when rows went away.
    if (rows > 0 && keptRow >= 0) stringGrid1->setCurrentCell(std::min(keptRow, rows - 1), 0);

    indexIsGalleryButton->setChecked(view.IndexIsGallery);
    indexIsNotGalleryButton->setChecked(!view.IndexIsGallery);
    // Refreshing while the user types must not move the cursor: only a different text is set.
    if (galleryNameEdit->text() != BytesToQString(view.GalleryName))
        Show(galleryNameEdit, view.GalleryName);
    galleryNameEdit->setEnabled(view.GalleryNameEnabled);
    // A field without use is told apart by the tool-tip colours, each with its own text
    // colour, so it reads in a light and in a dark theme alike.
    const QPalette desktop = QApplication::palette();
    QPalette colours = galleryNameEdit->palette();
    colours.setColor(
        QPalette::Base,
        desktop.color(view.GalleryNameEnabled ? QPalette::Base : QPalette::ToolTipBase));
    colours.setColor(
        QPalette::Text,
        desktop.color(view.GalleryNameEnabled ? QPalette::Text : QPalette::ToolTipText));
    galleryNameEdit->setPalette(colours);
}

int TFileEditorForm::CurrentListRow() const {
    const int row = stringGrid1->currentRow();
    return row < 0 ? FileManagerHeaderRow : row + ShownRowsSkipped;
}

void TFileEditorForm::AddFile() {
    const std::optional<std::string> chosen = AskOpenPath(panel, AddFileDialog);
    RunCommand([&] { AddTemplateFile(ws, chosen, *editForm); });
    Refresh();
}

void TFileEditorForm::RemoveFile() {
    const int row = CurrentListRow();
    RunCommand([&] { RemoveTemplateFile(ws, row, ask); });
    Refresh();
}

void TFileEditorForm::EditFile() {
    const int row = CurrentListRow();
    RunCommand([&] { EditTemplateFile(ws, row, *editForm); });
    Refresh();
}

void TFileEditorForm::IndexIsGalleryClicked() {
    // Both buttons land here; the refresh puts them back when the user answers "No".
    const bool indexIsGallery = indexIsGalleryButton->isChecked();
    RunCommand([&] { SwitchIndexIsGallery(ws, indexIsGallery, ask, random, messages); });
    Refresh();
}

void TFileEditorForm::GalleryNameEdited() {
    // Leaving the field unchanged keeps the name's bytes, even those that are no UTF-8.
    if (galleryNameEdit->text() == BytesToQString(ws.Template.GalleryPageName)) return;
    RunCommand([&] { SetGalleryPageName(ws, QStringToBytes(galleryNameEdit->text())); });
    Refresh();
}

}  // namespace fsc
