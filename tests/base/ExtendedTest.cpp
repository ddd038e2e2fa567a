// The 80-bit extended number: stored bytes kept as they are, doubles converted exactly both
// ways, rounding to double, and integers, comparison and decimal text on the full 64-bit
// significand, independent of the machine's long double.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "base/Extended.h"
#include "base/NumberText.h"

using namespace lindora;

namespace {

using Bytes = Extended::Bytes;

std::uint64_t bitsOf(double d) { return std::bit_cast<std::uint64_t>(d); }
Bytes bytesOf(std::uint64_t significand, std::uint16_t signAndExponent) {
    Bytes b{};
    for (int i = 0; i < 8; ++i) b[static_cast<size_t>(i)] = static_cast<std::uint8_t>(significand >> (8 * i));
    b[8] = static_cast<std::uint8_t>(signAndExponent);
    b[9] = static_cast<std::uint8_t>(signAndExponent >> 8);
    return b;
}

enum class Class { Zero, Finite, Infinite, NaN };

Class classOf(const Extended& x) {
    if (x.isNaN()) return Class::NaN;
    if (x.isInfinite()) return Class::Infinite;
    if (x.isZero()) return Class::Zero;
    return Class::Finite;
}

}  // namespace

TEST(Extended, AnyStoredBytesRoundTripUnchanged) {
    struct Case {
        const char* name;
        Bytes bytes;
        Class kind;
        double asDouble;  // NaN cases: not compared
    } cases[] = {
        {"one", bytesOf(0x8000000000000000, 0x3FFF), Class::Finite, 1.0},
        {"minus 2.5", bytesOf(0xA000000000000000, 0xC000), Class::Finite, -2.5},
        {"extended 0.1", bytesOf(0xCCCCCCCCCCCCCCCD, 0x3FFB), Class::Finite, 0.1},
        {"zero", bytesOf(0, 0x0000), Class::Zero, 0.0},
        {"minus zero", bytesOf(0, 0x8000), Class::Zero, -0.0},
        {"largest finite", bytesOf(0xFFFFFFFFFFFFFFFF, 0x7FFE), Class::Finite, HUGE_VAL},
        {"smallest normal", bytesOf(0x8000000000000000, 0x0001), Class::Finite, 0.0},
        {"denormal", bytesOf(0x0000000000000001, 0x0000), Class::Finite, 0.0},
        {"largest denormal", bytesOf(0x7FFFFFFFFFFFFFFF, 0x8000), Class::Finite, -0.0},
        {"pseudo-denormal", bytesOf(0x8000000000000000, 0x0000), Class::Finite, 0.0},
        {"unnormal", bytesOf(0x4000000000000000, 0x4000), Class::Finite, 1.0},
        {"unnormal zero", bytesOf(0, 0x3FFF), Class::Zero, 0.0},
        {"infinity", bytesOf(0x8000000000000000, 0x7FFF), Class::Infinite, HUGE_VAL},
        {"minus infinity", bytesOf(0x8000000000000000, 0xFFFF), Class::Infinite, -HUGE_VAL},
        {"pseudo-infinity", bytesOf(0, 0x7FFF), Class::Infinite, HUGE_VAL},
        {"quiet NaN", bytesOf(0xC000000000000000, 0x7FFF), Class::NaN, 0},
        {"negative quiet NaN with payload", bytesOf(0xC000000000001234, 0xFFFF), Class::NaN, 0},
        {"signalling NaN", bytesOf(0x8000000000000001, 0x7FFF), Class::NaN, 0},
        {"pseudo-NaN", bytesOf(0x4000000000000000, 0x7FFF), Class::NaN, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Extended x = Extended::fromBytes(c.bytes);
        EXPECT_EQ(x.bytes(), c.bytes);
        EXPECT_EQ(classOf(x), c.kind);
        if (c.kind == Class::NaN) {
            EXPECT_TRUE(std::isnan(x.toDouble()));
            EXPECT_EQ(std::signbit(x.toDouble()), x.signBit());
        } else {
            EXPECT_EQ(bitsOf(x.toDouble()), bitsOf(c.asDouble));
        }
    }
}

TEST(Extended, EveryDoubleConvertsExactlyBothWays) {
    struct Case {
        double value;
        Bytes bytes;
    } cases[] = {
        {1.0, bytesOf(0x8000000000000000, 0x3FFF)},
        {-2.5, bytesOf(0xA000000000000000, 0xC000)},
        // 0.1 as a double is 0x3FB999999999999A: its 52 fraction bits move up by 11.
        {0.1, bytesOf(0xCCCCCCCCCCCCD000, 0x3FFB)},
        {0.0, bytesOf(0, 0)},
        {-0.0, bytesOf(0, 0x8000)},
        // The smallest denormal, 2^-1074, is normal in extended: exponent 16383 - 1074.
        {std::numeric_limits<double>::denorm_min(), bytesOf(0x8000000000000000, 0x3BCD)},
        // The largest denormal, (2^52 - 1) * 2^-1074: 52 ones shifted to the top.
        {std::bit_cast<double>((std::uint64_t{1} << 52) - 1), bytesOf(0xFFFFFFFFFFFFF000, 0x3C00)},
        {std::numeric_limits<double>::min(), bytesOf(0x8000000000000000, 0x3C01)},
        {std::numeric_limits<double>::max(), bytesOf(0xFFFFFFFFFFFFF800, 0x43FE)},
        {-std::numeric_limits<double>::max(), bytesOf(0xFFFFFFFFFFFFF800, 0xC3FE)},
        {HUGE_VAL, bytesOf(0x8000000000000000, 0x7FFF)},
        {-HUGE_VAL, bytesOf(0x8000000000000000, 0xFFFF)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Extended::fromDouble(c.value).bytes(), c.bytes) << c.value;
        EXPECT_EQ(bitsOf(Extended::fromBytes(c.bytes).toDouble()), bitsOf(c.value)) << c.value;
    }
    // Any bit pattern of a finite double, and NaN payloads (signalling ones come back quiet).
    std::mt19937_64 random(12345);
    for (int i = 0; i < 20000; ++i) {
        const double d = std::bit_cast<double>(random());
        if (std::isnan(d)) continue;
        ASSERT_EQ(bitsOf(Extended::fromDouble(d).toDouble()), bitsOf(d)) << d;
    }
    const auto payload = std::bit_cast<double>(std::uint64_t{0x7FF8000000000001});
    EXPECT_EQ(bitsOf(Extended::fromDouble(payload).toDouble()), bitsOf(payload));
}

TEST(Extended, ConvertingToDoubleRoundsToNearestEvenAndSaturates) {
    struct Case {
        const char* name;
        Bytes bytes;
        double expected;
    } cases[] = {
        {"1 + 2^-53 ties to even", bytesOf(0x8000000000000400, 0x3FFF), 1.0},
        {"a little above half rounds up", bytesOf(0x8000000000000401, 0x3FFF), std::nextafter(1.0, 2.0)},
        {"all ones carry into 2", bytesOf(0xFFFFFFFFFFFFFFFF, 0x3FFF), 2.0},
        {"beyond the double range", bytesOf(0x8000000000000000, 0xC400), -HUGE_VAL},
        {"far below the smallest denormal", bytesOf(0x8000000000000000, 0x0001), 0.0},
        {"just over half the smallest denormal", bytesOf(0x8000000000000001, 0x3BCC),
         std::numeric_limits<double>::denorm_min()},
        {"exactly half the smallest denormal", bytesOf(0x8000000000000000, 0x3BCC), 0.0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(bitsOf(Extended::fromBytes(c.bytes).toDouble()), bitsOf(c.expected)) << c.name;
}

TEST(Extended, IntegersAndTruncationUseTheWholeSignificand) {
    EXPECT_EQ(Extended::fromInteger(INT64_MAX).bytes(), bytesOf(0xFFFFFFFFFFFFFFFE, 0x403D))
        << "2^63 - 1 is exact, which a double is not";
    EXPECT_EQ(Extended::fromInteger(INT64_MIN).bytes(), bytesOf(0x8000000000000000, 0xC03E));
    EXPECT_EQ(Extended::fromInteger(-3).bytes(), bytesOf(0xC000000000000000, 0xC000));
    EXPECT_EQ(Extended::fromInteger(0).bytes(), bytesOf(0, 0));

    struct Case {
        Bytes bytes;
        std::int32_t expected;
    } cases[] = {
        {Extended::fromDouble(12.7).bytes(), 12},
        {Extended::fromDouble(-12.7).bytes(), -12},
        {Extended::fromDouble(0.999).bytes(), 0},
        {Extended::fromDouble(2147483647.9).bytes(), 2147483647},
        {Extended::fromDouble(-2147483648.9).bytes(), -2147483647 - 1},
        {Extended::fromDouble(1e30).bytes(), 2147483647},
        {Extended::fromDouble(-1e30).bytes(), -2147483647 - 1},
        {Extended::infinity(false).bytes(), 2147483647},
        {Extended::quietNaN().bytes(), 0},
        {bytesOf(0x4000000000000000, 0x4000), 1},  // an unnormal: 0.5 * 2
        {bytesOf(1, 0), 0},                        // a denormal
    };
    for (const Case& c : cases) EXPECT_EQ(Extended::fromBytes(c.bytes).truncToInt32(), c.expected);
}

TEST(Extended, EqualityIsNumeric) {
    const Extended one = Extended::fromDouble(1.0);
    EXPECT_TRUE(one == Extended::fromBytes(bytesOf(0x4000000000000000, 0x4000))) << "an unnormal 1";
    EXPECT_TRUE(Extended::fromBytes(bytesOf(0x8000000000000000, 0x0000)) ==
                Extended::fromBytes(bytesOf(0x8000000000000000, 0x0001)))
        << "a pseudo-denormal equals the smallest normal";
    EXPECT_TRUE(Extended::fromDouble(0.0) == Extended::fromDouble(-0.0));
    EXPECT_FALSE(Extended::quietNaN() == Extended::quietNaN());
    EXPECT_FALSE(one == Extended::fromBytes(bytesOf(0x8000000000000001, 0x3FFF))) << "the 64th bit counts";
    EXPECT_FALSE(one == Extended::fromDouble(-1.0));
    EXPECT_TRUE(Extended::infinity(true) == Extended::infinity(true));
    EXPECT_FALSE(Extended::infinity(true) == Extended::infinity(false));
}

TEST(Extended, DecimalTextIsExactToTheLastBit) {
    struct Case {
        const char* text;
        Bytes bytes;
    } cases[] = {
        {"0.1", bytesOf(0xCCCCCCCCCCCCCCCD, 0x3FFB)},
        {"18446744073709551615", bytesOf(0xFFFFFFFFFFFFFFFF, 0x403E)},  // 2^64 - 1: a double cannot
        {"9007199254740993", bytesOf(0x8000000000000400, 0x4034)},      // 2^53 + 1
        {"-1.5", bytesOf(0xC000000000000000, 0xBFFF)},
        {"1e4933", bytesOf(0x8000000000000000, 0x7FFF)},                       // overflow: infinity
        {"1e-5000", bytesOf(0, 0)},                                            // underflow: zero
        {"3.6451995318824746025E-4951", bytesOf(1, 0)},                        // the smallest denormal
        {"1.18973149535723176502E4932", bytesOf(0xFFFFFFFFFFFFFFFF, 0x7FFE)},  // the largest finite
        {"0.000", bytesOf(0, 0)},
    };
    for (const Case& c : cases) {
        auto x = tryStrToExtended(c.text);
        ASSERT_TRUE(x) << c.text;
        EXPECT_EQ(x->bytes(), c.bytes) << c.text;
    }

    // 1 + 2^-64 lies half way between two extended numbers: alone it ties to even, and a nonzero
    // digit however far behind it rounds up.
    const std::string half = "1.0000000000000000000542101086242752217003726400434970855712890625";
    EXPECT_EQ(tryStrToExtended(half)->bytes(), bytesOf(0x8000000000000000, 0x3FFF));
    EXPECT_EQ(tryStrToExtended(half + std::string(20000, '0') + "1")->bytes(), bytesOf(0x8000000000000001, 0x3FFF));
    EXPECT_EQ(tryStrToExtended(half + std::string(20000, '0'))->bytes(), bytesOf(0x8000000000000000, 0x3FFF));

    // Back to text from the exact value: 20 digits tell the last bit apart.
    EXPECT_EQ(Extended::fromBytes(bytesOf(0xFFFFFFFFFFFFFFFF, 0x403E)).toDecimal(20).digits, "18446744073709551615");
    Extended::Decimal tenth = Extended::fromBytes(bytesOf(0xCCCCCCCCCCCCCCCD, 0x3FFB)).toDecimal(21);
    EXPECT_EQ(tenth.digits, "100000000000000000001");  // 0.1000000000000000000013...
    EXPECT_EQ(tenth.exponent, -1);
    // The general format: 15 digits rounded once from the exact value, ties to even.
    EXPECT_EQ(floatToStr(Extended::fromBytes(bytesOf(0xCCCCCCCCCCCCCCCD, 0x3FFB))), "0.1");
    EXPECT_EQ(floatToStr(*tryStrToExtended("1234567890123455")), "1.23456789012346E15") << "a tie: up to even";
    EXPECT_EQ(floatToStr(*tryStrToExtended("1234567890123465")), "1.23456789012346E15") << "a tie: down to even";
    EXPECT_EQ(floatToStr(*tryStrToExtended("1.0000000000000051")), "1.00000000000001");
    EXPECT_EQ(floatToStr(*tryStrToExtended("-999999999999999.5")), "-1E15");
    EXPECT_EQ(floatToStr(Extended::fromBytes(bytesOf(1, 0))), "3.64519953188247E-4951");
    EXPECT_EQ(floatToStr(Extended::quietNaN()), "NAN");
    EXPECT_EQ(floatToStr(Extended::infinity(true)), "-INF");
    EXPECT_TRUE(tryStrToExtended("nan")->isNaN());
    EXPECT_FALSE(tryStrToExtended("1.2.3"));
}
