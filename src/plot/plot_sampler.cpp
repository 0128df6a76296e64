// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/plot_sampler.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <type_traits>

#include "core/number_text.h"
#include "core/work_control.h"
#include "expr/evaluator.h"

namespace {

// Points evaluated in one call; cancellation is polled between calls.
constexpr int kBatch = 4096;
// Below this width (in pixels) bending no longer counts; only jumps are
// followed further.
constexpr double kFinestBend = 1.0 / 16;
// A jump followed down to neighbouring values of x is a pole or a step when it
// kept at least half its size while its stretch shrank this many times.
constexpr double kJumpShrink = 16.0;
// A value change of more than this many pixels is a candidate jump.
constexpr double kJumpPixels = 1.0;

template <class Value>
bool finite(Value value) {
    return std::isfinite(value);
}

template <class Value>
int sign(Value value) {
    return value > 0 ? 1 : (value < 0 ? -1 : 0);
}

// A stretch between two points still to be tested by its midpoint.
template <class Value>
struct BasicStretch {
    BasicPlotPoint<Value> a;
    BasicPlotPoint<Value> b;
    // While a jump is followed: the stretch's width and value change when
    // that began; 0 before.
    double jumpWidth = 0.0;
    double jumpChange = 0.0;
};

template <class Value>
class Sampler {
  public:
    using Point = BasicPlotPoint<Value>;
    using Stretch = BasicStretch<Value>;

    Sampler(const BasicCompiledExpression<Value>& expr, const PlotRequest& request,
            const WorkControl* control)
        : expr_(expr), request_(request), control_(control) {}

    BasicPlotSampling<Value> run();

  private:
    // Evaluates xs into ys in batches; false when cancelled.
    bool evaluate(const std::vector<Value>& xs, std::vector<Value>& ys);
    std::vector<Value> grid() const;
    void refine(std::vector<Stretch> active);
    // Whether child (half of a stretch) is to be tested further.
    bool follow(Stretch& child, bool parentBends) const;
    bool bends(const Point& a, const Point& m, const Point& b) const;
    // Both beyond the same edge of the picture, by half its height or more.
    bool offOneSide(Value a, Value b, Value c) const;
    void recordJump(const Stretch& finest);
    void assemble();

    const BasicCompiledExpression<Value>& expr_;
    const PlotRequest& request_;
    const WorkControl* control_;
    BasicPlotSampling<Value> out_;
    double xScale_ = 1.0;  // pixels per unit
    double yScale_ = 1.0;
    int budget_ = 0;
};

template <class Value>
bool Sampler<Value>::evaluate(const std::vector<Value>& xs, std::vector<Value>& ys) {
    ys.resize(xs.size());
    for (std::size_t base = 0; base < xs.size(); base += kBatch) {
        if (control_ && control_->cancelRequested()) return false;
        const int n = static_cast<int>(std::min<std::size_t>(kBatch, xs.size() - base));
        EvaluateExpressionBatch(expr_, xs.data() + base, ys.data() + base, n);
    }
    out_.evaluations += static_cast<int>(xs.size());
    return true;
}

// About one point every two pixels, the ends included; neighbouring points
// that round to the same value of x are one.
template <class Value>
std::vector<Value> Sampler<Value>::grid() const {
    const int intervals = std::clamp(request_.width / 2, 8, 8192);
    std::vector<Value> xs;
    xs.reserve(static_cast<std::size_t>(intervals) + 1);
    const double span = request_.right - request_.left;
    for (int i = 0; i <= intervals; ++i) {
        const double x = i == intervals ? request_.right : request_.left + span * i / intervals;
        const auto rounded = static_cast<Value>(x);
        if (xs.empty() || rounded > xs.back()) xs.push_back(rounded);
    }
    return xs;
}

template <class Value>
bool Sampler<Value>::offOneSide(Value a, Value b, Value c) const {
    const double reach = 0.5 * (out_.top - out_.bottom);
    const auto above = [&](Value y) { return y > out_.top + reach; };
    const auto below = [&](Value y) { return y < out_.bottom - reach; };
    return (above(a) && above(b) && above(c)) || (below(a) && below(b) && below(c));
}

template <class Value>
bool Sampler<Value>::bends(const Point& a, const Point& m, const Point& b) const {
    // A curve wholly beyond one edge of the picture is not seen however it bends.
    if (offOneSide(a.y, m.y, b.y)) return false;
    const double chord = 0.5 * (static_cast<double>(a.y) + b.y);
    return std::abs(static_cast<double>(m.y) - chord) * yScale_ > request_.tolerance;
}

template <class Value>
bool Sampler<Value>::follow(Stretch& child, bool parentBends) const {
    const bool fa = finite(child.a.y);
    const bool fb = finite(child.b.y);
    // Where the values end, down to neighbouring values of x.
    if (fa != fb) return true;
    if (!fa) return false;
    const double width = (static_cast<double>(child.b.x) - child.a.x) * xScale_;
    const double change = std::abs(static_cast<double>(child.b.y) - child.a.y) * yScale_;
    if (width > kFinestBend && child.jumpWidth == 0.0) {
        return parentBends || sign(child.a.y) * sign(child.b.y) < 0;
    }
    // Steep beyond the picture's edge, as next to a pole, is not seen.
    if (change <= kJumpPixels || offOneSide(child.a.y, child.b.y, child.b.y)) return false;
    if (child.jumpWidth == 0.0) {
        child.jumpWidth = width;
        child.jumpChange = change;
    }
    return true;
}

template <class Value>
void Sampler<Value>::recordJump(const Stretch& finest) {
    if (finest.jumpWidth == 0.0 || !finite(finest.a.y) || !finite(finest.b.y)) return;
    const double width = (static_cast<double>(finest.b.x) - finest.a.x) * xScale_;
    const double change = std::abs(static_cast<double>(finest.b.y) - finest.a.y) * yScale_;
    // A steep but continuous curve loses its change as the stretch shrinks.
    if (width * kJumpShrink <= finest.jumpWidth && change >= 0.5 * finest.jumpChange &&
        change > kJumpPixels) {
        out_.jumps.push_back({finest.a.x, finest.b.x});
    }
}

template <class Value>
void Sampler<Value>::refine(std::vector<Stretch> active) {
    std::vector<Stretch> next;
    std::vector<Value> xs;
    std::vector<Value> ys;
    while (!active.empty()) {
        xs.clear();
        next.clear();
        // Stretches between neighbouring values cannot be halved.
        std::size_t kept = 0;
        for (const Stretch& s : active) {
            // In double the sum cannot overflow: x stays within +-1e30.
            const auto m = static_cast<Value>(0.5 * (static_cast<double>(s.a.x) + s.b.x));
            if (m > s.a.x && m < s.b.x) {
                xs.push_back(m);
                active[kept++] = s;
            } else {
                recordJump(s);
            }
        }
        active.resize(kept);
        if (xs.empty()) return;
        if (out_.evaluations + static_cast<int>(xs.size()) > budget_) return;
        if (!evaluate(xs, ys)) {
            out_.cancelled = true;
            return;
        }
        for (std::size_t i = 0; i < active.size(); ++i) {
            const Stretch& s = active[i];
            const Point m{xs[i], ys[i]};
            out_.points.push_back(m);
            const bool parentBends =
                finite(s.a.y) && finite(m.y) && finite(s.b.y) && bends(s.a, m, s.b);
            for (Stretch child : {Stretch{s.a, m, s.jumpWidth, s.jumpChange},
                                  Stretch{m, s.b, s.jumpWidth, s.jumpChange}}) {
                if (follow(child, parentBends)) next.push_back(child);
            }
        }
        std::swap(active, next);
    }
}

template <class Value>
void Sampler<Value>::assemble() {
    auto& points = out_.points;
    std::sort(points.begin(), points.end(),
              [](const Point& p, const Point& q) { return p.x < q.x; });
    std::sort(out_.jumps.begin(), out_.jumps.end(),
              [](const auto& p, const auto& q) { return p.from < q.from; });
    auto jump = out_.jumps.begin();
    const int count = static_cast<int>(points.size());
    int pieceBegin = -1;
    int gapBegin = -1;
    int lastSign = 0;
    Value lastSignedX = 0;
    for (int i = 0; i < count; ++i) {
        const Point& p = points[i];
        if (!finite(p.y)) {
            if (pieceBegin >= 0) out_.pieces.push_back({pieceBegin, i});
            pieceBegin = -1;
            if (gapBegin < 0) gapBegin = i;
            continue;
        }
        if (gapBegin >= 0) out_.gaps.push_back({points[gapBegin].x, points[i - 1].x});
        gapBegin = -1;
        while (jump != out_.jumps.end() && jump->from < points[i > 0 ? i - 1 : 0].x) ++jump;
        const bool jumped = i > 0 && jump != out_.jumps.end() && jump->from == points[i - 1].x;
        if (pieceBegin >= 0 && jumped) {
            out_.pieces.push_back({pieceBegin, i});
            pieceBegin = -1;
        }
        if (pieceBegin < 0) {
            pieceBegin = i;
            lastSign = 0;
        }
        if (const int s = sign(p.y); s != 0) {
            if (lastSign != 0 && s != lastSign) out_.signChanges.push_back({lastSignedX, p.x});
            lastSign = s;
            lastSignedX = p.x;
        }
    }
    if (pieceBegin >= 0) out_.pieces.push_back({pieceBegin, count});
    if (gapBegin >= 0) out_.gaps.push_back({points[gapBegin].x, points[count - 1].x});
}

template <class Value>
BasicPlotSampling<Value> Sampler<Value>::run() {
    if (!(request_.left < request_.right) || !std::isfinite(request_.right - request_.left) ||
        request_.width < 1 || request_.height < 1) {
        return out_;
    }
    budget_ = request_.maxEvaluations > 0 ? request_.maxEvaluations
                                          : std::max(20000, 64 * request_.width);
    const std::vector<Value> xs = grid();
    std::vector<Value> ys;
    if (!evaluate(xs, ys)) {
        out_.cancelled = true;
        return out_;
    }
    out_.bottom = request_.bottom;
    out_.top = request_.top;
    if (!request_.fixedRange) {
        FitPlotRange(std::vector<double>(ys.begin(), ys.end()), request_.includeZero, out_.bottom,
                     out_.top);
    }
    xScale_ = request_.width / (request_.right - request_.left);
    yScale_ = request_.height / (out_.top - out_.bottom);
    if (!std::isfinite(yScale_)) yScale_ = 0.0;

    std::vector<Stretch> active;
    out_.points.reserve(xs.size() * 2);
    for (std::size_t i = 0; i < xs.size(); ++i) {
        out_.points.push_back({xs[i], ys[i]});
        if (i == 0) continue;
        Stretch s{{xs[i - 1], ys[i - 1]}, {xs[i], ys[i]}};
        // The first test of a grid stretch is its midpoint.
        if (finite(s.a.y) || finite(s.b.y)) active.push_back(s);
    }
    refine(std::move(active));
    if (!out_.cancelled) assemble();
    return out_;
}

}  // namespace

PlotSampling SamplePlot(const CompiledExpression& expr, const PlotRequest& request,
                        const WorkControl* control) {
    return Sampler<float>(expr, request, control).run();
}

PlotSamplingD SamplePlot(const CompiledExpressionD& expr, const PlotRequest& request,
                         const WorkControl* control) {
    return Sampler<double>(expr, request, control).run();
}

void FitPlotRange(std::vector<double> values, bool includeZero, double& bottom, double& top) {
    std::erase_if(values, [](double v) { return !std::isfinite(v); });
    double low = -1.0;
    double high = 1.0;
    if (!values.empty()) {
        std::sort(values.begin(), values.end());
        const auto last = static_cast<double>(values.size() - 1);
        // The middle nine tenths, widened to every value within its own size
        // of it: a curve shows whole, and only values that run off stay out.
        const double q05 = values[static_cast<std::size_t>(std::floor(0.05 * last))];
        const double q95 = values[static_cast<std::size_t>(std::ceil(0.95 * last))];
        const double core = q95 - q05;
        low = *std::lower_bound(values.begin(), values.end(), q05 - core);
        high = *(std::upper_bound(values.begin(), values.end(), q95 + core) - 1);
    }
    if (includeZero) {
        low = std::min(low, 0.0);
        high = std::max(high, 0.0);
    }
    if (!(high > low)) {
        const double pad = std::max(1.0, std::abs(high) * 0.1);
        low -= pad;
        high += pad;
    }
    const double margin = 0.05 * (high - low);
    bottom = low - margin;
    top = high + margin;
}

ProgressionPoints ChooseProgressionPoints(double from, double to, double step, int limit) {
    ProgressionPoints chosen;
    if (!(step > 0) || !(from <= to) || limit < 2 || !std::isfinite(to - from)) return chosen;
    // A step too small to count the points by: as many as a double can hold.
    const double steps = std::min(std::floor((to - from) / step), 1e300);
    chosen.total = steps + 1;
    if (steps < limit) {
        // As the page runs: each point from the last by one addition.
        double x = from;
        while (x <= to && static_cast<int>(chosen.xs.size()) <= limit) {
            chosen.xs.push_back(x);
            const double next = x + step;
            if (next == x) break;  // the page would never end; one point shows where
            x = next;
        }
        if (static_cast<int>(chosen.xs.size()) <= limit) {
            chosen.total = static_cast<double>(chosen.xs.size());
            return chosen;
        }
        chosen.xs.clear();
    }
    for (int i = 0; i < limit; ++i) {
        const double k = std::round(steps * i / (limit - 1));
        const double x = from + k * step;
        if (chosen.xs.empty() || x > chosen.xs.back()) chosen.xs.push_back(x);
    }
    return chosen;
}

std::string FormatSingleExactly(float value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value);
    return std::string(text, written.ptr);
}

std::string FormatDoubleExactly(double value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
    return formatSignificant(value, 17);
}

namespace {

template <class Value>
std::string formatSamples(const std::vector<BasicPlotPoint<Value>>& points) {
    const auto exactly = [](Value value) {
        if constexpr (std::is_same_v<Value, float>) {
            return FormatSingleExactly(value);
        } else {
            return FormatDoubleExactly(value);
        }
    };
    std::string text;
    text.reserve(points.size() * (sizeof(Value) == 4 ? 24 : 48));
    for (const BasicPlotPoint<Value>& p : points) {
        text += exactly(p.x);
        text += '\t';
        text += exactly(p.y);
        text += '\n';
    }
    return text;
}

}  // namespace

std::string FormatPlotSamples(const std::vector<PlotPoint>& points) {
    return formatSamples(points);
}

std::string FormatPlotSamples(const std::vector<PlotPointD>& points) {
    return formatSamples(points);
}
