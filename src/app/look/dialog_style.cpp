// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/look/dialog_style.h"

#include <QAbstractScrollArea>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

#include "app/dialog/dialog_scale.h"
#include "app/look/dialog_look.h"

namespace {

bool scalesWithTheDialogs(QStyle::PixelMetric metric) {
    switch (metric) {
        case QStyle::PM_IndicatorWidth:
        case QStyle::PM_IndicatorHeight:
        case QStyle::PM_ExclusiveIndicatorWidth:
        case QStyle::PM_ExclusiveIndicatorHeight:
        case QStyle::PM_CheckBoxLabelSpacing:
        case QStyle::PM_ScrollBarExtent:
        case QStyle::PM_ScrollBarSliderMin:
        case QStyle::PM_SmallIconSize:
        case QStyle::PM_ButtonIconSize:
        case QStyle::PM_MessageBoxIconSize:
        case QStyle::PM_LayoutLeftMargin:
        case QStyle::PM_LayoutTopMargin:
        case QStyle::PM_LayoutRightMargin:
        case QStyle::PM_LayoutBottomMargin:
        case QStyle::PM_LayoutHorizontalSpacing:
        case QStyle::PM_LayoutVerticalSpacing:
            return true;
        default:
            return false;
    }
}

// Fusion draws its focus outline in the highlight colour darkened by a
// quarter: from this one it comes out in the dialogs' dark blue, RGB(0, 64, 128).
const QColor kFocusHighlight(0, 80, 160);

// Draws a focused control's option, typed Option, with Fusion's focus outline
// in dark blue, also when a click gave the focus. false: not such an option,
// or not focused.
template <class Option, class Draw>
bool drawWithFocusOutline(const QStyleOption* option, Draw draw) {
    const auto* typed = qstyleoption_cast<const Option*>(option);
    if (!typed || !(typed->state & QStyle::State_HasFocus)) return false;
    Option marked(*typed);
    marked.state |= QStyle::State_KeyboardFocusChange;
    marked.palette.setColor(QPalette::Highlight, kFocusHighlight);
    draw(&marked);
    return true;
}

}  // namespace

void drawFocusMark(QPainter& painter, const QRect& area) {
    const int width = qMax(1, dialogScale() / kDesignScale);
    QPen pen(kDialogText, width);
    pen.setDashPattern({1, 1});
    pen.setCapStyle(Qt::FlatCap);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(pen);
    // The pen is centred on the line: half its width in from the edge.
    const qreal half = width / 2.0;
    painter.drawRect(QRectF(area).adjusted(half, half, -half, -half));
    painter.restore();
}

DialogStyle::DialogStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

int DialogStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                             const QWidget* widget) const {
    const int size = QProxyStyle::pixelMetric(metric, option, widget);
    return scalesWithTheDialogs(metric) && size > 0 ? scaledPixels(size) : size;
}

void DialogStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const {
    // Asked for by check boxes, push buttons and item views whenever the
    // control or item has the focus.
    if (element == PE_FrameFocusRect) {
        drawFocusMark(*painter, option->rect);
        return;
    }
    const auto draw = [&](const QStyleOption* marked) {
        QProxyStyle::drawPrimitive(element, marked, painter, widget);
    };
    switch (element) {
        case PE_FrameLineEdit:
            if (drawWithFocusOutline<QStyleOptionFrame>(option, draw)) return;
            break;
        case PE_PanelButtonCommand:
        case PE_IndicatorCheckBox:
            if (drawWithFocusOutline<QStyleOptionButton>(option, draw)) return;
            break;
        default:
            break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void DialogStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const {
    QProxyStyle::drawControl(element, option, painter, widget);
    // The frame of a list or a multi-line edit with the focus.
    if (element == CE_ShapedFrame && (option->state & State_HasFocus) &&
        qobject_cast<const QAbstractScrollArea*>(widget)) {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(kDialogText);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
    }
}

void DialogStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                     QPainter* painter, const QWidget* widget) const {
    const auto draw = [&](const QStyleOption* marked) {
        QProxyStyle::drawComplexControl(control, static_cast<const QStyleOptionComplex*>(marked),
                                        painter, widget);
    };
    if (control == CC_ComboBox && drawWithFocusOutline<QStyleOptionComboBox>(option, draw)) return;
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}
