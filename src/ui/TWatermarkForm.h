// The "Watermark Editor": the watermark's text, font, transparency, size rule and the nine
// positions, with a preview of the stamp on a test picture that follows every change.
#pragma once

#include <QDialog>
#include <QImage>
#include <memory>
#include <vector>

#include "base/TStringList.h"
#include "ui/Binders.h"

class QLabel;
class QPlainTextEdit;

namespace fsc {

class IClock;
class QtTextRasteriser;
struct Workspace;

class TWatermarkForm : public QDialog {
    Q_OBJECT

public:
    // `clock` dates every change, so that a build makes copies stamped before it again.
    TWatermarkForm(Workspace& ws, IClock& clock, QWidget* parent = nullptr);
    ~TWatermarkForm() override;

    // Re-fills the controls from the workspace and stamps the preview again, e.g. after a
    // template or a project replaced the watermark settings.
    void ShowOptions();
    // The Special window's text becomes the editor's; the preview follows on request.
    void TakeText(const TStringList& text, bool refreshPreview);
    // Dates a change of the watermark that the preview does not show (the Special window's
    // switch), so the next build stamps copies made before it.
    void RecordChange();
    // What the preview box shows now.
    QImage PreviewPicture() const { return preview; }

    // "Edit Font": the font dialog; OK takes its name, size and styles, Cancel keeps them.
    void EditFont();
    // The font colour, which Qt's font dialog leaves out: the colour dialog.
    void EditFontColour();

signals:
    // The user left the text box; its text is now also the Special window's.
    void TextLeft();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BindControls();
    QWidget* CreatePositions();
    // Records the change time, then draws the preview.
    void RefreshPreview();
    // Shows the font, stamps the test picture with the current settings and shows it.
    void DrawPreview();

    Workspace& ws;
    IClock& clock;
    std::unique_ptr<QtTextRasteriser> rasteriser;
    std::vector<Refresher> refreshers;
    QPlainTextEdit* textMemo = nullptr;
    QLabel* fontLabel = nullptr;
    QLabel* colourSample = nullptr;
    QLabel* previewImage = nullptr;
    QImage preview;
};

}  // namespace fsc
