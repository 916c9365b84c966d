// Picks the screen grabber for the display the application runs on.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include "base/Errors.h"
#include "platform/IScreenGrabber.h"
#include "platform/PortalScreenGrabber.h"
#include "platform/X11ScreenGrabber.h"

namespace fsc {

namespace {

// Displays other than X11 and Wayland (the offscreen platform, for one): Qt copies the
// screen where the platform lets it; there is neither a foreground window to ask for nor
// a global hot key.
class PlainScreenGrabber final : public IScreenGrabber {
public:
    QImage GrabDesktop() override {
        QScreen* screen = QGuiApplication::primaryScreen();
        const QPixmap copy = screen ? screen->grabWindow(0) : QPixmap();
        if (copy.isNull())
            throw EFSC_Exception("This desktop does not let programs copy the screen.");
        return copy.toImage();
    }
    QImage GrabForegroundWindow() override {
        throw EFSC_Exception("This desktop does not tell programs which window is active.");
    }
    QString HotKeyUnavailableReason() const override {
        return "This desktop offers programs no global hot key: capture after a delay.";
    }
    void RegisterHotKey(QChar, std::function<void()>) override {
        throw EUserInputError(HotKeyUnavailableReason().toStdString());
    }
    void UnregisterHotKey() override {}
};

}  // namespace

std::unique_ptr<IScreenGrabber> CreateScreenGrabber() {
    const QString platform = QGuiApplication::platformName();
    if (platform == "xcb") return std::make_unique<X11ScreenGrabber>();
    // "wayland", "wayland-egl" and the other variants of Qt's Wayland platform.
    if (platform.startsWith("wayland")) return std::make_unique<PortalScreenGrabber>();
    return std::make_unique<PlainScreenGrabber>();
}

}  // namespace fsc
