// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCheckBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QString>
#include <QWidget>

#include "app/widgets/field_edit.h"

// The widgets that stand in for the dialog controls whose Qt counterparts look
// or behave differently: labels and frames drawn like dialog statics, pictures
// drawn from SVG, and edits that turn grey while read-only.

// A static text: word-wrapped, drawn from the top with one line every font
// height (the CJK face's own line spacing would not fit the template boxes),
// clipped to its box, optionally in a sunken frame. No background of its own.
// Made a link, it takes the focus, and Enter or Space activates it; with the
// focus it shows the focus mark.
class StaticText : public QWidget {
    Q_OBJECT
  public:
    StaticText(const QString& text, Qt::Alignment alignment, bool sunken, QWidget* parent);

    QString text() const { return text_; }
    void setText(const QString& text);

    bool isLink() const { return link_; }
    void makeLink();
    void activate() { emit activated(); }

  signals:
    void activated();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QString text_;
    Qt::Alignment alignment_;
    bool sunken_;
    bool link_ = false;
};

// A group box frame: an etched rectangle with its title in the top edge. It
// is only drawn; the controls inside are its siblings, as in a template.
class GroupFrame : public QWidget {
    Q_OBJECT
  public:
    GroupFrame(const QString& title, QWidget* parent);

    QString title() const { return title_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString title_;
};

// A static picture: one of the bitmaps or icons, drawn at the screen's pixel
// ratio, at the given size grown with the dialog scale, plus the sunken frame
// when it has one.
class PictureControl : public QWidget {
    Q_OBJECT
  public:
    PictureControl(int resourceId, QSize pictureSize, bool sunken, QWidget* parent);

    int resourceId() const { return resourceId_; }
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int resourceId_;
    QSize pictureSize_;
    bool sunken_;
};

// A multi-line edit in which Enter starts a new line, Tab leaves the field and
// Ctrl+Tab types a tab. Its context menu is the standard one, followed by the
// actions added to the edit.
// When it wraps its lines, it wraps at blanks, and anywhere in a text with a
// run of thousands of characters without one: Qt's search for a blank in
// such a run takes time that grows with the square of its length (minutes
// for a pasted megabyte).
class TextArea : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit TextArea(QWidget* parent);

    // Replaces the whole text as one step of the undo history; the same text
    // again changes nothing.
    void setText(const QString& text);

  protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

  private:
    void chooseWrapFor(const QString& text, bool wholeText);
};

// A check box inside a thin sunken edge.
class EdgedCheckBox : public QCheckBox {
    Q_OBJECT
  public:
    EdgedCheckBox(const QString& text, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// A list view that tells when a key (an arrow, Home, End, a page key, a
// letter) has moved its current item, which a click never reports here.
class ListControl : public QListWidget {
    Q_OBJECT
  public:
    explicit ListControl(QWidget* parent);

  signals:
    void currentMovedByKey(int row);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};
