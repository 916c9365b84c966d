// The template selection dialog and its panel.
#include "ui/TemplateSelectionDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "app/Workspace.h"
#include "imaging/GraphicsIO.h"
#include "platform/ByteText.h"
#include "templates/TemplateApply.h"
#include "templates/TemplateLibrary.h"
#include "ui/Binders.h"
#include "ui/BitmapImage.h"
#include "ui/BorrowedPanel.h"
#include "ui/ColourPainting.h"
#include "ui/CommandGuard.h"
#include "ui/DialogButtons.h"
#include "ui/NamedWidget.h"
#include "ui/TAddTemplateParaForm.h"
#include "ui/TOnePara.h"

namespace fsc {

namespace {

constexpr int PreviewSide = 65;

}  // namespace

TemplateSelectionDialog::TemplateSelectionDialog(Workspace& ws, IAsk& ask,
                                                 std::function<void()> applied, QWidget* parent)
    : QDialog(parent),
      ws(ws),
      ask(ask),
      applied(std::move(applied)),
      addParaForm(new TAddTemplateParaForm(this)) {
    setObjectName("TemplateSelectionDialog");
    setWindowTitle("Folioscope Select Template");
    panel1 = CreatePanel();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel1);
    ShowSelection();
}

QWidget* TemplateSelectionDialog::CreatePanel() {
    auto* panel = Named<QWidget>("Panel1");
    noTemplateButton = Named<QRadioButton>("NoTemplateRadioButton", "no Template");
    useTemplateButton = Named<QRadioButton>("UseTemplateRadioButton", "use Template");
    connect(noTemplateButton, &QRadioButton::clicked, this, [this] { UseTemplateClicked(false); });
    connect(useTemplateButton, &QRadioButton::clicked, this, [this] { UseTemplateClicked(true); });
    auto* warning = Named<QLabel>("WarningLabel",
                                  "!!! Selecting a new Template will undo most of your \n"
                                  "changes (General, Special, HTML, Schemes, ..) !!!");
    QFont bold = warning->font();
    bold.setBold(true);
    warning->setFont(bold);
    ShowTextInColour(warning, Qt::red);
    // The colour wizard is a window of its own, handed in after both exist.
    colourWizardButton =
        Named<QPushButton>("ColorWizardButton", "use Color wizard - get the color you want");
    colourWizardButton->setEnabled(false);
    connect(colourWizardButton, &QPushButton::clicked, this, [this] {
        if (openColourWizard) RunCommand(openColourWizard);
    });
    auto* okButton = Named<QPushButton>("OKButton", "OK");
    auto* cancelButton = Named<QPushButton>("CancelButton", "Cancel");
    connect(okButton, &QPushButton::clicked, this, [this] { Apply(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { Cancel(); });

    auto* choice = new QHBoxLayout;
    choice->addWidget(noTemplateButton);
    choice->addWidget(useTemplateButton);
    choice->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(colourWizardButton);
    buttons->addWidget(PlatformButtonBox({{okButton, QDialogButtonBox::AcceptRole},
                                          {cancelButton, QDialogButtonBox::RejectRole}}),
                       1);
    auto* layout = new QVBoxLayout(panel);
    layout->addLayout(choice);
    layout->addWidget(CreateTemplateGroup(), 1);
    layout->addWidget(warning);
    layout->addLayout(buttons);
    return panel;
}

QWidget* TemplateSelectionDialog::CreateTemplateGroup() {
    auto* group = Named<QGroupBox>("TemplateGroupBox", "Template");
    templateComboBox = Named<QComboBox>("TemplateComboBox");
    connect(templateComboBox, &QComboBox::activated, this, &TemplateSelectionDialog::EntryChosen);
    previewImage = Named<QLabel>("TemplatePreview");
    previewImage->setFixedSize(PreviewSide, PreviewSide);
    descriptionLabel = Named<QLabel>("DescriptionLabel");
    descriptionLabel->setWordWrap(true);
    auto* addButton = Named<QPushButton>("AddButton", "Add");
    connect(addButton, &QPushButton::clicked, this, [this] { AddParameter(); });

    parameterRows = Named<QWidget>("ParameterRows");
    // The rows stand out as a list does, in the palette's colours for lists, so the names
    // read in a light and in a dark desktop theme.
    parameterRows->setBackgroundRole(QPalette::AlternateBase);
    parameterRows->setForegroundRole(QPalette::Text);
    parameterLayout = new QVBoxLayout(parameterRows);
    parameterLayout->setContentsMargins(0, 1, 0, 1);
    parameterLayout->setSpacing(4);
    parameterLayout->addStretch();
    auto* scrollBox = Named<QScrollArea>("ScrollBox1");
    scrollBox->setWidgetResizable(true);
    scrollBox->setWidget(parameterRows);
    // The rows scroll up and down only: the area is kept as wide as they need.
    scrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rowHeight = QPushButton("Delete").sizeHint().height();
    parameterArea = scrollBox;

    auto* layout = new QGridLayout(group);
    layout->addWidget(templateComboBox, 0, 0);
    layout->addWidget(previewImage, 0, 1, 2, 2, Qt::AlignRight | Qt::AlignTop);
    layout->addWidget(descriptionLabel, 1, 0);
    layout->addWidget(new QLabel("Parameters: (select other colors, a different title...)"), 2, 0,
                      1, 2);
    layout->addWidget(addButton, 2, 2);
    layout->addWidget(scrollBox, 3, 0, 1, 3);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(3, 1);
    return group;
}

void TemplateSelectionDialog::ShowSelection() {
    const TemplateSelection& selection = ws.Selection;
    {
        const QSignalBlocker blocker(templateComboBox);
        QStringList entries;
        for (const std::string& entry : selection.Entries) entries << BytesToQString(entry);
        templateComboBox->clear();
        templateComboBox->addItems(entries);
        templateComboBox->setCurrentIndex(selection.ItemIndex);
    }
    noTemplateButton->setChecked(!selection.UseTemplate);
    useTemplateButton->setChecked(selection.UseTemplate);
    descriptionLabel->setText(BytesToQString(selection.Description));
    panel1->findChild<QPushButton*>("CancelButton")->setEnabled(selection.CancelEnabled);
    ShowPreview();
    BuildParameterRows();
}

void TemplateSelectionDialog::ShowPreview() {
    const std::string& file = ws.Selection.PreviewFile;
    previewImage->clear();
    previewImage->setVisible(!file.empty());
    if (file.empty()) return;
    // A preview that cannot be read is no reason to refuse the template: it stays hidden.
    try {
        const QImage image = ToImage(LoadPicture(file));
        previewImage->setPixmap(QPixmap::fromImage(image.scaled(
            PreviewSide, PreviewSide, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    } catch (const std::exception&) {
        previewImage->hide();
    }
}

void TemplateSelectionDialog::BuildParameterRows() {
    for (TOnePara* row : parameterRows->findChildren<TOnePara*>(Qt::FindDirectChildrenOnly))
        delete row;
    const std::size_t count = ws.Selection.DialogTemplate.Parameters.size();
    std::vector<QLabel*> names;
    int nameWidth = 0;
    for (std::size_t index = 0; index < count; ++index) {
        auto* row = new TOnePara(ws.Selection, index, [this] { BuildParameterRows(); });
        parameterLayout->insertWidget(int(index), row);
        names.push_back(row->findChild<QLabel*>("NameLabel"));
        nameWidth = std::max(nameWidth, names.back()->sizeHint().width());
    }
    // A name longer than the others must not push its own value out of the column.
    for (QLabel* name : names) name->setMinimumWidth(std::max(name->minimumWidth(), nameWidth));
    const int frame = 2 * parameterArea->frameWidth();
    parameterArea->setMinimumWidth(parameterRows->minimumSizeHint().width() +
                                   parameterArea->verticalScrollBar()->sizeHint().width() + frame);
    // Room for the usual handful of rows without scrolling; longer lists scroll.
    parameterArea->setMinimumHeight(
        std::clamp(parameterRows->sizeHint().height() + frame, 6 * rowHeight, 10 * rowHeight));
}

TSelectionView TemplateSelectionDialog::View() const {
    const bool inMainWindow = panel1->window() != this;
    return {parentWidget() && parentWidget()->isVisible(), inMainWindow && panel1->isVisible()};
}

void TemplateSelectionDialog::Change(const std::function<void()>& command) {
    RunCommand(command);
    ShowSelection();
    if (applied) applied();
}

void TemplateSelectionDialog::EntryChosen(int index) {
    TemplateSelection& selection = ws.Selection;
    if (index == selection.ItemIndex) return;
    // Where a refused choice goes back to.
    selection.FocusItemIndex = selection.ItemIndex;
    selection.ItemIndex = index;
    Change([this] {
        TemplateContext context = ws.Templates();
        SelectTemplate(context, TTemplateSender::TemplateDialog, View(), ask);
    });
}

void TemplateSelectionDialog::UseTemplateClicked(bool use) {
    ws.Selection.UseTemplate = use;
    ws.Selection.Changed = true;
}

void TemplateSelectionDialog::AddParameter() {
    if (!addParaForm->Ask()) return;
    AddTemplateParameter(ws.Selection, addParaForm->Name(), addParaForm->Colour());
    BuildParameterRows();
}

void TemplateSelectionDialog::ExecOnItsOwn() {
    TBorrowedPanel borrowed;
    borrowed.Borrow(panel1, static_cast<QBoxLayout*>(layout()), -1, true);
    // On the main window's tab "OK" and "Cancel" only apply or undo the choice; shown as a
    // dialog they also close it.
    const QMetaObject::Connection closeOnOK = connect(
        panel1->findChild<QPushButton*>("OKButton"), &QPushButton::clicked, this, &QDialog::accept);
    const QMetaObject::Connection closeOnCancel =
        connect(panel1->findChild<QPushButton*>("CancelButton"), &QPushButton::clicked, this,
                &QDialog::reject);
    RememberForCancel();
    // As large as the panel asks to be with the rows of this template, whatever size the tab
    // gave it before. The boxes around the rows learn of their new width only when their own
    // layouts next run, which is after the window has taken its size: tell them now.
    for (QWidget* widget = parameterArea; widget != this; widget = widget->parentWidget())
        widget->updateGeometry();
    adjustSize();
    exec();
    disconnect(closeOnOK);
    disconnect(closeOnCancel);
}

void TemplateSelectionDialog::SetColourWizard(std::function<void()> open) {
    openColourWizard = std::move(open);
    colourWizardButton->setEnabled(bool(openColourWizard));
}

void TemplateSelectionDialog::RememberForCancel() {
    fsc::RememberForCancel(ws.Selection);
    ShowSelection();
}

void TemplateSelectionDialog::Apply() {
    // Nothing to apply: the other windows need not show anything again.
    if (!ws.Selection.Changed) return;
    Change([this] {
        TemplateContext context = ws.Templates();
        ApplyTemplate(context, TTemplateSender::TemplateDialog);
    });
}

void TemplateSelectionDialog::Cancel() {
    Change([this] {
        TemplateContext context = ws.Templates();
        CancelTemplateSelection(context, View(), ask);
    });
}

void TemplateSelectionDialog::OpenTemplateFile(const std::string& path) {
    TemplateSelection& selection = ws.Selection;
    selection.Entries.insert(selection.Entries.begin(), UserTemplatePrefix + path);
    selection.FocusItemIndex = selection.ItemIndex;
    selection.ItemIndex = 0;
    Change([this] {
        TemplateContext context = ws.Templates();
        SelectTemplate(context, TTemplateSender::MainWindow, View(), ask);
        ApplyTemplate(context, TTemplateSender::TemplateDialog);
    });
}

}  // namespace fsc
