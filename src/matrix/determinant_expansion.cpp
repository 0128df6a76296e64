// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

#include "matrix/determinant.h"

namespace {

// scratch holds the minors of this level and, after them, room for all deeper levels.
double expand(int n, const float* m, float* scratch) {
    if (n == 2) {
        return static_cast<double>(m[0]) * static_cast<double>(m[3]) -
               static_cast<double>(m[1]) * static_cast<double>(m[2]);
    }
    const int order = n - 1;
    float* minor = scratch;
    float* deeper = scratch + static_cast<std::ptrdiff_t>(order) * order;
    float accumulator = 0.0f;
    for (int i = 0; i < n; ++i) {
        int l = 0;
        for (int k = 0; k < n; ++k) {
            if (k == i) continue;
            for (int j = 1; j < n; ++j) minor[l * order + j - 1] = m[k * n + j];
            ++l;
        }
        const double d = expand(order, minor, deeper);
        const double term = d * static_cast<double>(m[i * n]);
        // Rounded to single after every term: this is what fixes the digits.
        accumulator = static_cast<float>(i % 2 == 0 ? static_cast<double>(accumulator) + term
                                                    : static_cast<double>(accumulator) - term);
    }
    return accumulator;
}

}  // namespace

double ExpandDeterminant(int n, std::span<const float> matrix) {
    if (n < kMinDeterminantOrder || n > kMaxDeterminantOrder ||
        matrix.size() < static_cast<std::size_t>(n) * n) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    std::size_t scratchSize = 0;
    for (int k = 2; k < n; ++k) scratchSize += static_cast<std::size_t>(k) * k;
    std::vector<float> scratch(scratchSize);
    return CanonicalNan(expand(n, matrix.data(), scratch.data()));
}
