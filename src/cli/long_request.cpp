// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/long_request.h"

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <future>
#include <iostream>
#include <string>

#include "calculus/result_text.h"
#include "cli/arguments.h"
#include "core/time_left.h"

namespace {

std::atomic<bool> interrupted{false};

extern "C" void onInterrupt(int) { interrupted.store(true); }

std::string timeLeftText(const TimeLeftParts& left) {
    switch (left.unit) {
        case TimeLeftParts::Unit::Seconds:
            return "about " + std::to_string(left.major) + " s left";
        case TimeLeftParts::Unit::MinutesSeconds:
            return "about " + std::to_string(left.major) + " min " + std::to_string(left.minor) +
                   " s left";
        case TimeLeftParts::Unit::HoursMinutes:
            break;
    }
    return "about " + std::to_string(left.major) + " h " + std::to_string(left.minor) + " min left";
}

// One line of progress: the points where the work counts them, the fraction
// done (to a hundredth of a percent, so that a very long sum shows it
// moving), and the time left.
void showProgress(const WorkControl& control, const TimeLeftEstimator& estimate) {
    std::string line = "\r";
    if (const unsigned long long points = control.points(); points > 0) {
        line += std::to_string(points) + " points, ";
    }
    char percent[32];
    std::snprintf(percent, sizeof percent, "%.2f%% done", 100.0 * control.fraction());
    line += percent;
    if (const auto seconds = estimate.secondsLeft()) {
        if (const auto left = SplitTimeLeft(*seconds)) line += ", " + timeLeftText(*left);
    }
    line += "  (Ctrl+C cancels)\033[K";
    std::fputs(line.c_str(), stderr);
}

}  // namespace

void runLongWork(const std::function<void(WorkControl&)>& work) {
    using namespace std::chrono;
    WorkControl control;
    interrupted.store(false);
    auto previousHandler = std::signal(SIGINT, onInterrupt);
    auto running = std::async(std::launch::async, [&] { work(control); });

    const bool terminal = isatty(STDERR_FILENO) == 1;
    const auto start = steady_clock::now();
    TimeLeftEstimator estimate;
    bool shown = false;
    while (running.wait_for(milliseconds(100)) != std::future_status::ready) {
        if (interrupted.load()) control.requestCancel();
        const duration<double> elapsed = steady_clock::now() - start;
        estimate.add(elapsed.count(), control.fraction());
        if (terminal && elapsed > seconds(1)) {
            showProgress(control, estimate);
            shown = true;
        }
    }
    if (shown) std::fprintf(stderr, "\r\033[K");
    std::signal(SIGINT, previousHandler);
    running.get();
}

RequestOutcome runLongRequest(const std::function<RequestOutcome(WorkControl*)>& request) {
    RequestOutcome outcome;
    runLongWork([&](WorkControl& control) { outcome = request(&control); });
    return outcome;
}

int reportOutcome(const RequestOutcome& outcome, Precision precision) {
    switch (outcome.kind) {
        case RequestOutcome::Kind::Value:
            std::cout << ResultText(outcome.value, outcome.error, precision) << '\n';
            return kExitResult;
        case RequestOutcome::Kind::Message:
            return reportMessage(outcome.messageId);
        case RequestOutcome::Kind::Cancelled:
            break;
    }
    return kExitCancelled;
}
