// SPDX-License-Identifier: GPL-3.0-or-later
// Any two texts as matrices of up to 8 x 8: parse, write and parse again give
// the same text and the same singles; A - 0 = A and A + B = B + A as texts; the
// product is the sum over k, in order, of exact double products. Read as double
// precision reads it, what is written reads back as the same numbers: exact
// ones exactly, doubles bit for bit, or, when the doubles are all finite, as
// exact numbers whose nearest doubles they are.
#include <memory>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "matrix/exact_matrix.h"
#include "matrix/matrix_arithmetic.h"
#include "matrix/matrix_text.h"

namespace {

std::vector<double> widen(const std::vector<float>& values) {
    return std::vector<double>(values.begin(), values.end());
}

bool sameBits(const std::vector<float>& a, const std::vector<float>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (floatBits(a[i]) != floatBits(b[i])) return false;
    }
    return true;
}

bool sameDouble(double a, double b) {
    return doubleBits(a) == doubleBits(b) || (std::isnan(a) && std::isnan(b));
}

bool sameElements(const MatrixElements& first, const MatrixElements& again, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        if (first.exact) {
            if (!again.exact || first.rational[i] != again.rational[i]) return false;
        } else if (again.exact ? NearestDouble(again.rational[i]) != first.inexact[i]
                               : !sameDouble(first.inexact[i], again.inexact[i])) {
            return false;
        }
    }
    return true;
}

void checkExactRoundTrip(const std::string& text, int rows, int cols) {
    const std::size_t count = static_cast<std::size_t>(rows) * cols;
    const MatrixElements first = *ReadMatrixElements(text, count);
    const std::string written = *FormatMatrixElements(first, rows, cols);
    const MatrixElements again = *ReadMatrixElements(written, count);
    FUZZ_CHECK(sameElements(first, again, count),
               "\"%s\" as %dx%d in double precision: written \"%s\"", printable(text).c_str(), rows,
               cols, printable(written).c_str());
}

std::string calculate(const MatrixStore& store, int first, int second, MatrixOperation operation) {
    const MatrixResult result = Calculate(store, first, second, operation);
    FUZZ_CHECK(result.status == ComputeStatus::Done, "%c of slots %d and %d did not finish",
               static_cast<char>(operation), first, second);
    return result.text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const int rows = 1 + input.byte() % 8;
    const int cols = 1 + input.byte() % 8;
    const std::string_view texts = input.rest();
    const std::size_t bar = texts.find('|');
    const std::string textA(texts.substr(0, bar));
    const std::string textB(bar == std::string_view::npos ? "" : texts.substr(bar + 1));
    const std::size_t count = static_cast<std::size_t>(rows) * cols;

    const std::vector<float> a = *ParseMatrixText(textA, count);
    const std::string written = *FormatMatrixText(widen(a), rows, cols);
    const std::vector<float> reread = *ParseMatrixText(written, count);
    const std::string rewritten = *FormatMatrixText(widen(reread), rows, cols);
    FUZZ_CHECK(rewritten == written, "\"%s\" as %dx%d: written \"%s\", then \"%s\"",
               printable(textA).c_str(), rows, cols, printable(written).c_str(),
               printable(rewritten).c_str());
    FUZZ_CHECK(sameBits(*ParseMatrixText(rewritten, count), reread),
               "\"%s\" as %dx%d: a second round trip changed the singles", printable(textA).c_str(),
               rows, cols);

    checkExactRoundTrip(textA, rows, cols);

    static const auto store = std::make_unique<MatrixStore>();
    store->write(0, {rows, cols, textA});
    store->write(1, {rows, cols, textB});
    store->write(2, {rows, cols, "0"});
    store->write(3, {cols, rows, textB});  // B read as cols x rows, for A x B
    const std::string difference = calculate(*store, 0, 2, MatrixOperation::Difference);
    FUZZ_CHECK(difference == written, "\"%s\" - 0 = \"%s\", not \"%s\"", printable(textA).c_str(),
               printable(difference).c_str(), printable(written).c_str());
    const std::string ab = calculate(*store, 0, 1, MatrixOperation::Sum);
    const std::string ba = calculate(*store, 1, 0, MatrixOperation::Sum);
    FUZZ_CHECK(ab == ba, "A + B = \"%s\", B + A = \"%s\"", printable(ab).c_str(),
               printable(ba).c_str());

    const std::vector<float> b = *ParseMatrixText(textB, count);
    std::vector<double> product(static_cast<std::size_t>(rows) * rows, 0.0);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < rows; ++c) {
            double sum = 0.0;
            for (int k = 0; k < cols; ++k) {
                sum += static_cast<double>(a[r * cols + k]) * static_cast<double>(b[k * rows + c]);
            }
            product[static_cast<std::size_t>(r) * rows + c] = sum;
        }
    }
    const std::string expected = *FormatMatrixText(product, rows, rows);
    const std::string computed = calculate(*store, 0, 3, MatrixOperation::Product);
    FUZZ_CHECK(computed == expected, "A x B = \"%s\", expected \"%s\"", printable(computed).c_str(),
               printable(expected).c_str());
    return 0;
}
