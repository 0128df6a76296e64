// SPDX-License-Identifier: GPL-3.0-or-later
// The matrix page's sum, difference and product in double precision.
#include <algorithm>
#include <atomic>
#include <bit>
#include <cmath>
#include <cstdint>
#include <exception>
#include <new>
#include <stdexcept>

#include "core/parallel_run.h"
#include "matrix/exact_matrix.h"
#include "matrix/exact_parts.h"
#include "matrix/matrix_text.h"
#include "matrix/memory_reach.h"
#include "matrix/work_pacer.h"

namespace {

// rows x cols elements, each a sum of inner products (inner 0: the sum or the
// difference of two elements).
struct Shape {
    std::size_t rows, cols, inner;
};

// Writes the result row by row, each element right after it is computed;
// false when cancelled. element(r, c, lastInRow, text, scratch) appends one to
// text. The first rows run on the calling thread; once the pool's serial head
// has passed, blocks of rows are spread, a row a task, each into a text of its
// own, appended in row order. The cancel flag is looked at after every row and
// every 64 elements of a long one.
template <class Element>
bool writeRows(const Shape& shape, std::string& text, WorkControl* control, Element element) {
    const auto cancelled = [control] { return control != nullptr && control->cancelRequested(); };
    const auto writeRow = [&](std::size_t r, std::string& out, mpq_class& scratch) {
        for (std::size_t c = 0; c < shape.cols; ++c) {
            element(r, c, c + 1 == shape.cols, out, scratch);
            if (c % 64 == 63 && cancelled()) return false;
        }
        return true;
    };
    const std::uint64_t rowUnits = shape.cols * (shape.inner + 1);
    WorkPacer pacer(control, static_cast<double>(shape.rows) * static_cast<double>(rowUnits));
    mpq_class scratch;
    ParallelRun run;
    std::size_t r = 0;
    for (; r < shape.rows && !run.spreading(); ++r) {
        if (!writeRow(r, text, scratch)) return false;
        pacer.advance(rowUnits);
        if (!pacer.checkpoint()) return false;
        if (control != nullptr) control->reportPoints((r + 1) * shape.cols);
    }
    if (r == shape.rows) return true;
    SpreadPacer spread(pacer);
    const auto block = static_cast<std::size_t>(run.pool().threads()) * 4;
    std::vector<std::string> texts(block);
    for (; r < shape.rows && spread.going(); r += block) {
        const std::size_t rows = std::min(block, shape.rows - r);
        std::atomic<bool> noRoom{false};
        run.pool().forEach(rows, [&](std::size_t task) {
            if (!spread.going()) return;
            texts[task].clear();
            try {
                mpq_class rowScratch;
                if (!writeRow(r + task, texts[task], rowScratch)) return;
            } catch (const std::exception&) {  // no room for the text
                noRoom.store(true);
            }
            spread.add(rowUnits);
        });
        if (noRoom.load()) throw std::bad_alloc();
        if (!spread.going()) break;
        for (std::size_t task = 0; task < rows; ++task) text += texts[task];
        if (control != nullptr) control->reportPoints((r + rows) * shape.cols);
    }
    return spread.finish();
}

// ---- in double

bool writeInDouble(MatrixOperation operation, const Shape& shape, const std::vector<double>& a,
                   const std::vector<double>& b, MatrixResult& result, WorkControl* control) {
    return writeRows(shape, result.text, control,
                     [&](std::size_t r, std::size_t c, bool last, std::string& out, mpq_class&) {
                         double value = 0.0;
                         if (operation == MatrixOperation::Product) {
                             for (std::size_t k = 0; k < shape.inner; ++k) {
                                 value += a[r * shape.inner + k] * b[k * shape.cols + c];
                             }
                         } else {
                             const std::size_t i = r * shape.cols + c;
                             value = operation == MatrixOperation::Sum ? a[i] + b[i] : a[i] - b[i];
                         }
                         AppendDoubleElement(out, value, last);
                     });
}

// ---- exact sum and difference

// The longest text of an exact sum or difference of these elements.
double sumTextBound(const std::vector<mpq_class>& a, const std::vector<mpq_class>& b) {
    double bound = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const double denA = static_cast<double>(DenominatorBits(a[i].get_den()));
        const double denB = static_cast<double>(DenominatorBits(b[i].get_den()));
        const double numA = static_cast<double>(BitLength(a[i].get_num()));
        const double numB = static_cast<double>(BitLength(b[i].get_num()));
        bound += ExactTextBound(std::max(numA + denB, numB + denA) + 1, denA + denB) + 1;
    }
    return bound;
}

bool writeExactSum(MatrixOperation operation, const Shape& shape, const std::vector<mpq_class>& a,
                   const std::vector<mpq_class>& b, MatrixResult& result, WorkControl* control) {
    return writeRows(
        shape, result.text, control,
        [&](std::size_t r, std::size_t c, bool last, std::string& out, mpq_class& value) {
            const std::size_t i = r * shape.cols + c;
            if (operation == MatrixOperation::Sum) {
                mpq_add(value.get_mpq_t(), a[i].get_mpq_t(), b[i].get_mpq_t());
            } else {
                mpq_sub(value.get_mpq_t(), a[i].get_mpq_t(), b[i].get_mpq_t());
            }
            AppendExactElement(out, value, last);
        });
}

// ---- exact product

// The operands of a product as integers: every row of the first times the
// least common multiple of its denominators, every column of the second
// likewise, so that an element of the product is one integer dot product over
// the product of two denominators.
struct ScaledProduct {
    std::vector<mpz_class> rowDenominators;          // of the first operand's rows
    std::vector<mpz_class> columnDenominators;       // of the second operand's columns
    std::vector<mpz_class> first;                    // rows x inner, row by row
    std::vector<mpz_class> second;                   // cols x inner, column by column
    std::vector<std::uint64_t> rowBits, columnBits;  // most bits of a scaled entry
    std::uint64_t scaledBits = 0;                    // of all scaled entries together
};

// The least common multiples and the size of the scaled operands.
void planScaling(const Shape& shape, const std::vector<mpq_class>& a,
                 const std::vector<mpq_class>& b, ScaledProduct& scaled) {
    scaled.rowDenominators.assign(shape.rows, mpz_class(1));
    scaled.columnDenominators.assign(shape.cols, mpz_class(1));
    scaled.rowBits.assign(shape.rows, 0);
    scaled.columnBits.assign(shape.cols, 0);
    std::vector<std::uint64_t> columnNumeratorBits(shape.cols, 0);
    std::vector<std::uint64_t> columnSums(shape.cols, 0);
    for (std::size_t r = 0; r < shape.rows; ++r) {
        mpz_class& multiple = scaled.rowDenominators[r];
        std::uint64_t most = 0, sum = 0;
        for (std::size_t k = 0; k < shape.inner; ++k) {
            const mpq_class& x = a[r * shape.inner + k];
            mpz_lcm(multiple.get_mpz_t(), multiple.get_mpz_t(), x.get_den_mpz_t());
            most = std::max(most, BitLength(x.get_num()));
            sum += BitLength(x.get_num());
        }
        scaled.rowBits[r] = most + DenominatorBits(multiple);
        scaled.scaledBits += sum + shape.inner * DenominatorBits(multiple);
    }
    for (std::size_t k = 0; k < shape.inner; ++k) {
        for (std::size_t c = 0; c < shape.cols; ++c) {
            const mpq_class& x = b[k * shape.cols + c];
            mpz_class& multiple = scaled.columnDenominators[c];
            mpz_lcm(multiple.get_mpz_t(), multiple.get_mpz_t(), x.get_den_mpz_t());
            columnNumeratorBits[c] = std::max(columnNumeratorBits[c], BitLength(x.get_num()));
            columnSums[c] += BitLength(x.get_num());
        }
    }
    for (std::size_t c = 0; c < shape.cols; ++c) {
        const std::uint64_t denominator = DenominatorBits(scaled.columnDenominators[c]);
        scaled.columnBits[c] = columnNumeratorBits[c] + denominator;
        scaled.scaledBits += columnSums[c] + shape.inner * denominator;
    }
}

// The longest text of the product: element (r, c) has a numerator of at most
// log2(inner) + rowBits(r) + columnBits(c) bits over the denominators of row r
// and column c.
double productTextBound(const Shape& shape, const ScaledProduct& scaled) {
    const double rows = static_cast<double>(shape.rows), cols = static_cast<double>(shape.cols);
    const double logInner = std::ceil(std::log2(static_cast<double>(shape.inner) + 1));
    // ExactTextBound is linear in the bits: the rows' and the columns' parts
    // add up apart, its constant and the comma come once an element.
    double rowSum = 0, columnSum = 0;
    for (std::size_t r = 0; r < shape.rows; ++r) {
        rowSum += ExactTextBound(static_cast<double>(scaled.rowBits[r]),
                                 static_cast<double>(DenominatorBits(scaled.rowDenominators[r]))) -
                  ExactTextBound(0, 0);
    }
    for (std::size_t c = 0; c < shape.cols; ++c) {
        columnSum +=
            ExactTextBound(static_cast<double>(scaled.columnBits[c]),
                           static_cast<double>(DenominatorBits(scaled.columnDenominators[c]))) -
            ExactTextBound(0, 0);
    }
    return cols * rowSum + rows * columnSum + rows * cols * (ExactTextBound(logInner, 0) + 1);
}

// Bytes of the scaled operands: their integers and the heap blocks of their digits.
std::uint64_t scaledBytes(const Shape& shape, const ScaledProduct& scaled) {
    const std::uint64_t entries = (shape.rows + shape.cols) * std::uint64_t{shape.inner};
    return entries * (sizeof(mpz_class) + 32) + scaled.scaledBits / 8;
}

void scaleOperands(const Shape& shape, const std::vector<mpq_class>& a,
                   const std::vector<mpq_class>& b, ScaledProduct& scaled) {
    scaled.first.resize(shape.rows * shape.inner);
    scaled.second.resize(shape.cols * shape.inner);
    for (std::size_t r = 0; r < shape.rows; ++r) {
        for (std::size_t k = 0; k < shape.inner; ++k) {
            const mpq_class& x = a[r * shape.inner + k];
            mpz_class& y = scaled.first[r * shape.inner + k];
            mpz_divexact(y.get_mpz_t(), scaled.rowDenominators[r].get_mpz_t(), x.get_den_mpz_t());
            y *= x.get_num();
        }
    }
    for (std::size_t k = 0; k < shape.inner; ++k) {
        for (std::size_t c = 0; c < shape.cols; ++c) {
            const mpq_class& x = b[k * shape.cols + c];
            mpz_class& y = scaled.second[c * shape.inner + k];
            mpz_divexact(y.get_mpz_t(), scaled.columnDenominators[c].get_mpz_t(),
                         x.get_den_mpz_t());
            y *= x.get_num();
        }
    }
}

__extension__ typedef __int128 Wide;
__extension__ typedef unsigned __int128 UnsignedWide;

// Whether every scaled entry fits in a long and every dot product in a Wide.
bool fitsWords(const Shape& shape, const ScaledProduct& scaled) {
    const std::uint64_t row = *std::max_element(scaled.rowBits.begin(), scaled.rowBits.end());
    const std::uint64_t column =
        *std::max_element(scaled.columnBits.begin(), scaled.columnBits.end());
    const auto logInner = static_cast<std::uint64_t>(std::bit_width(shape.inner));
    return row <= 62 && column <= 62 && row + column + logInner <= 126;
}

void setWide(mpz_ptr z, Wide x) {
    const bool negative = x < 0;
    const auto magnitude = static_cast<UnsignedWide>(negative ? -x : x);
    mpz_set_ui(z, static_cast<unsigned long>(magnitude >> 64));
    mpz_mul_2exp(z, z, 64);
    mpz_add_ui(z, z, static_cast<unsigned long>(magnitude));
    if (negative) mpz_neg(z, z);
}

// The product of small integers (homework's) on machine words.
bool writeWordProduct(const Shape& shape, ScaledProduct& scaled, MatrixResult& result,
                      WorkControl* control) {
    std::vector<long> first(scaled.first.size()), second(scaled.second.size());
    for (std::size_t i = 0; i < first.size(); ++i) first[i] = scaled.first[i].get_si();
    for (std::size_t i = 0; i < second.size(); ++i) second[i] = scaled.second[i].get_si();
    std::vector<mpz_class>().swap(scaled.first);
    std::vector<mpz_class>().swap(scaled.second);
    return writeRows(
        shape, result.text, control,
        [&](std::size_t r, std::size_t c, bool last, std::string& out, mpq_class& value) {
            const long* x = &first[r * shape.inner];
            const long* y = &second[c * shape.inner];
            Wide sum = 0;
            for (std::size_t k = 0; k < shape.inner; ++k) sum += static_cast<Wide>(x[k]) * y[k];
            setWide(value.get_num_mpz_t(), sum);
            mpz_mul(value.get_den_mpz_t(), scaled.rowDenominators[r].get_mpz_t(),
                    scaled.columnDenominators[c].get_mpz_t());
            value.canonicalize();
            AppendExactElement(out, value, last);
        });
}

bool writeExactProduct(const Shape& shape, ScaledProduct& scaled, MatrixResult& result,
                       WorkControl* control) {
    if (shape.inner > 0 && shape.rows > 0 && shape.cols > 0 && fitsWords(shape, scaled)) {
        return writeWordProduct(shape, scaled, result, control);
    }
    return writeRows(
        shape, result.text, control,
        [&](std::size_t r, std::size_t c, bool last, std::string& out, mpq_class& value) {
            mpz_ptr sum = value.get_num_mpz_t();
            mpz_set_ui(sum, 0);
            const mpz_class* x = &scaled.first[r * shape.inner];
            const mpz_class* y = &scaled.second[c * shape.inner];
            for (std::size_t k = 0; k < shape.inner; ++k) {
                mpz_addmul(sum, x[k].get_mpz_t(), y[k].get_mpz_t());
            }
            mpz_mul(value.get_den_mpz_t(), scaled.rowDenominators[r].get_mpz_t(),
                    scaled.columnDenominators[c].get_mpz_t());
            value.canonicalize();
            AppendExactElement(out, value, last);
        });
}

// Room for a text of up to bound characters, once the memory check has
// passed: growing by doubling would hold two buffers at once.
void reserveText(std::string& text, double bound) { text.reserve(static_cast<std::size_t>(bound)); }

// The operands in double, the exact one read again the double way.
bool readInDouble(const MatrixSlot& slot, std::size_t count, MatrixElements& elements) {
    if (!elements.exact) return true;
    std::optional<std::vector<double>> values = ReadDoubleElements(slot.strElements, count);
    if (!values) return false;
    elements.exact = false;
    std::vector<mpq_class>().swap(elements.rational);
    elements.inexact = std::move(*values);
    return true;
}

ComputeStatus compute(MatrixOperation operation, const MatrixSlot& first, const MatrixSlot& second,
                      const Shape& shape, MatrixResult& result, WorkControl* control) {
    const std::size_t countA = static_cast<std::size_t>(first.nRows) * first.nCols;
    const std::size_t countB = static_cast<std::size_t>(second.nRows) * second.nCols;
    // Reading and scaling long operands take a while too.
    const auto cancelled = [control] { return control != nullptr && control->cancelRequested(); };
    std::optional<MatrixElements> a = ReadMatrixElements(first.strElements, countA);
    if (!a) return ComputeStatus::NoMemory;
    if (cancelled()) return ComputeStatus::Cancelled;
    std::optional<MatrixElements> b = ReadMatrixElements(second.strElements, countB);
    if (!b) return ComputeStatus::NoMemory;
    if (cancelled()) return ComputeStatus::Cancelled;
    const double rows = static_cast<double>(shape.rows), cols = static_cast<double>(shape.cols);
    const bool product = operation == MatrixOperation::Product;

    if (a->exact && b->exact) {
        ScaledProduct scaled;
        double bound = 2 * rows;
        if (product) {
            planScaling(shape, a->rational, b->rational, scaled);
            bound += productTextBound(shape, scaled);
            if (!FitsInAvailableMemory(static_cast<std::uint64_t>(bound) +
                                       scaledBytes(shape, scaled))) {
                return ComputeStatus::NoMemory;
            }
            if (cancelled()) return ComputeStatus::Cancelled;
            scaleOperands(shape, a->rational, b->rational, scaled);
            a.reset();
            b.reset();
            if (cancelled()) return ComputeStatus::Cancelled;
        } else {
            bound += sumTextBound(a->rational, b->rational);
            if (!FitsInAvailableMemory(static_cast<std::uint64_t>(bound))) {
                return ComputeStatus::NoMemory;
            }
        }
        reserveText(result.text, bound);
        const bool done =
            product ? writeExactProduct(shape, scaled, result, control)
                    : writeExactSum(operation, shape, a->rational, b->rational, result, control);
        return done ? ComputeStatus::Done : ComputeStatus::Cancelled;
    }

    result.inDouble = true;
    const double bound = rows * cols * static_cast<double>(kLongestDoubleElement) + 2 * rows;
    const double copies =
        static_cast<double>(a->exact ? countA : 0) + static_cast<double>(b->exact ? countB : 0);
    if (!FitsInAvailableMemory(static_cast<std::uint64_t>(bound + copies * sizeof(double)))) {
        return ComputeStatus::NoMemory;
    }
    if (!readInDouble(first, countA, *a) || !readInDouble(second, countB, *b)) {
        return ComputeStatus::NoMemory;
    }
    reserveText(result.text, bound);
    return writeInDouble(operation, shape, a->inexact, b->inexact, result, control)
               ? ComputeStatus::Done
               : ComputeStatus::Cancelled;
}

}  // namespace

MatrixResult CalculateExactly(const MatrixStore& store, int first, int second,
                              MatrixOperation operation, WorkControl* control) {
    MatrixResult result;
    const std::optional<CheckedOperands> operands =
        CheckOperands(store, first, second, operation, result);
    if (!operands) return result;
    const auto& [a, b, countA, countB] = *operands;
    // Both operands read exactly, at their largest; what the result takes is
    // checked once their sizes are known.
    if (!FitsInAvailableMemory(ExactReadingBytes(countA, a.strElements.size()) +
                               ExactReadingBytes(countB, b.strElements.size()))) {
        return result;
    }
    const Shape shape{
        static_cast<std::size_t>(result.nRows), static_cast<std::size_t>(result.nCols),
        operation == MatrixOperation::Product ? static_cast<std::size_t>(a.nCols) : 0};
    try {
        result.status = compute(operation, a, b, shape, result, control);
    } catch (const std::bad_alloc&) {
        result.status = ComputeStatus::NoMemory;
    } catch (const std::length_error&) {
        result.status = ComputeStatus::NoMemory;
    }
    if (result.status != ComputeStatus::Done) {
        result.text = std::string();
    } else if (result.text.capacity() > 2 * result.text.size() + 4096) {
        result.text.shrink_to_fit();  // the bound reserved can be far above the text
    }
    return result;
}
