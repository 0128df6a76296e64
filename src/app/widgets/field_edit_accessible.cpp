// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/field_edit_accessible.h"

#include <QAccessibleWidget>
#include <QFontMetrics>

#include "app/widgets/field_edit.h"

namespace {

class FieldEditAccessible : public QAccessibleWidget,
                            public QAccessibleTextInterface,
                            public QAccessibleEditableTextInterface {
  public:
    explicit FieldEditAccessible(FieldEdit* edit)
        : QAccessibleWidget(edit, QAccessible::EditableText) {
        addControllingSignal(QStringLiteral("textChanged(QString)"));
        addControllingSignal(QStringLiteral("returnPressed()"));
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value && !edit()->text().isEmpty()) return edit()->text();
        return QAccessibleWidget::text(t);
    }

    void setText(QAccessible::Text t, const QString& text) override {
        if (t != QAccessible::Value) return QAccessibleWidget::setText(t, text);
        replaceText(0, characterCount(), text);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = edit()->isReadOnly();
        state.editable = !edit()->isReadOnly();
        state.selectableText = true;
        return state;
    }

    // The text interface.
    void selection(int index, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        if (index != 0 || !edit()->hasSelectedText()) return;
        *startOffset = edit()->selectionStart();
        *endOffset = edit()->selectionEnd();
    }
    int selectionCount() const override { return edit()->hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override {
        setSelection(0, startOffset, endOffset);
    }
    void removeSelection(int index) override {
        if (index == 0) edit()->deselect();
    }
    void setSelection(int index, int startOffset, int endOffset) override {
        if (index == 0) edit()->setSelection(startOffset, endOffset - startOffset);
    }
    int cursorPosition() const override { return edit()->cursorPosition(); }
    void setCursorPosition(int position) override { edit()->setCursorPosition(position); }
    QString text(int startOffset, int endOffset) const override {
        if (startOffset > endOffset) return {};
        return edit()->text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(edit()->text().size()); }
    QRect characterRect(int offset) const override {
        const qreal left = edit()->xOfPosition(offset);
        if (left < 0 || offset >= characterCount()) return {};
        const qreal right = edit()->xOfPosition(offset + 1);
        const QFontMetrics metrics(edit()->font());
        const int top = (edit()->height() - metrics.height()) / 2;
        const QRect local(static_cast<int>(left), top, static_cast<int>(right - left) + 1,
                          metrics.height());
        return local.translated(edit()->mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint& point) const override {
        return static_cast<int>(edit()->positionAt(edit()->mapFromGlobal(point).x()));
    }
    void scrollToSubstring(int startIndex, int endIndex) override {
        edit()->setCursorPosition(endIndex);
        edit()->setCursorPosition(startIndex);
    }
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = offset;
        return {};
    }

    // The editable text interface: as a paste, so the edit's rules and
    // history apply.
    void deleteText(int startOffset, int endOffset) override {
        replaceText(startOffset, endOffset, QString());
    }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString& text) override {
        edit()->setSelection(startOffset, endOffset - startOffset);
        edit()->pasteText(text);
    }

  private:
    FieldEdit* edit() const { return static_cast<FieldEdit*>(widget()); }
};

}  // namespace

QAccessibleInterface* makeFieldEditAccessible(FieldEdit* edit) {
    return new FieldEditAccessible(edit);
}
