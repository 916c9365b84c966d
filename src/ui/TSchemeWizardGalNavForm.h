// The scheme wizard's page contents: the gallery group (where the navigation goes), the
// navigation group (which page links) and the image/thumbnail group (texts and fields around
// the picture, in two layouts). The scheme wizard borrows one group per page; this window
// only hosts them.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "templates/SchemeWizard.h"
#include "ui/Binders.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;

namespace fsc {

struct Workspace;

class TSchemeWizardGalNavForm : public QDialog {
    Q_OBJECT

public:
    explicit TSchemeWizardGalNavForm(Workspace& ws, QWidget* parent = nullptr);

    QGroupBox* GalleryPanel() const { return galleryGroup; }
    QGroupBox* NavigationPanel() const { return navigationGroup; }
    QGroupBox* ImagePanel() const { return imageGroup; }

    // The image/thumbnail group shows `set` and gives its values back into one.
    void LoadImageSet(const TImageWizardSet& set);
    void StoreImageSet(TImageWizardSet& set) const;
    // The gallery and navigation groups show the workspace's choices again.
    void ShowChoices();

private:
    QGroupBox* CreateGallery();
    QGroupBox* CreateNavigation();
    QGroupBox* CreateImage();
    QLineEdit* Text(const char* objectName, std::string& (*field)(TImageWizardSet&));
    QComboBox* Field(const char* objectName, TWizardField& (*field)(TImageWizardSet&));

    Workspace& ws;
    std::vector<Refresher> refreshers;
    QGroupBox* galleryGroup;
    QGroupBox* navigationGroup;
    QGroupBox* imageGroup;
    QRadioButton* layoutAButton = nullptr;
    QRadioButton* layoutBButton = nullptr;
    // Every text and field control with the member of a set it stands for.
    std::vector<std::pair<QLineEdit*, std::string& (*)(TImageWizardSet&)>> texts;
    std::vector<std::pair<QComboBox*, TWizardField& (*)(TImageWizardSet&)>> fields;
};

}  // namespace fsc
