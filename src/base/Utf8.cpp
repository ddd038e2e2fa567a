#include "base/Utf8.h"

#include <cstdio>

#include "base/Exception.h"

namespace lindora {

namespace {

// The byte ranges of well-formed UTF-8: the first continuation byte's range depends on the lead
// byte (that is what keeps out overlong forms, surrogates and values above U+10FFFF); the others
// are always 80..BF.
struct LeadRule {
    int continuations;
    unsigned char low, high;  // range of the first continuation byte
};

bool leadRule(unsigned char b, LeadRule& rule) {
    if (b >= 0xC2 && b <= 0xDF) rule = {1, 0x80, 0xBF};
    else if (b == 0xE0) rule = {2, 0xA0, 0xBF};
    else if (b == 0xED) rule = {2, 0x80, 0x9F};
    else if (b >= 0xE1 && b <= 0xEF) rule = {2, 0x80, 0xBF};
    else if (b == 0xF0) rule = {3, 0x90, 0xBF};
    else if (b >= 0xF1 && b <= 0xF3) rule = {3, 0x80, 0xBF};
    else if (b == 0xF4) rule = {3, 0x80, 0x8F};
    else return false;
    return true;
}

[[noreturn]] void badUtf8(std::size_t pos) { throw Exception("Invalid UTF-8 text at byte " + std::to_string(pos)); }

[[noreturn]] void badUtf16(std::size_t pos) {
    throw Exception("Invalid UTF-16 text: unpaired surrogate at position " + std::to_string(pos));
}

std::string codePointName(char32_t c) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04lX", static_cast<unsigned long>(c));
    return buffer;
}

// Walks UTF-8 text, handing each scalar value (or U+FFFD for an ill-formed part) to `emit`.
template <typename Emit>
void walkUtf8(std::string_view text, BadText bad, Emit emit) {
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Step step = decodeUtf8At(text, i);
        if (!step.valid && bad == BadText::Throw) badUtf8(i);
        emit(step.codePoint);
        i += step.length;
    }
}

}  // namespace

Utf8Step decodeUtf8At(std::string_view text, std::size_t pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) return {lead, 1, true};
    LeadRule rule{};
    if (!leadRule(lead, rule)) return {};
    char32_t c = lead & (0x3F >> rule.continuations);
    for (int k = 1; k <= rule.continuations; ++k) {
        const std::size_t at = pos + static_cast<std::size_t>(k);
        const unsigned char low = k == 1 ? rule.low : 0x80;
        const unsigned char high = k == 1 ? rule.high : 0xBF;
        if (at >= text.size() || byte(at) < low || byte(at) > high)
            return {ReplacementCharacter, static_cast<std::size_t>(k), false};
        c = (c << 6) | (byte(at) & 0x3F);
    }
    return {c, static_cast<std::size_t>(rule.continuations) + 1, true};
}

bool isValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Step step = decodeUtf8At(text, i);
        if (!step.valid) return false;
        i += step.length;
    }
    return true;
}

void appendUtf8(std::string& out, char32_t c) {
    if (!isScalarValue(c)) c = ReplacementCharacter;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void appendUtf16(std::u16string& out, char32_t c) {
    if (!isScalarValue(c)) c = ReplacementCharacter;
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
}

std::u32string utf8ToUtf32(std::string_view text, BadText bad) {
    std::u32string out;
    out.reserve(text.size());
    walkUtf8(text, bad, [&](char32_t c) { out += c; });
    return out;
}

std::u16string utf8ToUtf16(std::string_view text, BadText bad) {
    std::u16string out;
    out.reserve(text.size());
    walkUtf8(text, bad, [&](char32_t c) { appendUtf16(out, c); });
    return out;
}

std::string utf16ToUtf8(std::u16string_view text, BadText bad) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDFFF) {
            const bool paired = c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
            if (paired) {
                c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
                ++i;
            } else {
                if (bad == BadText::Throw) badUtf16(i);
                c = ReplacementCharacter;
            }
        }
        appendUtf8(out, c);
    }
    return out;
}

std::string utf32ToUtf8(std::u32string_view text, BadText bad) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isScalarValue(text[i]) && bad == BadText::Throw)
            throw Exception("Invalid character " + codePointName(text[i]) + " at position " + std::to_string(i));
        appendUtf8(out, text[i]);
    }
    return out;
}

std::string validUtf8(std::string_view text) {
    if (isValidUtf8(text)) return std::string(text);
    std::string out;
    out.reserve(text.size() + 8);
    walkUtf8(text, BadText::Replace, [&](char32_t c) { appendUtf8(out, c); });
    return out;
}

}  // namespace lindora
