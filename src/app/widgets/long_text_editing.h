// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QBasicTimer>
#include <QObject>
#include <QRect>

#include "app/widgets/long_line_view.h"

class FieldEdit;
class QDragMoveEvent;
class QDropEvent;
class QKeyEvent;
class QMenu;
class QMouseEvent;

// What a FieldEdit does itself while it holds a long text and its line edit
// shows nothing: it paints the stretch in view with its own blinking cursor,
// and takes the cursor steps, selections, deletions, copies, clicks, drags
// and drops the line edit would take from its layout.
//
// The edit owns this only while its text is long. A change of the text can
// make it short and end this object at once, so a member function that
// changes the text does so last.
class LongTextEditing : public QObject {
  public:
    explicit LongTextEditing(FieldEdit& edit);

    void paint();
    // Where a position between characters is shown, in the edit's pixels, or
    // -1 when it lies outside the stretch in view; and the reverse.
    qreal xOfPosition(qsizetype position);
    qsizetype positionAt(qreal x);
    // The cursor as input methods ask for it, where it was last laid out.
    QRect inputCursorRect() const;

    // Takes the key when it is one the line edit would take from its layout.
    bool takeKey(QKeyEvent* event);
    // Takes every button but the right one, whose menu the line edit opens.
    bool takeMousePress(QMouseEvent* event);
    void mouseMove(QMouseEvent* event);
    void mouseRelease(QMouseEvent* event);
    // Takes the left button: it selects the word under it.
    bool takeDoubleClick(QMouseEvent* event);
    void dragMove(QDragMoveEvent* event);
    void drop(QDropEvent* event);
    // Makes the menu's cut and copy entries act, which the line edit's own
    // would not do for a text it does not show.
    void takeOverMenu(QMenu& menu);

    // Shows the cursor and starts its blinking afresh, while the edit has
    // the focus.
    void restartBlink();

  protected:
    void timerEvent(QTimerEvent* event) override;

  private:
    using Step = qsizetype (*)(const QString&, qsizetype);

    bool takeCutKey(QKeyEvent* event);
    bool takeStepKey(QKeyEvent* event);
    void move(Step step, qsizetype to);
    void erase(qsizetype to);
    void selectTo(qsizetype position);
    QRect lineRect() const;
    void layOut(const QRect& line);

    FieldEdit& edit_;
    LongLineView view_;
    QBasicTimer blink_;
    bool cursorOn_ = true;
    bool selecting_ = false;
};
