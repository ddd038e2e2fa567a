#pragma once
// Integer and float text with a locale's decimal separator. The float text is the general
// format: the shortest text of up to 15 significant digits, in exponent form ("1E20",
// "1.5E-7") when the decimal exponent is 15 or more or below -4; "NAN", "INF", "-INF" for
// the non-finite values.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/Extended.h"

namespace lindora {

struct FormatSettings {
    char decimalSeparator = '.';
    char dateSeparator = '-';
    char timeSeparator = ':';

    // The settings used where none are given (the program's locale).
    static FormatSettings& defaults();
    // '.' and ISO dates, for stored data that must not depend on the locale.
    static const FormatSettings& invariant();
};

std::string intToStr(std::int64_t value);
// Decimal with optional sign, or hexadecimal "$FF" / "0xFF"; blanks around are allowed.
std::optional<std::int64_t> tryStrToInt(std::string_view text);
// Throws EConvertError "'x' is not a valid integer value".
std::int64_t strToInt(std::string_view text);

std::string floatToStr(double value, const FormatSettings& settings = FormatSettings::defaults());
std::string floatToStr(const Extended& value, const FormatSettings& settings = FormatSettings::defaults());
// Optional sign, digits with the settings' decimal separator, optional exponent; "INF",
// "-INF" and "NAN" (any case). Blanks around are allowed.
std::optional<double> tryStrToFloat(std::string_view text, const FormatSettings& settings = FormatSettings::defaults());
// Throws EConvertError "'x' is not a valid floating point value".
double strToFloat(std::string_view text, const FormatSettings& settings = FormatSettings::defaults());
// The same text as an extended number, rounded once from the exact decimal value.
std::optional<Extended> tryStrToExtended(std::string_view text,
                                         const FormatSettings& settings = FormatSettings::defaults());

}  // namespace lindora
