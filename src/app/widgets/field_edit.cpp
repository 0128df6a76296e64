// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/field_edit.h"

#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QStyleHints>
#include <QStyleOptionFrame>
#include <functional>
#include <limits>
#include <optional>

#include "app/look/dialog_look.h"
#include "app/widgets/long_line_view.h"

namespace {

// Every change of a line edit's text passes its validator before the edit
// lays the new text out: the one place to switch a long text's display in
// time, whichever way the text came (keys, a paste, a drop, setText).
class LengthWatch : public QValidator {
  public:
    explicit LengthWatch(FieldEdit* edit) : QValidator(edit), edit_(edit) {}

    void setPattern(const QRegularExpression& pattern) {
        delete pattern_;
        pattern_ = new QRegularExpressionValidator(pattern, this);
    }

    State validate(QString& input, int& position) const override {
        const State state = patternState(input, position);
        if (state != Invalid) edit_->followLength(input.size());
        return state;
    }

    State patternState(QString& input, int& position) const {
        return pattern_ ? pattern_->validate(input, position) : Acceptable;
    }

    void fixup(QString& input) const override {
        if (pattern_) pattern_->fixup(input);
    }

  private:
    FieldEdit* edit_;
    QRegularExpressionValidator* pattern_ = nullptr;
};

// Beyond this distance from the cursor a mark lies off the edit's view anyway,
// and measuring the text between would cost time on huge formulas.
constexpr qsizetype kFarthestMark = 4000;

// The line edit's own margin between its contents and the text.
constexpr int kTextMargin = 2;

void drawFaultWave(QPainter& painter, qreal left, qreal width, qreal baseline) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(220, 0, 0), 1.2));
    QPainterPath wave;
    wave.moveTo(left, baseline);
    for (qreal x = left; x < left + width; x += 2) {
        wave.lineTo(x + 1, baseline + ((static_cast<int>((x - left) / 2) % 2) ? -1.0 : 1.0));
    }
    painter.drawPath(wave);
}

}  // namespace

// A line edit keeps only its first 32767 characters by default, silently:
// a longer formula pasted in would be computed cut short.
FieldEdit::FieldEdit(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(std::numeric_limits<int>::max());
    setValidator(new LengthWatch(this));
    connect(this, &QLineEdit::textEdited, this, &FieldEdit::recordEdit);
    connect(this, &QLineEdit::textChanged, this, &FieldEdit::textWasChanged);
    connect(this, &QLineEdit::cursorPositionChanged, this,
            [this](int, int now) { shownCursor_ = now; });
    connect(this, &QLineEdit::selectionChanged, this,
            [this] { shownSelection_ = hasSelectedText(); });
}

FieldEdit::~FieldEdit() = default;

// The user changed the text (the line edit tells before textChanged).
void FieldEdit::recordEdit() {
    if (applying_) return;
    // Typing over a selection starts a step of its own.
    const bool goesOn = typing_ && !shownSelection_ && shownCursor_ == typedTo_;
    history_.changed({shown_, shownCursor_}, goesOn);
    typedTo_ = typing_ ? cursorPosition() : -1;
    recorded_ = true;
}

// A text set by the program starts the history afresh, as in a line edit.
void FieldEdit::textWasChanged() {
    if (!recorded_ && !applying_) {
        history_.clear();
        typedTo_ = -1;
    }
    recorded_ = false;
    shown_ = text();
}

void FieldEdit::pasteText(const QString& piece) {
    if (isReadOnly()) return;
    const qsizetype removed = hasSelectedText() ? selectionLength() : 0;
    const qsizetype at = hasSelectedText() ? selectionStart() : cursorPosition();
    QString next = text();
    next.replace(at, removed, piece);
    if (next == text()) return setCursorPosition(static_cast<int>(at + piece.size()));
    int unused = 0;
    if (static_cast<const LengthWatch*>(validator())->patternState(next, unused) ==
        QValidator::Invalid) {
        return;
    }
    history_.changed({text(), cursorPosition()}, false);
    applying_ = true;
    setText(next);
    setCursorPosition(static_cast<int>(at + piece.size()));
    emit textEdited(text());
    applying_ = false;
    typedTo_ = -1;
}

void FieldEdit::acceptOnly(const QRegularExpression& pattern) {
    static_cast<LengthWatch*>(const_cast<QValidator*>(validator()))->setPattern(pattern);
}

void FieldEdit::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ReadOnlyChange || event->type() == QEvent::PaletteChange) {
        // Recolouring changes the palette again; only act when it is off.
        const bool grey = palette().color(QPalette::Base) == kDialogBackground;
        if (grey != isReadOnly()) applyEditColours(*this, isReadOnly());
    }
    QLineEdit::changeEvent(event);
}

void FieldEdit::setMark(qsizetype index, qsizetype length) {
    if (index == markIndex_ && length == markLength_) return;
    markIndex_ = index;
    markLength_ = length;
    update();
}

void FieldEdit::followLength(qsizetype length) {
    const bool longText = length > kLongText;
    if (longText == (echoMode() == NoEcho)) return;
    showWholeText(!longText);
}

// The line edit shows nothing while it holds a long text; the hints it then
// gives input methods (a hidden, sensitive text) are not this edit's.
void FieldEdit::showWholeText(bool whole) {
    const Qt::InputMethodHints hints = inputMethodHints();
    if (!whole && !long_) long_ = std::make_unique<LongLineView>();
    setEchoMode(whole ? Normal : NoEcho);
    if (whole && echoMode() == Normal) long_.reset();
    setInputMethodHints(hints);
    restartBlink();
}

void FieldEdit::paintEvent(QPaintEvent* event) {
    if (long_) {
        paintLongText();
    } else {
        QLineEdit::paintEvent(event);
    }
    if (markIndex_ < 0 || markIndex_ > text().size()) return;
    const qreal left = xOfPosition(markIndex_);
    if (left < 0) return;
    const QFontMetricsF metrics(font());
    const qreal width =
        std::max<qreal>(xOfPosition(markIndex_ + markLength_) - left, metrics.averageCharWidth());
    const qreal baseline = (height() + metrics.ascent() - metrics.descent()) / 2 + 2;
    QPainter painter(this);
    drawFaultWave(painter, left, width, baseline);
}

qreal FieldEdit::xOfPosition(qsizetype position) const {
    const QString shown = text();
    position = std::clamp<qsizetype>(position, 0, shown.size());
    const qsizetype cursor = cursorPosition();
    if (long_) {
        const QRect line = lineRect();
        long_->layOut(shown, cursor, font(), line.width());
        const qreal x = long_->xOf(position);
        return x < 0 ? -1 : line.left() + x;
    }
    // The line edit shows where its cursor is: measure from there, as far as
    // the view can reach.
    if (std::abs(position - cursor) > kFarthestMark) return -1;
    const QFontMetricsF metrics(font());
    const qreal cursorX = cursorRect().center().x();
    return position >= cursor
               ? cursorX + metrics.horizontalAdvance(shown.mid(cursor, position - cursor))
               : cursorX - metrics.horizontalAdvance(shown.mid(position, cursor - position));
}

qsizetype FieldEdit::positionAt(qreal x) const {
    // The line edit's own look-up changes nothing, though not declared so.
    if (!long_) {
        return const_cast<FieldEdit*>(this)->cursorPositionAt(
            QPoint(static_cast<int>(x), height() / 2));
    }
    const QRect line = lineRect();
    long_->layOut(text(), cursorPosition(), font(), line.width());
    return long_->positionAt(x - line.left());
}

// Where the line edit puts its one line of text.
QRect FieldEdit::lineRect() const {
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    const QRect contents = style()
                               ->subElementRect(QStyle::SE_LineEditContents, &panel, this)
                               .marginsRemoved(textMargins());
    const int lineHeight = fontMetrics().height();
    const int top = contents.y() + (contents.height() - lineHeight + 1) / 2;
    return {contents.x() + kTextMargin, top, contents.width() - 2 * kTextMargin, lineHeight};
}

void FieldEdit::paintLongText() {
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    const QRect line = lineRect();
    painter.setClipRect(line.adjusted(-kTextMargin, 0, kTextMargin, 0));
    const QString shown = text();
    const qsizetype cursor = cursorPosition();
    long_->layOut(shown, cursor, font(), line.width());
    const QPalette colours = palette();
    painter.setPen(colours.color(QPalette::Text));
    const qsizetype selected = selectionStart();
    const bool cursorShown = hasFocus() && !isReadOnly() && cursorOn_;
    long_->draw(painter, line.topLeft(), colours,
                {selected, selected < 0 ? -1 : selectionEnd(), cursorShown ? cursor : -1,
                 style()->pixelMetric(QStyle::PM_TextCursorWidth, &panel, this)});
}

void FieldEdit::restartBlink() {
    cursorOn_ = true;
    const int flash = QGuiApplication::styleHints()->cursorFlashTime();
    if (long_ && hasFocus() && flash > 0) {
        blink_.start(flash / 2, this);
    } else {
        blink_.stop();
    }
    update();
}

void FieldEdit::timerEvent(QTimerEvent* event) {
    if (event->timerId() != blink_.timerId()) return QLineEdit::timerEvent(event);
    cursorOn_ = !cursorOn_;
    update();
}

// The long view blinks its own cursor, while focused only.
void FieldEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (long_) restartBlink();
}

void FieldEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (long_) restartBlink();
}

void FieldEdit::copySelection(QClipboard::Mode mode) const {
    if (!hasSelectedText()) return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (mode == QClipboard::Selection && !clipboard->supportsSelection()) return;
    clipboard->setText(selectedText(), mode);
}

// From the far end of the selection, or from the cursor when none.
void FieldEdit::selectTo(qsizetype position) {
    const qsizetype cursor = cursorPosition();
    qsizetype anchor = cursor;
    if (hasSelectedText()) anchor = cursor == selectionStart() ? selectionEnd() : selectionStart();
    setSelection(static_cast<int>(anchor), static_cast<int>(position - anchor));
}

void FieldEdit::stepHistory(bool back) {
    if (isReadOnly()) return;
    EditHistory::State now{text(), cursorPosition()};
    const std::optional<EditHistory::State> to =
        back ? history_.undo(std::move(now)) : history_.redo(std::move(now));
    if (!to) return;
    applying_ = true;
    setText(to->text);
    setCursorPosition(static_cast<int>(to->cursor));
    emit textEdited(text());
    applying_ = false;
    typedTo_ = -1;
}

bool FieldEdit::takeLongTextKey(QKeyEvent* event) {
    const bool editable = !isReadOnly();
    if (event == QKeySequence::Copy) {
        copySelection(QClipboard::Clipboard);
        return true;
    }
    if (event == QKeySequence::Cut || event == QKeySequence::DeleteEndOfLine ||
        event == QKeySequence::DeleteCompleteLine) {
        if (!editable) return true;
        if (event == QKeySequence::DeleteEndOfLine) selectTo(text().size());
        if (event == QKeySequence::DeleteCompleteLine) selectAll();
        copySelection(QClipboard::Clipboard);
        if (hasSelectedText()) del();
        return true;
    }
    using Step = qsizetype (*)(const QString&, qsizetype);
    struct Key {
        QKeySequence::StandardKey key;
        enum { Move, Select, Delete } action;
        Step step;
    };
    static const Key keys[] = {
        {QKeySequence::MoveToNextChar, Key::Move, nextCharacter},
        {QKeySequence::MoveToPreviousChar, Key::Move, previousCharacter},
        {QKeySequence::MoveToNextWord, Key::Move, nextWord},
        {QKeySequence::MoveToPreviousWord, Key::Move, previousWord},
        {QKeySequence::SelectNextChar, Key::Select, nextCharacter},
        {QKeySequence::SelectPreviousChar, Key::Select, previousCharacter},
        {QKeySequence::SelectNextWord, Key::Select, nextWord},
        {QKeySequence::SelectPreviousWord, Key::Select, previousWord},
        {QKeySequence::Delete, Key::Delete, nextCharacter},
        {QKeySequence::DeleteEndOfWord, Key::Delete, nextWord},
        {QKeySequence::DeleteStartOfWord, Key::Delete, previousWord},
    };
    for (const Key& key : keys) {
        if (event != key.key) continue;
        const qsizetype to = key.step(text(), cursorPosition());
        switch (key.action) {
            case Key::Move:
                // An arrow with a selection goes to the selection's end.
                if (hasSelectedText() && key.step == nextCharacter) {
                    setCursorPosition(selectionEnd());
                } else if (hasSelectedText() && key.step == previousCharacter) {
                    setCursorPosition(selectionStart());
                } else {
                    setCursorPosition(static_cast<int>(to));
                }
                break;
            case Key::Select:
                selectTo(to);
                break;
            case Key::Delete:
                if (!editable) break;
                if (!hasSelectedText()) selectTo(to);
                if (hasSelectedText()) del();
                break;
        }
        return true;
    }
    return false;
}

void FieldEdit::keyPressEvent(QKeyEvent* event) {
    if (event == QKeySequence::Undo || event == QKeySequence::Redo) {
        stepHistory(event == QKeySequence::Undo);
        return event->accept();
    }
    if (event == QKeySequence::Paste) {
        // Ctrl+Shift+Insert pastes the selection, as in the line edit.
        const bool selection = event->key() == Qt::Key_Insert &&
                               event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier);
        pasteText(QGuiApplication::clipboard()->text(selection ? QClipboard::Selection
                                                               : QClipboard::Clipboard));
        return event->accept();
    }
    const bool plain = (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0;
    typing_ = plain && ((!event->text().isEmpty() && event->text()[0].isPrint()) ||
                        event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete);
    if (long_ && takeLongTextKey(event)) {
        typing_ = false;
        event->accept();
        copySelection(QClipboard::Selection);
        restartBlink();
        return;
    }
    QLineEdit::keyPressEvent(event);
    typing_ = false;
    if (long_) restartBlink();
}

void FieldEdit::mousePressEvent(QMouseEvent* event) {
    if (!long_ || event->button() == Qt::RightButton) return QLineEdit::mousePressEvent(event);
    const qsizetype at = positionAt(event->position().x());
    if (event->modifiers() & Qt::ShiftModifier) {
        selectTo(at);
    } else {
        setCursorPosition(static_cast<int>(at));
    }
    selecting_ = event->button() == Qt::LeftButton;
    restartBlink();
    event->accept();
}

void FieldEdit::mouseMoveEvent(QMouseEvent* event) {
    if (!long_) return QLineEdit::mouseMoveEvent(event);
    if (selecting_ && (event->buttons() & Qt::LeftButton))
        selectTo(positionAt(event->position().x()));
    event->accept();
}

void FieldEdit::mouseReleaseEvent(QMouseEvent* event) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection() && !isReadOnly()) {
        deselect();
        pasteText(clipboard->text(QClipboard::Selection));
        return event->accept();
    }
    if (long_ && event->button() == Qt::LeftButton) {
        selecting_ = false;
        copySelection(QClipboard::Selection);
    }
    QLineEdit::mouseReleaseEvent(event);
}

void FieldEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!long_ || event->button() != Qt::LeftButton) return QLineEdit::mouseDoubleClickEvent(event);
    const QString shown = text();
    const auto [first, last] = wordAt(shown, positionAt(event->position().x()));
    setSelection(static_cast<int>(first), static_cast<int>(last - first));
    copySelection(QClipboard::Selection);
    event->accept();
}

QMenu* FieldEdit::createStandardContextMenu() {
    QMenu* menu = QLineEdit::createStandardContextMenu();
    const auto actThrough = [this](QAction* action, std::function<void()> act, bool enabled) {
        QObject::disconnect(action, &QAction::triggered, this, nullptr);
        connect(action, &QAction::triggered, this, std::move(act));
        action->setEnabled(enabled);
    };
    const bool editable = !isReadOnly();
    for (QAction* action : menu->actions()) {
        const QString label = action->text();
        if (label.startsWith(QLineEdit::tr("&Undo"))) {
            actThrough(
                action, [this] { stepHistory(true); }, editable && history_.canUndo());
        } else if (label.startsWith(QLineEdit::tr("&Redo"))) {
            actThrough(
                action, [this] { stepHistory(false); }, editable && history_.canRedo());
        } else if (label.startsWith(QLineEdit::tr("&Paste"))) {
            actThrough(
                action, [this] { pasteText(QGuiApplication::clipboard()->text()); },
                action->isEnabled());
        } else if (long_ && label.startsWith(QLineEdit::tr("Cu&t"))) {
            actThrough(
                action,
                [this] {
                    copySelection(QClipboard::Clipboard);
                    del();
                },
                editable && hasSelectedText());
        } else if (long_ && label.startsWith(QLineEdit::tr("&Copy"))) {
            actThrough(
                action, [this] { copySelection(QClipboard::Clipboard); }, hasSelectedText());
        }
    }
    return menu;
}

void FieldEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void FieldEdit::dragMoveEvent(QDragMoveEvent* event) {
    if (!long_) return QLineEdit::dragMoveEvent(event);
    if (isReadOnly() || !event->mimeData()->hasText()) return event->ignore();
    setCursorPosition(static_cast<int>(positionAt(event->position().x())));
    event->acceptProposedAction();
}

void FieldEdit::dropEvent(QDropEvent* event) {
    if (!long_) return QLineEdit::dropEvent(event);
    if (isReadOnly() || !event->mimeData()->hasText()) return event->ignore();
    setCursorPosition(static_cast<int>(positionAt(event->position().x())));
    pasteText(event->mimeData()->text());
    event->acceptProposedAction();
}

QVariant FieldEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
    if (!long_ || (query != Qt::ImCursorRectangle && query != Qt::ImAnchorRectangle)) {
        return QLineEdit::inputMethodQuery(query);
    }
    const QRect line = lineRect();
    const qreal x = long_->xOf(cursorPosition());
    return QRect(line.left() + static_cast<int>(std::max<qreal>(x, 0)), line.top(), 1,
                 line.height());
}
