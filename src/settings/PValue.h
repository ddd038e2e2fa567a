#pragma once
// The tagged value a setting holds: a kind and the field that kind uses. Copied by value; the
// text is owned by the value, an object reference (hidden properties, collections) is not.
#include <cstdint>
#include <string>

#include "settings/SettingValueLayout.h"

namespace lindora {

class Persistent;

struct PValue {
    PValueType Kind = pvtNone;
    bool BoolValue = false;
    std::int32_t IntValue = 0;     // pvtInteger
    std::string Text;              // pvtString, pvtVariant, pvtStrings
    Persistent* Object = nullptr;  // pvtHidden, pvtCollection: not owned
    Extended FloatValue;           // pvtFloat, pvtDateTime

    static PValue boolean(bool value);
    static PValue integer(std::int32_t value);
    static PValue number(PValueType kind, const Extended& value);  // pvtFloat, pvtDateTime
    static PValue text(PValueType kind, std::string value);        // pvtString, pvtVariant, pvtStrings

    void clear() { *this = PValue(); }
    bool holdsText() const { return Kind == pvtString || Kind == pvtVariant || Kind == pvtStrings; }
    // Whether a save must write a value that differs from `defaultValue` (the current kind
    // against the default's; object kinds always differ, unknown kinds never).
    bool differsFrom(const PValue& defaultValue) const;
};

}  // namespace lindora
