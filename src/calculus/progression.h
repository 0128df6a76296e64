#pragma once

#include <algorithm>
#include <cmath>

#include "calculus/formula.h"
#include "core/work_control.h"

enum class ProgressionEnd {
    Done,       // every point taken
    Stuck,      // x + step == x: the progression cannot reach its end
    Cancelled,  // stopped on request; no result
};

// Runs over x = from, from + step, ... while x <= to (inclusive, exact
// comparison; x accumulated by repeated addition, never from + k * step) and
// folds each f(x) into result with combine(value, result), in increasing x.
// No point is taken when from > to.
template <class Formula, class Combine>
ProgressionEnd AccumulateProgression(const Formula& f, double from, double to, double step,
                                     double& result, Combine combine,
                                     WorkControl* control = nullptr) {
    double x = from;
    if (x > to) return ProgressionEnd::Done;
    // Points are gathered a batch at a time and evaluated together; the values
    // are folded in the same order, so the result is that of one at a time.
    float xs[kPointsPerBatch];
    float values[kPointsPerBatch];
    const double expected = std::max(1.0, std::floor((to - from) / step) + 1.0);
    unsigned long long done = 0;
    for (bool more = true; more;) {
        int count = 0;
        while (count < kPointsPerBatch) {
            xs[count++] = static_cast<float>(x);
            const double next = x + step;
            if (next == x) return ProgressionEnd::Stuck;
            x = next;
            if (!(x <= to)) {
                more = false;
                break;
            }
        }
        f(xs, values, count);
        for (int i = 0; i < count; ++i) result = combine(static_cast<double>(values[i]), result);
        done += static_cast<unsigned long long>(count);
        if (control) {
            control->reportPoints(done);
            control->reportFraction(std::min(1.0, static_cast<double>(done) / expected));
            if (more && control->cancelRequested()) return ProgressionEnd::Cancelled;
        }
    }
    return ProgressionEnd::Done;
}

// Σ f(x) over the progression, starting from 0.
template <class Formula>
ProgressionEnd SumProgression(const Formula& f, double from, double to, double step, double& sum,
                              WorkControl* control = nullptr) {
    sum = 0.0;
    return AccumulateProgression(
        f, from, to, step, sum, [](double value, double total) { return value + total; }, control);
}

// Π f(x) over the progression, starting from 1.
template <class Formula>
ProgressionEnd MultiplyProgression(const Formula& f, double from, double to, double step,
                                   double& product, WorkControl* control = nullptr) {
    product = 1.0;
    return AccumulateProgression(
        f, from, to, step, product, [](double value, double total) { return value * total; },
        control);
}
