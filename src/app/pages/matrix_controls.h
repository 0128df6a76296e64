// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The controls of the matrix page (kMatrixTemplate).
enum MatrixControl : int {
    kMatrixElements = 1001,
    kAddMatrix = 1002,
    kMatrixRows = 1004,
    kMatrixCols = 1005,
    kFirstOperand = 1006,
    kSecondOperand = 1007,
    kMatrixList = 1008,
    kMatrixName = 1009,
    kDeleteMatrix = 1010,
    kMatrixSum = 1011,
    kMatrixDifference = 1012,
    kMatrixProduct = 1013,
};
