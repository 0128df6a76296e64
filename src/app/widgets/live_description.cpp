// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/live_description.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

#include "app/widgets/template_widgets.h"
#include "expr/diagnosis.h"

namespace {

void onChange(QWidget* widget, QTimer* timer) {
    const auto restart = [timer] { timer->start(); };
    if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        QObject::connect(line, &QLineEdit::textChanged, timer, restart);
    } else if (auto* area = qobject_cast<QPlainTextEdit*>(widget)) {
        QObject::connect(area, &QPlainTextEdit::textChanged, timer, restart);
    }
}

// The UTF-16 index of a 1-based code point position in text.
qsizetype indexOfPosition(const QString& text, int position) {
    qsizetype index = 0;
    for (int p = 1; p < position && index < text.size(); ++p) {
        index += text[index].isHighSurrogate() && index + 1 < text.size() ? 2 : 1;
    }
    return index;
}

}  // namespace

void describeAsTyped(QWidget* edit, std::function<QString()> describe,
                     const QList<QWidget*>& alsoWatched) {
    auto* timer = new QTimer(edit);
    timer->setSingleShot(true);
    timer->setInterval(kLiveDelayMs);
    const QString hint = edit->accessibleDescription();
    QObject::connect(timer, &QTimer::timeout, edit, [edit, hint, describe = std::move(describe)] {
        const QString said = describe();
        edit->setToolTip(said);
        edit->setAccessibleDescription(said.isEmpty() || hint.isEmpty() ? said + hint
                                                                        : said + "\n" + hint);
    });
    onChange(edit, timer);
    for (QWidget* other : alsoWatched) onChange(other, timer);
}

void diagnoseAsTyped(FieldEdit* edit) {
    describeAsTyped(edit, [edit] {
        const QString text = edit->text();
        const FormulaDiagnosis diagnosis = DiagnoseFormula(text.toStdString());
        if (diagnosis.readable || diagnosis.fault == FormulaFault::Empty) {
            edit->setMark(-1, 0);
            return QString();
        }
        const qsizetype at = indexOfPosition(text, diagnosis.position);
        edit->setMark(at, at < text.size() && text[at].isHighSurrogate() ? 2 : 1);
        return QString::fromStdString(DiagnosisLine(diagnosis));
    });
}
