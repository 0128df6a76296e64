// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "calculus/evaluation_pipeline.h"
#include "calculus/formula.h"
#include "core/parallel_run.h"
#include "core/work_control.h"

// The deepest level an integral reaches: level k adds 2^(k-2) points, and
// past 2^62 of them (centuries of work) the count would not fit.
inline constexpr int kMostIntegralLevel = 63;

// The abscissa of the midpoint i * h + a, rounded to single, for the odd
// multiplier i = base + 2 j: an exact integer in double for any level that can
// be reached, formed without a running sum so that the loops vectorize.
inline float midpoint(double base, int j, double h, double a) {
    const double i = base + static_cast<double>(2 * j);
    return static_cast<float>(i * h + a);
}

inline void placeMidpoints(float* xs, double base, int count, double h, double a) {
    for (int j = 0; j < count; ++j) xs[j] = midpoint(base, j, h, a);
}

// The evaluations an integral to this depth makes when it never converges:
// the two ends, then 2^(k-2) midpoints at each level k up to the depth (or up
// to the last level that can be reached).
inline double MostIntegralEvaluations(int depth) {
    const int levels = std::min(depth, kMostIntegralLevel);
    return levels < 2 ? 2.0 : std::ldexp(1.0, levels - 1) + 1.0;
}

// Progress of the integral. The fraction is of the evaluations the depth
// allows at most: it grows steadily with the work done over every level, and
// the request ends sooner where two levels agree. The fraction of a level,
// which restarts at each level, would send a bar back to the start.
struct LevelProgress {
    WorkControl* control;
    unsigned long long& evaluations;
    unsigned long long points;  // of this level
    double most;                // MostIntegralEvaluations of the depth

    // Adds count evaluations; false when cancelled.
    bool add(int count) {
        evaluations += static_cast<unsigned long long>(count);
        if (!control) return true;
        control->reportPoints(evaluations);
        control->reportFraction(static_cast<double>(evaluations) / most);
        return !control->cancelRequested();
    }
};

// Adds to sum the values at the midpoints from multiplier 2 first + 1 on,
// with the evaluations spread over the pool; false when cancelled.
inline bool sumMidpointsSpread(const CompiledFormula& f, ThreadPool& pool, unsigned long long first,
                               double h, double a, double& sum, LevelProgress& progress) {
    unsigned long long placed = first;
    return EvaluateInBlocks(
        f, pool, [&](const float* values, int count, bool, float* xs, int limit) {
            if (count > 0) {
                sum = foldInOrder(sum, values, count, addTerm);
                if (!progress.add(count)) return -1;
            }
            const int made = static_cast<int>(std::min<unsigned long long>(
                static_cast<unsigned long long>(limit), progress.points - placed));
            placeMidpoints(xs, 2.0 * static_cast<double>(placed) + 1.0, made, h, a);
            placed += static_cast<unsigned long long>(made);
            return made;
        });
}

// The definite integral of f from a to b by Romberg integration: trapezoid
// sums on halved steps, extrapolated, until the last diagonal values of two
// levels differ by less than eps, within depth levels. On failure sets failed
// to 1 and returns 0.0. A cancelled call returns 0.0 and leaves failed alone.
template <class Formula>
double Integral(const Formula& f, double a, double b, double eps, int depth, int& failed,
                WorkControl* control = nullptr) {
    if (depth < 2) {
        failed = 1;
        return 0.0;
    }
    // One row of the scheme, grown as levels are reached: a huge depth costs
    // nothing until the evaluations get there. Index 0 is unused.
    std::vector<double> row(2);
    double h = b - a;
    const double fb = f(static_cast<float>(b));
    const double fa = f(static_cast<float>(a));
    row[1] = (fa + fb) * h * 0.5;
    unsigned long long evaluations = 2;

    float xs[kPointsPerBatch];
    float values[kPointsPerBatch];
    [[maybe_unused]] ParallelRun run(kBatchesPerLook);
    const double most = MostIntegralEvaluations(depth);
    for (int k = 2; k <= depth; ++k) {
        if (k > kMostIntegralLevel) break;
        h = h * 0.5;
        const unsigned long long points = 1ULL << (k - 2);
        LevelProgress progress{control, evaluations, points, most};
        double sum = 0.0;
        // The odd multiples i = 1, 3, ..., 2N-1 of h, in increasing order.
        for (unsigned long long first = 0; first < points; first += kPointsPerBatch) {
            if constexpr (ConcurrentFormula<Formula>) {
                if (run.spreading()) {
                    if (!sumMidpointsSpread(f, run.pool(), first, h, a, sum, progress)) return 0.0;
                    break;
                }
            }
            const int count =
                static_cast<int>(std::min<unsigned long long>(kPointsPerBatch, points - first));
            placeMidpoints(xs, 2.0 * static_cast<double>(first) + 1.0, count, h, a);
            f(xs, values, count);
            sum = foldInOrder(sum, values, count, addTerm);
            if (!progress.add(count)) return 0.0;
        }
        row.resize(k + 1);
        double previous = row[1];  // R(k-1, j-1) for the next j
        row[1] = sum * h + 0.5 * previous;
        for (int j = 2; j <= k; ++j) {
            const double old = row[j];  // R(k-1, j); meaningless for j == k
            row[j] = row[j - 1] + (row[j - 1] - previous) / (std::pow(4.0, j - 1) - 1.0);
            if (j < k) previous = old;
        }
        // previous is now R(k-1, k-1). A NaN distance also ends the method.
        const double distance = std::fabs(row[k] - previous);
        if (!(distance >= eps)) return row[k];
    }
    failed = 1;
    return 0.0;
}

// On a compiled formula.
double Integral(const CompiledExpression& expr, double a, double b, double eps, int depth,
                int& failed, WorkControl* control = nullptr);
