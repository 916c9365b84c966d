// The dialog "Create gallery for all images in a directory": one gallery in every folder of
// a tree, built from the pictures where they lie.
#pragma once

#include <QDialog>
#include <vector>

#include "tools/DirectoryTreeGalleries.h"
#include "ui/Binders.h"

namespace fsc {

struct ImageListPanel;
struct TCommandServices;
struct Workspace;

class TCreateGalleryForImagesInDirForm : public QDialog {
    Q_OBJECT

public:
    // The tool works on the main window's workspace and image list, and builds through its
    // services; it puts the user's gallery back when it is done.
    TCreateGalleryForImagesInDirForm(Workspace& ws, ImageListPanel& panel,
                                     TCommandServices& services, QWidget* parent = nullptr);

    DirectoryTreeOptions& Options() { return options; }

private:
    void CreateControls();
    void SelectDirectory();
    // "OK": runs the tool; the dialog closes whatever the outcome, also after an input error.
    void RunTool();
    void ShowHelp();
    void ShowOptions();

    Workspace& ws;
    ImageListPanel& panel;
    TCommandServices& services;
    DirectoryTreeOptions options;
    std::vector<Refresher> refreshers;
};

}  // namespace fsc
