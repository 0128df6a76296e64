// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

#include "calculus/double_estimate.h"
#include "calculus/progression.h"
#include "core/work_control.h"

// A running sum in two lanes, of the even and of the odd terms, each with its
// rounding error kept apart (Knuth's TwoSum: exact whatever the order of
// magnitudes, and free of branches), and the sums of |terms| for the error
// bound. The lanes do not depend on each other, so the compiler runs them side
// by side in one vector register, and the compensation costs no time. A term's
// lane is the parity of its place, however the terms come in batches, so the
// result is the same on every pool.
struct CompensatedSum {
    double sum[2] = {};
    double compensation[2] = {};
    double magnitude[2] = {};
    bool oddCount = false;  // the next single term goes to the odd lane

    void addTwo(double even, double odd) {
        const double v[2] = {even, odd};
        for (int k = 0; k < 2; ++k) {
            const double t = sum[k] + v[k];
            const double vPart = t - sum[k];
            compensation[k] += (sum[k] - (t - vPart)) + (v[k] - vPart);
            magnitude[k] += std::fabs(v[k]);
            sum[k] = t;
        }
    }
    // Adding 0 to the other lane is exact.
    void add(double v) {
        if (oddCount) {
            addTwo(0.0, v);
        } else {
            addTwo(v, 0.0);
        }
        oddCount = !oddCount;
    }
};

// A running product with its rounding error kept apart: fma gives each
// product's error exactly, and the error term is carried along (Graillat's
// compensated product). Below 2^-969 the fma's error is no longer exact, so
// the least |product| met is kept; a zero factor makes the product exact.
struct CompensatedProduct {
    double product = 1.0;
    double compensation = 0.0;
    double smallest = INFINITY;
    bool zeroFactor = false;
    bool oddCount = false;  // never set: the factors go one by one

    void add(double v) {
        const double p = product * v;
        compensation = compensation * v + std::fma(product, v, -p);
        product = p;
        const double size = std::fabs(p);
        smallest = size < smallest ? size : smallest;
        zeroFactor = zeroFactor || v == 0;
    }
    void addTwo(double even, double odd) {
        add(even);
        add(odd);
    }
};

// Where fma's error term stops being exact: products below 2^-1022 * 2^53.
inline constexpr double kExactProductFloor = 0x1p-969;

// The sum and its error. Ogita, Rump and Oishi bound a compensated sum of n
// terms by u |sum| + gamma(n)^2 sum |terms|; joining the lanes adds at most
// twice that last term again. Each value may be off by kValueRounding of
// itself, and the norm, summed in double, is itself short by up to gamma(n).
inline Estimate FinishSum(const CompensatedSum& s, unsigned long long terms) {
    const double high = s.sum[0] + s.sum[1];
    if (!std::isfinite(high)) return Estimate{high, INFINITY, true, false};
    const double low = (s.sum[0] - (high - (high - s.sum[0]))) + (s.sum[1] - (high - s.sum[0]));
    const double value = high + (low + (s.compensation[0] + s.compensation[1]));
    const double g = RoundingGamma(static_cast<double>(terms) + 4);
    const double norm = s.magnitude[0] + s.magnitude[1];
    const double error =
        (kUnitRoundoff * std::fabs(value) + (3 * g * g + kValueRounding) * norm) / (1 - g);
    return Estimate{value, g < 1 ? error : INFINITY, true, false};
}

// The product and its error: Graillat bounds the compensated product of n
// factors by (u + gamma(n) gamma(2n)) |product|, and n values each off by
// kValueRounding = 4u move it by up to gamma(4n); relative to |value| the sum
// r of these becomes r / (1 - r). Past the exact range, no bound holds.
inline Estimate FinishProduct(const CompensatedProduct& p, unsigned long long terms) {
    if (terms == 0) return Estimate{1.0, 0.0, true, false};
    if (p.zeroFactor && p.product == 0) return Estimate{0.0, 0.0, true, false};
    if (!std::isfinite(p.product)) return Estimate{p.product, INFINITY, true, false};
    const double value = p.product + p.compensation;
    const double n = static_cast<double>(terms);
    const double r =
        kUnitRoundoff + 2 * RoundingGamma(n) * RoundingGamma(2 * n) + RoundingGamma(4 * n);
    const bool exact = p.smallest >= kExactProductFloor;
    const double error = exact && r < 1 ? std::fabs(value) * r / (1 - r) : INFINITY;
    return Estimate{value, error, true, false};
}

// Adds count values to acc and meanwhile takes the next points of the walk
// into xs, so that the running sum and x advance side by side; out of line so
// that the accumulator stays in registers.
template <class Accumulator>
[[gnu::noinline]] Accumulator addAndGather(Accumulator acc, const double* values, int count,
                                           ProgressionWalk& walk, double* xs, int& gathered) {
    ProgressionWalk w = walk;
    int n = 0;
    const auto gather = [&] {
        if (w.more) w.take(xs[n++]);
    };
    int i = 0;
    if (acc.oddCount && count > 0) {
        acc.add(values[i++]);
        gather();
    }
    for (; i + 1 < count; i += 2) {
        acc.addTwo(values[i], values[i + 1]);
        gather();
        gather();
    }
    if (i < count) {
        acc.add(values[i]);
        gather();
    }
    walk = w;
    gathered = n;
    return acc;
}

// Double precision's fold: each value into a compensated accumulator, the
// terms counted.
template <class Accumulator>
struct DoubleFold {
    Accumulator acc;
    unsigned long long terms = 0;

    void foldAndGather(const double* values, int count, ProgressionWalk& walk, double* xs,
                       int& gathered) {
        acc = addAndGather(acc, values, count, walk, xs, gathered);
        terms += static_cast<unsigned long long>(count);
    }
    void foldRest(const double* values, int count) {
        ProgressionWalk ended{0.0, 0.0, 0.0, false};  // no points left to take
        int none = 0;
        foldAndGather(values, count, ended, nullptr, none);
    }
};

// The progression folded into a compensated Accumulator, and finish's
// estimate from it; a stuck progression has no value.
template <class Accumulator, class F, class Finish>
Estimate compensatedProgression(const F& f, double from, double to, double step,
                                WorkControl* control, Finish finish) {
    DoubleFold<Accumulator> fold;
    switch (WalkProgression<double>(f, from, to, step, fold, control)) {
        case ProgressionEnd::Cancelled:
            return CancelledEstimate();
        case ProgressionEnd::Stuck:
            return Estimate{};
        case ProgressionEnd::Done:
            break;
    }
    return finish(fold.acc, fold.terms);
}

// Σ f(x) over the progression, compensated. reached: the progression ended.
template <class F>
Estimate DoubleSum(const F& f, double from, double to, double step,
                   WorkControl* control = nullptr) {
    return compensatedProgression<CompensatedSum>(f, from, to, step, control, FinishSum);
}

// Π f(x) over the progression, compensated. reached: the progression ended.
template <class F>
Estimate DoubleProduct(const F& f, double from, double to, double step,
                       WorkControl* control = nullptr) {
    return compensatedProgression<CompensatedProduct>(f, from, to, step, control, FinishProduct);
}
