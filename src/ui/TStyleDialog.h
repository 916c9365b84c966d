// What the style option dialogs share: widgets bound to one options struct, shown afresh
// every time the dialog opens, and a "Close" button; there is no Cancel.
#pragma once

#include <QDialog>
#include <initializer_list>
#include <vector>

#include "ui/Binders.h"
#include "ui/NamedWidget.h"

class QAbstractButton;
class QLayout;
class QGroupBox;
class QPushButton;

namespace fsc {

class TStyleDialog : public QDialog {
    Q_OBJECT

public:
    // Re-fills every control from the options, e.g. after a template preset them.
    void ShowOptions();

protected:
    TStyleDialog(const char* objectName, const char* caption, QWidget* parent);

    // Lays the dialog out: its controls, then a row with `extraButtons` and "Close".
    // There is no Cancel: every edit has already taken effect.
    void SetContent(QLayout* controls, std::initializer_list<QAbstractButton*> extraButtons = {});
    // A titled group of radio buttons, one above the other.
    static QGroupBox* RadioGroup(const char* title,
                                 std::initializer_list<QAbstractButton*> buttons);

    // The options may have changed while the dialog was hidden.
    void showEvent(QShowEvent* event) override;

    std::vector<Refresher> refreshers;
};

}  // namespace fsc
