// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QList>
#include <QSize>

#include "app/look/art_ids.h"

class QPainter;
class QRectF;

// The pictures, icons and the cursor, by resource id, drawn from the SVG
// sources in res/art/ at the device pixel ratio they are shown at, so they
// stay sharp on high-DPI screens.

// The picture's own size in logical pixels; empty for an unknown id.
QSize artSize(int resourceId);

// The whole picture at the given device pixel ratio; null for an unknown id.
QImage renderArt(int resourceId, qreal devicePixelRatio);

// Draws the picture scaled into target; nothing for an unknown id.
void paintArt(QPainter& painter, int resourceId, const QRectF& target);

// Icon 128 at the sizes a desktop asks for.
QIcon applicationIcon();

// The five 48 x 48 pictures of strip 136, left to right, drawn at any size.
QList<QIcon> navigationIcons();

// Cursor 137, a pointing hand with its hot spot on the finger tip (5, 0).
QCursor pointingHandCursor();
