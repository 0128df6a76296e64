// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What a matrix or determinant text will be read as, told in words while the
// user types. The reading rules are those of ParseMatrixTextInto; nothing
// here changes them.

struct MatrixTextReading {
    std::size_t numbers = 0;               // tokens: each takes one element
    std::vector<std::string> notNumbers;   // the first tokens that read as 0
    std::vector<std::string> partlyRead;   // the first tokens only begun to be read
    std::vector<std::string> partlyValue;  // what each of those reads as
    std::size_t tabs = 0;                  // tabs, which separate nothing
};

// Reads the whole text; keeps the first few of each kind of token.
MatrixTextReading ReadMatrixTextAsTyped(std::string_view text);

// The shape the text is to fill: rows x cols of a matrix, or n x n of a
// determinant.
struct TextShape {
    int rows;
    int cols;
    bool determinant;
};

// "读到 5 个数，2×2 的行列式只用前 4 个。" and what reads otherwise than it
// looks; without a shape, the count alone. Empty for an empty text.
std::string DescribeMatrixText(std::string_view text, std::optional<TextShape> shape);

// The last determinant computed: its order and how long it took.
struct DeterminantRun {
    int order;
    double seconds;
};

// What the order costs: the memory its minors need (and that it is more than
// the machine has, given available bytes, with the hint that double precision
// computes it at once), and the time it took last time or
// an estimate from the last run of another order. Empty for an order outside
// 2 to 50.
std::string DescribeDeterminantOrder(int order, std::optional<DeterminantRun> last,
                                     std::uint64_t availableBytes);
