// SPDX-License-Identifier: GPL-3.0-or-later
// A determinant in double precision written for the result field and for the
// CLI and the clipboard.
#include "core/number_text.h"
#include "matrix/exact_matrix.h"

namespace {

mpz_class powerOfTen(long exponent) {
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(exponent));
    return power;
}

// A nonzero non-integer as printf's "%.{digits}g" writes a double: correctly
// rounded (ties to even) to that many significant digits, trailing zeros
// dropped, in exponent form when the exponent is below -4 or not below digits.
std::string significantDecimal(const mpq_class& value, int digits) {
    const mpz_class magnitude = abs(value.get_num());
    const mpz_class& denominator = value.get_den();
    const mpz_class least = powerOfTen(digits - 1), bound = powerOfTen(digits);
    // The decimal exponent: value = scaled x 10^(exponent - digits + 1) with
    // 10^(digits-1) <= scaled < 10^digits. The sizes give it to within one or two.
    long exponent = static_cast<long>(mpz_sizeinbase(magnitude.get_mpz_t(), 10)) -
                    static_cast<long>(mpz_sizeinbase(denominator.get_mpz_t(), 10));
    mpz_class scaled, remainder, divisor;
    for (;;) {
        const long shift = digits - 1 - exponent;
        mpz_class dividend = magnitude;
        divisor = denominator;
        if (shift >= 0) {
            dividend *= powerOfTen(shift);
        } else {
            divisor *= powerOfTen(-shift);
        }
        mpz_fdiv_qr(scaled.get_mpz_t(), remainder.get_mpz_t(), dividend.get_mpz_t(),
                    divisor.get_mpz_t());
        if (scaled >= bound) {
            ++exponent;
        } else if (scaled < least) {
            --exponent;
        } else {
            break;
        }
    }
    const int half = cmp(remainder * 2, divisor);
    if (half > 0 || (half == 0 && mpz_odd_p(scaled.get_mpz_t()))) ++scaled;
    if (scaled == bound) {
        scaled = least;
        ++exponent;
    }

    std::string figures = scaled.get_str();
    std::string text = sgn(value) < 0 ? "-" : "";
    if (exponent < -4 || exponent >= digits) {
        figures.erase(figures.find_last_not_of('0') + 1);
        text += figures.substr(0, 1);
        if (figures.size() > 1) (text += '.') += figures.substr(1);
        const long shown = exponent < 0 ? -exponent : exponent;
        text += exponent < 0 ? "e-" : "e+";
        if (shown < 10) text += '0';
        return text + std::to_string(shown);
    }
    if (exponent < 0) {
        figures.insert(0, static_cast<std::size_t>(-exponent), '0');
    }
    const std::size_t point = exponent < 0 ? 1 : static_cast<std::size_t>(exponent) + 1;
    figures.insert(point, 1, '.');
    figures.erase(figures.find_last_not_of('0') + 1);
    if (figures.back() == '.') figures.pop_back();
    return text + figures;
}

std::string inexactText(double value) { return formatSignificant(CanonicalNan(value), 17); }

}  // namespace

std::string DeterminantFieldText(const ExactDeterminant& d) {
    if (d.status != ComputeStatus::Done) return {};
    if (!d.exact) return inexactText(d.inexact);
    if (d.value.get_den() == 1) return d.value.get_num().get_str();
    return significantDecimal(d.value, 15);
}

std::string DeterminantExactText(const ExactDeterminant& d) {
    if (d.status != ComputeStatus::Done) return {};
    return d.exact ? FormatExactNumber(d.value) : inexactText(d.inexact);
}
