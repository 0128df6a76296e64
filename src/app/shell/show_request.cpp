// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/show_request.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QWidget>
#include <memory>

namespace {

const QByteArray kShowRequest = QByteArrayLiteral("show\n");

// How long a client may take to send its request, and a second start to
// reach the running one.
constexpr int kClientMs = 1000;
constexpr int kConnectMs = 500;

}  // namespace

ShowRequestServer::ShowRequestServer(QObject* parent)
    : QObject(parent), server_(new QLocalServer(this)) {
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = server_->nextPendingConnection()) serve(client);
    });
}

bool ShowRequestServer::listen(const QString& socket) {
    if (socket.isEmpty()) return false;
    QLocalServer::removeServer(socket);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    return server_->listen(socket);
}

void ShowRequestServer::serve(QLocalSocket* client) {
    const auto drop = [client] {
        client->abort();
        client->deleteLater();
    };
    connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
    QTimer::singleShot(kClientMs, client, drop);
    // Read no more than the request holds: a client cannot make us buffer.
    const auto readRequest = [this, client, drop, received = std::make_shared<QByteArray>()] {
        received->append(client->read(kShowRequest.size() - received->size()));
        if (!kShowRequest.startsWith(*received)) return drop();
        if (*received != kShowRequest) return;
        drop();
        emit showRequested();
    };
    connect(client, &QLocalSocket::readyRead, this, readRequest);
    if (client->bytesAvailable() > 0) readRequest();
}

bool requestShow(const QString& socket) {
    if (socket.isEmpty()) return false;
    QLocalSocket client;
    client.connectToServer(socket);
    if (!client.waitForConnected(kConnectMs)) return false;
    client.write(kShowRequest);
    const bool sent = client.waitForBytesWritten(kConnectMs);
    client.disconnectFromServer();
    return sent;
}

void bringForward(QWidget& window) {
    if (window.isMinimized()) window.showNormal();
    window.raise();
    window.activateWindow();
}
