// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/hyper_link.h"

#include <QDesktopServices>
#include <QEvent>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>

#include "app/widgets/template_widgets.h"

bool CHyperLink::BindLabel(QWidget* control, QWidget* parent, const QColor& normal,
                           const QColor& hover, const QString& target) {
    if (!control || !parent || !parent->isAncestorOf(control)) return false;
    label_ = control;
    if (auto* text = qobject_cast<StaticText*>(control)) {
        text->makeLink();
        connect(text, &StaticText::activated, this, &CHyperLink::open);
    } else {
        control->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    }
    control->installEventFilter(this);
    m_crNormal = normal;
    m_crCurrent = normal;
    m_crHover = hover;
    if (target != QLatin1String(kNoLink)) m_strTarget = target;
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, m_crCurrent);
    control->setPalette(palette);
    return true;
}

void CHyperLink::ApplyColour(const QColor& colour) {
    m_crCurrent = colour;
    if (!label_) return;
    QPalette palette = label_->palette();
    palette.setColor(QPalette::WindowText, colour);
    label_->setPalette(palette);
    label_->repaint();
}

void CHyperLink::open() const { QDesktopServices::openUrl(QUrl(m_strTarget)); }

bool CHyperLink::eventFilter(QObject* watched, QEvent* event) {
    if (watched != label_) return false;
    switch (event->type()) {
        case QEvent::Enter:
            if (m_hCursor) label_->setCursor(*m_hCursor);
            if (m_crCurrent != m_crHover) ApplyColour(m_crHover);
            break;
        case QEvent::Leave:
        case QEvent::Hide:
            if (m_crCurrent != m_crNormal) ApplyColour(m_crNormal);
            break;
        case QEvent::MouseButtonPress:
            // The link acts on the press.
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) open();
            break;
        default:
            break;
    }
    return false;
}
