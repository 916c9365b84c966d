// A parameter row of the template selection panel.
#include "ui/TOnePara.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "platform/ByteText.h"
#include "templates/ColourWords.h"
#include "templates/TemplateSelection.h"
#include "ui/Binders.h"
#include "ui/ColourPainting.h"
#include "ui/NamedWidget.h"

namespace fsc {

namespace {

constexpr const char* SelectColourText = "Select Color";

}  // namespace

TOnePara::TOnePara(TemplateSelection& selection, std::size_t index, std::function<void()> deleted,
                   QWidget* parent)
    : QWidget(parent), selection(selection), index(index), deleted(std::move(deleted)) {
    const TParameter& parameter = selection.DialogTemplate.Parameters.at(index);
    colour = parameter.Kind == ParameterColour;
    setObjectName(QString("Parameter%1").arg(index));
    auto* nameLabel = Named<QLabel>("NameLabel", BytesToQString(parameter.Name));
    // The rows lie on the list colour of the palette, whose text colour goes with it.
    nameLabel->setForegroundRole(QPalette::Text);
    valueEdit = Named<QLineEdit>("ValueEdit", BytesToQString(parameter.Value));
    auto* deleteButton = Named<QPushButton>("DeleteButton", "Delete");
    connect(valueEdit, &QLineEdit::textEdited, this, &TOnePara::ValueEdited);
    // The row goes away with its parameter: the rows are built again once this click is over.
    connect(deleteButton, &QPushButton::clicked, this, [this] {
        DeleteTemplateParameter(this->selection, this->index);
        QTimer::singleShot(0, parentWidget(), this->deleted);
    });

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 2, 4, 2);
    // Names take one width, so all values start in one column; a text value also takes the
    // room of the colour list.
    nameLabel->setMinimumWidth(nameLabel->fontMetrics().horizontalAdvance('x') * 24);
    layout->addWidget(nameLabel);
    // A colour value such as "#121417" is read whole, never cut to its last digits.
    const QFontMetrics metrics = valueEdit->fontMetrics();
    valueEdit->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("#DDDDDD")) +
                               4 * metrics.averageCharWidth());
    layout->addWidget(valueEdit, colour ? 1 : 2);
    if (colour) {
        colourList = Named<QComboBox>("ColourList");
        colourList->setPlaceholderText(SelectColourText);
        colourList->setToolTip(SelectColourText);
        for (const std::string& entry : NamedColourList())
            colourList->addItem(BytesToQString(entry));
        colourList->setCurrentIndex(-1);
        connect(colourList, &QComboBox::activated, this, &TOnePara::ColourChosen);
        layout->addWidget(colourList);
        PaintValue();
    }
    layout->addWidget(deleteButton);
}

void TOnePara::ValueEdited(const QString& text) {
    EditTemplateParameter(selection, index, QStringToBytes(text));
    if (colour) PaintValue();
}

void TOnePara::ColourChosen(int entry) {
    ChooseParameterColour(selection, index, QStringToBytes(colourList->itemText(entry)));
    valueEdit->setText(BytesToQString(selection.DialogTemplate.Parameters.at(index).Value));
    PaintValue();
}

void TOnePara::PaintValue() {
    PaintColours(valueEdit, EntryColours(QStringToBytes(valueEdit->text())));
}

}  // namespace fsc
