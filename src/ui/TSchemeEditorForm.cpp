// The scheme editor and its panel.
#include "ui/TSchemeEditorForm.h"

#include <QEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/Workspace.h"
#include "base/AppFolders.h"
#include "base/Paths.h"
#include "platform/ByteText.h"
#include "templates/TScheme.h"
#include "ui/Binders.h"
#include "ui/CommandGuard.h"
#include "ui/FileDialogs.h"
#include "ui/HelpDocument.h"
#include "ui/NamedWidget.h"
#include "ui/THelpForm.h"

namespace fsc {

namespace {

// The box shows one line per scheme line; every line break in the box separates two lines,
// so an empty last line survives an edit as it survives a file.
QString BoxText(const TStringList& lines) {
    std::string text;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        if (index > 0) text += '\n';
        text += lines[index];
    }
    return BytesToQString(text);
}

TStringList LinesOf(const QPlainTextEdit* box) {
    // The raw text keeps non-breaking blanks, which the plain text turns into spaces.
    QString text = box->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, '\n').replace(QChar::LineSeparator, '\n');
    text.remove('\r');
    TStringList lines;
    if (text.isEmpty()) return lines;
    for (const QString& line : text.split('\n')) lines.push_back(QStringToBytes(line));
    return lines;
}

// "Navigation Scheme" from "Navigation Scheme|*.nvs".
QString SchemeName(int kind) {
    const std::string filter = SchemeFileFilter(kind);
    return BytesToQString(filter.substr(0, filter.find('|')));
}

}  // namespace

TSchemeEditorForm::TSchemeEditorForm(Workspace& ws, THelpForm& help, QWidget* parent)
    : QDialog(parent), ws(ws), help(help), shownKind(ws.EditedScheme) {
    setObjectName("SchemeEditorForm");
    setWindowTitle("Scheme Editor");
    groupBox1 = CreatePanel();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(groupBox1);
    ShowScheme();
    // Without its help the editor still edits; the user is told why the help is missing.
    RunCommand([this] { LoadHelpDocument(helpRichEdit, JoinPath(DataFolder(), "Schemes.rtf")); });
}

QGroupBox* TSchemeEditorForm::CreatePanel() {
    auto* panel = Named<QGroupBox>("SchemeGroupBox");
    // A panel that appears again shows the scheme as it is now, whoever changed it.
    panel->installEventFilter(this);
    auto* label1 =
        Named<QLabel>("Label1", "Edit the scheme used for the gallery. You can use any template");
    auto* label2 =
        Named<QLabel>("Label2", "parameter, general and scheme specific tags in the scheme.");

    schemeMemo = Named<QPlainTextEdit>("SchemeMemo");
    schemeMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    schemeMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    schemeMemo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    schemeMemo->setMinimumSize(380, 280);
    connect(schemeMemo, &QPlainTextEdit::textChanged, this, &TSchemeEditorForm::BoxEdited);

    helpRichEdit = Named<QTextEdit>("SchemeHelpRichEdit");
    helpRichEdit->setReadOnly(true);
    helpRichEdit->setMinimumSize(260, 280);

    auto* openButton = Named<QPushButton>("OpenSchemeButton", "Open");
    auto* saveButton = Named<QPushButton>("SaveSchemeButton", "Save");
    auto* helpButton = Named<QPushButton>("SchemeHelpButton", "Help");
    // The scheme wizard is a window of its own, handed in after both exist.
    wizardButton = Named<QPushButton>("SchemeWizardButton", "use Wizard");
    wizardButton->setEnabled(false);
    connect(wizardButton, &QPushButton::clicked, this, [this] {
        if (openWizard) RunCommand(openWizard);
    });
    connect(openButton, &QPushButton::clicked, this, [this] { Open(); });
    connect(saveButton, &QPushButton::clicked, this, [this] { Save(); });
    connect(helpButton, &QPushButton::clicked, this, [this] { this->help.ShowHelp(); });

    auto* boxes = new QHBoxLayout;
    boxes->addWidget(schemeMemo, 3);
    boxes->addWidget(helpRichEdit, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(openButton);
    buttons->addWidget(saveButton);
    buttons->addWidget(helpButton);
    buttons->addStretch();
    buttons->addWidget(wizardButton);
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(label1);
    layout->addWidget(label2);
    layout->addLayout(boxes, 1);
    layout->addLayout(buttons);
    return panel;
}

void TSchemeEditorForm::SetWizard(std::function<void()> open) {
    openWizard = std::move(open);
    wizardButton->setEnabled(bool(openWizard));
}

void TSchemeEditorForm::EditScheme(int kind) {
    // Checked before anything changes: an unknown kind must not leave the editor half-switched.
    ws.Schemes.OfKind(kind);
    ws.EditedScheme = kind;
    ShowScheme();
}

void TSchemeEditorForm::ShowScheme() { Fill(ws.EditedScheme); }

void TSchemeEditorForm::ShowReplacedScheme() {
    if (BoxIsStale()) ShowScheme();
}

bool TSchemeEditorForm::BoxIsStale() {
    return shownKind != ws.EditedScheme || ShownScheme().Text != shownText;
}

void TSchemeEditorForm::Fill(int kind) {
    shownKind = kind;
    shownText = ws.Schemes.OfKind(kind).Text;
    groupBox1->setTitle(SchemeName(kind));
    // Replacing the text is not an edit: nothing may be written back while the box holds a
    // mix of the old and the new scheme. Setting the text also clears the box's undo
    // history, so an undo cannot bring another scheme's text back.
    const QSignalBlocker blocker(schemeMemo);
    schemeMemo->setPlainText(BoxText(shownText));
}

TScheme& TSchemeEditorForm::ShownScheme() { return ws.Schemes.OfKind(shownKind); }

void TSchemeEditorForm::BoxEdited() {
    // A scheme replaced behind the box's back is never overwritten with the box's old text;
    // the user sees the new text instead.
    if (ShownScheme().Text != shownText) {
        Fill(shownKind);
        return;
    }
    shownText = LinesOf(schemeMemo);
    ShownScheme().Text = shownText;
}

bool TSchemeEditorForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == groupBox1 && event->type() == QEvent::Show) ShowReplacedScheme();
    return QDialog::eventFilter(watched, event);
}

void TSchemeEditorForm::Open() {
    const TFileDialogSetup setup{SchemeFileFilter(shownKind), SchemeFileSuffix(shownKind), ""};
    if (const auto path = AskOpenPath(groupBox1, setup)) LoadFromFile(*path);
}

void TSchemeEditorForm::Save() {
    const TFileDialogSetup setup{SchemeFileFilter(shownKind), SchemeFileSuffix(shownKind), ""};
    if (const auto path = AskSavePath(groupBox1, setup)) SaveToFile(*path);
}

void TSchemeEditorForm::LoadFromFile(const std::string& path) {
    RunCommand([&] {
        LoadSchemeFile(ShownScheme(), path);
        Fill(shownKind);
    });
}

void TSchemeEditorForm::SaveToFile(const std::string& path) {
    RunCommand([&] { SaveSchemeFile(ShownScheme(), path); });
}

}  // namespace fsc
