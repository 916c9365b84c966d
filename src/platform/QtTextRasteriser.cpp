// Text measurement and drawing with QFont and QPainter on a QImage over the caller's pixels.
#include "platform/QtTextRasteriser.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "base/Errors.h"
#include "platform/ByteText.h"

namespace fsc {

namespace {}  // namespace

void EnsureGuiApplication() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) return;
    if (QCoreApplication::instance() != nullptr) {
        throw EFSC_Exception("Drawing the watermark text needs a QGuiApplication.");
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt keeps pointers to argc and argv for the life of the application, and the application
    // must outlive every font; it is never deleted, so it also outlives static destructors.
    static int argc = 1;
    static char name[] = "folioscope";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

namespace {

QString FamilyOrDefaultSans(const std::string& name) {
    const QString family = BytesToQString(name);
    if (QFontDatabase::hasFamily(family)) return family;
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

QFont MakeFont(const TFontSpec& fontSpec) {
    QFont font(FamilyOrDefaultSans(fontSpec.Name));
    // Points at 96 dpi, rounded like the stored font heights (8 points are 11 pixels).
    font.setPixelSize(std::max(1, int(std::lround(fontSpec.Size * 96.0 / 72.0))));
    font.setBold(fontSpec.Bold);
    font.setItalic(fontSpec.Italic);
    font.setUnderline(fontSpec.Underline);
    font.setStrikeOut(fontSpec.StrikeOut);
    // Without antialiasing every glyph pixel is the font colour or untouched, which the blend's
    // key colour test relies on.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

}  // namespace

int QtTextRasteriser::TextWidth(const TFontSpec& font, const std::string& text) {
    EnsureGuiApplication();
    return QFontMetrics(MakeFont(font)).horizontalAdvance(BytesToQString(text));
}

int QtTextRasteriser::TextHeight(const TFontSpec& font, const std::string&) {
    EnsureGuiApplication();
    // The line height of the font, the same for every text (also for an empty line).
    return QFontMetrics(MakeFont(font)).height();
}

void QtTextRasteriser::DrawText(const TFontSpec& font, const std::string& text, int x, int y,
                                TRgbCanvas& canvas) {
    EnsureGuiApplication();
    if (canvas.Pixels == nullptr || canvas.Width <= 0 || canvas.Height <= 0) return;
    // A view on the caller's rows: QPainter writes straight into them and clips at the edges.
    QImage image(canvas.Pixels, canvas.Width, canvas.Height, qsizetype(canvas.Stride),
                 QImage::Format_RGB888);
    const QFont qtFont = MakeFont(font);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(qtFont);
    painter.setPen(QColor(font.Red, font.Green, font.Blue));
    painter.drawText(QPoint(x, y + QFontMetrics(qtFont).ascent()), BytesToQString(text));
}

}  // namespace fsc
