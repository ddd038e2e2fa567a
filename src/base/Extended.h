#pragma once
// The 80-bit extended format (x87 double-extended precision, 10 bytes little-endian: a 64-bit
// significand with explicit integer bit, then 15 exponent bits and the sign) converted to and
// from double with integer arithmetic only, so that it is exact on any platform.
#include <array>
#include <cstdint>
#include <span>

namespace lindora {

using Extended80 = std::array<std::uint8_t, 10>;

// Exact: every double has an extended representation. NaN payloads are kept.
Extended80 encodeExtended(double value);
// Rounds to nearest, ties to even; values beyond the double range give ±infinity, tiny ones
// denormals or ±0; NaN stays NaN (quiet) with the sign and the high payload bits.
double decodeExtended(const Extended80& bytes);
double decodeExtended(std::span<const std::uint8_t, 10> bytes);

}  // namespace lindora
