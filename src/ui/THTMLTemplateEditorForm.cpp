// The HTML template editor window and its panel.
#include "ui/THTMLTemplateEditorForm.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextDocument>
#include <QVBoxLayout>
#include <optional>

#include "app/Workspace.h"
#include "base/Files.h"
#include "platform/ByteText.h"
#include "templates/HTMLTemplateEditor.h"
#include "ui/Binders.h"
#include "ui/CommandGuard.h"
#include "ui/FileDialogs.h"
#include "ui/NamedWidget.h"

namespace fsc {

namespace {

const TFileDialogSetup HTMLFileDialog{"HTML|*.html;*.htm", "html", {}};

// Every line followed by a line break: splitting that text again gives the same lines,
// including empty ones at the end.
std::string BoxBytes(const TStringList& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += '\n';
    }
    return text;
}

// Characters of a Latin-1 text go back to their single bytes; a character typed beyond
// Latin-1 has no such byte and is stored as UTF-8.
std::string Latin1Bytes(const QString& text) {
    std::string bytes;
    for (const char32_t code : text.toUcs4()) {
        if (code < 256) {
            bytes += char(code);
        } else {
            bytes += QString::fromUcs4(&code, 1).toStdString();
        }
    }
    return bytes;
}

}  // namespace

THTMLTemplateEditorForm::THTMLTemplateEditorForm(Workspace& ws, std::function<void()> showHelp,
                                                 QWidget* parent)
    : QDialog(parent), ws(ws), showHelp(std::move(showHelp)) {
    setObjectName("HTMLTemplateEditorForm");
    setWindowTitle("HTML Templates");
    panel = CreatePanel();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    ShowEditor();
}

QWidget* THTMLTemplateEditorForm::CreatePanel() {
    auto* group = Named<QGroupBox>("HTMLTemplateGroupBox");
    auto* note1 = Named<QLabel>(
        "HTMLNoteLabel1",
        "Edit all HTML files or HTML templates in the gallery. For more info, see help.");
    auto* note2 =
        Named<QLabel>("HTMLNoteLabel2",
                      "You can use any template parameter or general scheme tags in these files. ");
    pageComboBox = Named<QComboBox>("PageComboBox");
    pageComboBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(pageComboBox, &QComboBox::activated, this, &THTMLTemplateEditorForm::PageChosen);
    auto* openButton = Named<QPushButton>("OpenHTMLButton", "Open");
    auto* saveButton = Named<QPushButton>("SaveHTMLButton", "Save");
    auto* helpButton = Named<QPushButton>("HTMLHelpButton", "Help");
    connect(openButton, &QPushButton::clicked, this, [this] { OpenFile(); });
    connect(saveButton, &QPushButton::clicked, this, [this] { SaveFile(); });
    connect(helpButton, &QPushButton::clicked, this, [this] { showHelp(); });
    helpButton->setEnabled(bool(showHelp));
    // Return belongs to the text box and the page list, never to a button.
    for (QPushButton* button : {openButton, saveButton, helpButton}) button->setAutoDefault(false);

    htmlMemo = Named<QPlainTextEdit>("HTMLMemo");
    htmlMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    htmlMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    htmlMemo->setMinimumSize(560, 300);
    // Every edit lands in the template at once, so a build never misses the last keystroke.
    connect(htmlMemo, &QPlainTextEdit::textChanged, this, &THTMLTemplateEditorForm::TextEdited);

    auto* controls = new QHBoxLayout;
    controls->addWidget(pageComboBox);
    controls->addStretch();
    controls->addWidget(openButton);
    controls->addWidget(saveButton);
    controls->addWidget(helpButton);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(note1);
    layout->addWidget(note2);
    layout->addLayout(controls);
    layout->addWidget(htmlMemo, 1);
    return group;
}

void THTMLTemplateEditorForm::Reload() {
    ReloadHTMLTemplateEditor(ws.TemplateEditor, ws.Template);
    ShowEditor();
}

void THTMLTemplateEditorForm::ShowChanges() {
    if (ModelMovedOn()) ShowEditor();
}

void THTMLTemplateEditorForm::ShowEditor() {
    const HTMLTemplateEditor& editor = ws.TemplateEditor;
    {
        const QSignalBlocker blocker(pageComboBox);
        QStringList entries;
        for (const std::string& entry : editor.Pages) entries << BytesToQString(entry);
        pageComboBox->clear();
        pageComboBox->addItems(entries);
        pageComboBox->setCurrentIndex(editor.ItemIndex);
    }
    shownPages = editor.Pages;
    shownIndex = editor.ItemIndex;
    ShowText();
}

void THTMLTemplateEditorForm::ShowText() {
    const std::string bytes = BoxBytes(ws.TemplateEditor.Text);
    const QString text = BytesToQString(bytes);
    latin1Text = text.toStdString() != bytes;
    {
        const QSignalBlocker blocker(htmlMemo);
        htmlMemo->setPlainText(text);
    }
    shownText = ws.TemplateEditor.Text;
}

bool THTMLTemplateEditorForm::ModelMovedOn() const {
    const HTMLTemplateEditor& editor = ws.TemplateEditor;
    return editor.ItemIndex != shownIndex || editor.Pages != shownPages || editor.Text != shownText;
}

TStringList THTMLTemplateEditorForm::BoxLines() const {
    // The raw text keeps non-breaking spaces, which the plain text turns into blanks.
    QString text = htmlMemo->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, '\n');
    return SplitLines(latin1Text ? Latin1Bytes(text) : QStringToBytes(text));
}

void THTMLTemplateEditorForm::PageChosen(int index) {
    // The list no longer matches the template (a build or the file manager reloaded the
    // editor): show what is there now instead of guessing which entry was meant.
    if (ModelMovedOn()) {
        ShowEditor();
        return;
    }
    ChooseEditorPage(ws.TemplateEditor, ws.Template, index);
    shownIndex = ws.TemplateEditor.ItemIndex;
    ShowText();
}

void THTMLTemplateEditorForm::TextEdited() {
    // A box showing an entry the editor no longer targets must not write into whatever it
    // targets now; the user sees the current text instead.
    if (ModelMovedOn()) {
        ShowEditor();
        return;
    }
    StoreEditorText(ws.TemplateEditor, ws.Template, BoxLines());
    shownText = ws.TemplateEditor.Text;
}

void THTMLTemplateEditorForm::OpenFile() {
    if (ModelMovedOn()) ShowEditor();
    const std::optional<std::string> path = AskOpenPath(panel, HTMLFileDialog);
    if (!path) return;
    // A file that cannot be read leaves the box and the template as they were.
    RunCommand([&] { OpenEditorFile(ws.TemplateEditor, ws.Template, *path); });
    ShowText();
}

void THTMLTemplateEditorForm::SaveFile() {
    const std::optional<std::string> path = AskSavePath(panel, HTMLFileDialog);
    if (!path) return;
    // What the box shows is what the user means to keep, whatever the template holds.
    RunCommand([&] { SaveLines(*path, BoxLines()); });
}

}  // namespace fsc
