#include "store/RegistryTypes.h"

namespace lindora {

RegDataType dataTypeOf(RegType type) {
    switch (type) {
    case RegType::String: return RegDataType::rdString;
    case RegType::ExpandString: return RegDataType::rdExpandString;
    case RegType::DWord: return RegDataType::rdInteger;
    case RegType::Binary: return RegDataType::rdBinary;
    default: return RegDataType::rdUnknown;
    }
}

}  // namespace lindora
