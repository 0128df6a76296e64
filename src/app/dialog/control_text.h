// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// What a control holds, as one text: an edit's text, "1" or "0" for a check
// box, the name a drop-down list shows; empty for any other control or none.
QString controlText(const QWidget* control);
