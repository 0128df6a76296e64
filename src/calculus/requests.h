// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <limits>
#include <string>
#include <string_view>

#include "core/precision.h"
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
    // For a Value: a bound on |value - exact| that errs on the large side,
    // infinity when the method can give none.
    double error = std::numeric_limits<double>::infinity();

    static RequestOutcome result(double value,
                                 double error = std::numeric_limits<double>::infinity()) {
        return {Kind::Value, value, 0, {}, error};
    }
    static RequestOutcome message(int id) { return {Kind::Message, 0.0, id, {}}; }
    static RequestOutcome cancelled() { return {}; }
};

// The defaults of the calculus pages' fields, which mexora-cli takes too.
inline constexpr double kDefaultPrecision = 0.0001;  // integral and derivative
inline constexpr int kDefaultDepth = 10;             // integral and derivative
inline constexpr double kDefaultInitialStep = 0.01;  // derivative
inline constexpr double kDefaultDelta = 0.01;        // root: tolerance on |F(x)|
inline constexpr double kDefaultEpsilon = 0.01;      // root: tolerance on the bracket's width

// Each request computes in the precision mode: Single runs the program's own
// methods on singles, as the design fixes them to the bit, and estimates their
// error by the same request in double; Double reads the larger language and
// runs the double-precision methods, as exact as a double allows, the
// tolerances deciding only whether the result is close enough.

// A result counts as failed when it is a NaN of either kind or an infinity.
bool IsFailedResult(double value);

// Integral of formula from lower to upper. failed is the page's flag: cleared
// before the method runs, set by it on failure.
RequestOutcome RunIntegralRequest(std::string_view formula, double lower, double upper,
                                  double precision, int depth, int& failed,
                                  WorkControl* control = nullptr,
                                  Precision mode = Precision::Single);

// Derivative of formula at point with the initial step.
RequestOutcome RunDerivativeRequest(std::string_view formula, double point, double initialStep,
                                    double precision, int depth, int& failed,
                                    WorkControl* control = nullptr,
                                    Precision mode = Precision::Single);

// Sum or product of formula over from, from + step, ... up to to. When the step
// box is clear the step is 1, whatever stepValue holds.
RequestOutcome RunSumRequest(std::string_view formula, double from, double to, bool stepSet,
                             double stepValue, WorkControl* control = nullptr,
                             Precision mode = Precision::Single);
RequestOutcome RunProductRequest(std::string_view formula, double from, double to, bool stepSet,
                                 double stepValue, WorkControl* control = nullptr,
                                 Precision mode = Precision::Single);

// One root of formula = 0 between left and right. noRoot is the page's flag.
RequestOutcome RunSolveRequest(std::string_view formula, double left, double right, double delta,
                               double epsilon, int& noRoot, WorkControl* control = nullptr,
                               Precision mode = Precision::Single);
