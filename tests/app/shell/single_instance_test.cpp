// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the mexora program itself: a second start is refused with
// kMsgAlreadyRunning and ends without a window; a killed instance leaves
// nothing behind.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

#include "core/string_ids.h"

namespace {

// How the line a refused start writes to stderr begins.
const QString kAlreadyRunning = QStringLiteral("message %1").arg(kMsgAlreadyRunning);

class SingleInstanceTest : public ::testing::Test {
  protected:
    // Each instance gets the same private runtime folder, so the test never
    // meets a Mexora the user has open.
    void start(QProcess& process) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_RUNTIME_DIR", runtime.path());
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("MEXORA_MESSAGES_TO_STDERR", "1");
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(MEXORA_PROGRAM), QStringList());
        ASSERT_TRUE(process.waitForStarted(10000));
    }

    // True once process holds the marker: an exclusive flock in /proc/locks.
    static bool holdsMarker(const QProcess& process) {
        QFile locks("/proc/locks");
        if (!locks.open(QIODevice::ReadOnly)) return false;
        const QByteArray pid = QByteArray::number(process.processId());
        for (const QByteArray& line : locks.readAll().split('\n')) {
            const QList<QByteArray> fields = line.simplified().split(' ');
            if (fields.size() > 4 && fields[1] == "FLOCK" && fields[3] == "WRITE" &&
                fields[4] == pid) {
                return true;
            }
        }
        return false;
    }

    static bool waitForMarker(const QProcess& process) {
        for (int i = 0; i < 200; ++i) {
            if (holdsMarker(process)) return true;
            QTest::qWait(50);
        }
        return false;
    }

    static void kill(QProcess& process) {
        ::kill(static_cast<pid_t>(process.processId()), SIGKILL);
        process.waitForFinished(10000);
    }

    QTemporaryDir runtime;
};

TEST_F(SingleInstanceTest, ASecondStartShowsTheAlreadyRunningMessageAndEndsWithoutAWindow) {
    QProcess first;
    start(first);
    ASSERT_TRUE(waitForMarker(first));

    QProcess second;
    start(second);
    // Ending on its own proves it never entered the window's event loop.
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(second.readAllStandardError()).trimmed(),
              kAlreadyRunning + ": Mexora已经启动，请不要重复运行，谢谢！");

    // The first instance runs on, untouched.
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_TRUE(holdsMarker(first));
    kill(first);
}

TEST_F(SingleInstanceTest, TwoStartsAtTheSameMomentGiveOneWindowAndOneMessage) {
    QProcess a;
    QProcess b;
    start(a);
    start(b);
    // One of the two ends at once with kMsgAlreadyRunning; the other runs on.
    QProcess* refused = nullptr;
    for (int i = 0; i < 200 && !refused; ++i) {
        if (a.state() == QProcess::NotRunning) refused = &a;
        if (b.state() == QProcess::NotRunning) refused = &b;
        QTest::qWait(50);
    }
    ASSERT_NE(refused, nullptr);
    QProcess& running = refused == &a ? b : a;
    EXPECT_EQ(running.state(), QProcess::Running);
    EXPECT_TRUE(waitForMarker(running));
    EXPECT_EQ(refused->exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(refused->readAllStandardError()).count(kAlreadyRunning), 1);
    EXPECT_EQ(running.readAllStandardError().indexOf(kAlreadyRunning.toUtf8()), -1);
    kill(running);
}

// Killed at any moment, even before it holds the marker, an instance leaves
// nothing that keeps the next one from running.
class KilledAtAnyMoment : public SingleInstanceTest, public ::testing::WithParamInterface<int> {};

TEST_P(KilledAtAnyMoment, TheNextStartRuns) {
    QProcess first;
    start(first);
    QTest::qWait(GetParam());
    kill(first);

    QProcess next;
    start(next);
    EXPECT_TRUE(waitForMarker(next));
    EXPECT_FALSE(next.waitForFinished(500));
    EXPECT_EQ(next.readAllStandardError().indexOf(kAlreadyRunning.toUtf8()), -1);
    kill(next);
}

INSTANTIATE_TEST_SUITE_P(AfterMilliseconds, KilledAtAnyMoment, ::testing::Values(0, 40, 150, 1000));

TEST_F(SingleInstanceTest, AStartAfterTheInstanceWasKilledRuns) {
    QProcess first;
    start(first);
    ASSERT_TRUE(waitForMarker(first));
    kill(first);

    QProcess next;
    start(next);
    EXPECT_TRUE(waitForMarker(next));
    EXPECT_FALSE(next.waitForFinished(500));
    EXPECT_EQ(next.state(), QProcess::Running);
    EXPECT_EQ(next.readAllStandardError().indexOf(kAlreadyRunning.toUtf8()), -1);
    kill(next);
}

}  // namespace
