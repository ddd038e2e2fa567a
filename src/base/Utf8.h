#pragma once
// The one reading of Unicode text for the whole program, between UTF-8 (files, names, scripts,
// the text engine), UTF-16 (the browser interface's wide strings) and UTF-32 (typed characters).
//
// Well-formed text is what the Unicode standard calls well-formed, and nothing else passes:
// - UTF-8 without overlong forms (C0 80 is not U+0000), without encoded surrogates
//   (ED A0 80 is not U+D800), nothing above U+10FFFF and no sequence cut short;
// - UTF-16 with every surrogate in a high-low pair;
// - UTF-32 values that are Unicode scalar values (no surrogates, nothing above U+10FFFF).
// The caller decides what happens to text that is not: replaced (each maximal ill-formed part,
// as the standard delimits it, becomes one U+FFFD) or refused with an Exception.
#include <cstddef>
#include <string>
#include <string_view>

namespace lindora {

enum class BadText {
    Replace,  // text to show (page titles, captions): never fails
    Throw,    // text that must mean exactly what it says (paths, URLs, scripts)
};

inline constexpr char32_t ReplacementCharacter = 0xFFFD;

constexpr bool isScalarValue(char32_t c) { return c < 0xD800 || (c > 0xDFFF && c <= 0x10FFFF); }

// One step through UTF-8 text.
struct Utf8Step {
    char32_t codePoint = ReplacementCharacter;  // ReplacementCharacter when not valid
    std::size_t length = 1;                     // bytes taken: the sequence, or the ill-formed part
    bool valid = false;
};

// Reads the sequence that starts at `pos` (< text.size()). An ill-formed one takes its maximal
// ill-formed part: at least one byte, and never a byte that could start the next sequence.
Utf8Step decodeUtf8At(std::string_view text, std::size_t pos);

bool isValidUtf8(std::string_view text);

// Append one scalar value; anything else is appended as U+FFFD.
void appendUtf8(std::string& out, char32_t c);
void appendUtf16(std::u16string& out, char32_t c);

// Conversions. With BadText::Throw, the first ill-formed part raises Exception naming its position.
std::u32string utf8ToUtf32(std::string_view text, BadText bad);
std::u16string utf8ToUtf16(std::string_view text, BadText bad);
std::string utf16ToUtf8(std::u16string_view text, BadText bad);
std::string utf32ToUtf8(std::u32string_view text, BadText bad);

// The text with every ill-formed part replaced; well-formed text comes back unchanged.
std::string validUtf8(std::string_view text);

}  // namespace lindora
