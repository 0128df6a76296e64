// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/precision.h"

#include <cstdlib>

std::optional<Precision> ParsePrecisionWord(std::string_view word) {
    if (word == "single") return Precision::Single;
    if (word == "double") return Precision::Double;
    return std::nullopt;
}

Precision PrecisionFromEnvironment() {
    const char* word = std::getenv("MEXORA_PRECISION");
    return word ? ParsePrecisionWord(word).value_or(Precision::Single) : Precision::Single;
}
