// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "expr/compiled_expression.h"

class WorkControl;

// Sampling a formula over an interval for drawing, in the precision of the
// compiled formula: Value is float in single precision, double in double
// precision. Every value is the one the evaluator gives at that x, bit for
// bit, so a picture shows exactly what the calculations use.

// x as it was evaluated, and the formula's value there.
template <class Value>
struct BasicPlotPoint {
    Value x = 0;
    Value y = 0;
};

// From one x to another, both points of a sampling.
template <class Value>
struct BasicPlotSpan {
    Value from = 0;
    Value to = 0;
};

using PlotPoint = BasicPlotPoint<float>;
using PlotSpan = BasicPlotSpan<float>;
using PlotPointD = BasicPlotPoint<double>;
using PlotSpanD = BasicPlotSpan<double>;

// What to sample for: the picture's x range and size in pixels.
struct PlotRequest {
    double left = 0.0;  // left < right, both finite
    double right = 1.0;
    int width = 800;   // pixels across [left, right]
    int height = 500;  // pixels across [bottom, top]
    // The vertical range shown; unless fixed, it is fitted to the values.
    bool fixedRange = false;
    double bottom = -1.0;
    double top = 1.0;
    // A fitted range reaches y = 0, for an area down to the axis or the line y = 0.
    bool includeZero = false;
    // How far, in pixels, the lines between the points may miss the curve.
    double tolerance = 0.5;
    // The most evaluations; 0 takes 64 per pixel column.
    int maxEvaluations = 0;
};

// An index range [begin, end) of points: a run of finite values with no pole
// or jump inside, drawn as one line.
struct PlotPiece {
    int begin = 0;
    int end = 0;
};

template <class Value>
struct BasicPlotSampling {
    using Piece = PlotPiece;
    using Point = BasicPlotPoint<Value>;
    using Span = BasicPlotSpan<Value>;

    std::vector<Point> points;  // every point evaluated, by increasing x
    std::vector<Piece> pieces;
    // Runs of points whose value is NaN or infinite, from the first to the last.
    std::vector<Span> gaps;
    // Neighbouring points between which the curve jumps (a pole, a step):
    // adjacent values of x (neighbouring singles, or doubles) whose values stay
    // far apart however close the points.
    std::vector<Span> jumps;
    // Within a piece, the last point of one sign and the first of the other.
    std::vector<Span> signChanges;
    double bottom = -1.0;  // the vertical range, as asked or fitted
    double top = 1.0;
    int evaluations = 0;
    bool cancelled = false;  // stopped early; what is here is incomplete
};

using PlotSampling = BasicPlotSampling<float>;
using PlotSamplingD = BasicPlotSampling<double>;

// Samples expr over the request's range: an even grid, then halves every
// stretch where the curve bends by more than the tolerance, changes sign, or
// moves between a value and none, and follows each jump down to neighbouring
// values of x to tell a pole from a steep slope. Polls control between
// batches.
PlotSampling SamplePlot(const CompiledExpression& expr, const PlotRequest& request,
                        const WorkControl* control = nullptr);
PlotSamplingD SamplePlot(const CompiledExpressionD& expr, const PlotRequest& request,
                         const WorkControl* control = nullptr);

// The vertical range that shows values well: a few values that run off to
// huge sizes are left out, and a margin is added.
void FitPlotRange(std::vector<double> values, bool includeZero, double& bottom, double& top);

// The points of the progression from, from + step, ... up to to, as the sum
// and product run through them (each reached by adding the step): all of
// them up to limit, and limit evenly chosen ones beyond. total is how many
// the progression has (about, beyond limit).
struct ProgressionPoints {
    std::vector<double> xs;
    double total = 0.0;
};
ProgressionPoints ChooseProgressionPoints(double from, double to, double step, int limit);

// A single written so that it reads back as the same single: the shortest
// such decimal, or nan, inf, -inf.
std::string FormatSingleExactly(float value);
// A double written so that it reads back as the same double: 17 significant
// digits, or nan, inf, -inf.
std::string FormatDoubleExactly(double value);

// One line per point, "x<TAB>f(x)", each number written to read back as the
// same value of its precision (FormatSingleExactly, FormatDoubleExactly).
std::string FormatPlotSamples(const std::vector<PlotPoint>& points);
std::string FormatPlotSamples(const std::vector<PlotPointD>& points);
