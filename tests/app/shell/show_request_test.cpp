// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/show_request.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLocalSocket>
#include <QTemporaryDir>

#include "ui_test_support.h"

namespace {

// A killed instance's socket file, a client that sends nothing and one that
// sends garbage neither stop the server nor bring the window forward; the
// second start's request does.
TEST(ShowRequest, OnlyTheRequestBringsAMinimisedWindowForward) {
    QTemporaryDir dir;
    const QString socket = dir.filePath("show.socket");
    QFile stale(socket);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    QWidget window;
    ShowRequestServer server;
    ASSERT_TRUE(server.listen(socket));
    QObject::connect(&server, &ShowRequestServer::showRequested, &window,
                     [&] { bringForward(window); });
    window.showMinimized();

    QLocalSocket silent;
    QLocalSocket garbage;
    silent.connectToServer(socket);
    garbage.connectToServer(socket);
    garbage.write("shot\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return garbage.state() == QLocalSocket::UnconnectedState; }));
    EXPECT_TRUE(window.isMinimized());

    ASSERT_TRUE(requestShow(socket));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isMinimized() && window.isActiveWindow(); }));
}

}  // namespace
