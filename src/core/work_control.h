// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <limits>

// Progress and cancellation of long work (deep integrals, long sums, high-order
// determinants). The worker reports how far it is and polls for cancellation at
// coarse checkpoints, so the hook costs nothing measurable; another thread (the
// window, or the CLI's signal handler) reads the progress and asks to cancel.
// Neither ever changes a result: a cancelled computation simply has none.
class WorkControl {
  public:
    void requestCancel() noexcept { cancel_.store(true, std::memory_order_relaxed); }
    bool cancelRequested() const noexcept { return cancel_.load(std::memory_order_relaxed); }

    // Fraction of the whole request done, 0 to 1. The methods report a measure
    // that only grows; the largest reported is kept all the same, so that a
    // bar never goes back even when two reports cross. A NaN is ignored.
    void reportFraction(double fraction) noexcept {
        double seen = fraction_.load(std::memory_order_relaxed);
        while (fraction > seen &&
               !fraction_.compare_exchange_weak(seen, fraction, std::memory_order_relaxed)) {
        }
    }
    double fraction() const noexcept { return fraction_.load(std::memory_order_relaxed); }

    // Points (evaluations, terms) done so far. Reported at coarse
    // checkpoints, so the budget test adds nothing to inner loops.
    void reportPoints(unsigned long long points) noexcept {
        points_.store(points, std::memory_order_relaxed);
        if (points >= budget_.load(std::memory_order_relaxed)) requestCancel();
    }
    unsigned long long points() const noexcept { return points_.load(std::memory_order_relaxed); }

    // Asks to cancel by itself once the reported points reach budget, so that
    // tests and fuzzing can stop long work at a fixed point, free of timing.
    void cancelAfterPoints(unsigned long long budget) noexcept {
        budget_.store(budget, std::memory_order_relaxed);
    }

  private:
    std::atomic<bool> cancel_{false};
    std::atomic<unsigned long long> budget_{std::numeric_limits<unsigned long long>::max()};
    std::atomic<double> fraction_{0.0};
    std::atomic<unsigned long long> points_{0};
};
