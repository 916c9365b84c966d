// The image list panel ("Images" tab): the list, the preview, the per-image texts and
// switches, and the buttons that reorder, remove, clear and add. Every edit goes through
// the image list commands; the panel then shows the workspace again.
#pragma once

#include <QGroupBox>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace fsc {

class IAsk;
struct ImageListPanel;
struct Workspace;

class TImagesPanel : public QGroupBox {
    Q_OBJECT

public:
    // What adds pictures: `addImages` is the panel's own "Add"; `addFromMenu` is the main
    // window's "Add Images", which a click into the empty list or a right click also runs.
    struct TAddCommands {
        std::function<void()> AddImages;
        std::function<void()> AddFromMenu;
    };
    TImagesPanel(Workspace& ws, ImageListPanel& state, IAsk& ask, TAddCommands add,
                 QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

public:
    // Rebuilds the list from the image list and fills the fields of the selected image.
    void ShowImages();

private:
    void CreateControls();
    void ConnectCommands();
    QWidget* CreateAdvancedGroup();
    // Runs an image list command, then shows the result, also when the command failed.
    void Edit(const std::function<void()>& command);
    void ShowFields();
    void ShowPreview();
    void AdvancedOptionsClicked(bool checked);
    // After the advanced options were shown: the main window grows to show the whole panel.
    void GrowWindowToFit();

    Workspace& ws;
    ImageListPanel& state;
    IAsk& ask;
    TAddCommands add;
    bool pressAdded = false;
    QListWidget* imagesListBox = nullptr;
    QLabel* previewImage = nullptr;
    QLineEdit* nmEdit = nullptr;
    QLineEdit* fnEdit = nullptr;
    QLineEdit* hintEdit = nullptr;
    QPlainTextEdit* descEdit = nullptr;
    QCheckBox* noImageCheckBox = nullptr;
    QCheckBox* otherLinkCheckbox = nullptr;
    QLineEdit* otherLinkEdit = nullptr;
    QLineEdit* fieldAEdit = nullptr;
    QLineEdit* fieldBEdit = nullptr;
    QPlainTextEdit* fieldCMemo = nullptr;
    QCheckBox* showImageCheckBox = nullptr;
    QCheckBox* advancedCheckBox = nullptr;
    QWidget* advancedGroup = nullptr;
};

}  // namespace fsc
