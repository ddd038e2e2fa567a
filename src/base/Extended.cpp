#include "base/Extended.h"

#include <bit>

namespace lindora {

namespace {
constexpr std::uint64_t fraction52 = (std::uint64_t{1} << 52) - 1;
constexpr std::uint64_t integerBit = std::uint64_t{1} << 63;
constexpr int extendedBias = 16383;
constexpr int doubleBias = 1023;
}  // namespace

Extended80 encodeExtended(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const bool negative = (bits >> 63) != 0;
    const auto exponent = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & fraction52;

    std::uint64_t significand = 0;
    int biased = 0;
    if (exponent == 0x7FF) {  // infinity or NaN: the payload moves up with the fraction
        biased = 0x7FFF;
        significand = integerBit | (fraction << 11);
    } else if (exponent == 0) {
        if (fraction != 0) {  // a denormal double is a normal extended number
            const int shift = std::countl_zero(fraction);
            significand = fraction << shift;
            biased = extendedBias - 1074 + 63 - shift;
        }
    } else {
        biased = exponent - doubleBias + extendedBias;
        significand = integerBit | (fraction << 11);
    }

    Extended80 out{};
    for (int i = 0; i < 8; ++i) out[static_cast<size_t>(i)] = static_cast<std::uint8_t>(significand >> (8 * i));
    const auto top = static_cast<std::uint16_t>((negative ? 0x8000 : 0) | biased);
    out[8] = static_cast<std::uint8_t>(top & 0xFF);
    out[9] = static_cast<std::uint8_t>(top >> 8);
    return out;
}

double decodeExtended(std::span<const std::uint8_t, 10> b) {
    std::uint64_t significand = 0;
    for (int i = 7; i >= 0; --i) significand = (significand << 8) | b[static_cast<size_t>(i)];
    const auto top = static_cast<std::uint16_t>(b[8] | (b[9] << 8));
    const bool negative = (top & 0x8000) != 0;
    const int biased = top & 0x7FFF;
    const std::uint64_t sign = negative ? std::uint64_t{1} << 63 : 0;

    if (biased == 0x7FFF) {
        const std::uint64_t payload = significand & ~integerBit;
        if (payload == 0) return std::bit_cast<double>(sign | (std::uint64_t{0x7FF} << 52));
        std::uint64_t fraction = (payload >> 11) & fraction52;
        // Keep it a NaN (and quiet) even when the payload's high bits are zero.
        fraction |= std::uint64_t{1} << 51;
        return std::bit_cast<double>(sign | (std::uint64_t{0x7FF} << 52) | fraction);
    }
    if (significand == 0) return std::bit_cast<double>(sign);

    // value = significand * 2^(e - 63), with e the power of the integer bit; denormal
    // extended numbers (biased 0) use the minimum exponent.
    int e = (biased == 0 ? 1 : biased) - extendedBias;
    const int shift = std::countl_zero(significand);
    significand <<= shift;
    e -= shift;  // now bit 63 is set and the value is 1.f * 2^e

    if (e > doubleBias) return std::bit_cast<double>(sign | (std::uint64_t{0x7FF} << 52));
    // Bits kept: 53 for normal doubles, fewer for denormals.
    const int keep = e >= -1022 ? 53 : 53 - (-1022 - e);
    if (keep <= 0) {
        // Below half the smallest denormal: zero. Exactly half ties to even (zero); above half
        // rounds up to the smallest denormal.
        if (keep == 0 && significand > integerBit) return std::bit_cast<double>(sign | 1);
        return std::bit_cast<double>(sign);
    }
    const int drop = 64 - keep;
    std::uint64_t q = significand >> drop;
    const std::uint64_t rest = significand & ((std::uint64_t{1} << drop) - 1);
    const std::uint64_t half = std::uint64_t{1} << (drop - 1);
    if (rest > half || (rest == half && (q & 1))) ++q;

    if (keep == 53) {
        if (q == (std::uint64_t{1} << 53)) {  // rounding carried into the next binade
            q >>= 1;
            ++e;
            if (e > doubleBias) return std::bit_cast<double>(sign | (std::uint64_t{0x7FF} << 52));
        }
        const auto exponentField = static_cast<std::uint64_t>(e + doubleBias);
        return std::bit_cast<double>(sign | (exponentField << 52) | (q & fraction52));
    }
    // Denormal: the exponent field is zero; a carry into bit 52 gives the smallest normal.
    return std::bit_cast<double>(sign | q);
}

double decodeExtended(const Extended80& bytes) { return decodeExtended(std::span<const std::uint8_t, 10>(bytes)); }

}  // namespace lindora
