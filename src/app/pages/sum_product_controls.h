// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The controls of the sum and product page (kSumProductTemplate).
enum SumProductControl : int {
    // the sum group
    kSumFormula = 1020,
    kSumFrom = 1002,
    kSumTo = 1001,
    kSumStepBox = 1022,
    kSumStep = 1023,
    kSumEquals = 1026,
    kSumResult = 1009,
    // the product group
    kProdFormula = 1021,
    kProdFrom = 1004,
    kProdTo = 1003,
    kProdStepBox = 1024,
    kProdStep = 1025,
    kProductEquals = 1005,
    kProdResult = 1010,
};
