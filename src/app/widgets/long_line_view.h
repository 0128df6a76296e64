// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>
#include <QTextLayout>
#include <utility>

class QPainter;
class QPalette;

// The stretch of a long one-line text that is in view, laid out alone.
// A line edit lays out and shapes its whole text on every change and every
// paint, which takes tenths of a second for a megabyte; this lays out at most
// kSpan characters, starting at the first one in view.
class LongLineView {
  public:
    static constexpr qsizetype kSpan = 2048;

    // Scrolls as little as keeps cursor in a view width pixels wide, then
    // lays out the stretch in view.
    void layOut(const QString& text, qsizetype cursor, const QFont& font, qreal width);

    // The position nearest x pixels from the view's left edge; left of the
    // edge, the one before the view, so that a drag scrolls back.
    qsizetype positionAt(qreal x) const;
    // Where position lies from the view's left edge, or -1 when it lies
    // outside the stretch laid out.
    qreal xOf(qsizetype position) const;

    struct Look {
        qsizetype selectionStart;
        qsizetype selectionEnd;
        qsizetype cursor;  // -1: not shown
        int cursorWidth;
    };
    void draw(QPainter& painter, QPointF topLeft, const QPalette& palette, const Look& look) const;

  private:
    QString text_;
    qsizetype first_ = 0;
    qsizetype length_ = 0;
    QTextLayout layout_;
};

// Cursor steps in a text, as a line edit takes them: past a whole character
// with its combining marks, and by words, where a run of separators such as
// "+" or "(" counts as a word and the blanks after a word go with it.
qsizetype nextCharacter(const QString& text, qsizetype position);
qsizetype previousCharacter(const QString& text, qsizetype position);
qsizetype nextWord(const QString& text, qsizetype position);
qsizetype previousWord(const QString& text, qsizetype position);
// The word under position, without the blanks after it, as [first, last).
std::pair<qsizetype, qsizetype> wordAt(const QString& text, qsizetype position);
