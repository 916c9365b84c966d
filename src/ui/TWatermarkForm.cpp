// The watermark editor, bound to the workspace's WatermarkOptions.
#include "ui/TWatermarkForm.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QEvent>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/Workspace.h"
#include "base/IClock.h"
#include "imaging/Watermark.h"
#include "imaging/WatermarkTestPicture.h"
#include "platform/ByteText.h"
#include "platform/QtTextRasteriser.h"
#include "ui/BitmapImage.h"
#include "ui/CommandGuard.h"
#include "ui/NamedWidget.h"

namespace fsc {

namespace {

// The size of the test picture, which the preview shows unscaled.
constexpr int PreviewWidth = 193;
constexpr int PreviewHeight = 137;

Refresher BindSlider(QSlider* slider, int& field, std::function<void()> changed) {
    Refresher refresh = [slider, &field] {
        const QSignalBlocker blocker(slider);
        slider->setValue(field);
        field = slider->value();
    };
    refresh();
    QObject::connect(slider, &QSlider::valueChanged, slider,
                     [&field, changed = std::move(changed)](int value) {
                         field = value;
                         changed();
                     });
    return refresh;
}

TWatermarkPositions Positions(const WatermarkOptions& options) {
    TWatermarkPositions positions{};
    positions[wpLeftTop] = options.LT;
    positions[wpLeftMiddle] = options.LM;
    positions[wpLeftBottom] = options.LB;
    positions[wpCenterTop] = options.CT;
    positions[wpCenterMiddle] = options.CM;
    positions[wpCenterBottom] = options.CB;
    positions[wpRightTop] = options.RT;
    positions[wpRightMiddle] = options.RM;
    positions[wpRightBottom] = options.RB;
    return positions;
}

QFont ToQFont(const TFontSpec& stored) {
    QFont font(BytesToQString(stored.Name));
    font.setPointSize(std::max(1, stored.Size));
    font.setBold(stored.Bold);
    font.setItalic(stored.Italic);
    font.setUnderline(stored.Underline);
    font.setStrikeOut(stored.StrikeOut);
    return font;
}

// Name, size and styles of the chosen font; its colour stays.
void TakeFont(const QFont& font, TFontSpec& stored) {
    stored.Name = QStringToBytes(font.family());
    // A font given in pixels has no point size; the stored sizes are points at 96 dpi.
    const int points =
        font.pointSize() > 0 ? font.pointSize() : int(std::lround(font.pixelSize() * 72.0 / 96.0));
    stored.Size = std::max(1, points);
    stored.Bold = font.bold();
    stored.Italic = font.italic();
    stored.Underline = font.underline();
    stored.StrikeOut = font.strikeOut();
}

}  // namespace

TWatermarkForm::TWatermarkForm(Workspace& ws, IClock& clock, QWidget* parent)
    : QDialog(parent), ws(ws), clock(clock), rasteriser(std::make_unique<QtTextRasteriser>()) {
    setObjectName("WatermarkForm");
    setWindowTitle("Watermark Editor");
    BindControls();
    RefreshPreview();
}

TWatermarkForm::~TWatermarkForm() = default;

void TWatermarkForm::BindControls() {
    WatermarkOptions& options = ws.Watermark;
    const auto refresh = [this] { RunCommand([this] { RefreshPreview(); }); };

    textMemo = Named<QPlainTextEdit>("TextMemo");
    textMemo->installEventFilter(this);
    refreshers.push_back(Bind(textMemo, options.Text, refresh));

    auto* transparencyBar = Named<QSlider>("TransparencyTrackBar", Qt::Horizontal);
    transparencyBar->setRange(MinWatermarkTransparency, MaxWatermarkTransparency);
    transparencyBar->setSingleStep(2);
    transparencyBar->setPageStep(10);
    transparencyBar->setTickInterval(10);
    transparencyBar->setTickPosition(QSlider::TicksBelow);
    auto* transparencyValue = Named<QLabel>("TransparencyLabel");
    transparencyValue->setMinimumWidth(transparencyValue->fontMetrics().horizontalAdvance("0000"));
    refreshers.push_back(BindSlider(transparencyBar, options.Transparency, refresh));
    // The number beside the slider follows it, also when a template moved the slider.
    const auto showValue = [transparencyValue, &options] {
        transparencyValue->setNum(options.Transparency);
    };
    showValue();
    refreshers.push_back(showValue);
    connect(transparencyBar, &QSlider::valueChanged, this, showValue);

    auto* adjustBox = Named<QCheckBox>("AdjustSizeCheckBox", "adjust watermark size to image size");
    refreshers.push_back(Bind(adjustBox, options.AdjustSize, refresh));

    auto* editFontButton = Named<QPushButton>("EditFontButton", "Edit Font");
    fontLabel = Named<QLabel>("FontLabel");
    connect(editFontButton, &QPushButton::clicked, this,
            [this] { RunCommand([this] { EditFont(); }); });
    auto* colourButton = Named<QPushButton>("FontColourButton", "Font Colour");
    colourSample = Named<QLabel>("FontColourSample");
    colourSample->setFixedSize(24, 16);
    colourSample->setAutoFillBackground(true);
    connect(colourButton, &QPushButton::clicked, this,
            [this] { RunCommand([this] { EditFontColour(); }); });

    previewImage = Named<QLabel>("PreviewImage");
    previewImage->setFixedSize(PreviewWidth, PreviewHeight);

    auto* controls = new QGridLayout;
    controls->addWidget(new QLabel("Text"), 0, 0, Qt::AlignTop);
    controls->addWidget(textMemo, 0, 1, 1, 3);
    controls->addWidget(new QLabel("Transparency"), 1, 0);
    controls->addWidget(transparencyBar, 1, 1, 1, 2);
    controls->addWidget(transparencyValue, 1, 3);
    controls->addWidget(adjustBox, 2, 1, 1, 3);
    controls->addWidget(editFontButton, 3, 0);
    controls->addWidget(fontLabel, 3, 1, 1, 3);
    controls->addWidget(colourButton, 4, 0);
    controls->addWidget(colourSample, 4, 1, Qt::AlignLeft);
    controls->addWidget(CreatePositions(), 5, 0, 1, 4);
    controls->setColumnStretch(2, 1);

    auto* previewGroup = Named<QGroupBox>("PreviewGroupBox", "Preview");
    auto* previewLayout = new QVBoxLayout(previewGroup);
    previewLayout->addWidget(previewImage);
    previewLayout->addStretch();

    auto* closeButton = Named<QPushButton>("CloseButton", "Close");
    closeButton->setDefault(true);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(closeButton);

    auto* body = new QHBoxLayout;
    body->addLayout(controls, 1);
    body->addWidget(previewGroup, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);
}

QWidget* TWatermarkForm::CreatePositions() {
    WatermarkOptions& options = ws.Watermark;
    struct Position {
        const char* ObjectName;
        const char* Caption;
        bool& Field;
        int Row;
        int Column;
    };
    const Position positions[] = {
        {"LTCheckBox", "left top", options.LT, 0, 0},
        {"LMCheckBox", "left middle", options.LM, 1, 0},
        {"LBCheckBox", "left bottom", options.LB, 2, 0},
        {"CTCheckBox", "center top", options.CT, 0, 1},
        {"CMCheckBox", "center middle", options.CM, 1, 1},
        {"CBCheckBox", "center bottom", options.CB, 2, 1},
        {"RTCheckBox", "right top", options.RT, 0, 2},
        {"RMCheckBox", "right middle", options.RM, 1, 2},
        {"RBCheckBox", "right bottom", options.RB, 2, 2},
    };
    auto* group = Named<QGroupBox>("PositionGroupBox", "Position");
    // Laid out as they lie on the picture, so each box sits where its watermark goes.
    auto* grid = new QGridLayout(group);
    for (const Position& position : positions) {
        auto* box = Named<QCheckBox>(position.ObjectName, position.Caption);
        refreshers.push_back(
            Bind(box, position.Field, [this] { RunCommand([this] { RefreshPreview(); }); }));
        grid->addWidget(box, position.Row, position.Column);
    }
    return group;
}

void TWatermarkForm::ShowOptions() {
    for (const Refresher& refresh : refreshers) refresh();
    RefreshPreview();
}

void TWatermarkForm::TakeText(const TStringList& text, bool refreshPreview) {
    ws.Watermark.Text = text;
    Show(textMemo, ws.Watermark.Text);
    if (refreshPreview) RefreshPreview();
}

void TWatermarkForm::RecordChange() { ws.Watermark.Changed = clock.Now(); }

void TWatermarkForm::RefreshPreview() {
    RecordChange();
    DrawPreview();
}

void TWatermarkForm::DrawPreview() {
    const WatermarkOptions& options = ws.Watermark;
    fontLabel->setText(QString::number(options.Font.Size) + " " +
                       BytesToQString(options.Font.Name));
    QPalette palette = colourSample->palette();
    palette.setColor(QPalette::Window,
                     QColor(options.Font.Red, options.Font.Green, options.Font.Blue));
    colourSample->setPalette(palette);
    TBitmap picture = WatermarkTestPicture();
    Stamp(picture, options.Text, Positions(options), options.AdjustSize, options.Font,
          options.Transparency, *rasteriser);
    preview = ToImage(picture);
    previewImage->setPixmap(QPixmap::fromImage(preview));
}

void TWatermarkForm::EditFont() {
    QFontDialog dialog(ToQFont(ws.Watermark.Font), this);
    dialog.setObjectName("FontDialog");
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted) return;
    TakeFont(dialog.selectedFont(), ws.Watermark.Font);
    RefreshPreview();
}

void TWatermarkForm::EditFontColour() {
    TFontSpec& font = ws.Watermark.Font;
    QColorDialog dialog(QColor(font.Red, font.Green, font.Blue), this);
    dialog.setObjectName("ColourDialog");
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted) return;
    const QColor colour = dialog.selectedColor();
    font.Red = std::uint8_t(colour.red());
    font.Green = std::uint8_t(colour.green());
    font.Blue = std::uint8_t(colour.blue());
    RefreshPreview();
}

bool TWatermarkForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == textMemo && event->type() == QEvent::FocusOut) {
        ws.Special.WatermarkText = ws.Watermark.Text;
        emit TextLeft();
    }
    return QDialog::eventFilter(watched, event);
}

void TWatermarkForm::showEvent(QShowEvent* event) {
    // A template or the Special window may have changed the settings while it was hidden.
    // Only showing them is no change, so copies already stamped stay valid.
    for (const Refresher& refresh : refreshers) refresh();
    DrawPreview();
    QDialog::showEvent(event);
}

}  // namespace fsc
