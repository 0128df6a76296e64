// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The controls of the determinant page (kDeterminantTemplate).
enum DeterminantControl : int {
    kDeterminantElements = 1001,
    kDeterminantValue = 1009,
    kOrder = 1034,
    kCompute = 1035,
};
