// The grab window of the screen capture.
#include "ui/TCaptureDo.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "platform/IScreenGrabber.h"
#include "ui/NamedWidget.h"
#include "ui/TCapturer.h"

namespace fsc {

namespace {

// The rectangle the user drew must be larger than this both ways; a smaller one is taken
// for a slip of the mouse.
constexpr int SmallestFrameSide = 10;
// How soon a copy follows the hot key.
constexpr int HotKeyGrabMs = 100;
constexpr int InstructionTop = 24;

}  // namespace

TCaptureDo::TCaptureDo(IScreenGrabber& grabber, QWidget* parent)
    : QDialog(parent), grabber(grabber) {
    setObjectName("CaptureDo");
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setCursor(Qt::CrossCursor);
    // A frozen copy of the screen looks like a hung desktop without a word on what to do.
    instruction =
        Named<QLabel>("InstructionLabel",
                      "Drag a rectangle around the part to keep. Esc keeps the whole screen.");
    instruction->setParent(this);
    instruction->setAutoFillBackground(true);
    instruction->setBackgroundRole(QPalette::ToolTipBase);
    instruction->setForegroundRole(QPalette::ToolTipText);
    instruction->setMargin(instruction->fontMetrics().height() / 2);
    instruction->setFrameShape(QFrame::Box);
    // The press that starts a frame may fall on it.
    instruction->setAttribute(Qt::WA_TransparentForMouseEvents);
    // A coarse timer may fire up to a twentieth early; a delay is a promise to the user.
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, this, [this] { TimerTick(); });
}

QImage TCaptureDo::Capture(const TCaptureSettings& settings) {
    picture = QImage();
    failure = nullptr;
    activeWindow = settings.What == TCaptureWhat::ActiveWindow;
    if (settings.Trigger == TCaptureTrigger::Delay) {
        timer.setInterval(settings.DelaySeconds * 1000);
        step = 2;
        timer.start();
    } else {
        timer.setInterval(HotKeyGrabMs);
        grabber.RegisterHotKey(QChar(HotKeyCharacter(settings)), [this] { HotKeyPressed(); });
        step = 2;
    }
    QEventLoop loop;
    waiting = &loop;
    if (step != 3) loop.exec();
    waiting = nullptr;
    if (failure) std::rethrow_exception(failure);
    if (settings.What == TCaptureWhat::Rectangle) picture = ChooseRectangle(picture);
    return picture;
}

void TCaptureDo::HotKeyPressed() {
    timer.start();
    grabber.UnregisterHotKey();
}

void TCaptureDo::TimerTick() {
    if (step != 2) return;
    // A desktop that takes the copy itself answers later, while events go on: the timer
    // must not tick into a second grab meanwhile.
    timer.stop();
    // This window is never shown while it waits, so it cannot appear in the copy.
    try {
        picture = activeWindow ? grabber.GrabForegroundWindow() : grabber.GrabDesktop();
    } catch (...) {
        failure = std::current_exception();
    }
    step = 3;
    if (waiting) waiting->quit();
}

QImage TCaptureDo::ChooseRectangle(const QImage& whole) {
    picture = whole;
    frame = QRect();
    frameVisible = false;
    selecting = false;
    QScreen* screen = QGuiApplication::primaryScreen();
    setGeometry(QRect(QPoint(0, 0), screen ? screen->size() : whole.size()));
    instruction->adjustSize();
    instruction->move((width() - instruction->width()) / 2, InstructionTop);
    instruction->show();
    // Escape and any other way of closing keep the whole picture.
    if (exec() != Accepted) return whole;
    return picture;
}

void TCaptureDo::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.drawImage(0, 0, picture);
    if (!frameVisible) return;
    // Light and dark dashes show on any picture.
    const QRect outline(frame.left(), frame.top(), frame.width() - 1, frame.height() - 1);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(outline);
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.drawRect(outline);
}

void TCaptureDo::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    frame = QRect(at, QSize(1, 1));
    frameVisible = true;
    // Out of the way of the frame, which may be drawn across it.
    instruction->hide();
    selecting = true;
    update();
}

void TCaptureDo::mouseMoveEvent(QMouseEvent* event) {
    if (!selecting || !(event->buttons() & Qt::LeftButton)) return;
    const QPoint at = event->position().toPoint();
    // Left of the frame, the pointer becomes the left edge and the old left edge the right
    // one; otherwise the pointer is the right edge. The same from top to bottom.
    int left = frame.left(), width = frame.width();
    if (at.x() < left) {
        width = left - at.x() + 1;
        left = at.x();
    } else {
        width = at.x() - left + 1;
    }
    int top = frame.top(), height = frame.height();
    if (at.y() < top) {
        height = top - at.y() + 1;
        top = at.y();
    } else {
        height = at.y() - top + 1;
    }
    frame = QRect(left, top, width, height);
    update();
}

void TCaptureDo::mouseReleaseEvent(QMouseEvent*) {
    if (!frameVisible) return;
    if (frame.width() > SmallestFrameSide && frame.height() > SmallestFrameSide) {
        picture = picture.copy(frame.intersected(picture.rect()));
        accept();
        return;
    }
    frame.setSize(QSize(1, 1));
    update();
}

void TCaptureDo::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace fsc
