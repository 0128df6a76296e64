// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/field_edit.h"

#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpressionValidator>
#include <functional>
#include <limits>
#include <optional>

#include "app/look/dialog_look.h"
#include "app/widgets/long_text_editing.h"

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

// A key that types or erases a character: it may go on the typed step.
bool typesOrErases(const QKeyEvent& key) {
    const bool plain = (key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0;
    return plain && ((!key.text().isEmpty() && key.text()[0].isPrint()) ||
                     key.key() == Qt::Key_Backspace || key.key() == Qt::Key_Delete);
}

const QColor kFaultWave(220, 0, 0);
const QColor kWarningWave(240, 140, 0);

void drawWave(QPainter& painter, const QColor& colour, qreal left, qreal width, qreal baseline) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 1.2));
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

// A text set by the program (a result, a matrix picked, a row of the history)
// is a step of its own, so that Ctrl+Z gives back what the user had typed.
void FieldEdit::textWasChanged() {
    if (!recorded_ && !applying_ && text() != shown_) {
        history_.changed({shown_, shownCursor_}, false);
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

void FieldEdit::setMark(qsizetype index, qsizetype length, Mark kind) {
    if (index == markIndex_ && length == markLength_ && kind == markKind_) return;
    markIndex_ = index;
    markLength_ = length;
    markKind_ = kind;
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
    if (!whole && !long_) long_ = std::make_unique<LongTextEditing>(*this);
    setEchoMode(whole ? Normal : NoEcho);
    if (whole && echoMode() == Normal) long_.reset();
    setInputMethodHints(hints);
    if (long_) {
        long_->restartBlink();
    } else {
        update();
    }
}

void FieldEdit::paintEvent(QPaintEvent* event) {
    if (long_) {
        long_->paint();
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
    drawWave(painter, markKind_ == Mark::Fault ? kFaultWave : kWarningWave, left, width, baseline);
}

qreal FieldEdit::xOfPosition(qsizetype position) const {
    const QString shown = text();
    position = std::clamp<qsizetype>(position, 0, shown.size());
    if (long_) return long_->xOfPosition(position);
    const qsizetype cursor = cursorPosition();
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
    return long_->positionAt(x);
}

// The long view blinks its own cursor, while focused only.
void FieldEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (long_) long_->restartBlink();
}

void FieldEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (long_) long_->restartBlink();
}

void FieldEdit::copySelection(QClipboard::Mode mode) const {
    if (!hasSelectedText()) return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (mode == QClipboard::Selection && !clipboard->supportsSelection()) return;
    clipboard->setText(selectedText(), mode);
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

// Undo, redo and paste, which go through the edit's own history.
bool FieldEdit::takeHistoryKey(QKeyEvent* event) {
    if (event == QKeySequence::Undo || event == QKeySequence::Redo) {
        stepHistory(event == QKeySequence::Undo);
        return true;
    }
    if (event != QKeySequence::Paste) return false;
    // Ctrl+Shift+Insert pastes the selection, as in the line edit.
    const bool selection = event->key() == Qt::Key_Insert &&
                           event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier);
    pasteText(QGuiApplication::clipboard()->text(selection ? QClipboard::Selection
                                                           : QClipboard::Clipboard));
    return true;
}

void FieldEdit::keyPressEvent(QKeyEvent* event) {
    if (takeHistoryKey(event)) return event->accept();
    typing_ = typesOrErases(*event);
    if (long_ && long_->takeKey(event)) {
        // The key may have made the text short, and ended the long display.
        typing_ = false;
        event->accept();
        copySelection(QClipboard::Selection);
        if (long_) long_->restartBlink();
        return;
    }
    QLineEdit::keyPressEvent(event);
    typing_ = false;
    if (long_) long_->restartBlink();
}

void FieldEdit::mousePressEvent(QMouseEvent* event) {
    if (!long_ || !long_->takeMousePress(event)) QLineEdit::mousePressEvent(event);
}

void FieldEdit::mouseMoveEvent(QMouseEvent* event) {
    if (long_) return long_->mouseMove(event);
    QLineEdit::mouseMoveEvent(event);
}

void FieldEdit::mouseReleaseEvent(QMouseEvent* event) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection() && !isReadOnly()) {
        deselect();
        pasteText(clipboard->text(QClipboard::Selection));
        return event->accept();
    }
    if (long_) long_->mouseRelease(event);
    QLineEdit::mouseReleaseEvent(event);
}

void FieldEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!long_ || !long_->takeDoubleClick(event)) QLineEdit::mouseDoubleClickEvent(event);
}

void FieldEdit::actThrough(QAction* action, std::function<void()> act, bool enabled) {
    QObject::disconnect(action, &QAction::triggered, this, nullptr);
    connect(action, &QAction::triggered, this, std::move(act));
    action->setEnabled(enabled);
}

QMenu* FieldEdit::createStandardContextMenu() {
    QMenu* menu = QLineEdit::createStandardContextMenu();
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
        }
    }
    if (long_) long_->takeOverMenu(*menu);
    return menu;
}

void FieldEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void FieldEdit::dragMoveEvent(QDragMoveEvent* event) {
    if (long_) return long_->dragMove(event);
    QLineEdit::dragMoveEvent(event);
}

void FieldEdit::dropEvent(QDropEvent* event) {
    if (long_) return long_->drop(event);
    QLineEdit::dropEvent(event);
}

QVariant FieldEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
    if (long_ && (query == Qt::ImCursorRectangle || query == Qt::ImAnchorRectangle)) {
        return long_->inputCursorRect();
    }
    return QLineEdit::inputMethodQuery(query);
}
