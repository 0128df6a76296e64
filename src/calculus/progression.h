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

    // The point in the precision of the values: a single takes x rounded.
    template <class Value>
    void take(Value& point) {
        point = static_cast<Value>(x);
        const double next = x + step;
        stuck = next == x;
        x = next;
        more = !stuck && x <= to;
    }
};

// Takes up to limit points of the walk into xs; returns how many.
template <class Value>
int gatherPoints(ProgressionWalk& walk, Value* xs, int limit) {
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

// f at count points: in one batch where f offers one (a compiled formula),
// else point by point.
template <class F, class Value>
void evaluatePoints(const F& f, const Value* xs, Value* values, int count) {
    if constexpr (requires { f(xs, values, count); }) {
        f(xs, values, count);
    } else {
        for (int i = 0; i < count; ++i) values[i] = f(xs[i]);
    }
}

// The rest of a progression with the evaluations spread over the pool: the
// pending points first, then the walk's; fold is as WalkProgression describes.
template <class Value, class Fold>
ProgressionEnd walkSpread(const BasicCompiledFormula<Value>& f, ThreadPool& pool,
                          ProgressionWalk& walk, const Value* pending, int pendingCount, Fold& fold,
                          ProgressionProgress& progress) {
    const bool finished = EvaluateInBlocks(
        f, pool, [&](const Value* values, int count, bool more, Value* xs, int limit) {
            const int taken = std::min(pendingCount, limit);
            std::copy_n(pending, taken, xs);
            pending += taken;
            pendingCount -= taken;
            // The fold and x advance side by side, as on one thread.
            const int fused = std::min(count, limit - taken);
            int made = taken;
            int gathered = 0;
            fold.foldAndGather(values, fused, walk, xs + made, gathered);
            fold.foldRest(values + fused, count - fused);
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

// Runs over x = from, from + step, ... while x <= to, in increasing x, and
// gives each f(x), computed in Value, to the fold: fold.foldAndGather(values,
// count, walk, xs, gathered) folds values in order and meanwhile takes the
// walk's next points into xs; fold.foldRest(values, count) folds values
// alone. No point is taken when from > to. Points are evaluated a batch at a
// time, and the values folded in the same order, so the result is that of
// one point at a time.
template <class Value, class Formula, class Fold>
ProgressionEnd WalkProgression(const Formula& f, double from, double to, double step, Fold& fold,
                               WorkControl* control) {
    if (from > to) return ProgressionEnd::Done;
    ProgressionWalk walk{from, step, to};
    Value xs[kPointsPerBatch];
    Value values[kPointsPerBatch];
    ProgressionProgress progress{control, std::max(1.0, std::floor((to - from) / step) + 1.0)};
    [[maybe_unused]] ParallelRun run(kBatchesPerLook);
    int count = gatherPoints(walk, xs, kPointsPerBatch);
    while (count > 0) {
        if (walk.stuck) return ProgressionEnd::Stuck;
        if constexpr (ConcurrentFormula<Formula>) {
            if (run.spreading()) return walkSpread(f, run.pool(), walk, xs, count, fold, progress);
        }
        evaluatePoints(f, xs, values, count);
        int next = 0;
        fold.foldAndGather(values, count, walk, xs, next);
        progress.add(count);
        count = next;
        if (control && count > 0 && control->cancelRequested()) return ProgressionEnd::Cancelled;
    }
    return ProgressionEnd::Done;
}

// Single precision's fold: each value, widened, into a double result with
// combine(value, result).
template <class Combine>
struct SingleFold {
    double& result;
    Combine combine;

    void foldAndGather(const float* values, int count, ProgressionWalk& walk, float* xs,
                       int& gathered) {
        result = ::foldAndGather(result, values, count, combine, walk, xs, gathered);
    }
    void foldRest(const float* values, int count) {
        result = foldInOrder(result, values, count, combine);
    }
};

// Runs over the progression as WalkProgression does, and folds each f(x) into
// result with combine(value, result).
template <class Formula, class Combine>
ProgressionEnd AccumulateProgression(const Formula& f, double from, double to, double step,
                                     double& result, Combine combine,
                                     WorkControl* control = nullptr) {
    SingleFold<Combine> fold{result, combine};
    return WalkProgression<float>(f, from, to, step, fold, control);
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
