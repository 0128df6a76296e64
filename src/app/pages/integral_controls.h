// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The controls of the integral and derivative page (kIntegralTemplate).
enum IntegralControl : int {
    // the integral group
    kIntegrand = 1001,
    kLower = 1017,
    kUpper = 1016,
    kIntPrecision = 1019,
    kIntDepth = 1020,
    kIntegralEquals = 1015,
    kIntResult = 1002,
    // the derivative group
    kDiffFormula = 1009,
    kPoint = 1010,
    kInitStep = 1023,
    kDiffPrecision = 1021,
    kDiffDepth = 1022,
    kDerivativeEquals = 1018,
    kDiffResult = 1003,
};
