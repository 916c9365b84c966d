// The collage options dialog.
#include "ui/CollageOptionsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "options/CollageOptions.h"
#include "platform/ByteText.h"
#include "templates/ColourWords.h"
#include "ui/ColourPainting.h"
#include "ui/DialogButtons.h"

namespace fsc {

CollageOptionsDialog::CollageOptionsDialog(CollageOptions& options, QWidget* parent)
    : TStyleDialog("CollageOptionsDialog", "Options Collage/Image Map", parent), options(options) {
    BindControls();
}

void CollageOptionsDialog::BindControls() {
    auto* table = Named<QRadioButton>("TableRadioButton", "Table");
    auto* random = Named<QRadioButton>("RandomRadioButton", "Random");
    auto* circle = Named<QRadioButton>("CircleRadioButton", "Circle");
    comboBox1 = Named<QComboBox>("ComboBox1");
    // A drop-down list only: the stored colour is always one of its entries.
    comboBox1->setEditable(false);
    for (const std::string& entry : NamedColourList()) comboBox1->addItem(BytesToQString(entry));
    auto* centerBox = Named<QCheckBox>("CenterCheckbox", "Align images in center ");
    auto* cssEdit = Named<QLineEdit>("CSSClassEdit");
    refreshers.push_back(BindChoice(table, options.Partitioning, TCollageType::Table));
    refreshers.push_back(BindChoice(random, options.Partitioning, TCollageType::Random));
    refreshers.push_back(BindChoice(circle, options.Partitioning, TCollageType::Circle));
    refreshers.push_back([this] { ShowColour(); });
    refreshers.push_back(Bind(centerBox, options.CenterImages));
    refreshers.push_back(Bind(cssEdit, options.CSSClass));
    ShowColour();
    connect(comboBox1, &QComboBox::currentIndexChanged, this, [this] { ComboBox1Change(); });

    auto* controls = new QVBoxLayout;
    controls->addWidget(RadioGroup("Partitioning", {table, random, circle}));
    auto* fields = new QFormLayout;
    fields->addRow("Background Color", comboBox1);
    fields->addRow(centerBox);
    fields->addRow("CSS Class", cssEdit);
    controls->addLayout(fields);
    controls->addWidget(
        new QLabel("The number of images is taken from the table options Rows and \nCols."));
    SetContent(controls);
    KeepContentsSize(this);
}

void CollageOptionsDialog::ShowColour() {
    // A colour from a template file that names no entry shows, and is kept as, the entry
    // the collage will really use, so the list and the build never disagree.
    options.BackgroundColor = CollageColourEntry(options.BackgroundColor);
    {
        const QSignalBlocker blocker(comboBox1);
        comboBox1->setCurrentText(BytesToQString(options.BackgroundColor));
    }
    PaintColours(comboBox1, CollageListColours(options.BackgroundColor));
}

void CollageOptionsDialog::ComboBox1Change() {
    options.BackgroundColor = QStringToBytes(comboBox1->currentText());
    ShowColour();
}

}  // namespace fsc
