// The per-image compression dialog.
#include "ui/TJPEGCompressionForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QVBoxLayout>
#include <optional>

#include "base/AppFolders.h"
#include "base/Paths.h"
#include "imaging/JpegPreview.h"
#include "imaging/PreviewPlacement.h"
#include "options/ProgramOptions.h"
#include "ui/BitmapImage.h"
#include "ui/CommandGuard.h"
#include "ui/DialogButtons.h"
#include "ui/NamedWidget.h"
#include "ui/TQualitySlider.h"

namespace fsc {

namespace {

constexpr TJpegPreset Presets[] = {TJpegPreset::WwwPhotoHigh, TJpegPreset::WwwPhotoNormal,
                                   TJpegPreset::WwwPhotoLow, TJpegPreset::WwwBackground};

// Room for a picture of a sensible size in each of the two boxes.
constexpr QSize PictureBoxMinimum(340, 280);

void ShowInScrollBox(QLabel* view, const QImage& image) {
    view->setPixmap(QPixmap::fromImage(image));
    view->adjustSize();
}

// Either box scrolls the other, so both always show the same part of the picture.
void KeepInStep(QScrollBar* one, QScrollBar* other) {
    QObject::connect(one, &QScrollBar::valueChanged, other, &QScrollBar::setValue);
    QObject::connect(other, &QScrollBar::valueChanged, one, &QScrollBar::setValue);
}

}  // namespace

TJPEGCompressionForm::TJPEGCompressionForm(const ProgramOptions& program, QWidget* parent)
    // On top even of the progress window, which stays on top while a build asks.
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), program(program) {
    setObjectName("JPEGCompressionForm");
    setWindowTitle("JPEG Compression");
    CreateControls();
    ConnectCommands();
}

std::string TJPEGCompressionForm::PreviewPath() { return JoinPath(StateFolder(), "temp.jpg"); }

QGroupBox* TJPEGCompressionForm::CreatePictureBox(const char* objectName, const QString& title,
                                                  QLabel*& fullView, QScrollArea*& scrollBox,
                                                  QLabel*& scrollView) {
    auto* box = Named<QGroupBox>(objectName, title);
    box->setMinimumSize(PictureBoxMinimum);
    // The whole picture is placed by the fitting rule, outside the box's layout; the 1:1
    // view fills the box and scrolls.
    const QString base = QString::fromLatin1(objectName).remove("GroupBox");
    fullView = new QLabel(box);
    fullView->setObjectName(base + "FullView");
    fullView->setScaledContents(true);
    scrollView = new QLabel;
    scrollView->setObjectName(base + "ScrollView");
    scrollBox = new QScrollArea;
    scrollBox->setObjectName(base + "ScrollBox");
    scrollBox->setWidget(scrollView);
    scrollBox->setVisible(false);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(scrollBox);
    box->installEventFilter(this);
    return box;
}

void TJPEGCompressionForm::CreateControls() {
    imageBox = CreatePictureBox("ImageGroupBox", "The Image", sourceFullView, sourceScrollBox,
                                sourceScrollView);
    previewBox = CreatePictureBox("PreviewGroupBox", "Preview", previewFullView, previewScrollBox,
                                  previewScrollView);

    trackBar = Named<TQualitySlider>("QualityTrackBar");
    trackBar->setRange(0, 100);
    trackBar->setValue(previewSettings.Quality);
    trackBar->setTickPosition(QSlider::TicksBelow);
    trackBar->setTickInterval(10);
    trackBar->setPageStep(10);
    trackBar->setToolTip("Choose the trade-off between quality and compression you want.");
    trackBar->setMinimumWidth(220);
    sizeLabel = Named<QLabel>("SizeLabel", "0 Bytes");
    sizeLabel->setMinimumWidth(sizeLabel->fontMetrics().horizontalAdvance("00000000000 Bytes"));
    previewButton = Named<QPushButton>("PreviewButton", "Press me for the preview");
    auto* compressionBox = Named<QGroupBox>("CompressionGroupBox", "Compression:");
    auto* scale = new QHBoxLayout;
    scale->addWidget(Named<QLabel>("LowQualityLabel", "Low Quality"));
    scale->addWidget(trackBar, 1);
    scale->addWidget(Named<QLabel>("HighQualityLabel", "High Quality"));
    auto* result = new QHBoxLayout;
    result->addWidget(previewButton);
    result->addWidget(sizeLabel, 1);
    auto* compressionLayout = new QVBoxLayout(compressionBox);
    compressionLayout->addLayout(scale);
    compressionLayout->addLayout(result);

    progressiveCheckBox = Named<QCheckBox>("ProgressiveCheckBox", "Progressive Encoding");
    progressiveCheckBox->setChecked(previewSettings.Progressive);
    progressiveCheckBox->setToolTip(
        "Image can be displayed progressively while decoding. Usually improves compression. ");
    presetComboBox = Named<QComboBox>("PresetComboBox");
    for (TJpegPreset preset : Presets) presetComboBox->addItem(JpegPresetCaption(preset));
    presetComboBox->setPlaceholderText("Defaults for WWW,...");
    presetComboBox->setCurrentIndex(-1);
    auto* otherBox = Named<QGroupBox>("OtherGroupBox", "Other Parameters:");
    auto* otherLayout = new QVBoxLayout(otherBox);
    otherLayout->addWidget(progressiveCheckBox);
    otherLayout->addWidget(presetComboBox);

    fullImageButton = Named<QRadioButton>("FullImageRadioButton", "Display Full Image");
    fullImageButton->setChecked(true);
    oneToOneButton = Named<QRadioButton>("OneToOneRadioButton", "1:1");
    auto* zoomBox = Named<QGroupBox>("ZoomGroupBox", "Zoom Preview ");
    auto* zoomLayout = new QVBoxLayout(zoomBox);
    zoomLayout->addWidget(fullImageButton);
    zoomLayout->addWidget(oneToOneButton);

    okButton = Named<QPushButton>("OKButton", "OK");
    cancelButton = Named<QPushButton>("CancelButton", "Cancel");
    allButton = Named<QPushButton>("AllButton", "OK, use for all images.");
    okButton->setDefault(true);

    auto* pictures = new QHBoxLayout;
    pictures->addWidget(imageBox, 1);
    pictures->addWidget(previewBox, 1);
    auto* controls = new QHBoxLayout;
    controls->addWidget(compressionBox, 1);
    controls->addWidget(otherBox);
    controls->addWidget(zoomBox);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pictures, 1);
    layout->addLayout(controls);
    layout->addWidget(PlatformButtonBox({{okButton, QDialogButtonBox::AcceptRole},
                                         {allButton, QDialogButtonBox::AcceptRole},
                                         {cancelButton, QDialogButtonBox::RejectRole}}));
}

void TJPEGCompressionForm::ConnectCommands() {
    connect(previewButton, &QPushButton::clicked, this, [this] { ComputePreview(); });
    // A click on either zoom choice recomputes, the one already chosen too.
    connect(fullImageButton, &QRadioButton::clicked, this, [this] { ComputePreview(); });
    connect(oneToOneButton, &QRadioButton::clicked, this, [this] { ComputePreview(); });
    connect(presetComboBox, &QComboBox::activated, this, [this](int index) { ApplyPreset(index); });
    KeepInStep(sourceScrollBox->horizontalScrollBar(), previewScrollBox->horizontalScrollBar());
    KeepInStep(sourceScrollBox->verticalScrollBar(), previewScrollBox->verticalScrollBar());
    connect(okButton, &QPushButton::clicked, this, [this] { done(OKCode); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { done(CancelCode); });
    connect(allButton, &QPushButton::clicked, this, [this] { done(AllCode); });
}

TCompressionChoice TJPEGCompressionForm::Execute(const TBitmap& shown) {
    picture = &shown;
    sourceImage = ToImage(shown);
    // Nothing of the previous picture may pass for this one's preview.
    previewImage = QImage();
    sizeLabel->setText("0 Bytes");
    ShowPictures();
    const int code = exec();
    picture = nullptr;
    sourceImage = QImage();
    previewImage = QImage();
    ShowPictures();
    TCompressionChoice choice;
    choice.Settings = previewSettings;
    choice.Result = code == AllCode  ? TCompressionResult::All
                    : code == OKCode ? TCompressionResult::OK
                                     : TCompressionResult::Cancel;
    return choice;
}

void TJPEGCompressionForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Coming back from being minimised is no new use of the dialog.
    if (event->spontaneous()) return;
    const int defaultCompression = program.JPEGCompression;
    trackBar->SetMark(defaultCompression > MinJPEGCompression
                          ? std::optional<int>(defaultCompression)
                          : std::nullopt);
    ComputePreview();
}

bool TJPEGCompressionForm::eventFilter(QObject* watched, QEvent* event) {
    // A larger dialog shows the whole picture larger, without compressing again.
    if (event->type() == QEvent::Resize && (watched == imageBox || watched == previewBox)) {
        PlaceFullImages();
    }
    return QDialog::eventFilter(watched, event);
}

void TJPEGCompressionForm::ComputePreview() {
    RunCommand([this] {
        if (!picture) return;
        const TJpegSettings settings{trackBar->value(), progressiveCheckBox->isChecked()};
        const TJpegPreview preview = CompressPreview(*picture, settings, PreviewPath());
        // Only a preview that reached the screen counts, so the size, the picture and the
        // settings handed back always belong together.
        previewImage = ToImage(preview.Picture);
        previewSettings = settings;
        sizeLabel->setText(QString::number(preview.FileSize) + " Bytes");
    });
    // The zoom choice holds even when the preview failed.
    ShowPictures();
}

void TJPEGCompressionForm::ShowPictures() {
    const bool full = fullImageButton->isChecked();
    sourceFullView->setVisible(full);
    previewFullView->setVisible(full);
    sourceScrollBox->setVisible(!full);
    previewScrollBox->setVisible(!full);
    if (full) {
        sourceFullView->setPixmap(QPixmap::fromImage(sourceImage));
        previewFullView->setPixmap(QPixmap::fromImage(previewImage));
        PlaceFullImages();
        return;
    }
    // New pictures would move the boxes back to the top left; the place the user scrolled
    // to in the picture's box is kept for both.
    QScrollBar* across = sourceScrollBox->horizontalScrollBar();
    QScrollBar* down = sourceScrollBox->verticalScrollBar();
    const QPoint kept(across->value(), down->value());
    ShowInScrollBox(sourceScrollView, sourceImage);
    ShowInScrollBox(previewScrollView, previewImage);
    across->setValue(kept.x());
    down->setValue(kept.y());
}

void TJPEGCompressionForm::PlaceFullImages() {
    // The preview is the decoded copy of the picture, so both take the picture's size.
    const auto place = [this](QLabel* view, const QGroupBox* box) {
        const TPlacement placement = FullImagePlacement(sourceImage.width(), sourceImage.height(),
                                                        box->width(), box->height());
        view->setGeometry(placement.Left, placement.Top, placement.Width, placement.Height);
    };
    place(sourceFullView, imageBox);
    place(previewFullView, previewBox);
}

void TJPEGCompressionForm::ApplyPreset(int index) {
    if (index < 0 || index >= int(std::size(Presets))) return;
    const TJpegSettings settings = JpegPresetSettings(Presets[index], program.JPEGCompression);
    trackBar->setValue(settings.Quality);
    progressiveCheckBox->setChecked(settings.Progressive);
    // The list names no state of its own; it goes back to its prompt, ready for the next
    // choice, instead of naming a preset the slider may since have left.
    presetComboBox->setCurrentIndex(-1);
}

}  // namespace fsc
