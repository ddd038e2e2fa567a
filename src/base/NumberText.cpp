#include "base/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "base/Exception.h"
#include "base/TextUtil.h"

namespace lindora {

FormatSettings& FormatSettings::defaults() {
    static FormatSettings settings;
    return settings;
}

const FormatSettings& FormatSettings::invariant() {
    static const FormatSettings settings;
    return settings;
}

static std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::string intToStr(std::int64_t value) { return std::to_string(value); }

std::optional<std::int64_t> tryStrToInt(std::string_view text) {
    std::string_view s = trim(text);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (!s.empty() && s.front() == '$') {
        base = 16;
        s.remove_prefix(1);
    } else if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    if (s.empty()) return std::nullopt;
    std::uint64_t magnitude = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), magnitude, base);
    if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    if (base == 16 && !negative) return static_cast<std::int64_t>(magnitude);  // $FFFFFFFFFFFFFFFF is -1
    if (negative) {
        if (magnitude > std::uint64_t{1} << 63) return std::nullopt;
        return static_cast<std::int64_t>(0 - magnitude);
    }
    if (magnitude > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) return std::nullopt;
    return static_cast<std::int64_t>(magnitude);
}

std::int64_t strToInt(std::string_view text) {
    auto v = tryStrToInt(text);
    if (!v) throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
    return *v;
}

std::string floatToStr(double value, const FormatSettings& settings) {
    // Every double is exactly an extended number, and 15 digits of either are the same text.
    return floatToStr(Extended::fromDouble(value), settings);
}

std::string floatToStr(const Extended& value, const FormatSettings& settings) {
    if (value.isNaN()) return "NAN";
    if (value.isInfinite()) return value.signBit() ? "-INF" : "INF";
    if (value.isZero()) return "0";
    const Extended::Decimal d = value.toDecimal(15);
    const std::string& digits = d.digits;
    const int exponent = d.exponent;

    std::string out = d.negative ? "-" : "";
    if (exponent >= 15 || exponent < -4) {
        out += digits[0];
        if (digits.size() > 1) {
            out += settings.decimalSeparator;
            out += digits.substr(1);
        }
        out += 'E';
        out += std::to_string(exponent);
    } else if (exponent < 0) {
        out += '0';
        out += settings.decimalSeparator;
        out += std::string(static_cast<size_t>(-exponent - 1), '0');
        out += digits;
    } else {
        size_t intDigits = static_cast<size_t>(exponent) + 1;
        if (digits.size() <= intDigits) {
            out += digits + std::string(intDigits - digits.size(), '0');
        } else {
            out += digits.substr(0, intDigits);
            out += settings.decimalSeparator;
            out += digits.substr(intDigits);
        }
    }
    return out;
}

namespace {

// A float's text taken apart: the number is digits * 10^exponent10.
struct FloatText {
    enum Kind { Number, Infinity, NaN } kind = Number;
    bool negative = false;
    std::string digits;
    std::int64_t exponent10 = 0;
};

std::optional<FloatText> parseFloatText(std::string_view text, const FormatSettings& settings) {
    std::string_view body = trim(text);
    if (body.empty()) return std::nullopt;
    FloatText out;
    if (body.front() == '-' || body.front() == '+') {
        out.negative = body.front() == '-';
        body.remove_prefix(1);
    }
    if (sameText(body, "INF")) {
        out.kind = FloatText::Infinity;
        return out;
    }
    if (sameText(body, "NAN")) {
        out.kind = FloatText::NaN;
        return out;
    }
    // Only digits, one separator and an exponent; everything else is refused.
    bool separatorSeen = false;
    std::int64_t fractionDigits = 0;
    size_t i = 0;
    for (; i < body.size(); ++i) {
        char c = body[i];
        if (c >= '0' && c <= '9') {
            out.digits += c;
            if (separatorSeen) ++fractionDigits;
        } else if (c == settings.decimalSeparator && !separatorSeen) {
            separatorSeen = true;
        } else {
            break;
        }
    }
    if (out.digits.empty()) return std::nullopt;
    std::int64_t exponent = 0;
    if (i < body.size()) {
        if (body[i] != 'e' && body[i] != 'E') return std::nullopt;
        ++i;
        bool negativeExponent = false;
        if (i < body.size() && (body[i] == '+' || body[i] == '-')) negativeExponent = body[i++] == '-';
        size_t expStart = i;
        // Far beyond any range already; saturating keeps the arithmetic in bounds.
        for (; i < body.size() && body[i] >= '0' && body[i] <= '9'; ++i)
            exponent = std::min<std::int64_t>(exponent * 10 + (body[i] - '0'), 1'000'000'000);
        if (i == expStart || i != body.size()) return std::nullopt;
        if (negativeExponent) exponent = -exponent;
    }
    out.exponent10 = exponent - fractionDigits;
    return out;
}

}  // namespace

std::optional<double> tryStrToFloat(std::string_view text, const FormatSettings& settings) {
    auto parsed = parseFloatText(text, settings);
    if (!parsed) return std::nullopt;
    if (parsed->kind == FloatText::NaN) return std::numeric_limits<double>::quiet_NaN();
    if (parsed->kind == FloatText::Infinity) return parsed->negative ? -HUGE_VAL : HUGE_VAL;
    const std::string normal = parsed->digits + "e" + std::to_string(parsed->exponent10);
    double value = 0;
    auto [end, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (end != normal.data() + normal.size()) return std::nullopt;
    if (ec == std::errc::result_out_of_range) {
        // Overflow gives infinity, underflow zero, as arithmetic would.
        const size_t firstDigit = parsed->digits.find_first_not_of('0');
        const auto leading = static_cast<std::int64_t>(parsed->digits.size() - firstDigit) - 1 + parsed->exponent10;
        value = leading < 0 ? 0.0 : HUGE_VAL;
    } else if (ec != std::errc()) {
        return std::nullopt;
    }
    return parsed->negative ? -value : value;
}

std::optional<Extended> tryStrToExtended(std::string_view text, const FormatSettings& settings) {
    auto parsed = parseFloatText(text, settings);
    if (!parsed) return std::nullopt;
    if (parsed->kind == FloatText::NaN) return Extended::quietNaN();
    if (parsed->kind == FloatText::Infinity) return Extended::infinity(parsed->negative);
    return Extended::fromDecimal(parsed->negative, parsed->digits, parsed->exponent10);
}

double strToFloat(std::string_view text, const FormatSettings& settings) {
    auto v = tryStrToFloat(text, settings);
    if (!v) throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
    return *v;
}

}  // namespace lindora
