// The scheme wizard's page contents.
#include "ui/TSchemeWizardGalNavForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "app/Workspace.h"
#include "platform/ByteText.h"
#include "ui/NamedWidget.h"

// A text or field control for one member of the image/thumbnail set.
#define SET_TEXT(part, name) \
    Text(#part #name "Edit", [](TImageWizardSet& set) -> std::string& { return set.part.name; })
#define SET_FIELD(part, name)     \
    Field(#part #name "ComboBox", \
          [](TImageWizardSet& set) -> TWizardField& { return set.part.name; })

namespace fsc {

TSchemeWizardGalNavForm::TSchemeWizardGalNavForm(Workspace& ws, QWidget* parent)
    : QDialog(parent), ws(ws) {
    setObjectName("SchemeWizardGalNavForm");
    setWindowTitle("Scheme Wizard");
    galleryGroup = CreateGallery();
    navigationGroup = CreateNavigation();
    imageGroup = CreateImage();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(galleryGroup);
    layout->addWidget(navigationGroup);
    layout->addWidget(imageGroup);
    LoadImageSet(ws.SchemeWizard.ImageSet);
}

QGroupBox* TSchemeWizardGalNavForm::CreateGallery() {
    auto* group = Named<QGroupBox>("GalleryWizardGroupBox", "Gallery");
    SchemeWizardSettings& choices = ws.SchemeWizard;
    const std::pair<const char*, TNavigationPlacement> placements[] = {
        {"Navigation on top", TNavigationPlacement::OnTop},
        {"Navigation on bottom", TNavigationPlacement::OnBottom},
        {"nav. on top and bottom ", TNavigationPlacement::TopAndBottom},
        {"no navigation", TNavigationPlacement::None},
    };
    auto* layout = new QVBoxLayout(group);
    int index = 0;
    for (const auto& [caption, placement] : placements) {
        const QString name = QString("PlacementRadioButton%1").arg(++index);
        auto* button = Named<QRadioButton>(name.toLatin1().constData(), caption);
        refreshers.push_back(BindChoice(button, choices.Placement, placement));
        layout->addWidget(button);
    }
    auto* centered = Named<QCheckBox>("CenteredCheckBox", "gallery is centered");
    refreshers.push_back(Bind(centered, choices.Centered));
    layout->addWidget(centered);
    layout->addStretch();
    return group;
}

QGroupBox* TSchemeWizardGalNavForm::CreateNavigation() {
    auto* group = Named<QGroupBox>("NavigationWizardGroupBox", "Navigation");
    SchemeWizardSettings& choices = ws.SchemeWizard;
    auto* previousNext = Named<QRadioButton>("PreviousNextRadioButton", "Previous Next");
    auto* allNumbers =
        Named<QRadioButton>("AllNumbersRadioButton", "Previous 1 2  3 -  5 6 7 Next");
    auto* nearNumbers = Named<QRadioButton>("NearNumbersRadioButton", "like above, but only the ");
    auto* nearPages = Named<QSpinBox>("NearPagesSpinEdit");
    nearPages->setRange(MinNearPages, MaxNearPages);
    refreshers.push_back(
        BindChoice(previousNext, choices.Navigation, TNavigationStyle::PreviousNext));
    refreshers.push_back(BindChoice(allNumbers, choices.Navigation, TNavigationStyle::AllNumbers));
    refreshers.push_back(
        BindChoice(nearNumbers, choices.Navigation, TNavigationStyle::NearNumbers));
    refreshers.push_back(Bind(nearPages, choices.NearPages));
    auto* nearRow = new QHBoxLayout;
    nearRow->addWidget(nearNumbers);
    nearRow->addWidget(nearPages);
    nearRow->addWidget(new QLabel("previous and "));
    nearRow->addStretch();
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(previousNext);
    layout->addWidget(allNumbers);
    layout->addLayout(nearRow);
    layout->addWidget(new QLabel("next galleries are listed."));
    layout->addStretch();
    return group;
}

QLineEdit* TSchemeWizardGalNavForm::Text(const char* objectName,
                                         std::string& (*field)(TImageWizardSet&)) {
    auto* edit = Named<QLineEdit>(objectName);
    texts.emplace_back(edit, field);
    return edit;
}

QComboBox* TSchemeWizardGalNavForm::Field(const char* objectName,
                                          TWizardField& (*field)(TImageWizardSet&)) {
    auto* box = Named<QComboBox>(objectName);
    for (const char* caption : WizardFieldCaptions) box->addItem(caption);
    fields.emplace_back(box, field);
    return box;
}

QGroupBox* TSchemeWizardGalNavForm::CreateImage() {
    auto* group = Named<QGroupBox>("ImageWizardGroupBox", "Texts and fields");
    layoutAButton = Named<QRadioButton>("LayoutARadioButton", "Layout A: picture above the text");
    layoutBButton = Named<QRadioButton>("LayoutBRadioButton", "Layout B: picture in a table");

    // Layout A: three rows under the picture.
    auto* a = new QGridLayout;
    a->addWidget(new QLabel("[ picture ]"), 0, 0, 1, 5, Qt::AlignCenter);
    const std::vector<std::vector<QWidget*>> rowsA = {
        {SET_TEXT(A, LO), SET_FIELD(A, FieldLO), SET_TEXT(A, MO), SET_FIELD(A, FieldRO),
         SET_TEXT(A, RO)},
        {SET_TEXT(A, LM), SET_FIELD(A, FieldLM), SET_TEXT(A, MM), SET_FIELD(A, FieldRM),
         SET_TEXT(A, RM)},
        {SET_TEXT(A, LU), SET_FIELD(A, FieldMU), SET_TEXT(A, RU)},
    };
    for (int row = 0; row < int(rowsA.size()); ++row)
        for (int column = 0; column < int(rowsA[row].size()); ++column)
            a->addWidget(rowsA[row][column], row + 1, column);

    // Layout B: top, left, right and bottom cells around the picture.
    auto cell = [](std::vector<QWidget*> parts) {
        auto* row = new QHBoxLayout;
        for (QWidget* part : parts) row->addWidget(part);
        return row;
    };
    auto* b = new QGridLayout;
    b->addLayout(cell({SET_TEXT(B, LO), SET_FIELD(B, FieldMO), SET_TEXT(B, RO)}), 0, 0, 1, 3);
    auto* left = new QVBoxLayout;
    left->addLayout(cell({SET_TEXT(B, LM), SET_FIELD(B, FieldLM), SET_TEXT(B, LM2)}));
    left->addLayout(cell({SET_TEXT(B, LMM), SET_FIELD(B, FieldLMM), SET_TEXT(B, LMM2)}));
    b->addLayout(left, 1, 0);
    b->addWidget(new QLabel("[ picture ]"), 1, 1, Qt::AlignCenter);
    auto* right = new QVBoxLayout;
    right->addLayout(cell({SET_TEXT(B, RM), SET_FIELD(B, FieldRM), SET_TEXT(B, RM2)}));
    right->addLayout(cell({SET_TEXT(B, RMM), SET_FIELD(B, FieldRMM), SET_TEXT(B, RMM2)}));
    b->addLayout(right, 1, 2);
    b->addLayout(cell({SET_TEXT(B, LU), SET_FIELD(B, FieldMU), SET_TEXT(B, RU)}), 2, 0, 1, 3);

    auto* layout = new QVBoxLayout(group);
    layout->addWidget(layoutAButton);
    layout->addLayout(a);
    layout->addWidget(layoutBButton);
    layout->addLayout(b);
    layout->addStretch();
    return group;
}

void TSchemeWizardGalNavForm::LoadImageSet(const TImageWizardSet& set) {
    // The accessors need a modifiable set; reading a copy keeps `set` untouched.
    TImageWizardSet shown = set;
    layoutAButton->setChecked(!shown.LayoutB);
    layoutBButton->setChecked(shown.LayoutB);
    for (const auto& [edit, field] : texts) edit->setText(BytesToQString(field(shown)));
    for (const auto& [box, field] : fields) box->setCurrentIndex(int(field(shown)));
}

void TSchemeWizardGalNavForm::StoreImageSet(TImageWizardSet& set) const {
    set.LayoutB = layoutBButton->isChecked();
    for (const auto& [edit, field] : texts) field(set) = QStringToBytes(edit->text());
    for (const auto& [box, field] : fields)
        field(set) = static_cast<TWizardField>(std::max(0, box->currentIndex()));
}

void TSchemeWizardGalNavForm::ShowChoices() {
    for (const Refresher& refresh : refreshers) refresh();
}

}  // namespace fsc
