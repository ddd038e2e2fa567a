#pragma once
// Extended: the 80-bit extended number (x87 double-extended precision) that settings store for
// floats and date-times. It is held as its 10 stored bytes, little-endian: a 64-bit
// significand with an explicit integer bit, then 15 exponent bits biased by 16383 and the sign.
//
// Nothing here relies on the machine's `long double`: every conversion works on the bytes with
// integer arithmetic, so that it gives the same result on every platform.
//   - Any 10 bytes read are written back unchanged, whatever they encode (NaN payloads,
//     denormals, pseudo-denormals, unnormals).
//   - Every double converts to an Extended and back exactly.
//   - Integers, decimal text and comparisons use the full 64-bit significand. Encodings the
//     hardware does not produce read as the number their bits describe: an unnormal (integer
//     bit clear, exponent not zero) as significand * 2^(exponent - 16383 - 63), a
//     pseudo-denormal like the normal number it equals; exponent 0x7FFF is an infinity when the
//     fraction bits are clear, otherwise a NaN.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace lindora {

class Extended {
public:
    using Bytes = std::array<std::uint8_t, 10>;

    // +0.
    constexpr Extended() = default;
    static Extended fromBytes(std::span<const std::uint8_t, 10> bytes);
    // Exact: every double has an extended representation; NaN payloads are kept.
    static Extended fromDouble(double value);
    // Exact: every 64-bit integer fits the significand.
    static Extended fromInteger(std::int64_t value);
    static Extended infinity(bool negative);
    static Extended quietNaN();

    const Bytes& bytes() const { return bytes_; }

    // Rounds to nearest, ties to even; beyond the double range gives ±infinity, tiny values
    // denormals or ±0; NaN stays NaN (quiet) with the sign and the high payload bits.
    double toDouble() const;
    // Truncated toward zero; values beyond the 32-bit range saturate, NaN gives 0.
    std::int32_t truncToInt32() const;

    bool isNaN() const;
    bool isInfinite() const;
    bool isZero() const;
    bool signBit() const { return (bytes_[9] & 0x80) != 0; }

    // Numeric comparison as for floating point: NaN equals nothing, +0 equals -0, and two
    // encodings of the same number are equal.
    friend bool operator==(const Extended& a, const Extended& b);

    // The number in decimal: `digits` (no leading zeros, at most `significantDigits` of them,
    // trailing zeros removed) times 10^(exponent - digits.size() + 1), i.e. `exponent` is the
    // power of ten of the first digit. Rounded to nearest, ties to even, from the exact value.
    // Only for finite numbers; zero gives the digits "0" and exponent 0.
    struct Decimal {
        bool negative = false;
        std::string digits;
        int exponent = 0;
    };
    Decimal toDecimal(int significantDigits) const;
    // digits (decimal digits only, possibly empty or with leading zeros) times 10^exponent10,
    // rounded to nearest, ties to even. Overflow gives ±infinity, underflow ±0.
    static Extended fromDecimal(bool negative, std::string_view digits, std::int64_t exponent10);

private:
    Bytes bytes_{};
};

}  // namespace lindora
