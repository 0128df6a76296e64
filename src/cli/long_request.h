// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "calculus/requests.h"
#include "core/work_control.h"

// The exit status of a request cancelled by Ctrl+C, as for an interrupt.
inline constexpr int kExitCancelled = 130;

// Runs long work (any command's computation) on a worker thread. When stderr
// is a terminal and the work takes longer than a second, its progress is shown
// there, with the time left once the rate is steady; Ctrl+C asks the work to
// stop. The work tells by its own result whether it was cancelled.
void runLongWork(const std::function<void(WorkControl&)>& work);

// A calculus request run as long work.
RequestOutcome runLongRequest(const std::function<RequestOutcome(WorkControl*)>& request);

// Writes the outcome: a value on stdout (exit 0) as a result field of
// precision shows it, a message on stderr (exit 1); a cancelled request
// writes nothing (kExitCancelled).
int reportOutcome(const RequestOutcome& outcome, Precision precision = Precision::Single);
