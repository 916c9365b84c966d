// The grab window: waits for the capture's trigger, copies the screen or the foreground
// window, and lets the user frame a rectangle on a frozen full-screen copy of the desktop.
#pragma once

#include <QDialog>
#include <QImage>
#include <QRect>
#include <QTimer>
#include <exception>

class QEventLoop;
class QLabel;

namespace fsc {

class IScreenGrabber;
struct TCaptureSettings;

class TCaptureDo : public QDialog {
    Q_OBJECT

public:
    explicit TCaptureDo(IScreenGrabber& grabber, QWidget* parent = nullptr);

    // Waits for the delay or the hot key while the program goes on handling events, copies
    // the desktop or the foreground window, and with "Capture Rectangle" lets the user
    // choose the part to keep. The hot key is registered only while the capture waits.
    QImage Capture(const TCaptureSettings& settings);
    // Shows `whole` over the whole screen, modally: a frame more than 10 pixels wide and
    // high drawn with the mouse gives exactly the framed pixels; Escape gives `whole`.
    QImage ChooseRectangle(const QImage& whole);

    // 2 while a capture waits for its grab, 3 when it is done.
    int Step() const { return step; }
    // The frame being drawn, in picture coordinates.
    QRect Frame() const { return frame; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void TimerTick();
    void HotKeyPressed();

    IScreenGrabber& grabber;
    QTimer timer;
    int step = 3;
    bool activeWindow = false;
    QImage picture;
    // A grab error waits here until the capture's loop has ended, as it cannot leave a
    // timer's slot.
    std::exception_ptr failure;
    QEventLoop* waiting = nullptr;
    // Over the frozen copy until the user starts a frame.
    QLabel* instruction;
    QRect frame;
    bool frameVisible = false;
    bool selecting = false;
};

}  // namespace fsc
