// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

#include "app/dialog/control_factory.h"

struct DialogTemplate;

// Gives the controls of a template what a screen reader says of them: a name
// from the string table where the control's own text does not name it
// uniquely, and as description the hint on the page that explains it. Labels
// read as text, links as links, pictures as pictures.
void describeControls(const DialogTemplate& dialog, const QList<CreatedControl>& controls);

// The interfaces of the application's own controls, for screen readers;
// installed once, by the first template described.
void installAccessibleInterfaces();
