// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <functional>

class FieldEdit;
class QWidget;

// Says what an edit holds while the user types: kLiveDelay after the last
// change to the edit, or to the others watched with it, describe() gives a
// text that becomes the edit's tooltip and, before its page's own hint, its
// accessible description, so screen readers announce it. An empty text
// leaves the hint alone.
inline constexpr int kLiveDelayMs = 120;
void describeAsTyped(QWidget* edit, std::function<QString()> describe,
                     const QList<QWidget*>& alsoWatched = {});

// A formula edit: an unreadable formula gets a red mark under its fault and
// the reason ("第 N 个字符：..."); a readable or an empty one neither.
void diagnoseAsTyped(FieldEdit* edit);
