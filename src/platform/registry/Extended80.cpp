#include "platform/registry/Extended80.h"

#include <cmath>
#include <limits>

namespace lindora {

std::array<uint8_t, 10> encodeExtended80(long double value) {
    uint64_t significand = 0;
    uint32_t exponent = 0;  // biased
    bool negative = std::signbit(value);
    long double magnitude = std::fabs(value);
    if (std::isnan(value)) {
        exponent = 0x7fff;
        significand = 0xC000000000000000ull;
    } else if (std::isinf(value)) {
        exponent = 0x7fff;
        significand = 0x8000000000000000ull;
    } else if (magnitude != 0) {
        int e = 0;
        long double fraction = std::frexp(magnitude, &e);  // magnitude = fraction * 2^e, fraction in [0.5, 1)
        int biased = e - 1 + 16383;
        if (biased >= 0x7fff) {
            exponent = 0x7fff;
            significand = 0x8000000000000000ull;
        } else {
            int shift = 64;
            if (biased <= 0) {
                // Subnormal: the exponent field is 0 and stands for 2^-16382.
                shift += biased - 1;
                biased = 0;
            }
            long double scaled = std::ldexp(fraction, shift);
            significand = shift > 0 ? static_cast<uint64_t>(scaled) : 0;
            exponent = uint32_t(biased);
        }
    }
    if (negative) exponent |= 0x8000;
    std::array<uint8_t, 10> out{};
    for (int i = 0; i < 8; ++i) out[i] = uint8_t(significand >> (8 * i));
    out[8] = uint8_t(exponent);
    out[9] = uint8_t(exponent >> 8);
    return out;
}

long double decodeExtended80(const std::array<uint8_t, 10>& bytes) {
    uint64_t significand = 0;
    for (int i = 0; i < 8; ++i) significand |= uint64_t(bytes[i]) << (8 * i);
    uint32_t field = uint32_t(bytes[8]) | uint32_t(bytes[9]) << 8;
    bool negative = field & 0x8000;
    int exponent = int(field & 0x7fff);
    long double value;
    if (exponent == 0x7fff) {
        value = (significand << 1) == 0 ? std::numeric_limits<long double>::infinity()
                                        : std::numeric_limits<long double>::quiet_NaN();
    } else {
        int e = exponent == 0 ? -16382 : exponent - 16383;
        value = std::ldexp(static_cast<long double>(significand), e - 63);
    }
    return negative ? -value : value;
}

}  // namespace lindora
