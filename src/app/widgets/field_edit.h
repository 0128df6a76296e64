// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QClipboard>
#include <QLineEdit>
#include <functional>
#include <memory>

#include "app/widgets/edit_history.h"

class LongTextEditing;
class QAction;
class QMenu;
class QRegularExpression;

// A single-line edit; grey with dark blue text while read-only.
// It can mark a stretch of its text with a wavy line: red for a fault, orange
// for a warning.
//
// A line edit lays out its whole text on every change and paint: a pasted
// megabyte would hold the window up for tenths of a second at each key.
// Beyond kLongText characters the line edit still keeps the text and gives
// its signals, but is told to show nothing; LongTextEditing then shows the
// stretch in view and takes the cursor steps and copies the line edit would
// take from its layout.
// The edit keeps its own undo history (EditHistory): the line edit's records
// each character of an insertion, slow for a pasted megabyte, and takes no
// step at all while it shows nothing. A paste goes in whole for the same
// reason.
class FieldEdit : public QLineEdit {
    Q_OBJECT
  public:
    static constexpr qsizetype kLongText = 10000;

    explicit FieldEdit(QWidget* parent);
    ~FieldEdit() override;

    // Takes only texts the pattern matches, wholly or as a beginning.
    void acceptOnly(const QRegularExpression& pattern);

    enum class Mark { Fault, Warning };

    // Marks length characters from index (UTF-16 positions of text()); a
    // negative index clears the mark.
    void setMark(qsizetype index, qsizetype length, Mark kind = Mark::Fault);
    qsizetype markIndex() const { return markIndex_; }

    bool showsLongText() const { return long_ != nullptr; }

    // Puts piece in place of the selection, or at the cursor, as a paste.
    void pasteText(const QString& piece);

    // Where a position between characters is shown, in the edit's pixels, or
    // -1 when it lies too far out of view to tell; and the reverse.
    qreal xOfPosition(qsizetype position) const;
    qsizetype positionAt(qreal x) const;

    // The line edit's own menu; for a long text its undo, redo, cut and copy
    // entries act through this class.
    QMenu* createStandardContextMenu();

    // Told by the edit's validator the length of every new text, before the
    // line edit lays it out.
    void followLength(qsizetype length);

  protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

  private:
    // It draws the line edit's panel (initStyleOption), copies and makes
    // menu entries act as this class does.
    friend class LongTextEditing;

    void showWholeText(bool whole);
    bool takeHistoryKey(QKeyEvent* event);
    void stepHistory(bool back);
    void recordEdit();
    void textWasChanged();
    void copySelection(QClipboard::Mode mode) const;
    // Makes one of the line edit's own menu entries call act instead.
    void actThrough(QAction* action, std::function<void()> act, bool enabled);

    qsizetype markIndex_ = -1;
    qsizetype markLength_ = 0;
    Mark markKind_ = Mark::Fault;
    std::unique_ptr<LongTextEditing> long_;  // only while the text is long

    EditHistory history_;
    QString shown_;                // the text before the change being made
    qsizetype shownCursor_ = 0;    // and the cursor then
    bool shownSelection_ = false;  // and whether text was selected
    qsizetype typedTo_ = -1;       // where the last typed change left the cursor
    bool typing_ = false;          // a key that types or erases is being taken
    bool recorded_ = false;        // the change was the user's, and is recorded
    bool applying_ = false;        // the edit is setting its own text
};
