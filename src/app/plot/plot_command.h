// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QString>
#include <string>

#include "core/precision.h"

// A picture drawn with no window: the curve of formula over [from, to] with
// the area between it and the axis, as the plot window shows an integrand.
struct HeadlessPlot {
    std::string formula;
    double from = 0.0;
    double to = 1.0;
    QString output;  // .svg or .png
    QSize size{800, 500};
    Precision precision = Precision::Single;
};

// Writes the picture (a QGuiApplication must exist). The exit status: 0 when
// the file is written; 1, with the reason on stderr and no file written,
// when the formula cannot be read or the file cannot be written.
int RunHeadlessPlot(const HeadlessPlot& plot);
