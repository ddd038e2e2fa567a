#include "base/DateTime.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "base/Exception.h"

namespace lindora {

namespace {

constexpr std::int64_t msPerDay = 86400000;
// Days from 0000-03-01 based civil count to 1899-12-30.
constexpr std::int64_t epochShift = 693899;  // daysFromCivil(1899, 12, 30)

// Days since 0000-03-01 of the proleptic Gregorian calendar (after H. Hinnant's algorithm).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe);
}

void civilFromDays(std::int64_t z, int& year, int& month, int& day) {
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2));
}

bool validDate(int y, int m, int d) {
    return y >= 1 && y <= 9999 && m >= 1 && m <= 12 && d >= 1 && d <= daysInMonth(y, m);
}
bool validTime(int h, int n, int s, int ms) {
    return h >= 0 && h < 24 && n >= 0 && n < 60 && s >= 0 && s < 60 && ms >= 0 && ms < 1000;
}

}  // namespace

bool isLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int daysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

DateTime encodeDate(int year, int month, int day) {
    if (!validDate(year, month, day)) throw EConvertError("Invalid date");
    return static_cast<double>(daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
                               epochShift);
}

DateTime encodeTime(int hour, int minute, int second, int millisecond) {
    if (!validTime(hour, minute, second, millisecond)) throw EConvertError("Invalid time");
    return static_cast<double>(((hour * 60 + minute) * 60 + second) * 1000 + millisecond) / msPerDay;
}

std::optional<DateTime> tryEncodeDateTime(const DateTimeParts& p) {
    if (!validDate(p.year, p.month, p.day) || !validTime(p.hour, p.minute, p.second, p.millisecond))
        return std::nullopt;
    double date = encodeDate(p.year, p.month, p.day);
    double time = encodeTime(p.hour, p.minute, p.second, p.millisecond);
    // Before the origin the fraction is subtracted: its magnitude is the time of day.
    return date < 0 ? date - time : date + time;
}

DateTime encodeDateTime(const DateTimeParts& parts) {
    auto v = tryEncodeDateTime(parts);
    if (!v) throw EConvertError("Invalid date or time");
    return *v;
}

DateTimeParts decodeDateTime(DateTime value) {
    // Years 1..9999 lie within these day numbers.
    if (!(value > -693594.0 - 1 && value < 2958466.0)) throw EConvertError("Invalid date-time value");
    double whole = std::trunc(value);
    auto days = static_cast<std::int64_t>(whole);
    auto ms = static_cast<std::int64_t>(std::llround(std::fabs(value - whole) * msPerDay));
    if (ms >= msPerDay) {  // rounded up to the next midnight
        ms -= msPerDay;
        days += 1;
    }
    DateTimeParts p;
    civilFromDays(days + epochShift, p.year, p.month, p.day);
    if (p.year < 1 || p.year > 9999) throw EConvertError("Invalid date-time value");
    p.hour = static_cast<int>(ms / 3600000);
    p.minute = static_cast<int>(ms / 60000 % 60);
    p.second = static_cast<int>(ms / 1000 % 60);
    p.millisecond = static_cast<int>(ms % 1000);
    return p;
}

std::string dateToStr(DateTime value, const FormatSettings& s) {
    DateTimeParts p = decodeDateTime(value);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d%c%02d%c%02d", p.year, s.dateSeparator, p.month, s.dateSeparator, p.day);
    return buf;
}

std::string timeToStr(DateTime value, const FormatSettings& s) {
    DateTimeParts p = decodeDateTime(value);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d%c%02d%c%02d", p.hour, s.timeSeparator, p.minute, s.timeSeparator, p.second);
    return buf;
}

std::string dateTimeToStr(DateTime value, const FormatSettings& s) {
    DateTimeParts p = decodeDateTime(value);
    std::string r = dateToStr(value, s);
    if (p.hour || p.minute || p.second || p.millisecond) r += " " + timeToStr(value, s);
    return r;
}

namespace {

bool readNumber(std::string_view& s, int minDigits, int maxDigits, int& out) {
    int n = 0, v = 0;
    while (n < static_cast<int>(s.size()) && n < maxDigits && s[static_cast<size_t>(n)] >= '0' &&
           s[static_cast<size_t>(n)] <= '9') {
        v = v * 10 + (s[static_cast<size_t>(n)] - '0');
        ++n;
    }
    if (n < minDigits) return false;
    s.remove_prefix(static_cast<size_t>(n));
    out = v;
    return true;
}

bool expect(std::string_view& s, char c) {
    if (s.empty() || s.front() != c) return false;
    s.remove_prefix(1);
    return true;
}

bool readTime(std::string_view& s, const FormatSettings& fs, DateTimeParts& p) {
    if (!readNumber(s, 1, 2, p.hour) || !expect(s, fs.timeSeparator) || !readNumber(s, 2, 2, p.minute)) return false;
    if (expect(s, fs.timeSeparator)) {
        if (!readNumber(s, 2, 2, p.second)) return false;
        if (expect(s, fs.decimalSeparator)) {
            std::string_view before = s;
            if (!readNumber(s, 1, 3, p.millisecond)) return false;
            for (size_t i = before.size() - s.size(); i < 3; ++i) p.millisecond *= 10;
        }
    }
    return true;
}

}  // namespace

std::optional<DateTime> tryStrToDateTime(std::string_view text, const FormatSettings& fs) {
    std::string_view s = text;
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    DateTimeParts p;
    std::string_view probe = s;
    int first = 0;
    bool dateFirst = readNumber(probe, 1, 4, first) && !probe.empty() && probe.front() == fs.dateSeparator;
    if (dateFirst) {
        if (!readNumber(s, 1, 4, p.year) || !expect(s, fs.dateSeparator) || !readNumber(s, 1, 2, p.month) ||
            !expect(s, fs.dateSeparator) || !readNumber(s, 1, 2, p.day))
            return std::nullopt;
        if (!s.empty()) {
            if (!expect(s, ' ') && !expect(s, 'T')) return std::nullopt;
            if (!readTime(s, fs, p)) return std::nullopt;
        }
    } else {
        if (!readTime(s, fs, p)) return std::nullopt;
        if (!validTime(p.hour, p.minute, p.second, p.millisecond) || !s.empty()) return std::nullopt;
        return encodeTime(p.hour, p.minute, p.second, p.millisecond);
    }
    if (!s.empty()) return std::nullopt;
    return tryEncodeDateTime(p);
}

DateTime strToDateTime(std::string_view text, const FormatSettings& fs) {
    auto v = tryStrToDateTime(text, fs);
    if (!v) throw EConvertError("'" + std::string(text) + "' is not a valid date and time");
    return *v;
}

}  // namespace lindora
