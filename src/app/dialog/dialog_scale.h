// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

// The size the dialogs are shown at, in percent of their design size: the
// dialog unit (1.5 px at 100), the dialog font (12 px at 100) and every
// picture grow with it. One value for the whole program, as the font is.

inline constexpr std::array<int, 7> kDialogScales = {100, 125, 150, 175, 200, 250, 300};
inline constexpr int kDesignScale = 100;

// The scale now, one of kDialogScales.
int dialogScale();

// pixels at the design size, at the scale now; rounded half up.
int scaledPixels(int pixels);

// The scale steps away from scale (negative: smaller), kept within the
// steps; a scale between two steps counts as the smaller one.
int neighbourDialogScale(int scale, int steps);

// Makes scale the scale now (the nearest step at or below it): sets the
// dialog font, then every dialog window re-sizes itself and re-places its
// controls from its template.
void applyDialogScale(int scale);

// The scale the user chose last, from the settings; the design scale when
// none was ever chosen.
int rememberedDialogScale();
// Writes scale to the settings. Only for a scale the user has just chosen.
void rememberDialogScale(int scale);
