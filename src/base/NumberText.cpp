#include "base/NumberText.h"

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
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";
    // 15 significant digits, then drop trailing zeros.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", value);
    std::string s(buf);
    size_t ePos = s.find('e');
    int exponent = std::stoi(s.substr(ePos + 1));
    std::string mantissa = s.substr(0, ePos);
    bool negative = mantissa[0] == '-';
    std::string digits;
    for (char c : mantissa)
        if (c >= '0' && c <= '9') digits += c;
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string out = negative ? "-" : "";
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

std::optional<double> tryStrToFloat(std::string_view text, const FormatSettings& settings) {
    std::string_view s = trim(text);
    if (s.empty()) return std::nullopt;
    std::string_view body = s;
    bool negative = false;
    if (body.front() == '-' || body.front() == '+') {
        negative = body.front() == '-';
        body.remove_prefix(1);
    }
    if (sameText(body, "INF")) return negative ? -HUGE_VAL : HUGE_VAL;
    if (sameText(body, "NAN")) return std::numeric_limits<double>::quiet_NaN();
    // Only digits, one separator and an exponent; everything else is refused.
    std::string normal;
    bool digitsSeen = false, separatorSeen = false;
    size_t i = 0;
    for (; i < body.size(); ++i) {
        char c = body[i];
        if (c >= '0' && c <= '9') {
            normal += c;
            digitsSeen = true;
        } else if (c == settings.decimalSeparator && !separatorSeen) {
            normal += '.';
            separatorSeen = true;
        } else {
            break;
        }
    }
    if (!digitsSeen) return std::nullopt;
    if (i < body.size()) {
        if (body[i] != 'e' && body[i] != 'E') return std::nullopt;
        normal += 'e';
        ++i;
        if (i < body.size() && (body[i] == '+' || body[i] == '-')) normal += body[i++];
        size_t expStart = i;
        while (i < body.size() && body[i] >= '0' && body[i] <= '9') normal += body[i++];
        if (i == expStart || i != body.size()) return std::nullopt;
    }
    double value = 0;
    auto [end, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (end != normal.data() + normal.size()) return std::nullopt;
    if (ec == std::errc::result_out_of_range) {
        // Overflow gives infinity, underflow zero, as arithmetic would.
        bool negativeExponent = normal.find("e-") != std::string::npos;
        value = negativeExponent ? 0.0 : HUGE_VAL;
    } else if (ec != std::errc()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

double strToFloat(std::string_view text, const FormatSettings& settings) {
    auto v = tryStrToFloat(text, settings);
    if (!v) throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
    return *v;
}

}  // namespace lindora
