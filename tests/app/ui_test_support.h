// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QWidget>
#include <ostream>

#include "app/dialog_widget.h"

// Test failures print texts as texts.
inline void PrintTo(const QString& text, std::ostream* os) { *os << text.toStdString(); }

// Replaces the text of an edit as a user would: select all, type.
inline void retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    edit->del();
    QTest::keyClicks(edit, text);
}

inline QLineEdit* lineEdit(const DialogWidget& dialog, int id) {
    return dialog.control<QLineEdit>(id);
}

// Replaces the text of a single-line edit as a user types it, or of a
// multi-line edit as a user pastes it.
inline void typeInto(const DialogWidget& dialog, int id, const QString& text) {
    if (QLineEdit* edit = lineEdit(dialog, id)) {
        edit->setFocus();
        return retype(edit, text);
    }
    auto* area = dialog.control<QPlainTextEdit>(id);
    area->setFocus();
    area->selectAll();
    if (text.isEmpty()) return area->textCursor().removeSelectedText();
    QApplication::clipboard()->setText(text);
    area->paste();
}

// The text an edit of either kind shows.
inline QString shownText(const DialogWidget& dialog, int id) {
    if (const QLineEdit* edit = lineEdit(dialog, id)) return edit->text();
    return dialog.control<QPlainTextEdit>(id)->toPlainText();
}

// Shows a top-level widget and waits until it is active, so focus and key
// events behave as on a desktop.
inline bool showActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}
