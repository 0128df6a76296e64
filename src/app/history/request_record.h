// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "app/history/history.h"

class TemplatePage;

// What the history keeps of a request that has just shown its result, read
// from its page's controls, which then hold the fields as the request used
// them, and the window's precision; nullopt for a request it does not know.
std::optional<HistoryRow> RecordRequest(const TemplatePage& page, int pageIndex, int requestId);

// Puts the inputs of a row back into its page's controls: the edits' texts,
// the step boxes (with their edits' read-only state) and the operands by
// name, where the list still holds them. Nothing is computed, and the result
// stays as it is.
void RestoreRequest(TemplatePage& page, const HistoryRow& row);

// Switches the window to the precision row was computed in, before its
// inputs go back: they are read in that precision. The settings file keeps
// the user's own choice.
void RestoreRowPrecision(const HistoryRow& row);
