// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;
class QWidget;

// How a second start brings the running instance's window forward: it
// connects to the running one's local socket and sends one short request.
// The running one listens there; a client that sends anything else, or not
// the whole request within a second, is dropped, and the next is served.
class ShowRequestServer : public QObject {
    Q_OBJECT
  public:
    explicit ShowRequestServer(QObject* parent = nullptr);

    // Listens at socket, first removing a socket file that an instance left
    // when it was killed. Call it only while holding the single-instance
    // marker, so that no live instance listens there. False when it cannot.
    bool listen(const QString& socket);

  signals:
    void showRequested();

  private:
    void serve(QLocalSocket* client);

    QLocalServer* server_;
};

// Asks the instance listening at socket to show its window. Gives up within
// a second when none answers, as when the running one listens nowhere.
bool requestShow(const QString& socket);

// Brings window forward: out of the minimised state, on top and active.
void bringForward(QWidget& window);
