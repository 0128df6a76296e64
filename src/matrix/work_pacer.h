// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <thread>

#include "core/work_control.h"

// Counts units of work and, every kUnitsPerCheckpoint of them, reports the
// fraction done and polls for cancellation, so the hook costs nothing
// measurable inside tight loops. A null control is never polled.
class WorkPacer {
  public:
    static constexpr std::uint64_t kUnitsPerCheckpoint = 1u << 18;

    WorkPacer(WorkControl* control, double totalUnits) : control_(control), total_(totalUnits) {}

    // Adds units of work; false once cancellation has been asked for.
    bool advance(std::uint64_t units) {
        pending_ += units;
        if (pending_ < kUnitsPerCheckpoint) return true;
        return checkpoint();
    }

    // Reports and polls now; false once cancellation has been asked for.
    bool checkpoint() {
        done_ += static_cast<double>(pending_);
        pending_ = 0;
        if (control_ == nullptr) return true;
        control_->reportFraction(total_ > 0 ? std::min(1.0, done_ / total_) : 1.0);
        return !control_->cancelRequested();
    }

    WorkControl* control() const { return control_; }

    // Reports the fraction with extra units done besides those counted.
    void reportWith(std::uint64_t extra) const {
        if (control_ == nullptr) return;
        const double done = done_ + static_cast<double>(pending_ + extra);
        control_->reportFraction(total_ > 0 ? std::min(1.0, done / total_) : 1.0);
    }

  private:
    WorkControl* control_;
    double total_;
    double done_ = 0;
    std::uint64_t pending_ = 0;
};

// A WorkPacer's work spread over threads. Every thread adds the units it has
// done and asks whether to go on; only the thread that made the SpreadPacer
// reports the fraction, so the fraction never goes back.
class SpreadPacer {
  public:
    explicit SpreadPacer(WorkPacer& pacer) : pacer_(pacer), reporter_(std::this_thread::get_id()) {}

    // False once cancellation has been asked for.
    bool going() {
        if (stopped_.load(std::memory_order_relaxed)) return false;
        WorkControl* control = pacer_.control();
        if (control == nullptr || !control->cancelRequested()) return true;
        stopped_.store(true, std::memory_order_relaxed);
        return false;
    }

    void add(std::uint64_t units) {
        const std::uint64_t done = done_.fetch_add(units, std::memory_order_relaxed) + units;
        if (std::this_thread::get_id() == reporter_) pacer_.reportWith(done);
    }

    // Hands the units to the pacer once every thread is through; false once
    // cancellation has been asked for.
    bool finish() {
        pacer_.advance(done_.load(std::memory_order_relaxed));
        return pacer_.checkpoint() && !stopped_.load(std::memory_order_relaxed);
    }

  private:
    WorkPacer& pacer_;
    std::thread::id reporter_;
    std::atomic<std::uint64_t> done_{0};
    std::atomic<bool> stopped_{false};
};
