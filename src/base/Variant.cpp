#include "base/Variant.h"

#include <cmath>

#include "base/Exception.h"
#include "base/NumberText.h"

namespace lindora {

std::int64_t Variant::toInteger() const {
    switch (type()) {
    case Type::Empty: return 0;
    case Type::Integer: return std::get<std::int64_t>(value_);
    case Type::Float: {
        double d = std::get<double>(value_);
        if (!std::isfinite(d) || std::fabs(d) >= 9.2e18)
            throw EConvertError("Floating point value out of integer range");
        return static_cast<std::int64_t>(std::llround(d));
    }
    case Type::Boolean: return std::get<bool>(value_) ? 1 : 0;
    case Type::String: {
        const std::string& s = std::get<std::string>(value_);
        if (auto i = tryStrToInt(s)) return *i;
        if (auto d = tryStrToFloat(s, FormatSettings::invariant())) return Variant(*d).toInteger();
        throw EConvertError("'" + s + "' is not a valid integer value");
    }
    }
    return 0;
}

double Variant::toFloat() const {
    switch (type()) {
    case Type::Empty: return 0;
    case Type::Integer: return static_cast<double>(std::get<std::int64_t>(value_));
    case Type::Float: return std::get<double>(value_);
    case Type::Boolean: return std::get<bool>(value_) ? 1 : 0;
    case Type::String: return strToFloat(std::get<std::string>(value_), FormatSettings::invariant());
    }
    return 0;
}

bool Variant::toBoolean() const {
    switch (type()) {
    case Type::Empty: return false;
    case Type::Integer: return std::get<std::int64_t>(value_) != 0;
    case Type::Float: return std::get<double>(value_) != 0;
    case Type::Boolean: return std::get<bool>(value_);
    case Type::String: {
        const std::string& s = std::get<std::string>(value_);
        if (s == "True") return true;
        if (s == "False") return false;
        if (auto d = tryStrToFloat(s, FormatSettings::invariant())) return *d != 0;
        throw EConvertError("'" + s + "' is not a valid Boolean value");
    }
    }
    return false;
}

std::string Variant::toString() const {
    switch (type()) {
    case Type::Empty: return {};
    case Type::Integer: return intToStr(std::get<std::int64_t>(value_));
    case Type::Float: return floatToStr(std::get<double>(value_));
    case Type::Boolean: return std::get<bool>(value_) ? "True" : "False";
    case Type::String: return std::get<std::string>(value_);
    }
    return {};
}

}  // namespace lindora
