// SPDX-License-Identifier: GPL-3.0-or-later
// Runs GoogleTest inside a QApplication set up like the program's: the dialog
// style, the dialog font and colours. Without a display it uses the offscreen
// platform, so the tests (and their discovery at build time) need none.
// Settings go to a folder of their own, never to the user's.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include "app/look/dialog_look.h"

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    applyDialogLook(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
