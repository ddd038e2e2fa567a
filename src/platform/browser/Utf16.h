#pragma once
// Conversions between the browser interface's wide strings and the UTF-8 that file names,
// URIs and the engines use.
#include <string>
#include <string_view>

namespace lindora {

// Throws Exception on an unpaired surrogate: such a string names no file and no URL.
std::string utf16ToUtf8(std::u16string_view text);

// Malformed UTF-8 (a page title from the wire) becomes U+FFFD rather than failing.
std::u16string utf8ToUtf16(std::string_view text);

}  // namespace lindora
