#pragma once
// Enumeration types as the property system sees them: a name per ordinal (0, 1, ...), and sets
// of such enumerations as bit masks.
//
// To publish an enumeration, declare beside it a function found by argument-dependent lookup:
//     enum BarDockingStyle { dsNone, dsLeft, dsTop, dsRight, dsBottom };
//     const EnumInfo& enumInfoOf(BarDockingStyle);
// and define it with a function-local static:
//     const EnumInfo& enumInfoOf(BarDockingStyle) {
//         static const EnumInfo info("BarDockingStyle", {"dsNone", "dsLeft", "dsTop", "dsRight", "dsBottom"});
//         return info;
//     }
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace lindora {

class EnumInfo {
public:
    EnumInfo(std::string typeName, std::vector<std::string> names);

    const std::string& typeName() const { return typeName_; }
    int count() const { return static_cast<int>(names_.size()); }
    // The name of an ordinal; throws EPropertyError when out of range.
    const std::string& nameOf(std::int64_t ordinal) const;
    // The ordinal of a name, ignoring ASCII case; -1 when unknown.
    int ordinalOf(std::string_view name) const;
    bool isValid(std::int64_t ordinal) const { return ordinal >= 0 && ordinal < count(); }

    // Set text: member names in ascending ordinal order joined by ","; with brackets "[a,b]".
    std::string setToText(std::uint64_t mask, bool brackets = true) const;
    // Parses "[a, b]" or "a,b" (brackets optional, spaces ignored, names ignoring case).
    // Throws EConvertError naming the first unknown member.
    std::uint64_t textToSet(std::string_view text) const;

    // The Boolean enumeration: False = 0, True = 1.
    static const EnumInfo& boolean();

private:
    std::string typeName_;
    std::vector<std::string> names_;
};

// The enumeration info of E, found by argument-dependent lookup (see above).
template <class E>
const EnumInfo& enumInfo() {
    return enumInfoOf(E{});
}

// A set of enumeration members stored as a bit mask, bit n for ordinal n (ordinals 0..63).
template <class E>
class SetOf {
public:
    static_assert(std::is_enum_v<E>, "SetOf needs an enumeration");
    using Element = E;

    constexpr SetOf() = default;
    constexpr SetOf(std::initializer_list<E> members) {
        for (E e : members) include(e);
    }
    static constexpr SetOf fromMask(std::uint64_t mask) {
        SetOf s;
        s.mask_ = mask;
        return s;
    }

    constexpr std::uint64_t mask() const { return mask_; }
    constexpr bool contains(E e) const { return (mask_ & bit(e)) != 0; }
    constexpr bool empty() const { return mask_ == 0; }
    constexpr SetOf& include(E e) {
        mask_ |= bit(e);
        return *this;
    }
    constexpr SetOf& exclude(E e) {
        mask_ &= ~bit(e);
        return *this;
    }
    constexpr SetOf operator+(SetOf o) const { return fromMask(mask_ | o.mask_); }
    constexpr SetOf operator-(SetOf o) const { return fromMask(mask_ & ~o.mask_); }
    constexpr SetOf operator*(SetOf o) const { return fromMask(mask_ & o.mask_); }
    constexpr bool operator==(const SetOf&) const = default;

private:
    static constexpr std::uint64_t bit(E e) {
        auto n = static_cast<std::uint64_t>(static_cast<std::underlying_type_t<E>>(e));
        return n < 64 ? (std::uint64_t{1} << n) : 0;
    }
    std::uint64_t mask_ = 0;
};

}  // namespace lindora
