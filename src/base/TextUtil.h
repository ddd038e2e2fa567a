#pragma once
// Small string helpers shared by the runtime: ASCII case folding and identifier checks.
#include <string>
#include <string_view>

namespace lindora {

char asciiLower(char c);
char asciiUpper(char c);
std::string asciiLowerCase(std::string_view s);
std::string asciiUpperCase(std::string_view s);
// Compares ignoring the case of ASCII letters only; other bytes compare exactly.
bool sameText(std::string_view a, std::string_view b);
// <0, 0, >0 like strcmp, ignoring ASCII case.
int compareText(std::string_view a, std::string_view b);
// A letter or underscore followed by letters, digits or underscores.
bool isValidIdent(std::string_view s);

}  // namespace lindora
