// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialog/template_page.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

TemplatePage::TemplatePage(int templateId) : DialogWidget(templateId) {
    setAutoFillBackground(true);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && now != this && isAncestorOf(now)) lastFocus_ = now;
    });
}

QPushButton* TemplatePage::button(int id) const { return control<QPushButton>(id); }

namespace {

// A field that takes the focus this way shows its whole text selected.
void focusControl(QWidget* control) {
    control->setFocus(Qt::TabFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->selectAll();
}

}  // namespace

bool TemplatePage::takeFocus() {
    if (lastFocus_ && lastFocus_->isVisibleTo(this) && lastFocus_->isEnabled()) {
        focusControl(lastFocus_);
        return true;
    }
    return focusFirstControl();
}

bool TemplatePage::focusFirstControl() {
    for (const CreatedControl& created : controls()) {
        QWidget* widget = created.widget;
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(this) &&
            widget->isEnabled()) {
            focusControl(widget);
            return true;
        }
    }
    return false;
}

void TemplatePage::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
            // Withheld: Escape is no Cancel command on a page.
            event->accept();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // What a single-line field leaves unused goes to the default button.
            if (QPushButton* fallback = button(kDefaultButton);
                fallback && fallback->isVisible() && fallback->isEnabled()) {
                fallback->click();
            }
            event->accept();
            return;
        default:
            DialogWidget::keyPressEvent(event);
    }
}
