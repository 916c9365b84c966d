// The Wayland screen grabber over the desktop portal.
#include "platform/PortalScreenGrabber.h"

#include <QDBusMessage>
#include <QDBusVariant>
#include <QUrl>

#include "base/Errors.h"
#include "platform/PortalHotKey.h"
#include "platform/PortalRequest.h"

namespace fsc {

namespace {

constexpr char ScreenshotInterface[] = "org.freedesktop.portal.Screenshot";
constexpr char ShortcutsInterface[] = "org.freedesktop.portal.GlobalShortcuts";
// Start-up asks the desktop once, which may start its portal first; a portal that hangs
// must not hold the program up for long.
constexpr int VersionTimeoutMs = 5000;

}  // namespace

PortalScreenGrabber::PortalScreenGrabber(QDBusConnection bus) : bus(bus) {}

PortalScreenGrabber::~PortalScreenGrabber() = default;

QImage PortalScreenGrabber::GrabDesktop() { return Screenshot(false); }

QImage PortalScreenGrabber::GrabForegroundWindow() { return Screenshot(true); }

QImage PortalScreenGrabber::Screenshot(bool interactive) {
    PortalRequest request(bus);
    const TPortalAnswer answer = request.Call(ScreenshotInterface, "Screenshot", {QString()},
                                              {{"interactive", interactive}});
    if (answer.Response == 1) throw EFSC_Exception("The screen capture was cancelled.");
    if (answer.Response != 0) throw EFSC_Exception("The desktop refused to copy the screen.");
    const QString uri = answer.Results.value("uri").toString();
    const QUrl url(uri);
    QImage picture;
    if (url.isLocalFile()) picture.load(url.toLocalFile());
    if (picture.isNull())
        throw EFSC_Exception("The desktop's screenshot could not be read: " + uri.toStdString());
    return picture;
}

QString PortalScreenGrabber::HotKeyUnavailableReason() const {
    // Desktops whose portal has GlobalShortcuts report the interface's version.
    QDBusMessage get = QDBusMessage::createMethodCall(PortalService, PortalPath,
                                                      "org.freedesktop.DBus.Properties", "Get");
    get.setArguments({ShortcutsInterface, "version"});
    const QDBusMessage reply = bus.call(get, QDBus::Block, VersionTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage) return {};
    if (!bus.isConnected() || IsNoPortal(reply))
        return "The desktop portal (xdg-desktop-portal) is not running, so there is no global "
               "hot key: capture after a delay.";
    return "This desktop offers programs no global hot key: capture after a delay.";
}

void PortalScreenGrabber::RegisterHotKey(QChar key, std::function<void()> fired) {
    UnregisterHotKey();
    hotKey = std::make_unique<PortalHotKey>(bus, key, std::move(fired));
}

void PortalScreenGrabber::UnregisterHotKey() {
    if (!hotKey) return;
    hotKey->Close();
    // This may run inside the hot key's own activation: the object goes once that is over.
    hotKey.release()->deleteLater();
}

}  // namespace fsc
