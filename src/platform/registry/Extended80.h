#pragma once
// The 10-byte x87 double-extended number stored for float and date-time settings: a 64-bit
// significand with an explicit integer bit, a 15-bit exponent biased by 16383 and a sign bit,
// little-endian.
#include <array>
#include <cstdint>

namespace lindora {

std::array<uint8_t, 10> encodeExtended80(long double value);
long double decodeExtended80(const std::array<uint8_t, 10>& bytes);

}  // namespace lindora
