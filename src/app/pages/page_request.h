// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include "plot/plot_model.h"

// One request of a page as its controls show it, described once by the page:
// the history reads from it what to record and restore, the plots what to
// draw. Ids are the page's control ids; 0 means none.
struct PageRequest {
    int button = 0;  // runs the request; the id calculated() reports
    int kind = 0;    // string id: what the history calls the calculation
    // The inputs in the order a history row lists them.
    std::array<int, 5> inputs{};
    int result = 0;
    // A step edit counts only while its box is ticked.
    int stepBox = 0;
    int stepEdit = 0;
    // The formula and the interval it is drawn over (from == to: a point),
    // and a picture whose click opens the plot; no formula, no plot.
    int formula = 0;
    int from = 0;
    int to = 0;
    PlotKind plot = PlotKind::Curve;
    int picture = 0;
};
