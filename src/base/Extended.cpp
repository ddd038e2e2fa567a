#include "base/Extended.h"

#include <algorithm>
#include <bit>
#include <vector>

namespace lindora {

namespace {

constexpr std::uint64_t fraction52 = (std::uint64_t{1} << 52) - 1;
constexpr std::uint64_t integerBit = std::uint64_t{1} << 63;
constexpr int extendedBias = 16383;
constexpr int doubleBias = 1023;
constexpr int maxBiased = 0x7FFF;
// The power of two of the significand's lowest bit at the smallest exponent (denormals).
constexpr int minUlpExponent = 1 - extendedBias - 63;

// An unsigned integer of any size, 32-bit limbs, least significant first. Only what the exact
// decimal conversions need; numbers stay below about 2^17000.
class BigUInt {
public:
    BigUInt() = default;
    explicit BigUInt(std::uint64_t v) {
        while (v) {
            limbs_.push_back(static_cast<std::uint32_t>(v));
            v >>= 32;
        }
    }

    bool isZero() const { return limbs_.empty(); }
    int bitLength() const {
        if (limbs_.empty()) return 0;
        return static_cast<int>(limbs_.size() * 32) - std::countl_zero(limbs_.back());
    }
    bool bit(int i) const {
        auto limb = static_cast<size_t>(i / 32);
        return limb < limbs_.size() && ((limbs_[limb] >> (i % 32)) & 1);
    }
    // Whether any bit below position n is set.
    bool anyBelow(int n) const {
        for (int i = 0; i < n && i / 32 < static_cast<int>(limbs_.size()); i += 32) {
            std::uint32_t limb = limbs_[static_cast<size_t>(i / 32)];
            if (n - i < 32) limb &= (std::uint32_t{1} << (n - i)) - 1;
            if (limb) return true;
        }
        return false;
    }
    // Bits [from, from + 64) as an integer.
    std::uint64_t bitsFrom(int from) const {
        std::uint64_t v = 0;
        for (int i = 63; i >= 0; --i) v = (v << 1) | (from + i >= 0 && bit(from + i) ? 1 : 0);
        return v;
    }

    void mulAdd(std::uint32_t factor, std::uint32_t addend = 0) {
        std::uint64_t carry = addend;
        for (std::uint32_t& limb : limbs_) {
            std::uint64_t t = std::uint64_t{limb} * factor + carry;
            limb = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        if (carry) limbs_.push_back(static_cast<std::uint32_t>(carry));
        trim();
    }
    void mulPow(std::uint32_t base, std::uint32_t chunk, int chunkPower, std::int64_t power) {
        for (; power >= chunkPower; power -= chunkPower) mulAdd(chunk);
        for (; power > 0; --power) mulAdd(base);
    }
    void shiftLeft(int n) {
        if (isZero() || n <= 0) return;
        std::vector<std::uint32_t> out(static_cast<size_t>(n / 32), 0);
        const int s = n % 32;
        std::uint32_t carry = 0;
        for (std::uint32_t limb : limbs_) {
            out.push_back(s ? (limb << s) | carry : limb);
            carry = s ? limb >> (32 - s) : 0;
        }
        if (carry) out.push_back(carry);
        limbs_ = std::move(out);
    }
    // Divides by a small number; returns the remainder.
    std::uint32_t divSmall(std::uint32_t divisor) {
        std::uint64_t rest = 0;
        for (size_t i = limbs_.size(); i-- > 0;) {
            std::uint64_t t = (rest << 32) | limbs_[i];
            limbs_[i] = static_cast<std::uint32_t>(t / divisor);
            rest = t % divisor;
        }
        trim();
        return static_cast<std::uint32_t>(rest);
    }
    // *this becomes the quotient of *this / divisor; returns whether a remainder was left.
    bool divide(const BigUInt& divisor) {
        BigUInt quotient;
        int shift = bitLength() - divisor.bitLength();
        for (; shift >= 0; --shift) {
            BigUInt d = divisor;
            d.shiftLeft(shift);
            if (compare(d) >= 0) {
                subtract(d);
                quotient.setBit(shift);
            }
        }
        const bool remainder = !isZero();
        *this = std::move(quotient);
        return remainder;
    }
    std::string toDecimalString() const {
        if (isZero()) return "0";
        BigUInt n = *this;
        std::string out;
        while (!n.isZero()) {
            std::uint32_t chunk = n.divSmall(1000000000);
            for (int i = 0; i < 9; ++i) {
                out.push_back(static_cast<char>('0' + chunk % 10));
                chunk /= 10;
            }
        }
        while (out.size() > 1 && out.back() == '0') out.pop_back();
        std::reverse(out.begin(), out.end());
        return out;
    }

private:
    std::vector<std::uint32_t> limbs_;

    void trim() {
        while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
    }
    void setBit(int i) {
        auto limb = static_cast<size_t>(i / 32);
        if (limbs_.size() <= limb) limbs_.resize(limb + 1, 0);
        limbs_[limb] |= std::uint32_t{1} << (i % 32);
    }
    int compare(const BigUInt& o) const {
        if (limbs_.size() != o.limbs_.size()) return limbs_.size() < o.limbs_.size() ? -1 : 1;
        for (size_t i = limbs_.size(); i-- > 0;)
            if (limbs_[i] != o.limbs_[i]) return limbs_[i] < o.limbs_[i] ? -1 : 1;
        return 0;
    }
    void subtract(const BigUInt& o) {  // requires *this >= o
        std::int64_t borrow = 0;
        for (size_t i = 0; i < limbs_.size(); ++i) {
            std::int64_t t = std::int64_t{limbs_[i]} - borrow - (i < o.limbs_.size() ? o.limbs_[i] : 0);
            borrow = t < 0;
            limbs_[i] = static_cast<std::uint32_t>(t + (borrow ? (std::int64_t{1} << 32) : 0));
        }
        trim();
    }
};

// A finite number taken apart: significand * 2^exponent.
struct Fields {
    bool negative = false;
    std::uint64_t significand = 0;
    int exponent = 0;
};

Extended::Bytes pack(bool negative, int biased, std::uint64_t significand) {
    Extended::Bytes out{};
    for (int i = 0; i < 8; ++i) out[static_cast<size_t>(i)] = static_cast<std::uint8_t>(significand >> (8 * i));
    const auto top = static_cast<std::uint16_t>((negative ? 0x8000 : 0) | biased);
    out[8] = static_cast<std::uint8_t>(top & 0xFF);
    out[9] = static_cast<std::uint8_t>(top >> 8);
    return out;
}

std::uint64_t significandOf(const Extended::Bytes& b) {
    std::uint64_t significand = 0;
    for (int i = 7; i >= 0; --i) significand = (significand << 8) | b[static_cast<size_t>(i)];
    return significand;
}

int biasedOf(const Extended::Bytes& b) { return (b[8] | (b[9] << 8)) & 0x7FFF; }

// Only for finite numbers; denormal and pseudo-denormal numbers use the minimum exponent.
Fields fieldsOf(const Extended& x) {
    const int biased = biasedOf(x.bytes());
    return {x.signBit(), significandOf(x.bytes()), (biased == 0 ? 1 : biased) - extendedBias - 63};
}

// value = x * 2^exponent, with `sticky` when nonzero bits below x were cut off already.
// Rounds to the 64-bit significand, nearest, ties to even.
Extended roundToExtended(bool negative, const BigUInt& x, std::int64_t exponent, bool sticky) {
    if (x.isZero()) return Extended::fromBytes(pack(negative, 0, 0));
    const std::int64_t top = x.bitLength() - 1 + exponent;  // the power of two of the leading bit
    if (top > maxBiased - 1 - extendedBias) return Extended::infinity(negative);
    std::int64_t ulp = std::max<std::int64_t>(top - 63, minUlpExponent);
    const std::int64_t drop = ulp - exponent;
    std::uint64_t q = 0;
    if (drop <= 0) {
        q = x.bitsFrom(0) << -drop;
    } else if (drop > x.bitLength() + 1) {
        return Extended::fromBytes(pack(negative, 0, 0));  // below half the smallest denormal
    } else {
        const int d = static_cast<int>(drop);
        q = x.bitsFrom(d);
        const bool half = x.bit(d - 1);
        const bool rest = sticky || x.anyBelow(d - 1);
        if (half && (rest || (q & 1))) {
            ++q;
            if (q == 0) {  // carried out of 64 bits
                q = integerBit;
                ++ulp;
            }
        }
    }
    if (q == 0) return Extended::fromBytes(pack(negative, 0, 0));
    if (!(q & integerBit)) return Extended::fromBytes(pack(negative, 0, q));  // denormal
    const std::int64_t biased = ulp + 63 + extendedBias;
    if (biased >= maxBiased) return Extended::infinity(negative);
    return Extended::fromBytes(pack(negative, static_cast<int>(biased), q));
}

}  // namespace

Extended Extended::fromBytes(std::span<const std::uint8_t, 10> bytes) {
    Extended x;
    std::copy(bytes.begin(), bytes.end(), x.bytes_.begin());
    return x;
}

Extended Extended::fromDouble(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const bool negative = (bits >> 63) != 0;
    const auto exponent = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & fraction52;

    std::uint64_t significand = 0;
    int biased = 0;
    if (exponent == 0x7FF) {  // infinity or NaN: the payload moves up with the fraction
        biased = maxBiased;
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
    return fromBytes(pack(negative, biased, significand));
}

Extended Extended::fromInteger(std::int64_t value) {
    if (value == 0) return {};
    const bool negative = value < 0;
    std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    const int shift = std::countl_zero(magnitude);
    return fromBytes(pack(negative, extendedBias + 63 - shift, magnitude << shift));
}

Extended Extended::infinity(bool negative) { return fromBytes(pack(negative, maxBiased, integerBit)); }

Extended Extended::quietNaN() { return fromBytes(pack(false, maxBiased, integerBit | (integerBit >> 1))); }

bool Extended::isNaN() const { return biasedOf(bytes_) == maxBiased && (significandOf(bytes_) & ~integerBit) != 0; }

bool Extended::isInfinite() const {
    return biasedOf(bytes_) == maxBiased && (significandOf(bytes_) & ~integerBit) == 0;
}

bool Extended::isZero() const { return biasedOf(bytes_) != maxBiased && significandOf(bytes_) == 0; }

double Extended::toDouble() const {
    const std::uint64_t sign = signBit() ? std::uint64_t{1} << 63 : 0;
    const std::uint64_t infinityBits = sign | (std::uint64_t{0x7FF} << 52);
    if (isInfinite()) return std::bit_cast<double>(infinityBits);
    if (isNaN()) {
        std::uint64_t fraction = ((significandOf(bytes_) & ~integerBit) >> 11) & fraction52;
        // Keep it a NaN (and quiet) even when the payload's high bits are zero.
        fraction |= std::uint64_t{1} << 51;
        return std::bit_cast<double>(infinityBits | fraction);
    }
    Fields p = fieldsOf(*this);
    if (p.significand == 0) return std::bit_cast<double>(sign);

    // Normalise so that bit 63 is set: the value is 1.f * 2^e.
    const int shift = std::countl_zero(p.significand);
    std::uint64_t significand = p.significand << shift;
    int e = p.exponent + 63 - shift;

    if (e > doubleBias) return std::bit_cast<double>(infinityBits);
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
            if (e > doubleBias) return std::bit_cast<double>(infinityBits);
        }
        const auto exponentField = static_cast<std::uint64_t>(e + doubleBias);
        return std::bit_cast<double>(sign | (exponentField << 52) | (q & fraction52));
    }
    // Denormal: the exponent field is zero; a carry into bit 52 gives the smallest normal.
    return std::bit_cast<double>(sign | q);
}

std::int32_t Extended::truncToInt32() const {
    constexpr std::int64_t intMax = 0x7FFFFFFF;
    if (isNaN()) return 0;
    if (isInfinite()) return signBit() ? static_cast<std::int32_t>(-intMax - 1) : static_cast<std::int32_t>(intMax);
    Fields p = fieldsOf(*this);
    std::uint64_t whole = 0;
    if (p.exponent >= 0) whole = p.significand == 0 ? 0 : ~std::uint64_t{0};  // at least 2^63
    else if (p.exponent > -64) whole = p.significand >> -p.exponent;
    if (p.negative)
        return whole > static_cast<std::uint64_t>(intMax) ? static_cast<std::int32_t>(-intMax - 1)
                                                          : -static_cast<std::int32_t>(whole);
    return whole > static_cast<std::uint64_t>(intMax) ? static_cast<std::int32_t>(intMax)
                                                      : static_cast<std::int32_t>(whole);
}

bool operator==(const Extended& a, const Extended& b) {
    if (a.isNaN() || b.isNaN()) return false;
    if (a.isZero() && b.isZero()) return true;
    if (a.isInfinite() || b.isInfinite()) return a.isInfinite() && b.isInfinite() && a.signBit() == b.signBit();
    if (a.isZero() || b.isZero() || a.signBit() != b.signBit()) return false;
    Fields pa = fieldsOf(a), pb = fieldsOf(b);
    const int sa = std::countl_zero(pa.significand), sb = std::countl_zero(pb.significand);
    return (pa.significand << sa) == (pb.significand << sb) && pa.exponent - sa == pb.exponent - sb;
}

Extended::Decimal Extended::toDecimal(int significantDigits) const {
    Decimal out;
    out.negative = signBit();
    Fields p = fieldsOf(*this);
    if (isNaN() || isInfinite() || p.significand == 0) {
        out.digits = "0";
        return out;
    }
    // The exact value as decimal digits: significand * 2^e, or significand * 5^-e / 10^-e.
    BigUInt n(p.significand);
    int pointShift = 0;  // the value is n * 10^pointShift
    if (p.exponent >= 0) {
        n.shiftLeft(p.exponent);
    } else {
        n.mulPow(5, 1220703125, 13, -p.exponent);
        pointShift = p.exponent;
    }
    std::string all = n.toDecimalString();
    out.exponent = static_cast<int>(all.size()) - 1 + pointShift;

    const auto keep = static_cast<size_t>(std::max(significantDigits, 1));
    std::string digits = all.substr(0, std::min(keep, all.size()));
    if (all.size() > keep) {
        const char next = all[keep];
        const bool beyond = all.find_first_not_of('0', keep + 1) != std::string::npos;
        const bool odd = (digits.back() - '0') % 2 != 0;
        if (next > '5' || (next == '5' && (beyond || odd))) {
            size_t i = digits.size();
            while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
            if (i == 0) {
                digits.insert(digits.begin(), '1');
                digits.pop_back();
                ++out.exponent;
            } else {
                ++digits[i - 1];
            }
        }
    }
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    out.digits = std::move(digits);
    return out;
}

Extended Extended::fromDecimal(bool negative, std::string_view digits, std::int64_t exponent10) {
    digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
    if (digits.empty()) return fromBytes(pack(negative, 0, 0));
    // Digits beyond the first few thousand cannot move the result across a rounding boundary;
    // only whether any of them is nonzero counts. This keeps very long texts cheap.
    constexpr size_t maxDigits = 12000;
    std::string kept;
    if (digits.size() > maxDigits) {
        const bool tail = digits.find_first_not_of('0', maxDigits) != std::string_view::npos;
        exponent10 += static_cast<std::int64_t>(digits.size() - maxDigits);
        kept = digits.substr(0, maxDigits);
        if (tail) {
            kept += '1';
            --exponent10;
        }
        digits = kept;
    }
    // Far outside the range (about 1.2E4932 down to 3.6E-4951): no need to compute.
    const std::int64_t leading = static_cast<std::int64_t>(digits.size()) - 1 + exponent10;
    if (leading > 4933) return infinity(negative);
    if (leading < -4953) return fromBytes(pack(negative, 0, 0));

    BigUInt m;
    // Nine digits at a time.
    for (size_t i = 0; i < digits.size(); i += 9) {
        const std::string_view group = digits.substr(i, 9);
        std::uint32_t factor = 1, value = 0;
        for (char c : group) {
            factor *= 10;
            value = value * 10 + static_cast<std::uint32_t>(c - '0');
        }
        m.mulAdd(factor, value);
    }
    if (exponent10 >= 0) {
        m.mulPow(10, 1000000000, 9, exponent10);
        return roundToExtended(negative, m, 0, false);
    }
    // m / 10^-exponent10, with enough quotient bits for the rounding bit and a sticky bit.
    BigUInt divisor(1);
    divisor.mulPow(10, 1000000000, 9, -exponent10);
    const int shift = std::max(0, divisor.bitLength() - m.bitLength() + 66);
    m.shiftLeft(shift);
    const bool sticky = m.divide(divisor);
    return roundToExtended(negative, m, -shift, sticky);
}

}  // namespace lindora
