// The per-image compression dialog "JPEG Compression": the picture and its compressed
// preview side by side with the preview file's size, a quality slider, progressive
// encoding and a list of presets.
#pragma once

#include <QDialog>
#include <QImage>
#include <string>

#include "engine/IJpegCompressionDialog.h"
#include "imaging/JpegQuality.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollArea;

namespace fsc {

struct ProgramOptions;
class TQualitySlider;

class TJPEGCompressionForm : public QDialog, public IJpegCompressionDialog {
    Q_OBJECT

public:
    // The program options give the default compression the slider marks and the presets
    // start from; they are read at every use, so a changed option holds at once.
    explicit TJPEGCompressionForm(const ProgramOptions& program, QWidget* parent = nullptr);

    // Shows the picture modally. The settings returned are those of the last preview the
    // user saw, not the slider's: a slider moved without a new preview does not count.
    TCompressionChoice Execute(const TBitmap& picture) override;

    // Where the preview file goes: "temp.jpg" in the per-user state folder.
    static std::string PreviewPath();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The ways out, as exec() returns them.
    enum TExitCode { CancelCode = QDialog::Rejected, OKCode = QDialog::Accepted, AllCode };

    void CreateControls();
    void ConnectCommands();
    QGroupBox* CreatePictureBox(const char* objectName, const QString& title, QLabel*& fullView,
                                QScrollArea*& scrollBox, QLabel*& scrollView);
    // Compresses with the slider and check box, through the preview file; a failure is
    // shown and leaves the last preview as it was.
    void ComputePreview();
    // Puts both pictures where the zoom choice wants them.
    void ShowPictures();
    void PlaceFullImages();
    void ApplyPreset(int index);

    const ProgramOptions& program;
    // The picture of the running Execute; only valid while the dialog is shown.
    const TBitmap* picture = nullptr;
    QImage sourceImage;
    QImage previewImage;
    // What the shown preview was compressed with; the slider and check box start the same.
    TJpegSettings previewSettings{50, true};

    QGroupBox* imageBox;
    QGroupBox* previewBox;
    QLabel* sourceFullView;
    QLabel* previewFullView;
    QScrollArea* sourceScrollBox;
    QScrollArea* previewScrollBox;
    QLabel* sourceScrollView;
    QLabel* previewScrollView;
    TQualitySlider* trackBar;
    QLabel* sizeLabel;
    QPushButton* previewButton;
    QCheckBox* progressiveCheckBox;
    QComboBox* presetComboBox;
    QRadioButton* fullImageButton;
    QRadioButton* oneToOneButton;
    QPushButton* okButton;
    QPushButton* cancelButton;
    QPushButton* allButton;
};

}  // namespace fsc
