#include "settings/PValue.h"

namespace lindora {

bool PValue::differsFrom(const PValue& d) const {
    if (Kind != d.Kind) return false;
    switch (Kind) {
    case pvtString:
    case pvtVariant:
    case pvtStrings: return Text != d.Text;
    case pvtInteger: return IntValue != d.IntValue;
    case pvtFloat:
    case pvtDateTime: return FloatValue != d.FloatValue;
    case pvtBoolean: return BoolValue != d.BoolValue;
    case pvtHidden:
    case pvtCollection: return true;
    default: return false;
    }
}

}  // namespace lindora
