// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <optional>
#include <string>

// The time long work has left, from the fraction of it done, read now and
// then. The rate is that over the last kWindowSeconds, so that one slow or
// quick moment barely moves the estimate. There is none until the fraction
// has moved for kSettleSeconds at a steady rate (the newest half of the
// window within a factor of two of the whole); once given, an estimate stays
// while the fraction keeps moving.
class TimeLeftEstimator {
  public:
    static constexpr double kWindowSeconds = 10.0;
    static constexpr double kSettleSeconds = 3.0;

    // The fraction done at the given time (seconds from any fixed start);
    // times must not go back.
    void add(double seconds, double fraction);

    // Seconds left at the last time added, or nothing yet.
    std::optional<double> secondsLeft() const { return left_; }

  private:
    struct Sample {
        double seconds;
        double fraction;
    };
    double rateSince(double seconds) const;

    // Before the fraction first moves, only the latest sample: time spent
    // before the work reports anything says nothing about its rate.
    std::deque<Sample> samples_;
    bool moved_ = false;
    bool steady_ = false;
    std::optional<double> left_;
};

// A time left as it is shown: whole seconds below a minute, minutes and
// seconds below an hour, hours and whole minutes from an hour on. Rounded to
// the nearest, and at least one second.
struct TimeLeftParts {
    enum class Unit { Seconds, MinutesSeconds, HoursMinutes };
    Unit unit = Unit::Seconds;
    unsigned long long major = 0;  // seconds, minutes or hours
    unsigned minor = 0;            // seconds or minutes; 0 for Seconds
    bool operator==(const TimeLeftParts&) const = default;
};

// Nothing for a time that is not finite or beyond any count of hours.
std::optional<TimeLeftParts> SplitTimeLeft(double seconds);

// As the window says it: "约需 3 小时 20 分".
std::string TimeLeftText(const TimeLeftParts& left);
