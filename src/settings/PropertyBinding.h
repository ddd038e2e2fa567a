#pragma once
// How a setting's dotted path reaches a property: each component is a published property of
// the current object (looked up ignoring case), else a component owned by the form, else a
// defined property of the current object (a hidden property). Class-valued properties lead
// into their object when more components follow.
#include <string>
#include <string_view>
#include <vector>

#include "settings/PValue.h"

namespace lindora {

class Component;
class PSetting;

// Splits at every "."; empty components count.
std::vector<std::string> splitSettingPath(std::string_view path);

// The property's value as a tagged value; kind 0 when the path does not resolve.
PValue readBoundValue(Component& form, const std::vector<std::string>& path);
// Writes the setting's current value (through its accessors) into the property the path names.
// Does nothing for kind 0 or a path that does not resolve.
void writeBoundValue(Component& form, const std::vector<std::string>& path, PSetting& setting);

}  // namespace lindora
