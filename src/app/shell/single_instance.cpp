// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/single_instance.h"

#include <QDir>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <cerrno>
#endif

#ifdef Q_OS_WIN

// Named pipes are one namespace for the machine: the user's name keeps two
// users' instances apart.
QString singleInstanceSocket(const QString& name) {
    return name + QLatin1Char(' ') + qEnvironmentVariable("USERNAME");
}

MarkerState takeSingleInstanceMarker(const QString& name) {
    // The handle is never closed: the system releases it with the process.
    HANDLE mutex = CreateMutexW(nullptr, FALSE, reinterpret_cast<LPCWSTR>(name.utf16()));
    if (GetLastError() == ERROR_ALREADY_EXISTS) return MarkerState::AlreadyTaken;
    return mutex ? MarkerState::Taken : MarkerState::Unavailable;
}

#else

namespace {

// The user's private runtime folder: per user and machine. Empty when there is none.
QString markerFolder() { return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation); }

}  // namespace

QString singleInstanceSocket(const QString& name) {
    const QString folder = markerFolder();
    return folder.isEmpty() ? QString() : QDir(folder).filePath(name + QStringLiteral(".socket"));
}

MarkerState takeSingleInstanceMarker(const QString& name) {
    // An exclusive lock on a file in the runtime folder, dropped by the
    // kernel when the process ends.
    const QString folder = markerFolder();
    if (folder.isEmpty()) return MarkerState::Unavailable;
    const QByteArray path =
        QFile::encodeName(QDir(folder).filePath(name + QStringLiteral(".lock")));
    // Close-on-exec, so a program started from here (a mail client) does not
    // keep the lock after we end.
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return MarkerState::Unavailable;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return MarkerState::Taken;  // fd stays open
    const int error = errno;
    ::close(fd);
    return error == EWOULDBLOCK ? MarkerState::AlreadyTaken : MarkerState::Unavailable;
}

#endif
