// The "Special" window: the meta tags of the pages, the right mouse button script and the
// watermark switch and text. Its two groups live on the main window's "Special" tab.
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "ui/Binders.h"

class QAbstractButton;
class QGroupBox;
class QPlainTextEdit;

namespace fsc {

class IAsk;
class TWatermarkForm;
struct Workspace;

class TSpecialForm : public QDialog {
    Q_OBJECT

public:
    // `watermarkEditor` is kept in step with the watermark text and opened by "Edit
    // Watermark Options". `mainSettingsChanged` runs after the right-button question turned
    // "link to HTML, not Image" on, so the "General" panel can show it.
    TSpecialForm(Workspace& ws, IAsk& ask, TWatermarkForm& watermarkEditor,
                 std::function<void()> mainSettingsChanged = {}, QWidget* parent = nullptr);

    // The groups the main window places on its "Special" tab.
    QGroupBox* MetaTagsPanel() const { return metaTagsGroup; }
    QGroupBox* ProtectPanel() const { return protectGroup; }
    // Puts both groups back into this window, for showing it on its own.
    void TakeBackPanels();

    // Re-fills every control from the workspace, after a command replaced its values.
    void ShowSettings();

    // "Edit Watermark Options": switches the watermark on and edits it in the editor.
    void EditWatermark();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* CreateMetaTags();
    QGroupBox* CreateProtect();
    void RightButtonClicked(bool checked);
    void WatermarkClicked(bool checked);
    // The editor's text follows this window's; its preview only on request.
    void CopyTextToEditor(bool refreshPreview);

    Workspace& ws;
    IAsk& ask;
    TWatermarkForm& watermarkEditor;
    std::function<void()> mainSettingsChanged;
    std::vector<Refresher> refreshers;
    QGroupBox* metaTagsGroup;
    QGroupBox* protectGroup;
    QAbstractButton* watermarkBox = nullptr;
    QPlainTextEdit* watermarkMemo = nullptr;
};

}  // namespace fsc
