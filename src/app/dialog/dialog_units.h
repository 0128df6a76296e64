// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

#include "app/dialog/dialog_scale.h"

// One dialog unit is 1.5 logical pixels both ways at the design scale: the
// base units of the 9-point dialog font (6 x 12 pixels) divided by 4 and by 8.
// At another scale it grows with it (1.875 px at 125, 3 px at 200). Qt scales
// the logical pixels for high-DPI screens.
inline constexpr double kPixelsPerDialogUnit = 1.5;

constexpr int dialogUnitsToPixels(int units, int scale) {
    // units * 1.5 * scale / 100 in integers, rounded half away from zero as
    // qRound does: no rounding error can move a control by a pixel.
    const long long twoHundredTimes = static_cast<long long>(units) * 3 * scale;
    return static_cast<int>(twoHundredTimes >= 0 ? (twoHundredTimes + 100) / 200
                                                 : -((100 - twoHundredTimes) / 200));
}

// At the scale now.
inline int dialogUnitsToPixels(int units) { return dialogUnitsToPixels(units, dialogScale()); }

// Both edges are converted, so controls that touch in dialog units touch on
// the screen too.
inline QRect dialogUnitRect(int x, int y, int width, int height) {
    const int left = dialogUnitsToPixels(x);
    const int top = dialogUnitsToPixels(y);
    return QRect(left, top, dialogUnitsToPixels(x + width) - left,
                 dialogUnitsToPixels(y + height) - top);
}
