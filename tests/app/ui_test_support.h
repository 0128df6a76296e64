// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include "app/dialog_widget.h"

// Replaces the text of an edit as a user would: select all, type.
inline void retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    edit->del();
    QTest::keyClicks(edit, text);
}

inline QLineEdit* lineEdit(const DialogWidget& dialog, int id) {
    return dialog.control<QLineEdit>(id);
}

// Shows a top-level widget and waits until it is active, so focus and key
// events behave as on a desktop.
inline bool showActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}
