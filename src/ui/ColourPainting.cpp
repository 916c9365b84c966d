// Painting a control in a chosen colour.
#include "ui/ColourPainting.h"

#include <QPalette>
#include <QWidget>

namespace fsc {

namespace {

QColor ToQColor(const TColour& colour) { return QColor(colour.Red, colour.Green, colour.Blue); }

}  // namespace

void PaintColours(QWidget* widget, const TColourPair& colours) {
    QPalette palette = widget->palette();
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::Window, QPalette::Button})
        palette.setColor(role, ToQColor(colours.Background));
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        palette.setColor(role, ToQColor(colours.Text));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

}  // namespace fsc
