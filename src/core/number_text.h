#pragma once

#include <optional>
#include <string>
#include <string_view>

// Numbers as the pages show and read them. Every conversion is independent of
// the process locale, so a comma-decimal locale never changes a digit.

// A double as every page shows it: printf's "%.15g".
std::string formatDouble(double value);

// A single as the pages show it: printf's "%g" (six significant digits).
std::string formatFloat(float value);

// printf's "%g" of a double (six significant digits), as matrix texts write it.
std::string formatShortG(double value);

// Reads a number typed in a field: the whole text must be one decimal number
// (optional sign, digits with an optional point, optional exponent), blanks
// around it allowed. Anything else, and a value beyond the range of a double,
// is refused.
std::optional<double> parseDoubleField(std::string_view text);

// Reads an integer typed in a field: optional sign and decimal digits, blanks
// around it allowed, within the range of a 32-bit signed integer.
std::optional<int> parseIntField(std::string_view text);
