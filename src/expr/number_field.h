// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

#include "core/precision.h"

// Reads a number field (a bound, a point, a step, a tolerance) as precision
// reads it. In single precision it is one decimal number, as parseDoubleField
// reads it. In double precision it may also be a formula without x, as pi/2,
// sqrt(2), e^2 or 1e-12, or an infinity written inf, -inf, ∞ or -∞, with
// blanks around. nullopt when the text does not read: a formula with x, one
// with no value or a value that is NaN or infinite (ln(0-1), 1/0), or a number
// with characters after it that reads only in part.
std::optional<double> ReadNumberField(std::string_view text, Precision precision);
