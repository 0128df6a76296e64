// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

// One dialog unit is 1.5 logical pixels both ways: the base units of the
// 9-point dialog font (6 x 12 pixels) divided by 4 and by 8. Qt scales the
// logical pixels for high-DPI screens.
inline constexpr double kPixelsPerDialogUnit = 1.5;

constexpr int dialogUnitsToPixels(int units) {
    // Round half away from zero, as qRound does.
    const double pixels = units * kPixelsPerDialogUnit;
    return static_cast<int>(pixels >= 0 ? pixels + 0.5 : pixels - 0.5);
}

// Both edges are converted, so controls that touch in dialog units touch on
// the screen too.
inline QRect dialogUnitRect(int x, int y, int width, int height) {
    const int left = dialogUnitsToPixels(x);
    const int top = dialogUnitsToPixels(y);
    return QRect(left, top, dialogUnitsToPixels(x + width) - left,
                 dialogUnitsToPixels(y + height) - top);
}
