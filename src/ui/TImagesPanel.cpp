// The image list panel.
#include "ui/TImagesPanel.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include "app/ImageListEdit.h"
#include "app/ImageListPanel.h"
#include "app/Workspace.h"
#include "base/IAsk.h"
#include "imaging/GraphicsIO.h"
#include "imaging/ImageFitting.h"
#include "platform/ByteText.h"
#include "ui/Binders.h"
#include "ui/BitmapImage.h"
#include "ui/CommandGuard.h"
#include "ui/NamedWidget.h"

namespace fsc {

namespace {

// The preview's design size; pictures are shrunk into it, never enlarged.
constexpr int PreviewWidth = 225;
constexpr int PreviewHeight = 185;

QPixmap PreviewOf(const TBitmap& picture) {
    const QImage image = ToImage(picture);
    const TSize fitted = LimitSize(picture.Width, picture.Height, PreviewWidth, PreviewHeight);
    return QPixmap::fromImage(image.scaled(std::max(1, fitted.Width), std::max(1, fitted.Height),
                                           Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

}  // namespace

TImagesPanel::TImagesPanel(Workspace& ws, ImageListPanel& state, IAsk& ask, TAddCommands add,
                           QWidget* parent)
    : QGroupBox("Images", parent), ws(ws), state(state), ask(ask), add(std::move(add)) {
    setObjectName("GroupBox2");
    CreateControls();
    ConnectCommands();
    ShowImages();
}

void TImagesPanel::CreateControls() {
    imagesListBox = Named<QListWidget>("ImagesListBox");
    previewImage = Named<QLabel>("PreviewImage");
    previewImage->setFixedSize(PreviewWidth, PreviewHeight);
    previewImage->setAlignment(Qt::AlignCenter);
    nmEdit = Named<QLineEdit>("NmEdit");
    fnEdit = Named<QLineEdit>("FNEdit");
    fnEdit->setReadOnly(true);
    hintEdit = Named<QLineEdit>("HintEdit");
    descEdit = Named<QPlainTextEdit>("DescEdit");
    showImageCheckBox = Named<QCheckBox>("ShowImageCheckBox", "show image");
    advancedCheckBox = Named<QCheckBox>("AdvancedCheckBox", "show advanced options");

    auto* buttons = new QHBoxLayout;
    const std::pair<const char*, const char*> captions[] = {
        {"UpButton", "Up"},       {"DownButton", "Down"}, {"RemoveButton", "Remove"},
        {"ClearButton", "Clear"}, {"AddButton", "Add"},
    };
    for (const auto& [objectName, caption] : captions)
        buttons->addWidget(Named<QPushButton>(objectName, caption));

    auto* fields = new QFormLayout;
    fields->addRow("Save As:", nmEdit);
    fields->addRow("File:", fnEdit);
    fields->addRow("Hint:", hintEdit);
    fields->addRow("Description:", descEdit);
    fields->addRow(showImageCheckBox);
    fields->addRow(advancedCheckBox);

    auto* left = new QVBoxLayout;
    left->addWidget(imagesListBox, 1);
    left->addLayout(buttons);
    auto* right = new QVBoxLayout;
    right->addWidget(previewImage, 0, Qt::AlignHCenter);
    right->addLayout(fields);
    advancedGroup = CreateAdvancedGroup();
    right->addWidget(advancedGroup);
    right->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right, 1);
}

QWidget* TImagesPanel::CreateAdvancedGroup() {
    auto* group = Named<QGroupBox>("AdvancedGroup", "Advanced Image Options");
    noImageCheckBox = Named<QCheckBox>("noImageCheckBox", "no image");
    otherLinkCheckbox = Named<QCheckBox>("OtherLinkCheckbox", "other link:");
    otherLinkEdit = Named<QLineEdit>("OtherLinkEdit");
    fieldAEdit = Named<QLineEdit>("FieldAEdit");
    fieldBEdit = Named<QLineEdit>("FieldBEdit");
    fieldCMemo = Named<QPlainTextEdit>("FieldCMemo");
    fieldCMemo->setMaximumHeight(fieldCMemo->fontMetrics().height() * 4);
    auto* layout = new QGridLayout(group);
    layout->addWidget(noImageCheckBox, 0, 0, 1, 2);
    layout->addWidget(otherLinkCheckbox, 1, 0);
    layout->addWidget(otherLinkEdit, 1, 1);
    layout->addWidget(new QLabel("(empty link=no link)"), 2, 1);
    layout->addWidget(new QLabel("Field A:"), 3, 0);
    layout->addWidget(fieldAEdit, 3, 1);
    layout->addWidget(new QLabel("Field B:"), 4, 0);
    layout->addWidget(fieldBEdit, 4, 1);
    layout->addWidget(new QLabel("Field C:"), 5, 0);
    layout->addWidget(fieldCMemo, 5, 1);
    return group;
}

void TImagesPanel::ConnectCommands() {
    auto button = [this](const char* name) { return findChild<QPushButton*>(name); };
    connect(button("UpButton"), &QPushButton::clicked, this,
            [this] { Edit([this] { MoveImageUp(ws, state); }); });
    connect(button("DownButton"), &QPushButton::clicked, this,
            [this] { Edit([this] { MoveImageDown(ws, state); }); });
    connect(button("RemoveButton"), &QPushButton::clicked, this,
            [this] { Edit([this] { RemoveImage(ws, state); }); });
    connect(button("ClearButton"), &QPushButton::clicked, this,
            [this] { Edit([this] { ClearImages(ws, state); }); });
    connect(button("AddButton"), &QPushButton::clicked, this,
            [this] { RunCommand(add.AddImages); });
    imagesListBox->viewport()->installEventFilter(this);
    connect(imagesListBox, &QListWidget::currentRowChanged, this, [this](int row) {
        Edit([this, row] {
            state.ItemIndex = row;
            ShowSelection(ws, state);
        });
    });

    // Texts are stored as they are typed; the list shows a new name at once.
    auto text = [this](QLineEdit* edit, TImageText field) {
        connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& typed) {
            RunCommand([&] { EditImageText(ws, state, field, QStringToBytes(typed)); });
            if (field == TImageText::Name && imagesListBox->currentItem())
                imagesListBox->currentItem()->setText(typed);
        });
    };
    text(nmEdit, TImageText::Name);
    text(hintEdit, TImageText::Hint);
    text(otherLinkEdit, TImageText::OtherLink);
    text(fieldAEdit, TImageText::FieldA);
    text(fieldBEdit, TImageText::FieldB);
    auto memo = [this](QPlainTextEdit* edit, TImageText field) {
        connect(edit, &QPlainTextEdit::textChanged, this, [this, edit, field] {
            RunCommand([&] { EditImageText(ws, state, field, MemoText(edit)); });
        });
    };
    memo(descEdit, TImageText::Description);
    memo(fieldCMemo, TImageText::FieldC);
    connect(nmEdit, &QLineEdit::editingFinished, this,
            [this] { Edit([this] { LeaveNameField(ws, state); }); });

    auto toggle = [this](QCheckBox* box, TImageSwitch field) {
        connect(box, &QCheckBox::clicked, this, [this, field](bool on) {
            RunCommand([&] { EditImageSwitch(ws, state, field, on); });
        });
    };
    toggle(noImageCheckBox, TImageSwitch::noImage);
    toggle(otherLinkCheckbox, TImageSwitch::useOtherLink);
    connect(showImageCheckBox, &QCheckBox::clicked, this, [this](bool on) {
        state.ShowImage = on;
        Edit([this] { ShowSelection(ws, state); });
    });
    connect(advancedCheckBox, &QCheckBox::clicked, this,
            [this](bool on) { RunCommand([&] { AdvancedOptionsClicked(on); }); });
}

bool TImagesPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched != imagesListBox->viewport()) return QGroupBox::eventFilter(watched, event);
    // An empty list invites a click to fill it; a right click adds anywhere. A right click
    // into the empty list opens the dialog once, on the press.
    if (event->type() == QEvent::MouseButtonPress) {
        pressAdded = ws.Images.empty();
        if (!pressAdded) return false;
    } else if (event->type() == QEvent::MouseButtonRelease) {
        const bool rightButton = static_cast<QMouseEvent*>(event)->button() == Qt::RightButton;
        const bool add = rightButton && !pressAdded;
        pressAdded = false;
        if (!add) return false;
    } else {
        return false;
    }
    // Run after the mouse event is done, so the dialog does not open inside it.
    QTimer::singleShot(0, this, [this] { RunCommand(add.AddFromMenu); });
    return true;
}

void TImagesPanel::Edit(const std::function<void()>& command) {
    RunCommand(command);
    ShowImages();
}

void TImagesPanel::ShowImages() {
    const QSignalBlocker blocker(imagesListBox);
    QStringList names;
    for (const TThumbnail& thumb : ws.Images) names << BytesToQString(thumb.Name);
    QStringList shown;
    for (int row = 0; row < imagesListBox->count(); ++row)
        shown << imagesListBox->item(row)->text();
    if (names != shown) {
        imagesListBox->clear();
        imagesListBox->addItems(names);
    }
    const bool selected = state.ItemIndex >= 0 && state.ItemIndex < int(ws.Images.size());
    imagesListBox->setCurrentRow(selected ? state.ItemIndex : -1);
    imagesListBox->setToolTip(QString("%1 Images").arg(ws.Images.size()));
    {
        const QSignalBlocker showBlocker(showImageCheckBox);
        showImageCheckBox->setChecked(state.ShowImage);
    }
    {
        const QSignalBlocker advancedBlocker(advancedCheckBox);
        advancedCheckBox->setChecked(state.ShowAdvancedOptions);
    }
    advancedGroup->setVisible(state.ShowAdvancedOptions);
    ShowFields();
    ShowPreview();
}

void TImagesPanel::ShowFields() {
    const TThumbnail* thumb = SelectedImage(ws, state);
    const TThumbnail none;
    const TThumbnail& shown = thumb ? *thumb : none;
    Show(nmEdit, shown.Name);
    Show(fnEdit, shown.FileName);
    Show(hintEdit, shown.Hint);
    Show(descEdit, shown.Description);
    Show(otherLinkEdit, shown.OtherLink);
    Show(fieldAEdit, shown.FieldA);
    Show(fieldBEdit, shown.FieldB);
    Show(fieldCMemo, shown.FieldC);
    for (auto [box, value] : {std::pair{noImageCheckBox, shown.noImage},
                              std::pair{otherLinkCheckbox, shown.useOtherLink}}) {
        const QSignalBlocker boxBlocker(box);
        box->setChecked(value);
    }
}

void TImagesPanel::ShowPreview() {
    const TThumbnail* thumb = SelectedImage(ws, state);
    previewImage->clear();
    previewImage->setVisible(thumb && state.ShowImage);
    if (!previewImage->isVisibleTo(this)) return;
    // The panel shows what it can; a picture that cannot be read says why.
    RunCommand([&] { previewImage->setPixmap(PreviewOf(LoadPicture(thumb->FileName))); });
}

void TImagesPanel::AdvancedOptionsClicked(bool checked) {
    if (checked) {
        advancedGroup->setVisible(true);
        checked = ask.Ask("Advanced Image Options are only for experts.",
                          "Are you sure, you want to continue?");
    }
    state.ShowAdvancedOptions = checked;
    ShowImages();
    if (checked) GrowWindowToFit();
}

void TImagesPanel::GrowWindowToFit() {
    QWidget* ancestor = parentWidget();
    while (ancestor && !qobject_cast<QScrollArea*>(ancestor)) ancestor = ancestor->parentWidget();
    auto* page = static_cast<QScrollArea*>(ancestor);
    if (!page || !page->widget()) return;
    const int missing = page->widget()->sizeHint().height() - page->viewport()->height();
    if (missing <= 0) return;
    // The window grows by what the page lacks, but only while it stays on the screen; a
    // window that cannot grow enough keeps its size and the page scrolls.
    QWidget* top = window();
    const int frame = top->frameGeometry().height() - top->height();
    const int room = top->screen()->availableGeometry().bottom() - top->frameGeometry().top();
    const int needed = top->height() + missing;
    if (needed + frame < room) top->resize(top->width(), needed);
}

}  // namespace fsc
