// SPDX-License-Identifier: GPL-3.0-or-later
// Determinants of order 2 to 7 from raw singles (any bits: NaN, infinities,
// subnormals) or from a matrix text: the minors give the bits of the literal
// expansion.
#include <array>
#include <cstring>
#include <span>

#include "fuzz_support.h"
#include "matrix/determinant.h"
#include "matrix/matrix_text.h"

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
    return 0;
}
