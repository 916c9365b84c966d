// Painting a control in a chosen colour, and text colours kept readable.
#include "ui/ColourPainting.h"

#include <QApplication>
#include <QEvent>
#include <QPalette>
#include <QWidget>
#include <cmath>

namespace fsc {

namespace {

QColor ToQColor(const TColour& colour) { return QColor(colour.Red, colour.Green, colour.Blue); }

double Luminance(const QColor& colour) {
    const auto channel = [](double value) {
        return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
           0.0722 * channel(colour.blueF());
}

// Keeps one widget's text colour readable: the colour the program wants is remembered, and
// the shown one worked out again when the palette under it changes (a switch between a
// light and a dark desktop theme while the program runs).
class TextColourKeeper : public QObject {
public:
    explicit TextColourKeeper(QWidget* widget) : QObject(widget), widget(widget) {
        widget->installEventFilter(this);
    }

    void Show(const QColor& colour) {
        wanted = colour;
        Apply();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == widget && (event->type() == QEvent::PaletteChange ||
                                  event->type() == QEvent::ApplicationPaletteChange))
            Apply();
        return false;
    }

private:
    void Apply() {
        // The background comes from the parent, which follows the desktop's palette; the
        // widget's own palette carries only the text colour set here.
        const QWidget* parent = widget->parentWidget();
        const QPalette around = parent ? parent->palette() : QApplication::palette();
        const QColor shown = ReadableOn(wanted, around.color(QPalette::Window));
        QPalette palette = widget->palette();
        // Setting the same colour again would only send another palette change.
        if (palette.color(QPalette::WindowText) == shown &&
            palette.isBrushSet(QPalette::Active, QPalette::WindowText))
            return;
        palette.setColor(QPalette::WindowText, shown);
        palette.setColor(QPalette::Text, shown);
        widget->setPalette(palette);
    }

    QWidget* widget;
    QColor wanted;
};

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

double ContrastRatio(const QColor& first, const QColor& second) {
    const double a = Luminance(first), b = Luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor ReadableOn(const QColor& wanted, const QColor& background, double ratio) {
    if (ContrastRatio(wanted, background) >= ratio) return wanted;
    const QColor target = Luminance(background) > 0.18 ? QColor(Qt::black) : QColor(Qt::white);
    QColor colour = wanted;
    // Twenty steps reach the target itself, which reads on any background at 4.5.
    for (int step = 1; step <= 20 && ContrastRatio(colour, background) < ratio; ++step) {
        const double share = step / 20.0;
        colour =
            QColor::fromRgbF(float(wanted.redF() + (target.redF() - wanted.redF()) * share),
                             float(wanted.greenF() + (target.greenF() - wanted.greenF()) * share),
                             float(wanted.blueF() + (target.blueF() - wanted.blueF()) * share));
    }
    return colour;
}

void ShowTextInColour(QWidget* widget, const QColor& colour) {
    TextColourKeeper* keeper = nullptr;
    for (QObject* child : widget->children()) {
        if (auto* found = dynamic_cast<TextColourKeeper*>(child)) keeper = found;
    }
    if (!keeper) keeper = new TextColourKeeper(widget);
    keeper->Show(colour);
}

}  // namespace fsc
