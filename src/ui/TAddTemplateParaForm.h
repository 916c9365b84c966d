// The dialog "Add Template Parameter": the new parameter's name and whether it is a colour.
#pragma once

#include <QDialog>
#include <string>

class QLineEdit;
class QRadioButton;

namespace fsc {

class TAddTemplateParaForm : public QDialog {
    Q_OBJECT

public:
    explicit TAddTemplateParaForm(QWidget* parent = nullptr);

    // Opens the dialog with an empty name and "Color" checked; true on "OK".
    bool Ask();
    std::string Name() const;
    bool Colour() const;

private:
    QLineEdit* nameEdit;
    QRadioButton* colourButton;
};

}  // namespace fsc
