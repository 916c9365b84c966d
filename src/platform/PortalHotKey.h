// A global hot key through the desktop portal's GlobalShortcuts: a session that binds one
// shortcut and reports its activations until the session is closed.
#pragma once

#include <QChar>
#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <functional>

namespace fsc {

// The trigger the portal's shortcut rules write for Ctrl+Alt and `key`: "CTRL+ALT+" and the
// key's name ("a", "7", "less", "comma", ...). EUserInputError for a character without one.
QString PortalTrigger(QChar key);

class PortalHotKey final : public QObject {
    Q_OBJECT

public:
    // Asks the desktop for Ctrl+Alt+`key`, which it may let the user confirm or change;
    // `fired` is called on each activation until the object goes. EUserInputError when the
    // desktop does not grant the key, EFSC_Exception when the portal fails.
    PortalHotKey(QDBusConnection bus, QChar key, std::function<void()> fired);
    ~PortalHotKey() override;

    // Gives the key back by closing the session; no activation is reported afterwards.
    void Close();

private slots:
    void Activated(const QDBusObjectPath& session, const QString& id, qulonglong timestamp,
                   const QVariantMap& options);

private:
    void CreateSession();
    void BindShortcut(QChar key);
    void CloseSession();

    QDBusConnection bus;
    std::function<void()> fired;
    QString session;
};

}  // namespace fsc
