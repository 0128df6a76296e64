// SPDX-License-Identifier: GPL-3.0-or-later
#include "matrix/matrix_arithmetic.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <new>
#include <optional>
#include <stdexcept>
#include <vector>

#include "core/parallel_run.h"
#include "core/string_ids.h"
#include "core/string_table.h"
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

// The shape of a product: rows x cols, each element a sum of inner terms.
struct ProductShape {
    std::size_t rows, cols, inner;
};

// Element (r, c) of the product. Each product of two singles is exact in
// double; the order of the additions fixes the digits.
double productElement(const std::vector<float>& a, const std::vector<float>& b,
                      const ProductShape& shape, std::size_t r, std::size_t c) {
    double value = 0.0;
    for (std::size_t k = 0; k < shape.inner; ++k) {
        value += static_cast<double>(a[r * shape.inner + k]) *
                 static_cast<double>(b[k * shape.cols + c]);
    }
    return value;
}

// How product rows are spread over the pool: whole rows per task, each task
// writing its rows into a text of its own, a block of tasks at a time.
struct RowTasks {
    std::size_t rowsPerTask = 1;
    std::size_t tasksPerBlock = 0;  // below 2: not worth spreading
};

RowTasks planRowTasks(const ProductShape& shape, const ThreadPool& pool) {
    // A few hundred microseconds of work per task.
    constexpr std::uint64_t kUnitsPerTask = std::uint64_t{1} << 18;
    // The block's texts come on top of the memory the request counted before
    // it started (its operands and its result), so they are kept small.
    constexpr std::uint64_t kBlockTextBytes = std::uint64_t{8} << 20;
    const std::uint64_t rowUnits = std::uint64_t{shape.cols} * (shape.inner + 1);
    RowTasks plan;
    plan.rowsPerTask = static_cast<std::size_t>(std::max<std::uint64_t>(
        1, pool.taskSize(kUnitsPerTask) / std::max<std::uint64_t>(1, rowUnits)));
    const std::uint64_t taskBytes =
        plan.rowsPerTask * MaxResultTextBytes(1, static_cast<int>(shape.cols));
    // Each block ends with every thread waiting for the last task: enough
    // tasks per block that this wait is short against the block.
    plan.tasksPerBlock = static_cast<std::size_t>(
        std::min<std::uint64_t>(static_cast<std::uint64_t>(pool.threads()) * 64,
                                kBlockTextBytes / std::max<std::uint64_t>(1, taskBytes)));
    return plan;
}

// Rows first to the end of the product, spread over the pool as planned; the
// task texts are appended in row order. False when cancelled. May throw
// std::bad_alloc.
bool writeProductRowsSpread(const std::vector<float>& a, const std::vector<float>& b,
                            const ProductShape& shape, const RowTasks& plan, std::size_t first,
                            std::string& text, ThreadPool& pool, WorkPacer& pacer) {
    const std::size_t rowUnits = shape.cols * (shape.inner + 1);
    const std::size_t blockSpan = plan.rowsPerTask * plan.tasksPerBlock;
    std::vector<std::string> texts(plan.tasksPerBlock);
    SpreadPacer spread(pacer);
    for (std::size_t r0 = first; r0 < shape.rows && spread.going(); r0 += blockSpan) {
        const std::size_t blockRows = std::min(shape.rows - r0, blockSpan);
        std::atomic<bool> noRoom{false};
        pool.forEach((blockRows + plan.rowsPerTask - 1) / plan.rowsPerTask, [&](std::size_t task) {
            if (!spread.going()) return;
            const std::size_t begin = r0 + task * plan.rowsPerTask;
            const std::size_t end = std::min(r0 + blockRows, begin + plan.rowsPerTask);
            std::string& out = texts[task];
            out.clear();
            try {
                for (std::size_t r = begin; r < end; ++r) {
                    for (std::size_t c = 0; c < shape.cols; ++c) {
                        AppendMatrixElement(out, productElement(a, b, shape, r, c),
                                            c == shape.cols - 1);
                    }
                }
            } catch (const std::exception&) {  // no room for the text
                noRoom.store(true);
            }
            spread.add((end - begin) * rowUnits);
        });
        if (noRoom.load()) throw std::bad_alloc();
        if (!spread.going()) break;
        for (std::size_t t = 0; t * plan.rowsPerTask < blockRows; ++t) text += texts[t];
    }
    return spread.finish();
}

// Operand texts from this length on take about a millisecond each to read.
constexpr std::size_t kLongText = 128 * 1024;

// Parses both operands: the first, then the second; two long texts side by
// side on the pool, which gives the same values.
void readOperands(const MatrixSlot& a, std::size_t countA, const MatrixSlot& b, std::size_t countB,
                  std::optional<std::vector<float>>& valuesA,
                  std::optional<std::vector<float>>& valuesB) {
    const auto read = [&](std::size_t operand) {
        if (operand == 0) {
            valuesA = ParseMatrixText(a.strElements, countA);
        } else {
            valuesB = ParseMatrixText(b.strElements, countB);
        }
    };
    if (a.strElements.size() >= kLongText && b.strElements.size() >= kLongText) {
        CurrentThreadPool().forEach(2, read);
    } else {
        read(0);
        if (valuesA) read(1);
    }
}

// Builds the result text; false when cancelled. May throw std::bad_alloc.
bool writeResult(MatrixOperation operation, const MatrixSlot& first, const MatrixSlot& second,
                 const std::vector<float>& a, const std::vector<float>& b, MatrixResult& result,
                 WorkControl* control) {
    const std::size_t rows = static_cast<std::size_t>(result.nRows);
    const std::size_t cols = static_cast<std::size_t>(result.nCols);
    const bool product = operation == MatrixOperation::Product;
    const ProductShape shape{rows, static_cast<std::size_t>(second.nCols),
                             product ? static_cast<std::size_t>(first.nCols) : 0};
    WorkPacer pacer(control,
                    static_cast<double>(rows) * static_cast<double>(cols) * (shape.inner + 1));
    // A look at the clock every 2^16 units of work or so.
    ParallelRun run(
        std::max<std::size_t>(1, (std::size_t{1} << 16) / (cols * (shape.inner + 1) + 1)));
    const RowTasks plan = product ? planRowTasks(shape, run.pool()) : RowTasks{};
    for (std::size_t r = 0; r < rows; ++r) {
        if (plan.tasksPerBlock >= 2 && run.spreading()) {
            return writeProductRowsSpread(a, b, shape, plan, r, result.text, run.pool(), pacer);
        }
        for (std::size_t c = 0; c < cols; ++c) {
            const double value = product
                                     ? productElement(a, b, shape, r, c)
                                     : elementValue(operation, a[r * cols + c], b[r * cols + c]);
            AppendMatrixElement(result.text, value, c == cols - 1);
            if (!pacer.advance(shape.inner + 1)) return false;
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
            return kMsgSumShapes;
        case MatrixOperation::Difference:
            return kMsgDifferenceShapes;
        case MatrixOperation::Product:
            break;
    }
    return kMsgProductShapes;
}

std::string ShapeMessageDetail(MatrixOperation operation, const MatrixSlot& first,
                               const MatrixSlot& second) {
    // The sum's and the difference's messages name the rule plainly; the
    // product's rule compares two different numbers, which the shapes show.
    if (operation != MatrixOperation::Product) return {};
    return FormatString(kProductShapesDetail,
                        {std::to_string(first.nRows), std::to_string(first.nCols),
                         std::to_string(second.nRows), std::to_string(second.nCols)});
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

std::optional<CheckedOperands> CheckOperands(const MatrixStore& store, int first, int second,
                                             MatrixOperation operation, MatrixResult& result) {
    result.status = ComputeStatus::BadOperands;
    if (!inStore(first) || !inStore(second)) return std::nullopt;
    const MatrixSlot& a = store.read(first);
    const MatrixSlot& b = store.read(second);
    if (!hasShape(a) || !hasShape(b) || !ShapesFit(operation, a, b)) return std::nullopt;

    result.nRows = a.nRows;
    result.nCols = operation == MatrixOperation::Product ? b.nCols : a.nCols;
    const std::optional<std::size_t> countA = ElementCount(a.nRows, a.nCols);
    const std::optional<std::size_t> countB = ElementCount(b.nRows, b.nCols);
    result.status = ComputeStatus::NoMemory;
    if (!countA || !countB || !ElementCount(result.nRows, result.nCols)) return std::nullopt;
    return CheckedOperands{a, b, *countA, *countB};
}

MatrixResult Calculate(const MatrixStore& store, int first, int second, MatrixOperation operation,
                       WorkControl* control) {
    MatrixResult result;
    const std::optional<CheckedOperands> operands =
        CheckOperands(store, first, second, operation, result);
    if (!operands) return result;
    const auto& [a, b, countA, countB] = *operands;
    // Everything the request holds at its peak: both operands and the text.
    const std::uint64_t textBytes = MaxResultTextBytes(result.nRows, result.nCols);
    if (!FitsInAvailableMemory((std::uint64_t{countA} + countB) * sizeof(float) + textBytes)) {
        return result;
    }

    std::optional<std::vector<float>> valuesA, valuesB;
    readOperands(a, countA, b, countB, valuesA, valuesB);
    if (!valuesA || !valuesB) return result;

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
