// One exchange with the desktop portal: a method call that returns at once with a Request
// object, whose Response signal brings the answer later, often after the desktop has
// asked the user.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

class QDBusMessage;
class QEventLoop;

namespace fsc {

// The portal's service name and object, shared by all of its interfaces.
inline constexpr char PortalService[] = "org.freedesktop.portal.Desktop";
inline constexpr char PortalPath[] = "/org/freedesktop/portal/desktop";

// Whether `reply` says that no portal runs on the bus and none can be started.
bool IsNoPortal(const QDBusMessage& reply);

// What the desktop answered: 0 granted, 1 cancelled by the user, 2 ended another way.
struct TPortalAnswer {
    uint Response = 2;
    QVariantMap Results;
};

class PortalRequest final : public QObject {
    Q_OBJECT

public:
    explicit PortalRequest(QDBusConnection bus);

    // Calls `method` of the portal's `interface` with `arguments` followed by `options`, to
    // which the request's handle_token is added, and handles events until the answer comes.
    // EFSC_Exception when no portal runs, the call fails or the portal ends first.
    TPortalAnswer Call(const QString& interface, const QString& method,
                       const QVariantList& arguments, QVariantMap options);

    // A token no other request or session of this connection has used.
    static QString NewToken();

private slots:
    void Response(uint response, const QVariantMap& results);

private:
    // Where the portal puts the Request object for `token`: the caller's unique name
    // without ':' and with '_' for '.', then the token.
    QString ExpectedPath(const QString& token) const;
    bool Listen(const QString& path);
    void StopListening();

    QDBusConnection bus;
    QString listening;
    bool answered = false;
    TPortalAnswer answer;
    QEventLoop* waiting = nullptr;
};

}  // namespace fsc
