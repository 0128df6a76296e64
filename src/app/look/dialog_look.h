// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

class QApplication;
class QWidget;

// The look every dialog of the application shares once start-up has set it.
inline const QColor kDialogBackground(192, 192, 192);
inline const QColor kDialogText(0, 64, 128);
// The text of a result that no longer fits its inputs: grey, and still
// readable on the read-only grey.
inline const QColor kStaleText(96, 96, 96);

// The Fusion style with the dialogs' focus marks, its sizes following the
// dialog scale (DialogStyle).
void applyDialogStyle(QApplication& app);

// The dialog font: 9-point 宋体, mapped to the best CJK serif face present.
// It is sized in pixels (12, the 9 points at 96 dpi, at the design scale)
// because the dialog unit is fixed in logical pixels; Qt scales both together
// on high-DPI screens, and the dialog scale grows both together too.
void applyDialogFont(QApplication& app);

// Light grey behind dialogs, labels, frames, check boxes and read-only edits,
// dark blue text; editable fields keep their white background.
void applyDialogColours(QApplication& app);

// All three, for programs that show the windows as the application does
// (tests and benchmarks).
void applyDialogLook(QApplication& app);

// An edit's colours: the dialogs' grey and dark blue while read-only, the
// application's own while it can be typed in.
void applyEditColours(QWidget& edit, bool readOnly);
