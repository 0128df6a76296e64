// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/template_widgets.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QEvent>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QStyleOptionButton>
#include <QTextCursor>
#include <QTextLayout>
#include <QtMath>

#include "app/dialog/dialog_scale.h"
#include "app/dialog/dialog_units.h"
#include "app/look/art.h"
#include "app/look/dialog_look.h"
#include "app/look/dialog_style.h"

namespace {

// Where the text of an ideographic em box sits: the box spans the font's
// pixel size, and the baseline lies 0.88 of it below the box's top.
constexpr qreal kBaselineInEmBox = 0.88;

const QColor kShadow(128, 128, 128);
const QColor kHighlight(255, 255, 255);

// Draws text into area the way a dialog static does: paragraphs split at line
// feeds, lines broken at word boundaries (anywhere within CJK text) when wrap
// is set, one line per font height, horizontally aligned as asked, clipped to
// the area.
void drawDialogText(QPainter& painter, const QRect& area, const QString& text,
                    Qt::Alignment alignment, const QFont& font, bool wrap = true) {
    const int pitch = QFontInfo(font).pixelSize();
    const qreal ascent = QFontMetricsF(font).ascent();
    QTextOption option;
    option.setWrapMode(wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    painter.save();
    painter.setClipRect(area);
    painter.setFont(font);
    qreal top = area.top();
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(area.width());
            qreal x = area.left();
            if (alignment & Qt::AlignHCenter) x += (area.width() - line.naturalTextWidth()) / 2;
            line.setPosition(QPointF(x, top + kBaselineInEmBox * pitch - ascent));
            top += pitch;
        }
        layout.endLayout();
        layout.draw(&painter, QPointF(0, 0));
        if (paragraph.isEmpty()) top += pitch;
    }
    painter.restore();
}

void drawSunkenEdge(QPainter& painter, const QRect& r) {
    painter.setPen(kShadow);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(kHighlight);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
}

}  // namespace

StaticText::StaticText(const QString& text, Qt::Alignment alignment, bool sunken, QWidget* parent)
    : QWidget(parent), text_(text), alignment_(alignment), sunken_(sunken) {
    setForegroundRole(QPalette::WindowText);
}

void StaticText::setText(const QString& text) {
    text_ = text;
    update();
}

void StaticText::makeLink() {
    link_ = true;
    setFocusPolicy(Qt::StrongFocus);
    // A plain label lets the mouse through to the dialog; a link takes it.
    setAttribute(Qt::WA_TransparentForMouseEvents, false);
}

void StaticText::keyPressEvent(QKeyEvent* event) {
    const bool press = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                       event->key() == Qt::Key_Space;
    if (link_ && press && event->modifiers() == Qt::NoModifier) {
        activate();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void StaticText::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QRect area = rect();
    if (sunken_) {
        drawSunkenEdge(painter, area);
        area.adjust(1, 1, -1, -1);
    }
    painter.setPen(palette().color(foregroundRole()));
    drawDialogText(painter, area, text_, alignment_, font());
    if (hasFocus()) drawFocusMark(painter, rect());
}

GroupFrame::GroupFrame(const QString& title, QWidget* parent) : QWidget(parent), title_(title) {
    setForegroundRole(QPalette::WindowText);
}

void GroupFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int pitch = QFontInfo(font()).pixelSize();
    // The frame's top edge runs through the middle of the title.
    const QRect frame = rect().adjusted(0, pitch / 2, -1, -1);
    painter.setPen(kShadow);
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    painter.setPen(kHighlight);
    painter.drawRect(frame.adjusted(1, 1, 0, 0));
    if (title_.isEmpty()) return;
    const int textWidth = qCeil(QFontMetricsF(font()).horizontalAdvance(title_));
    // The title starts 6 dialog units in.
    const int indent = dialogUnitsToPixels(6);
    const QRect titleArea(indent, 0, qMin(textWidth, width() - 2 * indent), pitch);
    painter.fillRect(titleArea.adjusted(-2, 0, 2, 0), palette().color(QPalette::Window));
    painter.setPen(palette().color(foregroundRole()));
    drawDialogText(painter, titleArea, title_, Qt::AlignLeft, font(), false);
}

PictureControl::PictureControl(int resourceId, QSize pictureSize, bool sunken, QWidget* parent)
    : QWidget(parent), resourceId_(resourceId), pictureSize_(pictureSize), sunken_(sunken) {}

QSize PictureControl::sizeHint() const {
    const QSize shown(scaledPixels(pictureSize_.width()), scaledPixels(pictureSize_.height()));
    return sunken_ ? shown + QSize(2, 2) : shown;
}

void PictureControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QRect area = rect();
    if (sunken_) {
        drawSunkenEdge(painter, area);
        area.adjust(1, 1, -1, -1);
    }
    paintArt(painter, resourceId_, area);
}

TextArea::TextArea(QWidget* parent) : QPlainTextEdit(parent) { setTabChangesFocus(true); }

namespace {

// Longer runs without a blank are wrapped anywhere (see TextArea).
constexpr qsizetype kLongestWrappedWord = 4096;

bool hasLongWord(const QString& text) {
    qsizetype run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > kLongestWrappedWord) return true;
    }
    return false;
}

}  // namespace

void TextArea::chooseWrapFor(const QString& text, bool wholeText) {
    if (lineWrapMode() == NoWrap) return;
    if (hasLongWord(text)) {
        setWordWrapMode(QTextOption::WrapAnywhere);
    } else if (wholeText) {
        setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    }
}

void TextArea::setText(const QString& text) {
    if (text == toPlainText()) return;
    chooseWrapFor(text, true);
    // Not setPlainText, which forgets the undo history: the text goes in as
    // one step that Ctrl+Z takes back. The cursor goes to the start, as a
    // new text's would.
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(text);
    cursor.endEditBlock();
    cursor.movePosition(QTextCursor::Start);
    setTextCursor(cursor);
}

// An empty clipboard or selection comes as no source, or as one without a
// single format, which Qt's own paste then reads past the end of.
void TextArea::insertFromMimeData(const QMimeData* source) {
    if (!source || source->formats().isEmpty()) return;
    if (source->hasText()) chooseWrapFor(source->text(), false);
    QPlainTextEdit::insertFromMimeData(source);
}

void TextArea::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Tab && event->modifiers() == Qt::ControlModifier && !isReadOnly()) {
        insertPlainText(QStringLiteral("\t"));
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TextArea::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu(event->pos());
    if (!actions().isEmpty()) {
        menu->addSeparator();
        menu->addActions(actions());
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TextArea::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ReadOnlyChange || event->type() == QEvent::PaletteChange) {
        const bool grey = palette().color(QPalette::Base) == kDialogBackground;
        if (grey != isReadOnly()) applyEditColours(*this, isReadOnly());
    }
    QPlainTextEdit::changeEvent(event);
}

EdgedCheckBox::EdgedCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent) {}

void EdgedCheckBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.rect.adjust(2, 1, -1, -1);  // inside the edge
    style()->drawControl(QStyle::CE_CheckBox, &option, &painter, this);
    drawSunkenEdge(painter, rect());
}

ListControl::ListControl(QWidget* parent) : QListWidget(parent) {}

void ListControl::keyPressEvent(QKeyEvent* event) {
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (const int now = currentRow(); now != before && now >= 0) emit currentMovedByKey(now);
}
