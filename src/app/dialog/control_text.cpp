// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialog/control_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

QString controlText(const QWidget* control) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
    if (const auto* area = qobject_cast<const QPlainTextEdit*>(control)) return area->toPlainText();
    if (const auto* box = qobject_cast<const QCheckBox*>(control))
        return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    if (const auto* selector = qobject_cast<const QComboBox*>(control))
        return selector->currentText();
    return {};
}
