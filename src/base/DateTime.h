#pragma once
// Date-time values: days since 1899-12-30 as a double, the time of day as the fraction. Dates
// before 1899-12-30 are negative; their fraction still counts forward from midnight, so
// -1.25 is 1899-12-29 06:00 (the whole part gives the day, the fraction's magnitude the time).
#include <optional>
#include <string>
#include <string_view>

#include "base/NumberText.h"

namespace lindora {

using DateTime = double;

struct DateTimeParts {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    bool operator==(const DateTimeParts&) const = default;
};

bool isLeapYear(int year);
int daysInMonth(int year, int month);

// Years 1..9999. Invalid parts throw EConvertError; the try forms return nothing instead.
DateTime encodeDate(int year, int month, int day);
DateTime encodeTime(int hour, int minute, int second, int millisecond);
DateTime encodeDateTime(const DateTimeParts& parts);
std::optional<DateTime> tryEncodeDateTime(const DateTimeParts& parts);
// Rounds to the nearest millisecond. Throws EConvertError outside years 1..9999 or for NaN.
DateTimeParts decodeDateTime(DateTime value);

// "yyyy-mm-dd", "hh:nn:ss", and both joined by a blank (the time left out at midnight), with
// the settings' separators.
std::string dateToStr(DateTime value, const FormatSettings& settings = FormatSettings::defaults());
std::string timeToStr(DateTime value, const FormatSettings& settings = FormatSettings::defaults());
std::string dateTimeToStr(DateTime value, const FormatSettings& settings = FormatSettings::defaults());
// Reads the forms written above ("yyyy-mm-dd[ hh:nn[:ss[.zzz]]]" or a time alone).
std::optional<DateTime> tryStrToDateTime(std::string_view text,
                                         const FormatSettings& settings = FormatSettings::defaults());
DateTime strToDateTime(std::string_view text, const FormatSettings& settings = FormatSettings::defaults());

}  // namespace lindora
