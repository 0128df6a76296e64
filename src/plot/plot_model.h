// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/precision.h"
#include "expr/compiled_expression.h"
#include "plot/plot_sampler.h"

class WorkControl;

// What a picture of a formula shows, free of any window: the page's fields it
// is drawn from, the range it shows, and what sampling found.

enum class PlotKind {
    Curve,        // the curve alone
    Integral,     // and the area between it and the axis over [from, to]
    Derivative,   // around the point from, with the tangent of slope result
    Progression,  // with the points from, from + step, ... up to to
    Equation,     // over [from, to], with the line y = 0, sign changes and the root result
};

// The fields of a page that its picture follows.
struct PlotSetup {
    PlotKind kind = PlotKind::Curve;
    std::string formula;
    double from = 0.0;
    double to = 0.0;
    double step = 1.0;  // not greater than 0: the progression has no points
    // The page's result for these fields, once one is shown.
    std::optional<double> result;
    // The language the formula is read in, and the values it is sampled in.
    Precision precision = Precision::Single;

    // Everything but the result: what sampling depends on.
    bool drawsTheSameAs(const PlotSetup& other) const {
        return kind == other.kind && formula == other.formula && same(from, other.from) &&
               same(to, other.to) && same(step, other.step) && precision == other.precision;
    }

  private:
    static bool same(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }
};

// The part of the plane a picture shows.
struct PlotView {
    double left = -1.0;
    double right = 1.0;
    double bottom = -1.0;
    double top = 1.0;
};

// The x range a setup is first shown over (and again after Home): the
// page's interval with a small margin; a few units either side of the
// derivative's point, or of an interval that is a single point.
void PageRange(const PlotSetup& setup, double& left, double& right);

// Keeps a range drawable: finite, within +-1e30, and at least a few singles wide.
void KeepDrawable(double& low, double& high);

// Whether a fitted vertical range reaches y = 0 (an area or the line y = 0).
inline bool ReachesZero(PlotKind kind) {
    return kind == PlotKind::Integral || kind == PlotKind::Equation;
}

// The progression's points beyond this many are chosen evenly.
inline constexpr int kMostProgressionDots = 10000;

// One sampling of a setup.
struct PlotJob {
    PlotSetup setup;
    double left = -1.0;
    double right = 1.0;
    bool fitRange = true;  // else [bottom, top]
    double bottom = -1.0;
    double top = 1.0;
    int width = 800;  // pixels of the plot area
    int height = 500;
};

// What a sampling found, in the values of its precision.
template <class Value>
struct BasicPlotContent {
    using ValueType = Value;

    std::shared_ptr<const BasicCompiledExpression<Value>> expr;  // null when unreadable
    std::string reason;  // why the formula cannot be read, as the pages say it
    BasicPlotSampling<Value> sampling;
    std::vector<BasicPlotPoint<Value>> dots;  // the progression's points on the curve
    double dotTotal = 0.0;                    // how many the progression has
    Value pointValue = NAN;                   // f at the derivative's point
    double left = -1.0;                       // the x range sampled
    double right = 1.0;
};

using PlotContent = BasicPlotContent<float>;
using PlotContentD = BasicPlotContent<double>;
// A sampling in the precision its setup asked for.
using AnyPlotContent = std::variant<PlotContent, PlotContentD>;

// Compiles and samples in the setup's precision; polls control. Never throws.
AnyPlotContent ComputePlot(const PlotJob& job, const WorkControl* control = nullptr);

// The most work a sampling can take, in evaluated elements, when the
// formula's text is short enough to compile at once; nullopt for a long text.
std::optional<double> EstimatePlotCost(const PlotJob& job);
