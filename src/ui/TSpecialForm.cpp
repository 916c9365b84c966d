// The Special window, bound to the workspace's SpecialOptions.
#include "ui/TSpecialForm.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/Workspace.h"
#include "base/IAsk.h"
#include "ui/CommandGuard.h"
#include "ui/NamedWidget.h"
#include "ui/TWatermarkForm.h"

namespace fsc {

namespace {

constexpr const char* RightButtonStatement =
    "Warning: To disable the right mouse button does only help when \"Link to HTML\"";
constexpr const char* RightButtonQuestion = "under \"General\" is checked. Check \"Link to HTML\"?";

QGroupBox* NewGroup(const char* objectName, const char* title) {
    auto* group = Named<QGroupBox>(objectName, title);
    // Both groups are framed like every group on the tab page; a fixed fill colour of
    // their own made the palette's text unreadable in a dark theme.
    return group;
}

QLabel* Note(const char* text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

}  // namespace

TSpecialForm::TSpecialForm(Workspace& ws, IAsk& ask, TWatermarkForm& watermarkEditor,
                           std::function<void()> mainSettingsChanged, QWidget* parent)
    : QDialog(parent),
      ws(ws),
      ask(ask),
      watermarkEditor(watermarkEditor),
      mainSettingsChanged(std::move(mainSettingsChanged)) {
    setObjectName("SpecialForm");
    setWindowTitle("Special");
    metaTagsGroup = CreateMetaTags();
    protectGroup = CreateProtect();
    new QHBoxLayout(this);
    TakeBackPanels();
    connect(&watermarkEditor, &TWatermarkForm::TextLeft, this,
            [this] { Show(watermarkMemo, this->ws.Special.WatermarkText); });
}

void TSpecialForm::TakeBackPanels() {
    auto* own = static_cast<QHBoxLayout*>(layout());
    own->addWidget(metaTagsGroup, 0, Qt::AlignTop);
    own->addWidget(protectGroup, 0, Qt::AlignTop);
}

void TSpecialForm::ShowSettings() {
    for (const Refresher& refresh : refreshers) refresh();
}

QGroupBox* TSpecialForm::CreateMetaTags() {
    SpecialOptions& special = ws.Special;
    auto* group = NewGroup("MetaTagsGroupBox", "Meta Tags");
    auto* authorBox = Named<QCheckBox>("AuthorCheckBox", "Author");
    auto* authorEdit = Named<QLineEdit>("AuthorEdit");
    auto* keywordsBox = Named<QCheckBox>("KeywordsCheckBox", "Keywords (comma-seperated)");
    auto* keywordsEdit = Named<QLineEdit>("KeywordsEdit");
    auto* descriptionBox = Named<QCheckBox>("DescriptionCheckBox", "Description");
    auto* descriptionEdit = Named<QLineEdit>("DescriptionEdit");
    auto* nameBox = Named<QCheckBox>("KeywordsNameCheckBox", "use image name");
    auto* hintDescBox = Named<QCheckBox>("KeywordsHintDescCheckBox", "use hint && description");
    auto* hintBox = Named<QCheckBox>("DescriptionHintCheckBox", "use hint");
    refreshers.push_back(Bind(authorBox, special.MetaAuthor));
    refreshers.push_back(Bind(authorEdit, special.Author));
    refreshers.push_back(Bind(keywordsBox, special.MetaKeywords));
    refreshers.push_back(Bind(keywordsEdit, special.Keywords));
    refreshers.push_back(Bind(descriptionBox, special.MetaDescription));
    refreshers.push_back(Bind(descriptionEdit, special.Description));
    refreshers.push_back(Bind(nameBox, special.KeywordsFromName));
    refreshers.push_back(Bind(hintDescBox, special.KeywordsFromHintDesc));
    refreshers.push_back(Bind(hintBox, special.DescriptionWithHint));

    auto* layout = new QGridLayout(group);
    layout->addWidget(Note("Meta tags are not shown on the pages. Search engines read them to "
                           "find and describe your gallery."),
                      0, 0, 1, 2);
    layout->addWidget(Note("Every page gets the tags that are checked here."), 1, 0, 1, 2);
    layout->addWidget(authorBox, 2, 0);
    layout->addWidget(authorEdit, 2, 1);
    layout->addWidget(keywordsBox, 3, 0);
    layout->addWidget(keywordsEdit, 3, 1);
    auto* keywordRules = new QVBoxLayout;
    keywordRules->addWidget(new QLabel("image pages:"));
    keywordRules->addWidget(nameBox);
    keywordRules->addWidget(hintDescBox);
    layout->addLayout(keywordRules, 4, 1);
    layout->addWidget(descriptionBox, 5, 0);
    layout->addWidget(descriptionEdit, 5, 1);
    auto* descriptionRules = new QVBoxLayout;
    descriptionRules->addWidget(new QLabel("image pages:"));
    descriptionRules->addWidget(hintBox);
    layout->addLayout(descriptionRules, 6, 1);
    layout->setRowStretch(7, 1);
    layout->setColumnStretch(1, 1);
    return group;
}

QGroupBox* TSpecialForm::CreateProtect() {
    SpecialOptions& special = ws.Special;
    auto* group = NewGroup("ProtectGroupBox", "Protect your images");
    auto* rightButtonBox = Named<QCheckBox>("RightButtonCheckBox",
                                            "Disable Right Mouse Button. This is used to make it ");
    auto* messageEdit = Named<QLineEdit>("RightButtonMessageEdit");
    watermarkBox = Named<QCheckBox>("WatermarkCheckBox", "add a Watermark to your images");
    watermarkMemo = Named<QPlainTextEdit>("WatermarkMemo");
    watermarkMemo->installEventFilter(this);
    auto* editButton = Named<QPushButton>("EditWatermarkButton", "Edit Watermark Options");
    auto* locationBox = Named<QCheckBox>("RemoveLocationCheckBox", "remove location data");
    refreshers.push_back(Bind(rightButtonBox, special.DisableRightButton));
    refreshers.push_back(Bind(messageEdit, special.RightButtonMessage));
    refreshers.push_back(Bind(watermarkBox, special.Watermark));
    refreshers.push_back(Bind(locationBox, special.RemoveLocation));
    refreshers.push_back(Bind(watermarkMemo, special.WatermarkText,
                              [this] { RunCommand([this] { CopyTextToEditor(true); }); }));
    // Clicks only: the question and the copy belong to the user's act, not to a refill.
    connect(rightButtonBox, &QCheckBox::clicked, this,
            [this](bool checked) { RunCommand([this, checked] { RightButtonClicked(checked); }); });
    connect(watermarkBox, &QCheckBox::clicked, this,
            [this](bool checked) { RunCommand([this, checked] { WatermarkClicked(checked); }); });
    connect(editButton, &QPushButton::clicked, this,
            [this] { RunCommand([this] { EditWatermark(); }); });

    auto* layout = new QGridLayout(group);
    layout->addWidget(rightButtonBox, 0, 0, 1, 2);
    layout->addWidget(new QLabel("harder for visitors of the gallery to save images."), 1, 0, 1, 2);
    layout->addWidget(new QLabel("Error Message:"), 2, 0);
    layout->addWidget(messageEdit, 2, 1);
    layout->addWidget(new QLabel("Only makes sense if you USE \"Link to HTML\"!!!"), 3, 0, 1, 2);
    layout->addWidget(new QLabel("Please note, it does not work with all browsers."), 4, 0, 1, 2);
    layout->addWidget(watermarkBox, 5, 0, 1, 2);
    layout->addWidget(new QLabel("Text"), 6, 0, Qt::AlignTop);
    auto* textColumn = new QVBoxLayout;
    textColumn->addWidget(new QLabel("add your copyright notice, your URL or your logo"));
    textColumn->addWidget(watermarkMemo);
    layout->addLayout(textColumn, 6, 1);
    layout->addWidget(editButton, 7, 1, Qt::AlignLeft);
    layout->addWidget(locationBox, 8, 0, 1, 2);
    layout->addWidget(Note("The photos' GPS position is taken out of the copies, and pages do "
                           "not show it."),
                      9, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    return group;
}

void TSpecialForm::RightButtonClicked(bool checked) {
    // The script only guards pages; a thumbnail linking straight to the picture bypasses it.
    if (!checked || ws.Main.LinkToHTML) return;
    if (!ask.Ask(RightButtonStatement, RightButtonQuestion)) return;
    ws.Main.LinkToHTML = true;
    if (mainSettingsChanged) mainSettingsChanged();
}

void TSpecialForm::WatermarkClicked(bool checked) {
    CopyTextToEditor(false);
    // Copies written while the watermark was off carry none and are not otherwise seen as
    // out of date; dating the switch makes the next build stamp them.
    if (checked) watermarkEditor.RecordChange();
}

void TSpecialForm::CopyTextToEditor(bool refreshPreview) {
    watermarkEditor.TakeText(ws.Special.WatermarkText, refreshPreview);
}

void TSpecialForm::EditWatermark() {
    const bool wasOff = !ws.Special.Watermark;
    ws.Special.Watermark = true;
    {
        const QSignalBlocker blocker(watermarkBox);
        watermarkBox->setChecked(true);
    }
    CopyTextToEditor(false);
    // Switching on here is the same as clicking the switch: older copies lack the stamp.
    if (wasOff) watermarkEditor.RecordChange();
    watermarkEditor.exec();
    ws.Special.WatermarkText = ws.Watermark.Text;
    Show(watermarkMemo, ws.Special.WatermarkText);
}

bool TSpecialForm::eventFilter(QObject* watched, QEvent* event) {
    // Typing has already copied the text; leaving catches an editor that was changed since.
    if (watched == watermarkMemo && event->type() == QEvent::FocusOut &&
        ws.Watermark.Text != ws.Special.WatermarkText) {
        RunCommand([this] { CopyTextToEditor(true); });
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace fsc
