// The template half of the binders: radio buttons for enumeration values.
#pragma once

#include <QAbstractButton>
#include <QSignalBlocker>

namespace fsc {

template <class Enum>
Refresher BindChoice(QAbstractButton* button, Enum& field, Enum value) {
    Refresher refresh = [button, &field, value] {
        const QSignalBlocker blocker(button);
        button->setChecked(field == value);
    };
    refresh();
    QObject::connect(button, &QAbstractButton::toggled, button, [&field, value](bool on) {
        if (on) field = value;
    });
    return refresh;
}

}  // namespace fsc
