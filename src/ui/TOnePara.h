// One parameter row of the template selection panel: the parameter's name, its value, for
// a colour parameter a colour list, and "Delete".
#pragma once

#include <QWidget>
#include <cstddef>
#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace fsc {

struct TemplateSelection;

class TOnePara : public QWidget {
    Q_OBJECT

public:
    // The row edits parameter `index` of the selection's template; `deleted` runs after
    // "Delete" removed it, when the rows must be built again.
    TOnePara(TemplateSelection& selection, std::size_t index, std::function<void()> deleted,
             QWidget* parent = nullptr);

private:
    void ValueEdited(const QString& text);
    void ColourChosen(int entry);
    // A colour value paints its own field, so the user sees the colour while typing.
    void PaintValue();

    TemplateSelection& selection;
    std::size_t index;
    std::function<void()> deleted;
    bool colour;
    QLineEdit* valueEdit;
    QComboBox* colourList = nullptr;
};

}  // namespace fsc
