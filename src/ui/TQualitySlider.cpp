// The slider with a marked value.
#include "ui/TQualitySlider.h"

#include <QPainter>
#include <QPolygon>
#include <QStyle>
#include <QStyleOptionSlider>

namespace fsc {

namespace {

// Room below the scale for the mark, which points up at its value.
constexpr int MarkHeight = 6;

}  // namespace

TQualitySlider::TQualitySlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {}

void TQualitySlider::SetMark(std::optional<int> value) {
    if (mark == value) return;
    mark = value;
    update();
}

QSize TQualitySlider::sizeHint() const { return QSlider::sizeHint() + QSize(0, MarkHeight); }

QSize TQualitySlider::minimumSizeHint() const {
    return QSlider::minimumSizeHint() + QSize(0, MarkHeight);
}

void TQualitySlider::paintEvent(QPaintEvent* event) {
    QSlider::paintEvent(event);
    if (!mark || *mark < minimum() || *mark > maximum()) return;
    QStyleOptionSlider option;
    initStyleOption(&option);
    // The same arithmetic the style uses for its own ticks, so the mark lines up with them.
    const QRect groove =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const int span = groove.width() - handle.width();
    const int x =
        groove.x() + handle.width() / 2 +
        QStyle::sliderPositionFromValue(minimum(), maximum(), *mark, span, option.upsideDown);
    const int bottom = height() - 1;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().color(QPalette::Highlight));
    painter.drawPolygon(
        QPolygon({QPoint(x, bottom - MarkHeight), QPoint(x - MarkHeight / 2 - 1, bottom),
                  QPoint(x + MarkHeight / 2 + 1, bottom)}));
}

}  // namespace fsc
