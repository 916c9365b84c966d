// The template file manager: the extra pages and plain files the current template adds to a
// gallery, and whether the index page is the gallery. Its panel lives on the main window's
// "File Manager" tab; every change goes straight into the current template.
#pragma once

#include <QDialog>

class QLineEdit;
class QRadioButton;
class QTableWidget;

namespace fsc {

class IAsk;
class IMessages;
class IRandom;
class TFileEditorEditForm;
struct Workspace;

class TFileEditorForm : public QDialog {
    Q_OBJECT

public:
    // `random` makes the gallery page name created when the index stops being the gallery.
    TFileEditorForm(Workspace& ws, IAsk& ask, IMessages& messages, IRandom& random,
                    QWidget* parent = nullptr);

    // The panel the main window places on its "File Manager" tab.
    QWidget* Panel() const { return panel; }
    // "Edit File Parameters", which "Add" and "Edit " open.
    TFileEditorEditForm& EditForm() const { return *editForm; }

    // Shows the current template again: the file rows, the radio buttons and the gallery
    // name. For tab switches and after a template was applied.
    void Refresh();

private:
    QWidget* CreatePanel();
    QWidget* CreateGalleryGroup();
    void AddFile();
    void RemoveFile();
    void EditFile();
    void IndexIsGalleryClicked();
    void GalleryNameEdited();
    // The current row counted as the file list counts it: the header row, the divider, then
    // the files. No current row counts as the header, where the commands do nothing.
    int CurrentListRow() const;

    Workspace& ws;
    IAsk& ask;
    IMessages& messages;
    IRandom& random;
    TFileEditorEditForm* editForm;
    QWidget* panel;
    QTableWidget* stringGrid1 = nullptr;
    QRadioButton* indexIsGalleryButton = nullptr;
    QRadioButton* indexIsNotGalleryButton = nullptr;
    QLineEdit* galleryNameEdit = nullptr;
};

}  // namespace fsc
