#include "platform/browser/BrowserUri.h"

#include <cctype>
#include <filesystem>

#include "base/Exception.h"
#include "base/Utf8.h"

namespace lindora {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

bool isAsciiAlpha(char32_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isAsciiDigit(char32_t c) { return c >= '0' && c <= '9'; }

bool isUnreserved(unsigned char c) {
    return isAsciiAlpha(c) || isAsciiDigit(c) || c == '-' || c == '.' || c == '_' || c == '~';
}

// Characters that may appear literally in a URL we pass on (RFC 3986 reserved, unreserved
// and "%" for the escapes the URL already has).
bool mayStandInUrl(unsigned char c) {
    if (isUnreserved(c)) return true;
    switch (c) {
    case ':':
    case '/':
    case '?':
    case '#':
    case '[':
    case ']':
    case '@':
    case '!':
    case '$':
    case '&':
    case '\'':
    case '(':
    case ')':
    case '*':
    case '+':
    case ',':
    case ';':
    case '=':
    case '%': return true;
    default: return false;
    }
}

void appendEscaped(std::string& out, unsigned char c) {
    out += '%';
    out += kHex[c >> 4];
    out += kHex[c & 0x0F];
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

bool looksLikeUrl(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (isAsciiAlpha(text[i]) || (i > 0 && (isAsciiDigit(text[i]) || text[i] == '+' ||
                                                                   text[i] == '-' || text[i] == '.'))))
        ++i;
    // One letter before ":" is a drive letter of a foreign path, never a scheme.
    return i >= 2 && i < text.size() && text[i] == u':';
}

std::string browserUriFromText(std::u16string_view text) {
    if (text.empty()) throw Exception("Cannot navigate: the URL is empty");
    // A lone surrogate names no file and no URL.
    const std::string utf8 = utf16ToUtf8(text, BadText::Throw);
    std::string out;
    if (looksLikeUrl(text)) {
        for (unsigned char c : utf8) {
            if (mayStandInUrl(c)) out += static_cast<char>(c);
            else appendEscaped(out, c);
        }
        return out;
    }
    if (utf8.find('\0') != std::string::npos)
        throw Exception("Cannot navigate: the file name contains a NUL character");
    std::filesystem::path path(utf8);
    if (path.is_relative()) path = std::filesystem::absolute(path);
    out = "file://";
    for (unsigned char c : path.string()) {
        if (isUnreserved(c) || c == '/') out += static_cast<char>(c);
        else appendEscaped(out, c);
    }
    return out;
}

std::string localPathFromFileUri(std::string_view uri) {
    constexpr std::string_view prefix = "file://";
    if (uri.size() < prefix.size()) return {};
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(uri[i])) != prefix[i]) return {};
    std::string_view rest = uri.substr(prefix.size());
    // Only the local host: "file:///p" or "file://localhost/p".
    if (rest.starts_with("localhost/")) rest.remove_prefix(9);
    if (!rest.starts_with('/')) return {};
    rest = rest.substr(0, rest.find_first_of("?#"));
    std::string path;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] == '%' && i + 2 < rest.size()) {
            const int hi = hexValue(rest[i + 1]);
            const int lo = hexValue(rest[i + 2]);
            if (hi >= 0 && lo >= 0) {
                path += static_cast<char>(hi * 16 + lo);
                i += 2;
                continue;
            }
        }
        path += rest[i];
    }
    return path;
}

}  // namespace lindora
