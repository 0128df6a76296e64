// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/long_line_view.h"

#include <QPainter>
#include <QPalette>
#include <algorithm>

namespace {

// The characters a line edit steps over as separate words.
bool isSeparator(QChar c) {
    static constexpr QStringView kSeparators = u".,?!@#$:;-<>[](){}=/+%&^*'\"`~|\\";
    return kSeparators.contains(c);
}

bool isWordCharacter(QChar c) { return !c.isSpace() && !isSeparator(c); }

}  // namespace

void LongLineView::layOut(const QString& text, qsizetype cursor, const QFont& font, qreal width) {
    cursor = std::clamp<qsizetype>(cursor, 0, text.size());
    const auto lay = [&](qsizetype from) {
        if (from > 0 && from < text.size() && text[from].isLowSurrogate()) ++from;
        text_ = text;
        first_ = from;
        length_ = std::min(kSpan, text.size() - from);
        QString shown = text.mid(from, length_);
        // As the line edit shows them: control characters but the tab, and
        // line and paragraph separators, as blanks.
        for (QChar& c : shown) {
            if ((c.unicode() < 0x20 && c != QLatin1Char('\t')) || c == QChar::LineSeparator ||
                c == QChar::ParagraphSeparator) {
                c = QLatin1Char(' ');
            }
        }
        layout_.setText(shown);
        layout_.setFont(font);
        QTextOption option = layout_.textOption();
        option.setFlags(QTextOption::IncludeTrailingSpaces);
        option.setWrapMode(QTextOption::NoWrap);
        layout_.setTextOption(option);
        layout_.beginLayout();
        layout_.createLine();
        layout_.endLayout();
    };
    lay(std::min(first_, cursor));
    const qreal cursorX = xOf(cursor);
    if (cursorX >= 0 && cursorX <= width) return;
    // The cursor lies right of the view: put it at the right edge.
    lay(std::max<qsizetype>(0, cursor - kSpan));
    const qreal left = xOf(cursor) - width;
    qsizetype from = layout_.lineAt(0).xToCursor(left);
    if (layout_.lineAt(0).cursorToX(from) < left) from = layout_.nextCursorPosition(from);
    lay(first_ + from);
}

qsizetype LongLineView::positionAt(qreal x) const {
    if (x < 0) return previousCharacter(text_, first_);
    return first_ + layout_.lineAt(0).xToCursor(x);
}

qreal LongLineView::xOf(qsizetype position) const {
    if (position < first_ || position > first_ + length_ || layout_.lineCount() == 0) return -1;
    return layout_.lineAt(0).cursorToX(static_cast<int>(position - first_));
}

void LongLineView::draw(QPainter& painter, QPointF topLeft, const QPalette& palette,
                        const Look& look) const {
    QList<QTextLayout::FormatRange> selections;
    const qsizetype start = std::clamp<qsizetype>(look.selectionStart - first_, 0, length_);
    const qsizetype end = std::clamp<qsizetype>(look.selectionEnd - first_, 0, length_);
    if (end > start) {
        QTextLayout::FormatRange selected;
        selected.start = static_cast<int>(start);
        selected.length = static_cast<int>(end - start);
        selected.format.setBackground(palette.brush(QPalette::Highlight));
        selected.format.setForeground(palette.brush(QPalette::HighlightedText));
        selections.append(selected);
    }
    layout_.draw(&painter, topLeft, selections);
    if (look.cursor >= first_ && look.cursor <= first_ + length_) {
        layout_.drawCursor(&painter, topLeft, static_cast<int>(look.cursor - first_),
                           look.cursorWidth);
    }
}

qsizetype nextCharacter(const QString& text, qsizetype position) {
    if (position >= text.size()) return text.size();
    ++position;
    if (position < text.size() && text[position].isLowSurrogate() &&
        text[position - 1].isHighSurrogate()) {
        ++position;
    }
    while (position < text.size() && text[position].isMark()) ++position;
    return position;
}

qsizetype previousCharacter(const QString& text, qsizetype position) {
    if (position <= 0) return 0;
    --position;
    if (position > 0 && text[position].isLowSurrogate() && text[position - 1].isHighSurrogate()) {
        --position;
    }
    while (position > 0 && text[position].isMark()) --position;
    return position;
}

qsizetype nextWord(const QString& text, qsizetype position) {
    const qsizetype size = text.size();
    if (position < size && isSeparator(text[position])) {
        while (position < size && isSeparator(text[position])) ++position;
    } else {
        while (position < size && isWordCharacter(text[position])) ++position;
    }
    while (position < size && text[position].isSpace()) ++position;
    return position;
}

qsizetype previousWord(const QString& text, qsizetype position) {
    while (position > 0 && text[position - 1].isSpace()) --position;
    if (position > 0 && isSeparator(text[position - 1])) {
        while (position > 0 && isSeparator(text[position - 1])) --position;
    } else {
        while (position > 0 && isWordCharacter(text[position - 1])) --position;
    }
    return position;
}

std::pair<qsizetype, qsizetype> wordAt(const QString& text, qsizetype position) {
    const qsizetype first = previousWord(text, std::min(position + 1, text.size()));
    qsizetype last = nextWord(text, first);
    while (last > position && text[last - 1].isSpace()) --last;
    return {first, last};
}
