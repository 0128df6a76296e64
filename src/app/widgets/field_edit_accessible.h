// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class FieldEdit;
class QAccessibleInterface;

// What a screen reader reads of a single-line edit: its text, cursor and
// selection, whether the edit shows the whole text or only the stretch in
// view (the line edit's own interface would call the latter a password edit
// with no text).
QAccessibleInterface* makeFieldEditAccessible(FieldEdit* edit);
