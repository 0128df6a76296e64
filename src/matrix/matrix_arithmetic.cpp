// SPDX-License-Identifier: GPL-3.0-or-later
#include "matrix/matrix_arithmetic.h"

#include <cstddef>
#include <cstdint>
#include <new>
#include <optional>
#include <stdexcept>
#include <vector>

#include "matrix/matrix_text.h"
#include "matrix/memory_reach.h"
#include "matrix/work_pacer.h"

namespace {

bool inStore(int position) { return position >= 0 && position < MatrixStore::kCapacity; }

bool hasShape(const MatrixSlot& slot) { return slot.nRows >= 0 && slot.nCols >= 0; }

double elementValue(MatrixOperation operation, float a, float b) {
    return operation == MatrixOperation::Sum ? static_cast<double>(a) + static_cast<double>(b)
                                             : static_cast<double>(a) - static_cast<double>(b);
}

// Builds the result text; false when cancelled. May throw std::bad_alloc.
bool writeResult(MatrixOperation operation, const MatrixSlot& first, const MatrixSlot& second,
                 const std::vector<float>& a, const std::vector<float>& b, MatrixResult& result,
                 WorkControl* control) {
    const std::size_t rows = static_cast<std::size_t>(result.nRows);
    const std::size_t cols = static_cast<std::size_t>(result.nCols);
    const bool product = operation == MatrixOperation::Product;
    const std::size_t inner = product ? static_cast<std::size_t>(first.nCols) : 0;
    const std::size_t secondCols = static_cast<std::size_t>(second.nCols);
    WorkPacer pacer(control, static_cast<double>(rows) * static_cast<double>(cols) * (inner + 1));
    for (std::size_t r = 0; r < rows; ++r) {
        for (std::size_t c = 0; c < cols; ++c) {
            double value = 0.0;
            if (product) {
                // Each product of two singles is exact in double; the order of
                // the additions fixes the digits.
                for (std::size_t k = 0; k < inner; ++k) {
                    value += static_cast<double>(a[r * inner + k]) *
                             static_cast<double>(b[k * secondCols + c]);
                }
            } else {
                value = elementValue(operation, a[r * cols + c], b[r * cols + c]);
            }
            AppendMatrixElement(result.text, value, c == cols - 1);
            if (!pacer.advance(inner + 1)) return false;
        }
    }
    return pacer.checkpoint();
}

}  // namespace

bool ShapesFit(MatrixOperation operation, const MatrixSlot& first, const MatrixSlot& second) {
    if (operation == MatrixOperation::Product) return first.nCols == second.nRows;
    return first.nRows == second.nRows && first.nCols == second.nCols;
}

int ShapeMessageId(MatrixOperation operation) {
    switch (operation) {
        case MatrixOperation::Sum:
            return 103;
        case MatrixOperation::Difference:
            return 104;
        case MatrixOperation::Product:
            break;
    }
    return 105;
}

std::string_view ResultName(MatrixOperation operation) {
    switch (operation) {
        case MatrixOperation::Sum:
            return "Sum";
        case MatrixOperation::Difference:
            return "Difference";
        case MatrixOperation::Product:
            break;
    }
    return "Product";
}

MatrixResult Calculate(const MatrixStore& store, int first, int second, MatrixOperation operation,
                       WorkControl* control) {
    MatrixResult result;
    if (!inStore(first) || !inStore(second)) return result;
    const MatrixSlot& a = store.read(first);
    const MatrixSlot& b = store.read(second);
    if (!hasShape(a) || !hasShape(b) || !ShapesFit(operation, a, b)) return result;

    result.nRows = a.nRows;
    result.nCols = operation == MatrixOperation::Product ? b.nCols : a.nCols;
    const std::optional<std::size_t> countA = ElementCount(a.nRows, a.nCols);
    const std::optional<std::size_t> countB = ElementCount(b.nRows, b.nCols);
    result.status = ComputeStatus::NoMemory;
    if (!countA || !countB || !ElementCount(result.nRows, result.nCols)) return result;
    // Everything the request holds at its peak: both operands and the text.
    const std::uint64_t textBytes = MaxResultTextBytes(result.nRows, result.nCols);
    if (!FitsInAvailableMemory((std::uint64_t{*countA} + *countB) * sizeof(float) + textBytes)) {
        return result;
    }

    std::optional<std::vector<float>> valuesA = ParseMatrixText(a.strElements, *countA);
    if (!valuesA) return result;
    std::optional<std::vector<float>> valuesB = ParseMatrixText(b.strElements, *countB);
    if (!valuesB) return result;

    try {
        // Room for the longest text at once: growing by doubling would hold
        // the old and the new buffer together, up to three times the text.
        result.text.reserve(static_cast<std::size_t>(textBytes));
        if (!writeResult(operation, a, b, *valuesA, *valuesB, result, control)) {
            result.text = std::string();
            result.status = ComputeStatus::Cancelled;
            return result;
        }
    } catch (const std::bad_alloc&) {
        result.text = std::string();
        return result;
    } catch (const std::length_error&) {
        result.text = std::string();
        return result;
    }
    result.status = ComputeStatus::Done;
    return result;
}
