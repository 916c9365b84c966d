// Widgets are found by their object names (tests, style sheets), so every control is
// created with one.
#pragma once

#include <utility>

namespace fsc {

template <class Widget, class... Args>
Widget* Named(const char* objectName, Args&&... args) {
    auto* widget = new Widget(std::forward<Args>(args)...);
    widget->setObjectName(objectName);
    return widget;
}

}  // namespace fsc
