// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstdint>

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

  private:
    WorkControl* control_;
    double total_;
    double done_ = 0;
    std::uint64_t pending_ = 0;
};
