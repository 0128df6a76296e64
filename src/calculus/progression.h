// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cmath>

#include "calculus/evaluation_pipeline.h"
#include "calculus/formula.h"
#include "core/parallel_run.h"
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

// Progress of a progression: points done, and the fraction of those expected.
struct ProgressionProgress {
    WorkControl* control;
    double expected;
    unsigned long long done = 0;

    void add(int count) {
        done += static_cast<unsigned long long>(count);
        if (!control) return;
        control->reportPoints(done);
        control->reportFraction(std::min(1.0, static_cast<double>(done) / expected));
    }
};

// The rest of a progression with the evaluations spread over the pool: the
// pending points first, then the walk's.
template <class Combine>
ProgressionEnd accumulateSpread(const CompiledFormula& f, ThreadPool& pool, ProgressionWalk& walk,
                                const float* pending, int pendingCount, double& result,
                                Combine combine, ProgressionProgress& progress) {
    const bool finished = EvaluateInBlocks(
        f, pool, [&](const float* values, int count, bool more, float* xs, int limit) {
            const int taken = std::min(pendingCount, limit);
            std::copy_n(pending, taken, xs);
            pending += taken;
            pendingCount -= taken;
            // The total and x advance side by side, as on one thread.
            const int fused = std::min(count, limit - taken);
            int made = taken;
            int gathered = 0;
            result = foldAndGather(result, values, fused, combine, walk, xs + made, gathered);
            result = foldInOrder(result, values + fused, count - fused, combine);
            made += gathered;
            made += gatherPoints(walk, xs + made, limit - made);
            if (count > 0) {
                progress.add(count);
                // A walk that got stuck still counts as more, as on one thread.
                const bool left = more || made > 0 || walk.stuck;
                if (left && progress.control && progress.control->cancelRequested()) return -1;
            }
            return walk.stuck ? 0 : made;
        });
    if (!finished) return ProgressionEnd::Cancelled;
    return walk.stuck ? ProgressionEnd::Stuck : ProgressionEnd::Done;
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
    ProgressionProgress progress{control, std::max(1.0, std::floor((to - from) / step) + 1.0)};
    [[maybe_unused]] ParallelRun run(kBatchesPerLook);
    int count = gatherPoints(walk, xs, kPointsPerBatch);
    while (count > 0) {
        if (walk.stuck) return ProgressionEnd::Stuck;
        if constexpr (ConcurrentFormula<Formula>) {
            if (run.spreading()) {
                return accumulateSpread(f, run.pool(), walk, xs, count, result, combine, progress);
            }
        }
        f(xs, values, count);
        int next = 0;
        result = foldAndGather(result, values, count, combine, walk, xs, next);
        progress.add(count);
        count = next;
        if (control && count > 0 && control->cancelRequested()) return ProgressionEnd::Cancelled;
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
