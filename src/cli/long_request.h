// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "calculus/requests.h"
#include "core/work_control.h"

// Runs a request on a worker thread. When stderr is a terminal and the request
// takes longer than a second, its progress is shown there; Ctrl+C cancels it.
RequestOutcome runLongRequest(const std::function<RequestOutcome(WorkControl*)>& request);

// Writes the outcome: a value on stdout (exit 0), a message on stderr (exit 1);
// a cancelled request writes nothing (exit 130, as for an interrupt).
int reportOutcome(const RequestOutcome& outcome);
