#include "settings/PValue.h"

namespace lindora {

PValue PValue::boolean(bool value) {
    PValue v;
    v.Kind = pvtBoolean;
    v.BoolValue = value;
    return v;
}

PValue PValue::integer(std::int32_t value) {
    PValue v;
    v.Kind = pvtInteger;
    v.IntValue = value;
    return v;
}

PValue PValue::number(PValueType kind, const Extended& value) {
    PValue v;
    v.Kind = kind;
    v.FloatValue = value;
    return v;
}

PValue PValue::text(PValueType kind, std::string value) {
    PValue v;
    v.Kind = kind;
    v.Text = std::move(value);
    return v;
}

bool PValue::differsFrom(const PValue& d) const {
    if (Kind != d.Kind) return false;
    switch (Kind) {
    case pvtString:
    case pvtVariant:
    case pvtStrings: return Text != d.Text;
    case pvtInteger: return IntValue != d.IntValue;
    case pvtFloat:
    case pvtDateTime: return !(FloatValue == d.FloatValue);
    case pvtBoolean: return BoolValue != d.BoolValue;
    case pvtHidden:
    case pvtCollection: return true;
    default: return false;
    }
}

}  // namespace lindora
