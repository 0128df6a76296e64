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

// Everything one picture shows, in the values of its precision.
template <class Value>
struct BasicPlotPicture {
    const PlotSetup& setup;
    const PlotView& view;
    const BasicPlotContent<Value>& content;
    std::optional<BasicPlotPoint<Value>> cursor = std::nullopt;  // the point under the mouse
};

using PlotPicture = BasicPlotPicture<float>;
using PlotPictureD = BasicPlotPicture<double>;

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

// These take a picture of either precision.
template <class Value>
void PaintPlot(QPainter& painter, const QRectF& whole, const BasicPlotPicture<Value>& picture,
               const QFont& font);

// The picture at size (logical pixels) and the given pixel ratio.
template <class Value>
QImage PlotImage(const BasicPlotPicture<Value>& picture, QSize size, qreal devicePixelRatio,
                 const QFont& font);

// Writes the picture to path, SVG when its name ends in .svg, else PNG.
template <class Value>
bool WritePlotFile(const QString& path, const BasicPlotPicture<Value>& picture, QSize size,
                   const QFont& font);

// At most characters of formula, with "…" when cut.
QString ShortFormula(const std::string& formula, qsizetype characters);
// The first line of the picture: "f(x) ＝ formula" (F(x) for an equation).
QString PlotFormulaLine(const PlotSetup& setup);
// What the picture says of the page's result, or of the progression's points.
template <class Value>
QString PlotResultLine(const PlotSetup& setup, const BasicPlotContent<Value>& content);
// "x ＝ ..., f(x) ＝ ...", each value as it reads back exactly in its precision.
QString PlotCursorLine(const PlotPoint& point);
QString PlotCursorLine(const PlotPointD& point);
