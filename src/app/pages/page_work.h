// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

#include "app/work/long_work.h"
#include "calculus/requests.h"
#include "matrix/compute_status.h"

class MessageService;
class QWidget;

// Runs a calculus request through the long-work runner. Work that could not
// get its storage ends in kMsgNoMemory; cancelled work in a cancelled outcome.
RequestOutcome RunPageRequest(QWidget* owner,
                              const std::function<RequestOutcome(WorkControl*)>& request);

// Takes the outcome of a request on formula into the page: a value goes into
// result and the answer is true; a message is loaded into messageText and
// shown, with why the formula cannot be read when that made it fail, and the
// answer is false; a cancelled request changes and shows nothing.
bool TakeOutcome(const RequestOutcome& outcome, std::string_view formula, double& result,
                 std::string& messageText, MessageService& messages);

// Runs a matrix or determinant computation through the long-work runner;
// how the work ended is folded into the result's status.
template <class Result, class Compute>
Result RunMatrixWork(QWidget* owner, Compute compute) {
    Result result;
    switch (LongWork::run(owner, [&](WorkControl& control) { result = compute(&control); })) {
        case WorkEnd::OutOfMemory:
            result.status = ComputeStatus::NoMemory;
            break;
        case WorkEnd::Cancelled:
            result.status = ComputeStatus::Cancelled;
            break;
        case WorkEnd::Done:
            break;
    }
    return result;
}
