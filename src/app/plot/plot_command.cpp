// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/plot/plot_command.h"

#include <QFont>
#include <QGuiApplication>
#include <cstdio>
#include <variant>

#include "app/plot/plot_painter.h"
#include "core/string_table.h"

namespace {

void complain(const std::string& text) { std::fprintf(stderr, "mexora: %s\n", text.c_str()); }

}  // namespace

int RunHeadlessPlot(const HeadlessPlot& plot) {
    PlotSetup setup;
    setup.kind = PlotKind::Integral;
    setup.formula = plot.formula;
    setup.from = plot.from;
    setup.to = plot.to;
    setup.precision = plot.precision;
    PlotView view;
    PageRange(setup, view.left, view.right);

    // The dialog font, grown with a picture larger than the default.
    QFont font = QGuiApplication::font();
    const double growth =
        std::max(1.0, std::min(plot.size.width() / 800.0, plot.size.height() / 500.0));
    font.setPixelSize(qRound(std::max(1, font.pixelSize()) * growth));

    const QRectF whole(QPointF(0, 0), QSizeF(plot.size));
    const QRectF box = LayOutPlot(whole, view, font).box;
    PlotJob job;
    job.setup = setup;
    job.left = view.left;
    job.right = view.right;
    job.width = qRound(box.width());
    job.height = qRound(box.height());
    const AnyPlotContent any = ComputePlot(job);
    return std::visit(
        [&](const auto& content) {
            if (!content.expr) {
                complain(content.reason);
                return 1;
            }
            view.bottom = content.sampling.bottom;
            view.top = content.sampling.top;
            const BasicPlotPicture picture{setup, view, content};
            if (!WritePlotFile(plot.output, picture, plot.size, font)) {
                complain(FormatString(kOptionCannotWrite, {plot.output.toStdString()}));
                return 1;
            }
            return 0;
        },
        any);
}
