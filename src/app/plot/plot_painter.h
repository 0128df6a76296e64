// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRectF>
#include <QString>
#include <optional>

#include "plot/plot_model.h"

class QFont;
class QPainter;

// Draws a picture of a formula with QPainter: on the plot window, into the
// clipboard's image, into an SVG or PNG file. One drawing for all, so what
// is saved is what is seen.

// Everything one picture shows.
struct PlotPicture {
    const PlotSetup& setup;
    const PlotView& view;
    const PlotContent& content;
    std::optional<PlotPoint> cursor = std::nullopt;  // the point under the mouse
};

// Where the axes' box lies inside whole, and how the plane maps onto it.
struct PlotFrame {
    QRectF box;
    PlotView view;

    double toPixelX(double x) const;
    double toPixelY(double y) const;
    double toX(double pixelX) const;
    double toY(double pixelY) const;
};
PlotFrame LayOutPlot(const QRectF& whole, const PlotView& view, const QFont& font);

void PaintPlot(QPainter& painter, const QRectF& whole, const PlotPicture& picture,
               const QFont& font);

// The picture at size (logical pixels) and the given pixel ratio.
QImage PlotImage(const PlotPicture& picture, QSize size, qreal devicePixelRatio, const QFont& font);

// Writes the picture to path, SVG when its name ends in .svg, else PNG.
bool WritePlotFile(const QString& path, const PlotPicture& picture, QSize size, const QFont& font);

// At most characters of formula, with "…" when cut.
QString ShortFormula(const std::string& formula, qsizetype characters);
// The first line of the picture: "f(x) ＝ formula" (F(x) for an equation).
QString PlotFormulaLine(const PlotSetup& setup);
// What the picture says of the page's result, or of the progression's points.
QString PlotResultLine(const PlotSetup& setup, const PlotContent& content);
// "x ＝ ..., f(x) ＝ ...", each single as it reads back exactly.
QString PlotCursorLine(const PlotPoint& point);
