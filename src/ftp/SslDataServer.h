// The listening socket of active-mode data connections. It hands out QSslSockets, so that an
// encrypted session can start TLS on the connection the server opens to it.
#pragma once

#include <QSslSocket>
#include <QTcpServer>

namespace fsc {

class TSslDataServer : public QTcpServer {
protected:
    void incomingConnection(qintptr descriptor) override {
        auto* socket = new QSslSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        addPendingConnection(socket);
    }
};

}  // namespace fsc
