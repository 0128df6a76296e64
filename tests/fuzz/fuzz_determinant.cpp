// SPDX-License-Identifier: GPL-3.0-or-later
// Determinants of order 2 to 7 from raw singles (any bits: NaN, infinities,
// subnormals) or from a matrix text: the minors give the bits of the literal
// expansion. Double precision's exact determinant of the text, and of the raw
// bytes read as integers of every size, is that of plain Gaussian elimination
// on rationals.
#include <array>
#include <cstring>
#include <span>

#include "fuzz_support.h"
#include "matrix/determinant.h"
#include "matrix/exact_matrix.h"
#include "matrix/matrix_text.h"

namespace {

mpq_class gaussianDeterminant(int n, std::vector<mpq_class> a) {
    mpq_class value = 1;
    for (int k = 0; k < n; ++k) {
        int p = k;
        while (p < n && sgn(a[p * n + k]) == 0) ++p;
        if (p == n) return 0;
        if (p != k) {
            for (int j = 0; j < n; ++j) std::swap(a[k * n + j], a[p * n + j]);
            value = -value;
        }
        value *= a[k * n + k];
        for (int i = k + 1; i < n; ++i) {
            const mpq_class factor = a[i * n + k] / a[k * n + k];
            for (int j = k; j < n; ++j) a[i * n + j] -= factor * a[k * n + j];
        }
    }
    return value;
}

void checkExact(int n, const MatrixElements& elements) {
    const ExactDeterminant d = DeterminantOfElements(n, elements);
    FUZZ_CHECK(d.status == ComputeStatus::Done && d.exact, "order %d: no exact determinant", n);
    const mpq_class expected = gaussianDeterminant(n, elements.rational);
    FUZZ_CHECK(d.value == expected, "order %d: Bareiss %s, elimination %s", n,
               d.value.get_str().c_str(), expected.get_str().c_str());
}

// Eight bytes an element and a ninth to shift it right by, taken round the
// input: small and large integers, even ones (even pivots) and zeros mixed.
MatrixElements integersOf(int n, std::string_view bytes) {
    MatrixElements m;
    std::size_t at = 0;
    const auto next = [&] {
        return bytes.empty() ? std::uint8_t{0}
                             : static_cast<std::uint8_t>(bytes[at++ % bytes.size()]);
    };
    for (int i = 0; i < n * n; ++i) {
        std::uint64_t x = 0;
        for (int b = 0; b < 8; ++b) x = x << 8 | next();
        m.rational.emplace_back(static_cast<long>(static_cast<std::int64_t>(x) >> (next() % 64)));
    }
    return m;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::uint8_t head = input.byte();
    const int n = 2 + head % 6;
    const bool fromText = (head & 0x80) != 0;
    const std::string_view rest = input.rest();
    std::array<float, 49> elements{};
    const std::span<float> m = std::span(elements).first(static_cast<std::size_t>(n) * n);
    if (fromText) {
        ParseMatrixTextInto(rest, m);
    } else {
        std::memcpy(m.data(), rest.data(), std::min(rest.size(), m.size_bytes()));
    }
    const DeterminantResult fast = Determinant(n, m);
    const double literal = ExpandDeterminant(n, m);
    FUZZ_CHECK(fast.status == ComputeStatus::Done, "order %d did not finish", n);
    FUZZ_CHECK(doubleBits(fast.value) == doubleBits(literal),
               "order %d: minors %.17g, literal %.17g", n, fast.value, literal);
    if (fromText) {
        const MatrixElements read = *ReadMatrixElements(rest, static_cast<std::size_t>(n) * n);
        if (read.exact) checkExact(n, read);
    } else {
        checkExact(n, integersOf(n, rest));
    }
    return 0;
}
