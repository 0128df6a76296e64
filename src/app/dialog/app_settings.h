// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSettings>

// Mexora's settings file. The names are fixed here rather than taken from the
// application object, so every program of the project finds the same file.
inline QSettings AppSettings() {
    return QSettings(QStringLiteral("mexora"), QStringLiteral("mexora"));
}
