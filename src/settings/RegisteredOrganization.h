#pragma once
// The machine's registered organisation, the default company name of the settings components.
#include <string>

namespace lindora {

// The string value "RegisteredOrganization" of the machine-wide key
// "SOFTWARE\Microsoft\Windows\CurrentVersion"; empty when the key or the value is missing or
// the value is not a string.
std::string registeredOrganization();

}  // namespace lindora
