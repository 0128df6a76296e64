// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/time_left.h"

#include <gtest/gtest.h>

namespace {

using Unit = TimeLeftParts::Unit;

struct SplitCase {
    double seconds;
    TimeLeftParts parts;
};

class SplitTimeLeftTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTimeLeftTest, RoundsToTheShownUnit) {
    EXPECT_EQ(SplitTimeLeft(GetParam().seconds), GetParam().parts) << GetParam().seconds;
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitTimeLeftTest,
                         ::testing::Values(SplitCase{0.2, {Unit::Seconds, 1, 0}},
                                           SplitCase{59.4, {Unit::Seconds, 59, 0}},
                                           SplitCase{59.5, {Unit::MinutesSeconds, 1, 0}},
                                           SplitCase{200.4, {Unit::MinutesSeconds, 3, 20}},
                                           SplitCase{3599.5, {Unit::HoursMinutes, 1, 0}},
                                           SplitCase{12029, {Unit::HoursMinutes, 3, 20}},
                                           SplitCase{12031, {Unit::HoursMinutes, 3, 21}}));

TEST(SplitTimeLeftTest, GivesNothingForATimeThatIsNoTime) {
    EXPECT_EQ(SplitTimeLeft(1.0 / 0.0), std::nullopt);
    EXPECT_EQ(SplitTimeLeft(0.0 / 0.0), std::nullopt);
}

TEST(TimeLeftEstimator, WaitsForSteadyProgressThenFollowsTheRecentRate) {
    TimeLeftEstimator estimate;
    // Nothing moves for 5 s, then 1% a second: nothing until 3 s of it.
    for (int tenth = 0; tenth <= 80; ++tenth) {
        const double t = tenth / 10.0;
        estimate.add(t, t <= 5 ? 0 : (t - 5) / 100);
        EXPECT_EQ(estimate.secondsLeft().has_value(), tenth >= 80) << t;
    }
    EXPECT_NEAR(*estimate.secondsLeft(), 97, 1e-9);
    // Twice as fast from 8 s on: a window later, only the new rate counts.
    for (int tenth = 81; tenth <= 190; ++tenth) estimate.add(tenth / 10.0, (tenth - 65) / 500.0);
    EXPECT_NEAR(*estimate.secondsLeft(), 37.5, 1e-9);
}

}  // namespace
