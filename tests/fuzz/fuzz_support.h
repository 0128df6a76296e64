// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

// What the fuzz targets share: a failed check prints what differed and aborts,
// so libFuzzer keeps the input as a crash; and a reader that takes the fields
// of a request from the front of the input.

#define FUZZ_CHECK(condition, ...)                                    \
    do {                                                              \
        if (!(condition)) {                                           \
            std::fprintf(stderr, "check failed: %s\n  ", #condition); \
            std::fprintf(stderr, __VA_ARGS__);                        \
            std::fputc('\n', stderr);                                 \
            std::abort();                                             \
        }                                                             \
    } while (false)

inline std::uint32_t floatBits(float value) { return std::bit_cast<std::uint32_t>(value); }
inline std::uint64_t doubleBits(double value) { return std::bit_cast<std::uint64_t>(value); }

class FuzzInput {
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    // The next byte; 0 once the input is used up.
    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }

    // A number from three bytes, spread over the values requests meet: small
    // and huge magnitudes of either sign, zero, infinities and NaN.
    double number() {
        const std::uint8_t kind = byte();
        const auto mantissa = static_cast<std::int16_t>(byte() | (byte() << 8));
        switch (kind) {
            case 255:
                return std::numeric_limits<double>::quiet_NaN();
            case 254:
                return std::numeric_limits<double>::infinity();
            case 253:
                return -std::numeric_limits<double>::infinity();
            default:
                break;
        }
        // Exponents of ten from -40 to 40.
        const int exponent = kind % 81 - 40;
        return mantissa * std::pow(10.0, exponent) / 1000.0;
    }

    // The rest of the input as text.
    std::string_view rest() {
        const std::string_view text(reinterpret_cast<const char*>(data_ + pos_), size_ - pos_);
        pos_ = size_;
        return text;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

inline std::string printable(std::string_view text) {
    std::string out;
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", c);
            out += escape;
        }
    }
    return out;
}
