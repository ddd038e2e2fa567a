#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

#include "base/DateTime.h"
#include "base/Exception.h"
#include "base/NumberText.h"

using namespace lindora;

TEST(FloatText, GeneralFormat) {
    struct Case {
        double value;
        const char* text;
    } cases[] = {{0.1, "0.1"},
                 {1e20, "1E20"},
                 {1.5e-7, "1.5E-7"},
                 {0, "0"},
                 {-2.5, "-2.5"},
                 {100, "100"},
                 {1.0 / 3, "0.333333333333333"},
                 {0.0001, "0.0001"},
                 {0.00001, "1E-5"},
                 {123456789012345.0, "123456789012345"},
                 {1e15, "1E15"},
                 {12.7, "12.7"},
                 {HUGE_VAL, "INF"},
                 {-HUGE_VAL, "-INF"}};
    for (const Case& c : cases) EXPECT_EQ(floatToStr(c.value), c.text) << c.value;
    EXPECT_EQ(floatToStr(std::numeric_limits<double>::quiet_NaN()), "NAN");
}

TEST(FloatText, RoundTripsAndUsesTheDecimalSeparator) {
    for (double v : {0.1, 1e20, 1.5e-7, -12.75, 3.14159265358979, 1e-300, 98765.4321})
        EXPECT_EQ(floatToStr(strToFloat(floatToStr(v))), floatToStr(v)) << v;
    FormatSettings comma;
    comma.decimalSeparator = ',';
    EXPECT_EQ(floatToStr(12.5, comma), "12,5");
    EXPECT_EQ(strToFloat("12,5", comma), 12.5);
    EXPECT_FALSE(tryStrToFloat("12.5", comma));
    EXPECT_EQ(strToFloat(" -1.5E3 "), -1500);
    EXPECT_EQ(strToFloat("1e400"), HUGE_VAL);
    for (const char* bad : {"", "abc", "1.2.3", "1e", "--1", "1,5", "12a"}) EXPECT_FALSE(tryStrToFloat(bad)) << bad;
    EXPECT_THROW(strToFloat("x"), EConvertError);
}

TEST(IntegerText, DecimalAndHex) {
    EXPECT_EQ(strToInt("-42"), -42);
    EXPECT_EQ(strToInt(" $FF "), 255);
    EXPECT_EQ(strToInt("0x10"), 16);
    EXPECT_EQ(strToInt("-9223372036854775808"), INT64_MIN);
    EXPECT_FALSE(tryStrToInt("9223372036854775808"));
    EXPECT_FALSE(tryStrToInt("12.7"));
    EXPECT_FALSE(tryStrToInt(""));
    EXPECT_THROW(strToInt("abc"), EConvertError);
}

TEST(DateTimeValues, EncodeAndDecode) {
    EXPECT_EQ(encodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(encodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(encodeDate(2000, 1, 1), 36526.0);
    EXPECT_EQ(encodeDate(1, 1, 1), -693593.0);
    EXPECT_EQ(encodeDate(9999, 12, 31), 2958465.0);
    EXPECT_EQ(encodeTime(6, 0, 0, 0), 0.25);
    EXPECT_EQ(encodeDateTime({2000, 1, 1, 18, 0, 0, 0}), 36526.75);
    // Before the origin the time of day is subtracted.
    EXPECT_EQ(encodeDateTime({1899, 12, 29, 6, 0, 0, 0}), -1.25);
    EXPECT_EQ(decodeDateTime(-1.25), (DateTimeParts{1899, 12, 29, 6, 0, 0, 0}));
    EXPECT_EQ(decodeDateTime(36526.75), (DateTimeParts{2000, 1, 1, 18, 0, 0, 0}));
    EXPECT_EQ(decodeDateTime(-0.5), (DateTimeParts{1899, 12, 30, 12, 0, 0, 0}));

    const DateTimeParts samples[] = {{2024, 2, 29, 23, 59, 59, 999},  {1600, 3, 1, 0, 0, 0, 1},
                                     {1899, 12, 30, 0, 0, 0, 0},      {1, 1, 1, 12, 30, 0, 0},
                                     {9999, 12, 31, 23, 59, 59, 999}, {1850, 7, 4, 13, 14, 15, 160}};
    for (const DateTimeParts& p : samples) EXPECT_EQ(decodeDateTime(encodeDateTime(p)), p) << p.year;

    // Just under midnight rounds to the next day.
    EXPECT_EQ(decodeDateTime(1.9999999999), (DateTimeParts{1900, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(decodeDateTime(-1.9999999999), (DateTimeParts{1899, 12, 30, 0, 0, 0, 0}));

    EXPECT_THROW(encodeDate(2023, 2, 29), EConvertError);
    EXPECT_THROW(encodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_THROW(decodeDateTime(std::nan("")), EConvertError);
    EXPECT_THROW(decodeDateTime(1e10), EConvertError);
}

TEST(DateTimeValues, Text) {
    DateTime v = encodeDateTime({2026, 3, 9, 7, 5, 3, 0});
    EXPECT_EQ(dateTimeToStr(v), "2026-03-09 07:05:03");
    EXPECT_EQ(dateTimeToStr(encodeDate(2026, 3, 9)), "2026-03-09");
    EXPECT_EQ(strToDateTime("2026-03-09 07:05:03"), v);
    EXPECT_EQ(strToDateTime("07:05"), encodeTime(7, 5, 0, 0));
    EXPECT_EQ(strToDateTime("1850-07-04 13:14:15.16"), encodeDateTime({1850, 7, 4, 13, 14, 15, 160}));
    for (const char* bad : {"", "2026-02-30", "2026-03-09 25:00", "07:5", "yesterday", "2026-03-09x"})
        EXPECT_FALSE(tryStrToDateTime(bad)) << bad;
}
