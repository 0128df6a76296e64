// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <functional>

class FieldEdit;
class QTimer;
class QWidget;

// Says what an edit holds while the user types: kLiveDelay after the last
// change to the edit, or to the others watched with it, describe() gives a
// text that becomes the edit's tooltip and, before its page's own hint, its
// accessible description, so screen readers announce it. An empty text
// leaves the hint alone. Starting the timer it returns describes the edit
// again after a change no edit reports.
inline constexpr int kLiveDelayMs = 120;
QTimer* describeAsTyped(QWidget* edit, std::function<QString()> describe,
                        const QList<QWidget*>& alsoWatched = {});

// A note that stays until it is replaced (an empty one removes it), whatever
// the edit's live description says meanwhile: it comes first in the tooltip
// and in the accessible description.
void setStandingNote(QWidget* edit, const QString& note);

// A formula edit: an unreadable formula gets a red mark under its fault and
// the reason ("第 N 个字符：..."); a readable one that likely does not read as
// it looks an orange mark under the token of its first warning, and a line
// for each warning; an empty or a plain one neither. It reads as the window's
// precision does, and again as soon as the precision changes.
void diagnoseAsTyped(FieldEdit* edit);
