// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/work_control.h"
#include "matrix/compute_status.h"
#include "matrix/matrix_store.h"

// The three operations of the matrix page; the values are the operation
// characters that name them.
enum class MatrixOperation : char { Sum = '+', Difference = '-', Product = '*' };

// True when the shapes allow the operation: equal shapes for the sum and the
// difference, columns of the first = rows of the second for the product.
bool ShapesFit(MatrixOperation operation, const MatrixSlot& first, const MatrixSlot& second);

// The string id of the message for shapes that do not fit (103, 104 or 105).
int ShapeMessageId(MatrixOperation operation);
// The text under that message: for the product, the shapes of both operands
// ("矩阵１是 2×3，矩阵２是 2×2。"); empty for the others.
std::string ShapeMessageDetail(MatrixOperation operation, const MatrixSlot& first,
                               const MatrixSlot& second);

// The name a result gets: "Sum", "Difference" or "Product".
std::string_view ResultName(MatrixOperation operation);

struct MatrixResult {
    ComputeStatus status = ComputeStatus::BadOperands;
    std::string text;  // in the matrix text format; empty unless Done
    int nRows = 0;
    int nCols = 0;
    // Computed in double from an operand with an element that is no finite
    // rational, in double precision: the text is not exact.
    bool inDouble = false;
};

// The operands of an operation and their element counts, once the checks
// every computation makes first have passed.
struct CheckedOperands {
    const MatrixSlot& a;
    const MatrixSlot& b;
    std::size_t countA;
    std::size_t countB;
};

// Those checks: positions in the store and shapes that fit (BadOperands),
// then element counts in range for both operands and the result (NoMemory).
// Sets result's shape and status as they leave it; nullopt when one fails.
std::optional<CheckedOperands> CheckOperands(const MatrixStore& store, int first, int second,
                                             MatrixOperation operation, MatrixResult& result);

// Reads both operands from the store, parses them (the first completely before
// the second) and computes in double precision: element by element for the sum
// and the difference, and for the product each element as the sum over k, in
// increasing order, of the exact double products A(r,k) B(k,c). Each element is
// written right after it is computed.
//
// Positions outside the store or shapes that do not fit give BadOperands (the
// page has checked them first); an element count out of range for either
// operand or the result, operands and the longest result text together beyond
// the available memory (checked before any work), or storage that cannot be
// had, gives NoMemory. Reports progress and stops (Cancelled) when asked to.
MatrixResult Calculate(const MatrixStore& store, int first, int second, MatrixOperation operation,
                       WorkControl* control = nullptr);
