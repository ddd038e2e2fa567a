#include "base/TextUtil.h"

namespace lindora {

char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }
char asciiUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

std::string asciiLowerCase(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = asciiLower(c);
    return r;
}

std::string asciiUpperCase(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = asciiUpper(c);
    return r;
}

bool sameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    return true;
}

int compareText(std::string_view a, std::string_view b) {
    size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(asciiLower(a[i]));
        unsigned char y = static_cast<unsigned char>(asciiLower(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

static bool identStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
static bool identPart(char c) { return identStart(c) || (c >= '0' && c <= '9'); }

bool isValidIdent(std::string_view s) {
    if (s.empty() || !identStart(s[0])) return false;
    for (char c : s)
        if (!identPart(c)) return false;
    return true;
}

}  // namespace lindora
