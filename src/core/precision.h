// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

// The precision formulas are computed in. Single is the program's own: every
// value a single, the classic language. Double stores every value as a
// double and reads a larger language (constants pi and e, more functions,
// numbers with a signed exponent).
enum class Precision { Single, Double };

// "single" or "double", as MEXORA_PRECISION spells them; nullopt for any
// other word.
std::optional<Precision> ParsePrecisionWord(std::string_view word);

// The precision MEXORA_PRECISION names; Single when it is not set or names
// none.
Precision PrecisionFromEnvironment();
