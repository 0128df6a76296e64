// SPDX-License-Identifier: GPL-3.0-or-later
// The plot, side by side with what it is measured against:
//   Sample/adaptive vs Sample/uniform10x - the sampler against an even grid
//       with ten times as many points; counters: points, and the largest
//       distance in pixels between the lines drawn and the curve (measured
//       on 200 points a pixel, within the picture);
//   Redraw/paint and Redraw/sample_and_paint - a whole picture of 2,000
//       samples of a 55-element formula, as pan and zoom redraw it;
//   Window/open - from Ctrl+G to the plot window shown and painted, on a
//       fresh main window each time;
//   Plot/megabyte_formula - the longest the plot holds up the user-interface
//       thread for a megabyte formula, the sampling being on the worker;
//   Window/megabyte_paste - the longest the event loop stalls from Ctrl+V of
//       a megabyte into the integrand until the window has settled, with the
//       plot window closed and open;
//   Window/megabyte_typing - the same for a key typed into that megabyte.
// The window benchmarks run on the offscreen platform.
// Run: build/bin/bench_plot
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <variant>

#include "app/dialog/template_page.h"
#include "app/look/dialog_look.h"
#include "app/pages/integral_controls.h"
#include "app/plot/plot_painter.h"
#include "app/plot/plot_widget.h"
#include "app/plot/plot_window.h"
#include "app/shell/mexora_dlg.h"
#include "expr/compiler.h"
#include "expr/evaluator.h"
#include "plot/plot_sampler.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 500;

const std::string kPolynomial = "1.25*x*x*x*x*x*x+2*x*x*x*x*x-3.5*x*x*x*x+x*x*x/4-6*x*x+7*x-8";

struct Curve {
    const char* formula;
    double left;
    double right;
};

const Curve kCurves[] = {
    {kPolynomial.c_str(), -2, 2}, {"sin(3*x)/x", -10, 10}, {"tgx", -5, 5}, {"1/x", -1, 1}};

std::shared_ptr<CompiledExpression> compiled(const char* formula) {
    auto expr = std::make_shared<CompiledExpression>();
    CompileExpression(*expr, formula);
    return expr;
}

PlotRequest requestFor(const Curve& curve) {
    PlotRequest request;
    request.left = curve.left;
    request.right = curve.right;
    request.width = kWidth;
    request.height = kHeight;
    return request;
}

// An even grid of count points, joined where the values are finite.
PlotSampling uniform(const CompiledExpression& expr, const Curve& curve, int count) {
    PlotSampling s;
    std::vector<float> xs(count);
    std::vector<float> ys(count);
    for (int i = 0; i < count; ++i)
        xs[i] = static_cast<float>(curve.left + (curve.right - curve.left) * i / (count - 1));
    EvaluateExpressionBatch(expr, xs.data(), ys.data(), count);
    int begin = -1;
    for (int i = 0; i <= count; ++i) {
        const bool finite = i < count && std::isfinite(ys[i]);
        if (i < count) s.points.push_back({xs[i], ys[i]});
        if (finite && begin < 0) begin = i;
        if (!finite && begin >= 0) {
            s.pieces.push_back({begin, i});
            begin = -1;
        }
    }
    return s;
}

// The largest vertical distance, in pixels and within the picture, between
// the lines of sampling and the curve at the reference points.
double largestPixelError(const PlotSampling& sampling, const std::vector<PlotPoint>& reference,
                         double bottom, double top) {
    const double scale = kHeight / (top - bottom);
    const auto shown = [&](double y) { return std::clamp(y, bottom, top); };
    double worst = 0;
    const auto& p = sampling.points;
    for (const PlotSampling::Piece& piece : sampling.pieces) {
        auto r = std::lower_bound(reference.begin(), reference.end(), p[piece.begin].x,
                                  [](const PlotPoint& point, float x) { return point.x < x; });
        for (int i = piece.begin; i + 1 < piece.end; ++i) {
            for (; r != reference.end() && r->x <= p[i + 1].x; ++r) {
                if (!std::isfinite(r->y)) continue;
                const double t = (static_cast<double>(r->x) - p[i].x) / (p[i + 1].x - p[i].x);
                const double drawn = p[i].y + t * (static_cast<double>(p[i + 1].y) - p[i].y);
                worst = std::max(worst, std::abs(shown(drawn) - shown(r->y)) * scale);
            }
        }
    }
    return worst;
}

std::vector<PlotPoint> referenceOf(const CompiledExpression& expr, const Curve& curve) {
    return uniform(expr, curve, kWidth * 200).points;
}

void SampleAdaptive(benchmark::State& state, const Curve* curve) {
    const auto expr = compiled(curve->formula);
    PlotSampling s;
    for (auto _ : state) {
        s = SamplePlot(*expr, requestFor(*curve));
        benchmark::DoNotOptimize(s.points.data());
    }
    state.counters["points"] = static_cast<double>(s.points.size());
    state.counters["px_error"] = largestPixelError(s, referenceOf(*expr, *curve), s.bottom, s.top);
}

void SampleUniform10x(benchmark::State& state, const Curve* curve) {
    const auto expr = compiled(curve->formula);
    const PlotSampling adaptive = SamplePlot(*expr, requestFor(*curve));
    const int count = static_cast<int>(adaptive.points.size()) * 10;
    PlotSampling s;
    for (auto _ : state) {
        s = uniform(*expr, *curve, count);
        benchmark::DoNotOptimize(s.points.data());
    }
    state.counters["points"] = count;
    state.counters["px_error"] =
        largestPixelError(s, referenceOf(*expr, *curve), adaptive.bottom, adaptive.top);
}

BENCHMARK_CAPTURE(SampleAdaptive, polynomial_55, &kCurves[0]);
BENCHMARK_CAPTURE(SampleUniform10x, polynomial_55, &kCurves[0]);
BENCHMARK_CAPTURE(SampleAdaptive, sin3x_over_x, &kCurves[1]);
BENCHMARK_CAPTURE(SampleUniform10x, sin3x_over_x, &kCurves[1]);
BENCHMARK_CAPTURE(SampleAdaptive, tg, &kCurves[2]);
BENCHMARK_CAPTURE(SampleUniform10x, tg, &kCurves[2]);
BENCHMARK_CAPTURE(SampleAdaptive, one_over_x, &kCurves[3]);
BENCHMARK_CAPTURE(SampleUniform10x, one_over_x, &kCurves[3]);

// 2,000 samples of the 55-element polynomial over the page's range.
struct Picture {
    PlotSetup setup;
    PlotView view;
    PlotContent content;

    Picture() {
        setup.kind = PlotKind::Integral;
        setup.formula = kPolynomial;
        setup.from = -2;
        setup.to = 2;
        PageRange(setup, view.left, view.right);
        const Curve curve{kPolynomial.c_str(), view.left, view.right};
        content.expr = compiled(curve.formula);
        content.sampling = uniform(*content.expr, curve, 2000);
        std::vector<double> values;
        for (const PlotPoint& p : content.sampling.points) values.push_back(p.y);
        FitPlotRange(values, true, view.bottom, view.top);
        content.left = view.left;
        content.right = view.right;
    }
};

void RedrawPaint(benchmark::State& state) {
    const Picture picture;
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        PaintPlot(painter, QRectF(0, 0, kWidth, kHeight),
                  PlotPicture{picture.setup, picture.view, picture.content}, QApplication::font());
    }
    state.counters["samples"] = static_cast<double>(picture.content.sampling.points.size());
}
BENCHMARK(RedrawPaint)->Name("Redraw/paint")->Unit(benchmark::kMillisecond);

// As a pan redraws: a new sampling of the view, then the picture.
void RedrawSampleAndPaint(benchmark::State& state) {
    Picture picture;
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    PlotJob job;
    job.setup = picture.setup;
    job.left = picture.view.left;
    job.right = picture.view.right;
    job.fitRange = false;
    job.bottom = picture.view.bottom;
    job.top = picture.view.top;
    job.width = kWidth - 60;
    job.height = kHeight - 50;
    for (auto _ : state) {
        picture.content = std::get<PlotContent>(ComputePlot(job));
        QPainter painter(&image);
        PaintPlot(painter, QRectF(0, 0, kWidth, kHeight),
                  PlotPicture{picture.setup, picture.view, picture.content}, QApplication::font());
    }
    state.counters["samples"] = static_cast<double>(picture.content.sampling.points.size());
}
BENCHMARK(RedrawSampleAndPaint)->Name("Redraw/sample_and_paint")->Unit(benchmark::kMillisecond);

// The main window on its integral page, the integrand typed.
std::unique_ptr<CMexoraDlg> integralPage(const char* integrand) {
    auto window = std::make_unique<CMexoraDlg>();
    window->Create(nullptr);
    window->show();
    window->SelectPage(2);
    auto* edit = window->page(2)->control<QLineEdit>(kIntegrand);
    edit->setText(QString::fromUtf8(integrand));
    edit->setFocus();
    QCoreApplication::processEvents();
    return window;
}

PlotSource* integrandSource(CMexoraDlg& window) {
    return window.page(2)->control<QLineEdit>(kIntegrand)->findChild<PlotSource*>();
}

void WindowOpen(benchmark::State& state) {
    for (auto _ : state) {
        const auto window = integralPage(kPolynomial.c_str());
        QElapsedTimer clock;
        clock.start();
        integrandSource(*window)->open();
        PlotWindow::of(window.get())->plot()->grab();  // painted, exposed or not
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(WindowOpen)->Name("Window/open")->UseManualTime()->Unit(benchmark::kMillisecond);

// The longest the event loop is held up by act and what follows it: act
// itself, then the lateness of a 5 ms timer until the window has had 600 ms
// to settle (the live diagnosis and the plot wait 120 ms after a change).
qint64 worstStall(CMexoraDlg& window, const std::function<void()>& act) {
    QElapsedTimer clock;
    clock.start();
    act();
    window.repaint();
    qint64 worst = clock.nsecsElapsed();
    qint64 last = clock.nsecsElapsed();
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        worst = std::max(worst, now - last);
        last = now;
    });
    tick.start(5);
    QTest::qWait(600);
    return worst;
}

const QString& megabyteFormula() {
    static const QString text = QString(QStringLiteral("1.5+")).repeated(256 * 1024);
    return text;
}

// Ctrl+V of a megabyte over the integrand "sinx", selected.
void MegabytePaste(benchmark::State& state) {
    const bool plotShown = state.range(0) != 0;
    QGuiApplication::clipboard()->setText(megabyteFormula());
    for (auto _ : state) {
        const auto window = integralPage("sinx");
        if (plotShown) integrandSource(*window)->open();
        auto* edit = window->page(2)->control<QLineEdit>(kIntegrand);
        edit->selectAll();
        const qint64 worst =
            worstStall(*window, [&] { QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier); });
        if (edit->text().size() != megabyteFormula().size()) {
            state.SkipWithError("the paste did not arrive");
            break;
        }
        state.SetIterationTime(static_cast<double>(worst) / 1e9);
    }
}
BENCHMARK(MegabytePaste)
    ->Name("Window/megabyte_paste")
    ->ArgName("plot_shown")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// A key typed into a megabyte integrand, at its end and then at its start,
// the plot window open; the worst of both.
void MegabyteTyping(benchmark::State& state) {
    QGuiApplication::clipboard()->setText(megabyteFormula());
    const auto window = integralPage("");
    integrandSource(*window)->open();
    auto* edit = window->page(2)->control<QLineEdit>(kIntegrand);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QTest::qWait(600);
    for (auto _ : state) {
        qint64 worst = worstStall(*window, [&] { QTest::keyClick(edit, Qt::Key_1); });
        QTest::keyClick(edit, Qt::Key_Home);
        worst =
            std::max(worst, worstStall(*window, [&] { QTest::keyClick(edit, Qt::Key_Delete); }));
        QTest::keyClick(edit, Qt::Key_End);
        state.SetIterationTime(static_cast<double>(worst) / 1e9);
    }
}
BENCHMARK(MegabyteTyping)
    ->Name("Window/megabyte_typing")
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The plot's own share of a megabyte formula on the user-interface thread:
// reading the text, taking the setup and painting at once, then taking and
// painting what the worker found (why the formula cannot be read).
void MegabyteFormula(benchmark::State& state) {
    const QString megabyte = QString(QStringLiteral("1.5+")).repeated(256 * 1024);
    for (auto _ : state) {
        PlotWidget plot;
        plot.resize(600, 400);
        PlotSetup setup;
        setup.kind = PlotKind::Integral;
        QElapsedTimer clock;
        clock.start();
        setup.formula = megabyte.toStdString();
        plot.setSetup(setup);
        plot.grab();
        qint64 worst = clock.nsecsElapsed();
        if (!QTest::qWaitFor([&] { return !plot.isSampling(); }, 5000)) {
            state.SkipWithError("the sampling did not end");
            break;
        }
        clock.restart();
        plot.grab();
        worst = std::max(worst, clock.nsecsElapsed());
        state.SetIterationTime(static_cast<double>(worst) / 1e9);
    }
}
BENCHMARK(MegabyteFormula)
    ->Name("Plot/megabyte_formula")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    applyDialogLook(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
