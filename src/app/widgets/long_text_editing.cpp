// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/long_text_editing.h"

#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleHints>
#include <QStyleOptionFrame>
#include <algorithm>

#include "app/widgets/field_edit.h"

namespace {

// The line edit's own margin between its contents and the text.
constexpr int kTextMargin = 2;

enum class StepAction { Move, Select, Delete };

// The keys that move the cursor, select or delete by a character or a word.
struct StepKey {
    QKeySequence::StandardKey key;
    StepAction action;
    qsizetype (*step)(const QString&, qsizetype);
};

const StepKey kStepKeys[] = {
    {QKeySequence::MoveToNextChar, StepAction::Move, nextCharacter},
    {QKeySequence::MoveToPreviousChar, StepAction::Move, previousCharacter},
    {QKeySequence::MoveToNextWord, StepAction::Move, nextWord},
    {QKeySequence::MoveToPreviousWord, StepAction::Move, previousWord},
    {QKeySequence::SelectNextChar, StepAction::Select, nextCharacter},
    {QKeySequence::SelectPreviousChar, StepAction::Select, previousCharacter},
    {QKeySequence::SelectNextWord, StepAction::Select, nextWord},
    {QKeySequence::SelectPreviousWord, StepAction::Select, previousWord},
    {QKeySequence::Delete, StepAction::Delete, nextCharacter},
    {QKeySequence::DeleteEndOfWord, StepAction::Delete, nextWord},
    {QKeySequence::DeleteStartOfWord, StepAction::Delete, previousWord},
};

}  // namespace

LongTextEditing::LongTextEditing(FieldEdit& edit) : edit_(edit) {}

// Where the line edit puts its one line of text.
QRect LongTextEditing::lineRect() const {
    QStyleOptionFrame panel;
    edit_.initStyleOption(&panel);
    const QRect contents = edit_.style()
                               ->subElementRect(QStyle::SE_LineEditContents, &panel, &edit_)
                               .marginsRemoved(edit_.textMargins());
    const int lineHeight = edit_.fontMetrics().height();
    const int top = contents.y() + (contents.height() - lineHeight + 1) / 2;
    return {contents.x() + kTextMargin, top, contents.width() - 2 * kTextMargin, lineHeight};
}

void LongTextEditing::layOut(const QRect& line) {
    view_.layOut(edit_.text(), edit_.cursorPosition(), edit_.font(), line.width());
}

void LongTextEditing::paint() {
    QPainter painter(&edit_);
    QStyleOptionFrame panel;
    edit_.initStyleOption(&panel);
    QStyle* style = edit_.style();
    style->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, &edit_);
    const QRect line = lineRect();
    painter.setClipRect(line.adjusted(-kTextMargin, 0, kTextMargin, 0));
    layOut(line);
    const QPalette colours = edit_.palette();
    painter.setPen(colours.color(QPalette::Text));
    const qsizetype selected = edit_.selectionStart();
    const bool cursorShown = edit_.hasFocus() && !edit_.isReadOnly() && cursorOn_;
    view_.draw(painter, line.topLeft(), colours,
               {selected, selected < 0 ? -1 : edit_.selectionEnd(),
                cursorShown ? edit_.cursorPosition() : -1,
                style->pixelMetric(QStyle::PM_TextCursorWidth, &panel, &edit_)});
}

qreal LongTextEditing::xOfPosition(qsizetype position) {
    const QRect line = lineRect();
    layOut(line);
    const qreal x = view_.xOf(position);
    return x < 0 ? -1 : line.left() + x;
}

qsizetype LongTextEditing::positionAt(qreal x) {
    const QRect line = lineRect();
    layOut(line);
    return view_.positionAt(x - line.left());
}

QRect LongTextEditing::inputCursorRect() const {
    const QRect line = lineRect();
    const qreal x = view_.xOf(edit_.cursorPosition());
    return {line.left() + static_cast<int>(std::max<qreal>(x, 0)), line.top(), 1, line.height()};
}

void LongTextEditing::restartBlink() {
    cursorOn_ = true;
    const int flash = QGuiApplication::styleHints()->cursorFlashTime();
    if (edit_.hasFocus() && flash > 0) {
        blink_.start(flash / 2, this);
    } else {
        blink_.stop();
    }
    edit_.update();
}

void LongTextEditing::timerEvent(QTimerEvent* event) {
    if (event->timerId() != blink_.timerId()) return QObject::timerEvent(event);
    cursorOn_ = !cursorOn_;
    edit_.update();
}

bool LongTextEditing::takeKey(QKeyEvent* event) {
    if (event == QKeySequence::Copy) {
        edit_.copySelection(QClipboard::Clipboard);
        return true;
    }
    return takeCutKey(event) || takeStepKey(event);
}

// Cut, and the keys that cut to the end of the line or the whole line.
bool LongTextEditing::takeCutKey(QKeyEvent* event) {
    const bool toEnd = event == QKeySequence::DeleteEndOfLine;
    const bool wholeLine = event == QKeySequence::DeleteCompleteLine;
    if (!toEnd && !wholeLine && event != QKeySequence::Cut) return false;
    if (edit_.isReadOnly()) return true;
    if (toEnd) selectTo(edit_.text().size());
    if (wholeLine) edit_.selectAll();
    edit_.copySelection(QClipboard::Clipboard);
    if (edit_.hasSelectedText()) edit_.del();
    return true;
}

bool LongTextEditing::takeStepKey(QKeyEvent* event) {
    const auto found = std::find_if(std::begin(kStepKeys), std::end(kStepKeys),
                                    [event](const StepKey& key) { return event == key.key; });
    if (found == std::end(kStepKeys)) return false;
    const qsizetype to = found->step(edit_.text(), edit_.cursorPosition());
    switch (found->action) {
        case StepAction::Move:
            move(found->step, to);
            break;
        case StepAction::Select:
            selectTo(to);
            break;
        case StepAction::Delete:
            erase(to);
            break;
    }
    return true;
}

void LongTextEditing::move(Step step, qsizetype to) {
    // An arrow with a selection goes to the selection's end.
    if (edit_.hasSelectedText() && step == nextCharacter) {
        edit_.setCursorPosition(edit_.selectionEnd());
    } else if (edit_.hasSelectedText() && step == previousCharacter) {
        edit_.setCursorPosition(edit_.selectionStart());
    } else {
        edit_.setCursorPosition(static_cast<int>(to));
    }
}

// The selection, or else the text from the cursor to.
void LongTextEditing::erase(qsizetype to) {
    if (edit_.isReadOnly()) return;
    if (!edit_.hasSelectedText()) selectTo(to);
    if (edit_.hasSelectedText()) edit_.del();
}

// From the far end of the selection, or from the cursor when none.
void LongTextEditing::selectTo(qsizetype position) {
    const qsizetype cursor = edit_.cursorPosition();
    qsizetype anchor = cursor;
    if (edit_.hasSelectedText()) {
        anchor = cursor == edit_.selectionStart() ? edit_.selectionEnd() : edit_.selectionStart();
    }
    edit_.setSelection(static_cast<int>(anchor), static_cast<int>(position - anchor));
}

bool LongTextEditing::takeMousePress(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) return false;
    const qsizetype at = positionAt(event->position().x());
    if (event->modifiers() & Qt::ShiftModifier) {
        selectTo(at);
    } else {
        edit_.setCursorPosition(static_cast<int>(at));
    }
    selecting_ = event->button() == Qt::LeftButton;
    restartBlink();
    event->accept();
    return true;
}

void LongTextEditing::mouseMove(QMouseEvent* event) {
    if (selecting_ && (event->buttons() & Qt::LeftButton))
        selectTo(positionAt(event->position().x()));
    event->accept();
}

void LongTextEditing::mouseRelease(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    selecting_ = false;
    edit_.copySelection(QClipboard::Selection);
}

bool LongTextEditing::takeDoubleClick(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return false;
    const QString shown = edit_.text();
    const auto [first, last] = wordAt(shown, positionAt(event->position().x()));
    edit_.setSelection(static_cast<int>(first), static_cast<int>(last - first));
    edit_.copySelection(QClipboard::Selection);
    event->accept();
    return true;
}

void LongTextEditing::dragMove(QDragMoveEvent* event) {
    if (edit_.isReadOnly() || !event->mimeData()->hasText()) return event->ignore();
    edit_.setCursorPosition(static_cast<int>(positionAt(event->position().x())));
    event->acceptProposedAction();
}

void LongTextEditing::drop(QDropEvent* event) {
    if (edit_.isReadOnly() || !event->mimeData()->hasText()) return event->ignore();
    edit_.setCursorPosition(static_cast<int>(positionAt(event->position().x())));
    edit_.pasteText(event->mimeData()->text());
    event->acceptProposedAction();
}

void LongTextEditing::takeOverMenu(QMenu& menu) {
    // The entries act on the edit: they may be chosen after this object ends.
    FieldEdit* edit = &edit_;
    for (QAction* action : menu.actions()) {
        const QString label = action->text();
        if (label.startsWith(QLineEdit::tr("Cu&t"))) {
            edit->actThrough(
                action,
                [edit] {
                    edit->copySelection(QClipboard::Clipboard);
                    edit->del();
                },
                !edit->isReadOnly() && edit->hasSelectedText());
        } else if (label.startsWith(QLineEdit::tr("&Copy"))) {
            edit->actThrough(
                action, [edit] { edit->copySelection(QClipboard::Clipboard); },
                edit->hasSelectedText());
        }
    }
}
