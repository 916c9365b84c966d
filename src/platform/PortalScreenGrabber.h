// Screen copies and the global hot key on a Wayland desktop, where programs may not read
// the screen themselves: the desktop portal takes the screenshot and, where the desktop
// offers GlobalShortcuts, delivers the hot key.
#pragma once

#include <QDBusConnection>
#include <memory>

#include "platform/IScreenGrabber.h"

namespace fsc {

class PortalHotKey;

class PortalScreenGrabber final : public IScreenGrabber {
public:
    explicit PortalScreenGrabber(QDBusConnection bus = QDBusConnection::sessionBus());
    ~PortalScreenGrabber() override;

    QImage GrabDesktop() override;
    // The portal names no window to programs: the desktop's own screenshot dialog lets the
    // user pick the window instead.
    QImage GrabForegroundWindow() override;
    QString HotKeyUnavailableReason() const override;
    void RegisterHotKey(QChar key, std::function<void()> fired) override;
    void UnregisterHotKey() override;

private:
    // The portal's Screenshot; `interactive` lets the user choose what to copy.
    QImage Screenshot(bool interactive);

    QDBusConnection bus;
    std::unique_ptr<PortalHotKey> hotKey;
};

}  // namespace fsc
