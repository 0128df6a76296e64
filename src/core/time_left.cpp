// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/time_left.h"

#include <algorithm>
#include <cmath>

#include "core/string_table.h"

void TimeLeftEstimator::add(double seconds, double fraction) {
    if (!(fraction >= 0)) return;
    if (!moved_) {
        moved_ = !samples_.empty() && fraction > samples_.back().fraction;
        if (!moved_) samples_.clear();
    }
    samples_.push_back({seconds, fraction});
    // One sample at or before the window's start stays, to measure from.
    while (samples_.size() > 2 && samples_[1].seconds <= seconds - kWindowSeconds) {
        samples_.pop_front();
    }
    const double span = seconds - samples_.front().seconds;
    if (!moved_ || fraction >= 1 || span < kSettleSeconds) {
        left_.reset();
        return;
    }
    const double rate = rateSince(samples_.front().seconds);
    if (!(rate > 0)) {
        left_.reset();
        return;
    }
    if (!steady_) {
        const double recent = rateSince(seconds - span / 2);
        steady_ = recent > rate / 2 && recent < rate * 2;
        if (!steady_) return;
    }
    left_ = (1 - fraction) / rate;
}

// The rate from the latest sample at or before seconds to the newest.
double TimeLeftEstimator::rateSince(double seconds) const {
    const Sample& last = samples_.back();
    auto from = samples_.rbegin();
    while (from != samples_.rend() && from->seconds > seconds) ++from;
    if (from == samples_.rend() || !(last.seconds > from->seconds)) return 0;
    return (last.fraction - from->fraction) / (last.seconds - from->seconds);
}

std::optional<TimeLeftParts> SplitTimeLeft(double seconds) {
    // Far beyond any work's length, and well within the count of minutes.
    constexpr double kLongest = 1e18;
    if (!(seconds >= 0 && seconds <= kLongest)) return std::nullopt;
    const auto whole = static_cast<unsigned long long>(std::max(1.0, std::round(seconds)));
    using Unit = TimeLeftParts::Unit;
    if (whole < 60) return TimeLeftParts{Unit::Seconds, whole, 0};
    if (whole < 3600) {
        return TimeLeftParts{Unit::MinutesSeconds, whole / 60, static_cast<unsigned>(whole % 60)};
    }
    const auto minutes = static_cast<unsigned long long>(std::round(seconds / 60));
    return TimeLeftParts{Unit::HoursMinutes, minutes / 60, static_cast<unsigned>(minutes % 60)};
}

std::string TimeLeftText(const TimeLeftParts& left) {
    const std::string major = std::to_string(left.major);
    const std::string minor = std::to_string(left.minor);
    switch (left.unit) {
        case TimeLeftParts::Unit::Seconds:
            return FormatString(kTimeLeftSeconds, {major});
        case TimeLeftParts::Unit::MinutesSeconds:
            return FormatString(kTimeLeftMinutesSeconds, {major, minor});
        case TimeLeftParts::Unit::HoursMinutes:
            break;
    }
    return FormatString(kTimeLeftHoursMinutes, {major, minor});
}
