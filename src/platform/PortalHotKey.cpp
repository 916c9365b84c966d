// The global hot key of a Wayland desktop, through the portal's GlobalShortcuts.
#include "platform/PortalHotKey.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QList>
#include <map>

#include "base/Errors.h"
#include "platform/PortalRequest.h"

namespace fsc {

namespace {

constexpr char ShortcutsInterface[] = "org.freedesktop.portal.GlobalShortcuts";
constexpr char SessionInterface[] = "org.freedesktop.portal.Session";
constexpr char ShortcutId[] = "capture";

// One entry of BindShortcuts' list: the shortcut's id and its description and trigger.
struct TPortalShortcut {
    QString Id;
    QVariantMap Properties;
};

QDBusArgument& operator<<(QDBusArgument& argument, const TPortalShortcut& shortcut) {
    argument.beginStructure();
    argument << shortcut.Id << shortcut.Properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, TPortalShortcut& shortcut) {
    argument.beginStructure();
    argument >> shortcut.Id >> shortcut.Properties;
    argument.endStructure();
    return argument;
}

// Key names for the printable ASCII characters that are not letters or digits.
const std::map<char16_t, const char*>& PunctuationNames() {
    static const std::map<char16_t, const char*> names = {
        {' ', "space"},      {'!', "exclam"},       {'"', "quotedbl"},    {'#', "numbersign"},
        {'$', "dollar"},     {'%', "percent"},      {'&', "ampersand"},   {'\'', "apostrophe"},
        {'(', "parenleft"},  {')', "parenright"},   {'*', "asterisk"},    {'+', "plus"},
        {',', "comma"},      {'-', "minus"},        {'.', "period"},      {'/', "slash"},
        {':', "colon"},      {';', "semicolon"},    {'<', "less"},        {'=', "equal"},
        {'>', "greater"},    {'?', "question"},     {'@', "at"},          {'[', "bracketleft"},
        {'\\', "backslash"}, {']', "bracketright"}, {'^', "asciicircum"}, {'_', "underscore"},
        {'`', "grave"},      {'{', "braceleft"},    {'|', "bar"},         {'}', "braceright"},
        {'~', "asciitilde"}};
    return names;
}

QString KeyName(QChar key) {
    const char16_t code = key.unicode();
    if ((code >= 'a' && code <= 'z') || (code >= '0' && code <= '9')) return QString(key);
    // Ctrl+Alt+A is the A key, as the keyboard labels it.
    if (code >= 'A' && code <= 'Z') return QString(key.toLower());
    const auto named = PunctuationNames().find(code);
    if (named != PunctuationNames().end()) return named->second;
    // Other characters by their Unicode number, which the desktops' key names accept.
    if (key.isPrint() && code > 0x7f)
        return QString("U%1").arg(int(code), 4, 16, QChar('0')).toUpper();
    throw EUserInputError("No key of the keyboard types \"" + QString(key).toStdString() + "\".");
}

// A session handle comes as a string by the interface's word, as an object path from some
// desktops.
QString PathText(const QVariant& value) {
    if (value.canConvert<QDBusObjectPath>()) return value.value<QDBusObjectPath>().path();
    return value.toString();
}

}  // namespace

}  // namespace fsc

Q_DECLARE_METATYPE(fsc::TPortalShortcut)

namespace fsc {

QString PortalTrigger(QChar key) { return "CTRL+ALT+" + KeyName(key); }

PortalHotKey::PortalHotKey(QDBusConnection bus, QChar key, std::function<void()> fired)
    : bus(bus), fired(std::move(fired)) {
    CreateSession();
    try {
        BindShortcut(key);
    } catch (...) {
        CloseSession();
        throw;
    }
    bus.connect(PortalService, PortalPath, ShortcutsInterface, "Activated", this,
                SLOT(Activated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
}

PortalHotKey::~PortalHotKey() { Close(); }

void PortalHotKey::Close() {
    bus.disconnect(PortalService, PortalPath, ShortcutsInterface, "Activated", this,
                   SLOT(Activated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
    fired = nullptr;
    CloseSession();
}

void PortalHotKey::CreateSession() {
    PortalRequest request(bus);
    const TPortalAnswer answer =
        request.Call(ShortcutsInterface, "CreateSession", {},
                     {{"session_handle_token", PortalRequest::NewToken()}});
    session = PathText(answer.Results.value("session_handle"));
    if (answer.Response != 0 || session.isEmpty())
        throw EUserInputError("The desktop gave the program no global hot key.");
}

void PortalHotKey::BindShortcut(QChar key) {
    qDBusRegisterMetaType<TPortalShortcut>();
    qDBusRegisterMetaType<QList<TPortalShortcut>>();
    const QList<TPortalShortcut> shortcuts = {
        {ShortcutId,
         {{"description", "Capture the screen for Folioscope"},
          {"preferred_trigger", PortalTrigger(key)}}}};
    PortalRequest request(bus);
    const TPortalAnswer answer = request.Call(
        ShortcutsInterface, "BindShortcuts",
        {QVariant::fromValue(QDBusObjectPath(session)), QVariant::fromValue(shortcuts), QString()},
        {});
    if (answer.Response != 0)
        throw EUserInputError("The desktop did not grant the hot key Ctrl+Alt+" +
                              QString(key).toStdString() + ".");
}

void PortalHotKey::CloseSession() {
    if (session.isEmpty()) return;
    // The desktop needs no answer to let the key go.
    bus.send(QDBusMessage::createMethodCall(PortalService, session, SessionInterface, "Close"));
    session.clear();
}

void PortalHotKey::Activated(const QDBusObjectPath& activatedSession, const QString& id, qulonglong,
                             const QVariantMap&) {
    if (activatedSession.path() != session || id != ShortcutId || !fired) return;
    // The call closes this object: the grab window gives the key back at once.
    const std::function<void()> call = fired;
    call();
}

}  // namespace fsc
