#include "base/Utf8.h"

#include <gtest/gtest.h>

#include <cctype>

#include "base/Exception.h"

namespace lindora {
namespace {

struct Utf8Case {
    const char* name;
    std::string bytes;
    std::u32string replaced;  // what BadText::Replace reads
    bool valid;
};

// Replacement follows the standard's maximal ill-formed parts: a lead byte that cannot start a
// sequence, or a sequence cut short, is one U+FFFD; the byte that broke it starts afresh.
const Utf8Case utf8Cases[] = {
    {"empty", "", U"", true},
    {"ascii", "Login", U"Login", true},
    {"two bytes", "\xC3\xA9", U"\u00E9", true},
    {"three bytes", "\xE2\x82\xAC", U"\u20AC", true},
    {"four bytes", "\xF0\x9F\x98\x80", U"\U0001F600", true},
    {"highest two, three, four", "\xDF\xBF\xEF\xBF\xBF\xF4\x8F\xBF\xBF", U"\u07FF\uFFFF\U0010FFFF", true},
    {"lowest two, three, four", "\xC2\x80\xE0\xA0\x80\xF0\x90\x80\x80", U"\u0080\u0800\U00010000", true},
    {"last before surrogates, first after", "\xED\x9F\xBF\xEE\x80\x80", U"\uD7FF\uE000", true},
    {"overlong nul", std::string("\xC0\x80", 2), U"\uFFFD\uFFFD", false},
    {"overlong slash, two bytes", "\xC1\xAF", U"\uFFFD\uFFFD", false},
    {"overlong three bytes", "\xE0\x80\xAF", U"\uFFFD\uFFFD\uFFFD", false},
    {"overlong four bytes", "\xF0\x80\x80\xAF", U"\uFFFD\uFFFD\uFFFD\uFFFD", false},
    {"high surrogate encoded", "\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD", false},
    {"low surrogate encoded", "\xED\xBF\xBF", U"\uFFFD\uFFFD\uFFFD", false},
    {"pair of surrogates encoded", "\xED\xA0\xBD\xED\xB8\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD", false},
    {"above U+10FFFF", "\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD", false},
    {"five-byte lead", "\xF8\x88\x80\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD", false},
    {"lone continuation", "a\x80z", U"a\uFFFDz", false},
    {"truncated two at end", "a\xC3", U"a\uFFFD", false},
    {"truncated three at end", "a\xE2\x82", U"a\uFFFD", false},
    {"truncated four at end", "a\xF0\x9F\x98", U"a\uFFFD", false},
    {"truncated before ascii", "\xE2\x82z", U"\uFFFDz", false},
    {"truncated before a lead", "\xE2\xC3\xA9", U"\uFFFD\u00E9", false},
    {"byte FF", "\xFF", U"\uFFFD", false},
};

class Utf8Table : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8Table, DecodesValidTextAndReplacesOrRefusesTheRest) {
    const Utf8Case& c = GetParam();
    EXPECT_EQ(isValidUtf8(c.bytes), c.valid);
    EXPECT_EQ(utf8ToUtf32(c.bytes, BadText::Replace), c.replaced);
    if (c.valid) {
        EXPECT_EQ(utf8ToUtf32(c.bytes, BadText::Throw), c.replaced);
        // Encoding gives back the same bytes, in every form.
        EXPECT_EQ(utf32ToUtf8(c.replaced, BadText::Throw), c.bytes);
        EXPECT_EQ(utf16ToUtf8(utf8ToUtf16(c.bytes, BadText::Throw), BadText::Throw), c.bytes);
        EXPECT_EQ(validUtf8(c.bytes), c.bytes);
    } else {
        EXPECT_THROW(utf8ToUtf32(c.bytes, BadText::Throw), Exception);
        EXPECT_THROW(utf8ToUtf16(c.bytes, BadText::Throw), Exception);
        // The repaired text is well-formed and reads as the replaced text.
        const std::string repaired = validUtf8(c.bytes);
        EXPECT_TRUE(isValidUtf8(repaired));
        EXPECT_EQ(utf8ToUtf32(repaired, BadText::Throw), c.replaced);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Utf8Table, ::testing::ValuesIn(utf8Cases),
                         [](const ::testing::TestParamInfo<Utf8Case>& info) {
                             std::string name;
                             for (char ch : std::string(info.param.name))
                                 name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             return name;
                         });

TEST(Utf8, StepLengthsStopBeforeTheByteThatBrokeTheSequence) {
    // A caller walking text by steps (the accelerator underline) never swallows a valid character.
    const std::string text =
        "\xE2\x82"
        "A\xC3\xA9";
    EXPECT_EQ(decodeUtf8At(text, 0).length, 2u);
    EXPECT_FALSE(decodeUtf8At(text, 0).valid);
    EXPECT_EQ(decodeUtf8At(text, 2).codePoint, U'A');
    EXPECT_EQ(decodeUtf8At(text, 3).length, 2u);
    EXPECT_EQ(decodeUtf8At(text, 3).codePoint, U'\u00E9');
}

struct Utf16Case {
    const char* name;
    std::u16string units;
    std::string replaced;
    bool valid;
};

const Utf16Case utf16Cases[] = {
    {"basic", u"Caf\u00E9 \u20AC", "Caf\xC3\xA9 \xE2\x82\xAC", true},
    {"pair", u"\U0001F600", "\xF0\x9F\x98\x80", true},
    {"pair at both ends", u"\U00010000x\U0010FFFF", "\xF0\x90\x80\x80x\xF4\x8F\xBF\xBF", true},
    {"lone high at end", std::u16string(u"a") + char16_t(0xD83D), "a\xEF\xBF\xBD", false},
    {"lone high before text", std::u16string(1, char16_t(0xD83D)) + u"a",
     "\xEF\xBF\xBD"
     "a",
     false},
    {"lone low", std::u16string(1, char16_t(0xDE00)) + u"a",
     "\xEF\xBF\xBD"
     "a",
     false},
    {"low before high", std::u16string{char16_t(0xDE00), char16_t(0xD83D)}, "\xEF\xBF\xBD\xEF\xBF\xBD", false},
    {"two highs then low", std::u16string{char16_t(0xD83D), char16_t(0xD83D), char16_t(0xDE00)},
     "\xEF\xBF\xBD\xF0\x9F\x98\x80", false},
};

TEST(Utf16, PairsSurrogatesAndReplacesOrRefusesUnpairedOnes) {
    for (const Utf16Case& c : utf16Cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(utf16ToUtf8(c.units, BadText::Replace), c.replaced);
        if (c.valid) {
            EXPECT_EQ(utf16ToUtf8(c.units, BadText::Throw), c.replaced);
            EXPECT_EQ(utf8ToUtf16(c.replaced, BadText::Throw), c.units);
        } else {
            EXPECT_THROW(utf16ToUtf8(c.units, BadText::Throw), Exception);
        }
    }
}

TEST(Utf32, CodePointsThatAreNoCharactersAreReplacedOrRefused) {
    const std::u32string bad[] = {std::u32string(1, char32_t(0xD800)), std::u32string(1, char32_t(0xDFFF)),
                                  std::u32string(1, char32_t(0x110000)), std::u32string(1, char32_t(0xFFFFFFFF))};
    for (const auto& text : bad) {
        EXPECT_EQ(utf32ToUtf8(text, BadText::Replace), "\xEF\xBF\xBD");
        EXPECT_THROW(utf32ToUtf8(text, BadText::Throw), Exception);
        std::u16string units;
        appendUtf16(units, text[0]);
        EXPECT_EQ(units, u"\uFFFD");
    }
}

}  // namespace
}  // namespace lindora
