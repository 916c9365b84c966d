// Screen copies and the global hot key on an X11 display.
#include "platform/X11ScreenGrabber.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "base/Errors.h"

namespace fsc {

namespace {

// xcb replies are malloc'ed.
template <class Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <class Reply>
ReplyPtr<Reply> Own(Reply* reply) {
    return ReplyPtr<Reply>(reply, &std::free);
}

constexpr std::uint16_t CtrlAlt = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
// Num Lock sits on Mod2 on every common keyboard map; with it or Caps Lock on, the server
// reports a different modifier set, which a grab must name too.
constexpr std::uint16_t NumLock = XCB_MOD_MASK_2;
constexpr std::uint16_t CapsLock = XCB_MOD_MASK_LOCK;

QScreen* Screen() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) throw EFSC_Exception("There is no screen to capture.");
    return screen;
}

// A part of the root window; parts off the screen stay black, as a window may reach
// beyond the screen's edge.
QImage GrabRootArea(const QRect& area) {
    QScreen* screen = Screen();
    const QRect visible = area.intersected(QRect(QPoint(0, 0), screen->geometry().size()));
    QImage picture(area.size(), QImage::Format_RGB32);
    picture.fill(Qt::black);
    if (visible.isEmpty()) return picture;
    const QPixmap copy =
        screen->grabWindow(0, visible.x(), visible.y(), visible.width(), visible.height());
    if (copy.isNull()) throw EFSC_Exception("The screen could not be copied.");
    QPainter painter(&picture);
    painter.drawImage(visible.topLeft() - area.topLeft(), copy.toImage());
    return picture;
}

// The X11 keysym of a character: Latin-1 characters are their own code, others are
// 0x01000000 plus the Unicode value.
std::uint32_t KeySymOf(QChar key) {
    const char16_t code = key.unicode();
    if ((code >= 0x20 && code <= 0x7e) || (code >= 0xa0 && code <= 0xff)) return code;
    return 0x01000000u | code;
}

}  // namespace

X11ScreenGrabber::X11ScreenGrabber() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr) throw EFSC_Exception("The program does not run on an X11 display.");
    connection = x11->connection();
    root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

X11ScreenGrabber::~X11ScreenGrabber() { UnregisterHotKey(); }

QImage X11ScreenGrabber::GrabDesktop() {
    return GrabRootArea(QRect(QPoint(0, 0), Screen()->geometry().size()));
}

QImage X11ScreenGrabber::GrabForegroundWindow() {
    const std::uint32_t window = ForegroundWindow();
    if (window == 0) return GrabDesktop();
    const std::uint32_t topLevel = TopLevelOf(window);
    auto geometry =
        Own(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, topLevel), nullptr));
    // The window closed in between: the desktop is what is in front.
    if (!geometry) return GrabDesktop();
    // The window rectangle includes the border, which starts at the reported position.
    const int border = geometry->border_width;
    return GrabRootArea(QRect(geometry->x, geometry->y, geometry->width + 2 * border,
                              geometry->height + 2 * border));
}

std::uint32_t X11ScreenGrabber::ForegroundWindow() {
    // A window manager names the active window on the root; without one, the window with
    // the keyboard is the one in front.
    static const char name[] = "_NET_ACTIVE_WINDOW";
    auto atom = Own(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, sizeof name - 1, name), nullptr));
    if (atom && atom->atom != XCB_ATOM_NONE) {
        auto property = Own(xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, root, atom->atom, XCB_ATOM_WINDOW, 0, 1),
            nullptr));
        if (property && property->type == XCB_ATOM_WINDOW &&
            xcb_get_property_value_length(property.get()) >= 4) {
            const auto active =
                *static_cast<std::uint32_t*>(xcb_get_property_value(property.get()));
            if (active != XCB_WINDOW_NONE && active != root) return active;
        }
    }
    auto focus =
        Own(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    if (!focus) return 0;
    const std::uint32_t window = focus->focus;
    // None and PointerRoot name no window.
    if (window == XCB_NONE || window == XCB_INPUT_FOCUS_POINTER_ROOT || window == root) return 0;
    return window;
}

std::uint32_t X11ScreenGrabber::TopLevelOf(std::uint32_t window) {
    for (;;) {
        auto tree =
            Own(xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
        if (!tree || tree->parent == root || tree->parent == XCB_WINDOW_NONE) return window;
        window = tree->parent;
    }
}

std::vector<X11ScreenGrabber::TKeyGrab> X11ScreenGrabber::KeysOf(QChar key) {
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    auto mapping = Own(xcb_get_keyboard_mapping_reply(
        connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, count), nullptr));
    // A letter's hot key is its key, whichever case was typed into the field.
    const std::uint32_t wanted = KeySymOf(key.isLetter() ? key.toLower() : key);
    std::vector<TKeyGrab> keys;
    if (mapping) {
        const xcb_keysym_t* symbols = xcb_get_keyboard_mapping_keysyms(mapping.get());
        const int perKey = mapping->keysyms_per_keycode;
        // The first two levels are the keyboard's main layout, without and with Shift. A
        // character may sit on several keys ("<" on its own key and on Shift+comma).
        for (int index = 0; index < count; ++index)
            for (int level = 0; level < std::min(perKey, 2); ++level)
                if (symbols[index * perKey + level] == wanted)
                    keys.push_back({std::uint8_t(setup->min_keycode + index),
                                    std::uint16_t(level == 0 ? 0 : XCB_MOD_MASK_SHIFT)});
    }
    if (keys.empty())
        throw EUserInputError("No key of the keyboard types \"" + QString(key).toStdString() +
                              "\".");
    return keys;
}

void X11ScreenGrabber::RegisterHotKey(QChar key, std::function<void()> fired) {
    UnregisterHotKey();
    for (const TKeyGrab& found : KeysOf(key))
        for (std::uint16_t locks : {0, int(NumLock), int(CapsLock), int(NumLock | CapsLock)}) {
            const TKeyGrab grab{found.Code, std::uint16_t(CtrlAlt | found.Modifiers | locks)};
            auto error = Own(xcb_request_check(
                connection, xcb_grab_key_checked(connection, 1, root, grab.Modifiers, grab.Code,
                                                 XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)));
            if (error) {
                UnregisterHotKey();
                throw EUserInputError("The hot key Ctrl+Alt+" + QString(key).toStdString() +
                                      " is in use by another program.");
            }
            grabbed.push_back(grab);
        }
    hotKeyFired = std::move(fired);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

void X11ScreenGrabber::UnregisterHotKey() {
    QCoreApplication::instance()->removeNativeEventFilter(this);
    for (const TKeyGrab& grab : grabbed)
        xcb_ungrab_key(connection, grab.Code, root, grab.Modifiers);
    if (!grabbed.empty()) xcb_flush(connection);
    grabbed.clear();
    hotKeyFired = nullptr;
}

bool X11ScreenGrabber::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t" || grabbed.empty()) return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_KEY_PRESS) return false;
    auto* press = reinterpret_cast<xcb_key_press_event_t*>(event);
    // The server delivers only what was grabbed; other clients' grabs on the root are theirs.
    const std::uint16_t held = press->state & (CtrlAlt | XCB_MOD_MASK_SHIFT | NumLock | CapsLock);
    bool ours = false;
    for (const TKeyGrab& grab : grabbed)
        ours |= grab.Code == press->detail && grab.Modifiers == held;
    if (!ours || !hotKeyFired) return false;
    // The receiver may unregister the key, which drops this function object.
    const std::function<void()> fired = hotKeyFired;
    fired();
    return true;
}

}  // namespace fsc
