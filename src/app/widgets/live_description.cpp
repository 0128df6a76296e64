// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/live_description.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QVariant>
#include <algorithm>

#include "app/dialog/window_precision.h"
#include "app/widgets/template_widgets.h"
#include "expr/diagnosis.h"
#include "expr/lexicon.h"

namespace {

// The parts an edit's tooltip and accessible description are made of, kept
// on the edit: its standing note, what its live description says, and its
// page's hint (the accessible description it had before either came), which
// the tooltip leaves out.
constexpr char kNotePart[] = "mexoraStandingNote";
constexpr char kSaidPart[] = "mexoraLiveDescription";
constexpr char kHintPart[] = "mexoraHint";

void keepHint(QWidget* edit) {
    if (!edit->property(kHintPart).isValid())
        edit->setProperty(kHintPart, edit->accessibleDescription());
}

void showParts(QWidget* edit) {
    QStringList shown;
    for (const char* part : {kNotePart, kSaidPart}) {
        if (const QString text = edit->property(part).toString(); !text.isEmpty()) shown << text;
    }
    edit->setToolTip(shown.join('\n'));
    if (const QString hint = edit->property(kHintPart).toString(); !hint.isEmpty()) shown << hint;
    edit->setAccessibleDescription(shown.join('\n'));
}

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

// The UTF-16 length of the character at index: a fault is marked under it.
qsizetype characterLength(const QString& text, qsizetype index) {
    return index < text.size() && text[index].isHighSurrogate() ? 2 : 1;
}

// The UTF-16 length of the token that begins at index: a warning is marked
// under it.
qsizetype tokenLength(const QString& text, qsizetype index) {
    qsizetype end = index;
    while (end < text.size() &&
           !(text[end].unicode() < 0x80 && isFormulaDelimiter(text[end].toLatin1()))) {
        ++end;
    }
    return std::max<qsizetype>(end - index, 1);
}

}  // namespace

QTimer* describeAsTyped(QWidget* edit, std::function<QString()> describe,
                        const QList<QWidget*>& alsoWatched) {
    auto* timer = new QTimer(edit);
    timer->setSingleShot(true);
    timer->setInterval(kLiveDelayMs);
    keepHint(edit);
    QObject::connect(timer, &QTimer::timeout, edit, [edit, describe = std::move(describe)] {
        edit->setProperty(kSaidPart, describe());
        showParts(edit);
    });
    onChange(edit, timer);
    for (QWidget* other : alsoWatched) onChange(other, timer);
    return timer;
}

void setStandingNote(QWidget* edit, const QString& note) {
    keepHint(edit);
    edit->setProperty(kNotePart, note);
    showParts(edit);
}

void diagnoseAsTyped(FieldEdit* edit) {
    QTimer* timer = describeAsTyped(edit, [edit] {
        const QString text = edit->text();
        const FormulaDiagnosis diagnosis =
            DiagnoseFormula(text.toStdString(), WindowPrecision::instance().current());
        if (!diagnosis.readable && diagnosis.fault != FormulaFault::Empty) {
            const qsizetype at = indexOfPosition(text, diagnosis.position);
            edit->setMark(at, characterLength(text, at));
            return QString::fromStdString(DiagnosisLine(diagnosis));
        }
        if (diagnosis.warnings.empty()) {
            edit->setMark(-1, 0);
            return QString();
        }
        const qsizetype at = indexOfPosition(text, diagnosis.warnings.front().position);
        edit->setMark(at, tokenLength(text, at), FieldEdit::Mark::Warning);
        QStringList lines;
        for (const FormulaWarning& warning : diagnosis.warnings)
            lines << QString::fromStdString(DiagnosisLine(warning.position, warning.text));
        return lines.join('\n');
    });
    QObject::connect(&WindowPrecision::instance(), &WindowPrecision::changed, timer,
                     [timer] { timer->start(); });
}
