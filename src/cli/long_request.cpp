// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/long_request.h"

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <future>

#include "cli/arguments.h"

namespace {

std::atomic<bool> interrupted{false};

extern "C" void onInterrupt(int) { interrupted.store(true); }

constexpr int kExitCancelled = 130;

}  // namespace

RequestOutcome runLongRequest(const std::function<RequestOutcome(WorkControl*)>& request) {
    using namespace std::chrono;
    WorkControl control;
    interrupted.store(false);
    auto previousHandler = std::signal(SIGINT, onInterrupt);
    auto work = std::async(std::launch::async, [&] { return request(&control); });

    const bool terminal = isatty(STDERR_FILENO) == 1;
    const auto start = steady_clock::now();
    bool shown = false;
    while (work.wait_for(milliseconds(100)) != std::future_status::ready) {
        if (interrupted.load()) control.requestCancel();
        if (terminal && steady_clock::now() - start > seconds(1)) {
            std::fprintf(stderr, "\r%llu points, %3.0f%% of the current stage  (Ctrl+C cancels)",
                         control.points(), 100.0 * control.fraction());
            shown = true;
        }
    }
    if (shown) std::fprintf(stderr, "\r\033[K");
    std::signal(SIGINT, previousHandler);
    return work.get();
}

int reportOutcome(const RequestOutcome& outcome) {
    switch (outcome.kind) {
        case RequestOutcome::Kind::Value:
            return reportResult(outcome.value);
        case RequestOutcome::Kind::Message:
            return reportMessage(outcome.messageId);
        case RequestOutcome::Kind::Cancelled:
            break;
    }
    return kExitCancelled;
}
