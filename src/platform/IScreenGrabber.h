// What screen capture needs from the desktop: a copy of the whole screen, a copy of the
// window the user works in, and a global hot key that reaches the program while another
// window has the keyboard.
#pragma once

#include <QImage>
#include <QString>
#include <functional>
#include <memory>

namespace fsc {

class IScreenGrabber {
public:
    virtual ~IScreenGrabber() = default;

    // The whole desktop as the screen shows it. EFSC_Exception when the desktop allows no
    // copy.
    virtual QImage GrabDesktop() = 0;
    // The foreground window with its frame, as it shows on the screen; the whole desktop
    // when no window has the keyboard.
    virtual QImage GrabForegroundWindow() = 0;

    // Empty when Ctrl+Alt hot keys can be registered; otherwise why they cannot, for the user.
    virtual QString HotKeyUnavailableReason() const = 0;
    // Calls `fired` each time Ctrl+Alt+`key` is pressed anywhere until UnregisterHotKey.
    // EUserInputError when the character has no key or another program holds the combination.
    virtual void RegisterHotKey(QChar key, std::function<void()> fired) = 0;
    // Harmless when no hot key is registered.
    virtual void UnregisterHotKey() = 0;
};

// The grabber for the display the application runs on.
std::unique_ptr<IScreenGrabber> CreateScreenGrabber();

}  // namespace fsc
