// The colours of a dark desktop theme, as GTK's dark variant hands them to Qt: for tests of
// the windows in a dark theme and for pictures of them.
#pragma once

#include <QColor>
#include <QPalette>

namespace fsc::test {

inline QPalette DarkDesktopPalette() {
    QPalette dark;
    const QColor window(0x35, 0x35, 0x35), text(0xEE, 0xEE, 0xEC);
    dark.setColor(QPalette::Window, window);
    dark.setColor(QPalette::WindowText, text);
    dark.setColor(QPalette::Base, QColor(0x2D, 0x2D, 0x2D));
    dark.setColor(QPalette::AlternateBase, QColor(0x3A, 0x3A, 0x3A));
    dark.setColor(QPalette::Text, text);
    dark.setColor(QPalette::Button, window);
    dark.setColor(QPalette::ButtonText, text);
    dark.setColor(QPalette::ToolTipBase, QColor(0x26, 0x26, 0x26));
    dark.setColor(QPalette::ToolTipText, Qt::white);
    dark.setColor(QPalette::Highlight, QColor(0x15, 0x53, 0x9E));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::PlaceholderText, QColor(0x91, 0x91, 0x91));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(QPalette::Disabled, role, QColor(0x91, 0x91, 0x91));
    return dark;
}

}  // namespace fsc::test
