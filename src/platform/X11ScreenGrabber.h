// Screen copies and the global hot key on an X11 display, through Qt's own connection to
// the X server.
#pragma once

#include <QAbstractNativeEventFilter>
#include <cstdint>
#include <vector>

#include "platform/IScreenGrabber.h"

struct xcb_connection_t;

namespace fsc {

class X11ScreenGrabber final : public IScreenGrabber, private QAbstractNativeEventFilter {
public:
    // The application must run on Qt's "xcb" platform.
    X11ScreenGrabber();
    ~X11ScreenGrabber() override;

    QImage GrabDesktop() override;
    QImage GrabForegroundWindow() override;
    QString HotKeyUnavailableReason() const override { return {}; }
    void RegisterHotKey(QChar key, std::function<void()> fired) override;
    void UnregisterHotKey() override;

private:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    // The window the desktop calls active, else the one with the keyboard; 0 for none.
    std::uint32_t ForegroundWindow();
    // The window's ancestor just below the root: the window with its frame.
    std::uint32_t TopLevelOf(std::uint32_t window);
    struct TKeyGrab {
        std::uint8_t Code;
        std::uint16_t Modifiers;
    };
    // Every key that types the character, with Shift where the character needs it.
    std::vector<TKeyGrab> KeysOf(QChar key);

    xcb_connection_t* connection;
    std::uint32_t root;
    // The keys grabbed with Ctrl+Alt, each also with Num Lock and Caps Lock on.
    std::vector<TKeyGrab> grabbed;
    std::function<void()> hotKeyFired;
};

}  // namespace fsc
