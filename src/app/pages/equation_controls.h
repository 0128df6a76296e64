// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The controls of the equation page (kEquationTemplate).
enum EquationControl : int {
    kEquationFormula = 1001,
    kLeft = 1027,
    kRight = 1028,
    kDelta = 1029,
    kEpsilon = 1030,
    kSolve = 1031,
    kRoot = 1032,
};
