// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

#include "app/dialog/dialog_template.h"

class QWidget;

struct CreatedControl {
    int id;
    QWidget* widget;
};

// Creates the controls of a template as children of parent, at their places,
// in template order (so Qt's focus chain follows the tab order). Group frames
// are moved to the back, and labels, frames and pictures let the mouse through
// to the dialog, as dialog statics do.
QList<CreatedControl> createControls(const DialogTemplate& dialog, QWidget* parent);

// Puts the controls that createControls made from dialog back at their places,
// at the scale now.
void placeControls(const DialogTemplate& dialog, const QList<CreatedControl>& controls);
