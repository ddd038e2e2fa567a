#pragma once
// A small variant value for variant-kind properties: empty, integer, floating point, Boolean or
// string.
#include <cstdint>
#include <string>
#include <variant>

namespace lindora {

class Variant {
public:
    enum class Type { Empty, Integer, Float, Boolean, String };

    Variant() = default;
    Variant(int v) : value_(std::int64_t{v}) {}
    Variant(std::int64_t v) : value_(v) {}
    Variant(double v) : value_(v) {}
    Variant(bool v) : value_(v) {}
    Variant(std::string v) : value_(std::move(v)) {}
    Variant(const char* v) : value_(std::string(v)) {}

    Type type() const { return static_cast<Type>(value_.index()); }
    bool isEmpty() const { return type() == Type::Empty; }

    // Conversions. Strings convert to numbers with '.' as decimal separator; a text that is not
    // a number throws EConvertError. Empty converts to 0, False and "".
    std::int64_t toInteger() const;
    double toFloat() const;
    bool toBoolean() const;
    // The string form: integers in decimal, floats in the general format, "True"/"False".
    std::string toString() const;

    bool operator==(const Variant&) const = default;

private:
    std::variant<std::monostate, std::int64_t, double, bool, std::string> value_;
};

}  // namespace lindora
