// SPDX-License-Identifier: GPL-3.0-or-later
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

// The running x of a progression: accumulated by repeated addition, never
// from + k * step, and compared with the inclusive end exactly.
struct ProgressionWalk {
    double x;
    double step;
    double to;
    bool more = true;    // a point is left to take
    bool stuck = false;  // x + step == x: the end can never be reached

    void take(float& point) {
        point = static_cast<float>(x);
        const double next = x + step;
        stuck = next == x;
        x = next;
        more = !stuck && x <= to;
    }
};

// Takes up to limit points of the walk into xs; returns how many.
inline int gatherPoints(ProgressionWalk& walk, float* xs, int limit) {
    int count = 0;
    while (walk.more && count < limit) walk.take(xs[count++]);
    return count;
}

// Folds count values into total, in order, and meanwhile takes the next
// points of the walk into xs (as many as there are values at most), so that
// the two running chains, the total and x, advance side by side. Out of line
// for the reason foldInOrder is.
template <class Combine>
[[gnu::noinline]] double foldAndGather(double total, const float* values, int count,
                                       Combine combine, ProgressionWalk& walk, float* xs,
                                       int& gathered) {
    ProgressionWalk w = walk;
    int n = 0;
    for (int i = 0; i < count; ++i) {
        total = combine(static_cast<double>(values[i]), total);
        if (w.more) w.take(xs[n++]);
    }
    walk = w;
    gathered = n;
    return total;
}

// Runs over x = from, from + step, ... while x <= to and folds each f(x) into
// result with combine(value, result), in increasing x. No point is taken when
// from > to.
template <class Formula, class Combine>
ProgressionEnd AccumulateProgression(const Formula& f, double from, double to, double step,
                                     double& result, Combine combine,
                                     WorkControl* control = nullptr) {
    if (from > to) return ProgressionEnd::Done;
    // Points are evaluated a batch at a time; the values are folded in the
    // same order, so the result is that of one point at a time.
    ProgressionWalk walk{from, step, to};
    float xs[kPointsPerBatch];
    float values[kPointsPerBatch];
    const double expected = std::max(1.0, std::floor((to - from) / step) + 1.0);
    unsigned long long done = 0;
    int count = gatherPoints(walk, xs, kPointsPerBatch);
    while (count > 0) {
        if (walk.stuck) return ProgressionEnd::Stuck;
        f(xs, values, count);
        int next = 0;
        result = foldAndGather(result, values, count, combine, walk, xs, next);
        done += static_cast<unsigned long long>(count);
        count = next;
        if (control) {
            control->reportPoints(done);
            control->reportFraction(std::min(1.0, static_cast<double>(done) / expected));
            if (count > 0 && control->cancelRequested()) return ProgressionEnd::Cancelled;
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
    return AccumulateProgression(f, from, to, step, product, multiplyTerm, control);
}
