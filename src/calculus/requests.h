// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "core/work_control.h"

// The requests of the calculus pages, free of any window: the checks in their
// order, the compile, the method, and the test of its result. The pages and
// mexora-cli both run them, so they can never disagree.

struct RequestOutcome {
    enum class Kind { Value, Message, Cancelled };
    Kind kind = Kind::Cancelled;
    double value = 0.0;  // the result to show, for Value
    int messageId = 0;   // the string-table message, for Message
    // For a Message on a formula that has no value at all: why, as the line
    // the message shows under it ("第 N 个字符：..."); empty otherwise.
    std::string diagnosis;

    static RequestOutcome result(double value) { return {Kind::Value, value, 0, {}}; }
    static RequestOutcome message(int id) { return {Kind::Message, 0.0, id, {}}; }
    static RequestOutcome cancelled() { return {}; }
};

// The defaults of the calculus pages' fields, which mexora-cli takes too.
inline constexpr double kDefaultPrecision = 0.0001;  // integral and derivative
inline constexpr int kDefaultDepth = 10;             // integral and derivative
inline constexpr double kDefaultInitialStep = 0.01;  // derivative
inline constexpr double kDefaultDelta = 0.01;        // root: tolerance on |F(x)|
inline constexpr double kDefaultEpsilon = 0.01;      // root: tolerance on the bracket's width

// A result counts as failed when it is a NaN of either kind or an infinity.
bool IsFailedResult(double value);

// Integral of formula from lower to upper. failed is the page's flag: cleared
// before the method runs, set by it on failure.
RequestOutcome RunIntegralRequest(std::string_view formula, double lower, double upper,
                                  double precision, int depth, int& failed,
                                  WorkControl* control = nullptr);

// Derivative of formula at point with the initial step.
RequestOutcome RunDerivativeRequest(std::string_view formula, double point, double initialStep,
                                    double precision, int depth, int& failed,
                                    WorkControl* control = nullptr);

// Sum or product of formula over from, from + step, ... up to to. When the step
// box is clear the step is 1, whatever stepValue holds.
RequestOutcome RunSumRequest(std::string_view formula, double from, double to, bool stepSet,
                             double stepValue, WorkControl* control = nullptr);
RequestOutcome RunProductRequest(std::string_view formula, double from, double to, bool stepSet,
                                 double stepValue, WorkControl* control = nullptr);

// One root of formula = 0 between left and right. noRoot is the page's flag.
RequestOutcome RunSolveRequest(std::string_view formula, double left, double right, double delta,
                               double epsilon, int& noRoot, WorkControl* control = nullptr);
