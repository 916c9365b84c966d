// One request to the desktop portal and the wait for its answer.
#include "platform/PortalRequest.h"

#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>
#include <QEventLoop>
#include <atomic>

#include "base/Errors.h"

namespace fsc {

namespace {

constexpr char RequestInterface[] = "org.freedesktop.portal.Request";
constexpr char NotRunning[] = "The desktop portal (xdg-desktop-portal) is not running.";

}  // namespace

PortalRequest::PortalRequest(QDBusConnection bus) : bus(bus) {}

bool IsNoPortal(const QDBusMessage& reply) {
    return reply.type() == QDBusMessage::ErrorMessage &&
           QDBusError(reply).type() == QDBusError::ServiceUnknown;
}

QString PortalRequest::NewToken() {
    static std::atomic<unsigned> count{0};
    return QString("folioscope%1").arg(++count);
}

QString PortalRequest::ExpectedPath(const QString& token) const {
    QString sender = bus.baseService().mid(1);
    sender.replace('.', '_');
    return QString("%1/request/%2/%3").arg(PortalPath, sender, token);
}

bool PortalRequest::Listen(const QString& path) {
    listening = path;
    return bus.connect(PortalService, path, RequestInterface, "Response", this,
                       SLOT(Response(uint, QVariantMap)));
}

void PortalRequest::StopListening() {
    if (listening.isEmpty()) return;
    bus.disconnect(PortalService, listening, RequestInterface, "Response", this,
                   SLOT(Response(uint, QVariantMap)));
    listening.clear();
}

TPortalAnswer PortalRequest::Call(const QString& interface, const QString& method,
                                  const QVariantList& arguments, QVariantMap options) {
    if (!bus.isConnected()) throw EFSC_Exception(NotRunning);
    const QString token = NewToken();
    options.insert("handle_token", token);
    answered = false;
    // Listening before the call, so an answer that comes at once is not missed.
    Listen(ExpectedPath(token));
    QDBusMessage call =
        QDBusMessage::createMethodCall(PortalService, PortalPath, interface, method);
    call.setArguments(arguments + QVariantList{options});
    // The bus starts a portal that is installed but not yet running.
    const QDBusMessage reply = bus.call(call);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        StopListening();
        if (IsNoPortal(reply)) throw EFSC_Exception(NotRunning);
        throw EFSC_Exception("The desktop portal refused the request: " +
                             reply.errorMessage().toStdString());
    }
    // Older portals choose the Request object's path themselves.
    const QString handle = reply.arguments().first().value<QDBusObjectPath>().path();
    if (!answered && handle != listening) {
        StopListening();
        Listen(handle);
    }
    QDBusServiceWatcher watcher(PortalService, bus, QDBusServiceWatcher::WatchForUnregistration);
    QEventLoop loop;
    connect(&watcher, &QDBusServiceWatcher::serviceUnregistered, &loop, &QEventLoop::quit);
    waiting = &loop;
    if (!answered && bus.interface()->isServiceRegistered(PortalService)) loop.exec();
    waiting = nullptr;
    StopListening();
    if (!answered) throw EFSC_Exception("The desktop portal ended before it answered.");
    return answer;
}

void PortalRequest::Response(uint response, const QVariantMap& results) {
    answer = {response, results};
    answered = true;
    if (waiting) waiting->quit();
}

}  // namespace fsc
