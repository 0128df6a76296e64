// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculus/result_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/number_text.h"
#include "core/string_table.h"

namespace {

// Digits a double can show that mean anything.
constexpr int kMostDigits = 17;
// Digits a result field shows at most, as in single precision.
constexpr int kShownDigits = 15;

double readBack(const std::string& text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// error rounded up to digits significant digits, so that the text never
// claims less than the estimate.
std::string roundedUp(double error, int digits) {
    if (!std::isfinite(error)) return "inf";
    if (error == 0) return "0";
    const double unit = std::pow(10.0, std::floor(std::log10(error)) - (digits - 1));
    double up = std::ceil(error / unit) * unit;
    while (up < error) up = std::nextafter(up, INFINITY);
    std::string text = formatSignificant(up, digits);
    // The rounding in the conversion may give a text below up.
    for (int i = 0; readBack(text) < error && i < 4; ++i) {
        up = std::nextafter(up + unit / 2, INFINITY);
        text = formatSignificant(up, digits);
    }
    return text;
}

}  // namespace

int VouchedDigits(double value, double error) {
    if (!(error >= 0) || std::isinf(error) || !std::isfinite(value)) return 0;
    if (value == 0) return error == 0 ? kMostDigits : 0;
    if (error == 0) return kMostDigits;
    const double digits = std::floor(std::log10(std::fabs(value) / error));
    return static_cast<int>(std::clamp(digits, 0.0, static_cast<double>(kMostDigits)));
}

std::string ResultText(double value, double error, Precision precision) {
    if (precision == Precision::Single || !std::isfinite(error)) return formatDouble(value);
    const int digits = std::clamp(VouchedDigits(value, error), 1, kShownDigits);
    return formatSignificant(value, digits);
}

double ShownError(double value, double error, Precision precision) {
    if (!(error >= 0) || std::isinf(error)) return INFINITY;
    const double shown = readBack(ResultText(value, error, precision));
    return error + std::fabs(shown - value);
}

std::string ErrorDescription(double value, double error, Precision precision) {
    const double shownError = ShownError(value, error, precision);
    if (std::isinf(shownError)) return std::string(LoadString(kDescribeErrorUnknown));
    const std::string amount = roundedUp(shownError, 1);
    const int digits = VouchedDigits(value, shownError);
    if (digits == 0) return FormatString(kDescribeErrorNoDigit, {amount});
    return FormatString(kDescribeError, {amount, std::to_string(digits)});
}

std::string ErrorNumberText(double value, double error, Precision precision) {
    return roundedUp(ShownError(value, error, precision), 3);
}
