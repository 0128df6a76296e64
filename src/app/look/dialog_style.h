// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

class QPainter;
class QRect;

// The Fusion style with two changes. Every control that has the focus shows
// a dark blue mark on the grey, also after a click: Fusion's pale blue marks
// show on some controls only once a key has moved the focus, and on a list
// or a multi-line edit not at all. Edits, push buttons and combo boxes get
// Fusion's focus outline in dark blue, check boxes and list entries a dotted
// dark blue rectangle, a list or a multi-line edit a dark blue frame. And the
// style's own sizes (check marks, scroll bars, icons, layout spacing) grow
// with the dialog scale.
class DialogStyle : public QProxyStyle {
    Q_OBJECT
  public:
    DialogStyle();

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
};

// The focus mark around area: a dotted dark blue line on its edge, one pixel
// wide at the design scale and wider at 200 and above.
void drawFocusMark(QPainter& painter, const QRect& area);
