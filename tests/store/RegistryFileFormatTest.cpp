// The store file: exact text for a small store, round trips, tolerance for hand-edited files
// and refusal of damaged ones.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "store/RegistryFileFormat.h"

namespace lindora {
namespace {

std::unique_ptr<RegistryKey> smallStore() {
    auto root = std::make_unique<RegistryKey>();
    auto& form = root->create(*parseKeyPath("Software\\Quintvel\\Lindora\\1.0\\frmMain"));
    form.setValue(RegistryValue::dword("Left", 0xed));
    const uint8_t mainForm[] = {4, 0, 0, 0, 1};
    form.setValue(RegistryValue::binary("MainForm", mainForm));
    form.setValue(RegistryValue::string("ScreenRes", "1024x768"));
    form.setValue(RegistryValue::string("", "default value"));
    form.subKey("btnAutoLogin").setValue(RegistryValue::string("Down", "True"));
    return root;
}

TEST(RegistryFileFormat, WritesTheGoldenTextOfASmallStore) {
    EXPECT_EQ(formatRegistryText(*smallStore()),
              "; Lindora settings store, version 1\n"
              "\n"
              "[Software\\Quintvel\\Lindora\\1.0\\frmMain]\n"
              "\"Left\"=dword:000000ed\n"
              "\"MainForm\"=hex:04,00,00,00,01\n"
              "\"ScreenRes\"=\"1024x768\"\n"
              "@=\"default value\"\n"
              "\n"
              "[Software\\Quintvel\\Lindora\\1.0\\frmMain\\btnAutoLogin]\n"
              "\"Down\"=\"True\"\n");
}

TEST(RegistryFileFormat, RoundTripsEscapesBinaryAndOddValues) {
    auto root = std::make_unique<RegistryKey>();
    root->setValue(RegistryValue::string("at root", "r"));
    auto& key = root->create(*parseKeyPath("Odd]Names\\with \"quotes\" and spaces"));
    key.setValue(RegistryValue::string("back\\slash \"quoted\"", "C:\\dir\\\"file\".txt"));
    key.setValue(RegistryValue::string("lines", std::string("one\ntwo\r\nthree\0four", 19)));
    key.setValue(RegistryValue::string("empty", ""));
    key.setValue(RegistryValue::string("", "default"));
    key.setValue(RegistryValue::dword("max", 0xffffffffu));
    key.setValue(RegistryValue::binary("nothing", {}));
    std::vector<uint8_t> blob(300);
    for (size_t i = 0; i < blob.size(); ++i) blob[i] = uint8_t(i * 7);
    key.setValue(RegistryValue::binary("blob", blob));
    key.setValue(RegistryValue{"expand", RegType::ExpandString, {'%', 'H', '%', 0}});
    key.setValue(RegistryValue{"code 11", RegType(11), {1, 2}});
    root->create(*parseKeyPath("Empty\\Leaf"));

    std::string text = formatRegistryText(*root);
    auto parsed = parseRegistryText(text);
    EXPECT_TRUE(*parsed == *root) << text;
    EXPECT_EQ(formatRegistryText(*parsed), text);
    EXPECT_NE(text.find("[Empty\\Leaf]\n"), std::string::npos) << "an empty key keeps its section";
    EXPECT_EQ(text.find("[Empty]"), std::string::npos) << "keys holding only keys are implied";
    EXPECT_NE(text.find("\n[]\n\"at root\"=\"r\"\n"), std::string::npos);
}

TEST(RegistryFileFormat, WrapsLongHexValuesWithinEightyColumns) {
    RegistryKey root;
    std::vector<uint8_t> blob(100, 0xab);
    root.subKey("K").setValue(RegistryValue::binary("Blob", blob));
    std::string text = formatRegistryText(root);

    std::istringstream lines(text);
    std::string line;
    int continued = 0;
    while (std::getline(lines, line)) {
        EXPECT_LE(line.size(), 80u) << line;
        if (!line.empty() && line.back() == '\\') {
            ++continued;
            EXPECT_EQ(line.substr(line.size() - 2), ",\\");
        }
    }
    EXPECT_GE(continued, 3);
    EXPECT_NE(text.find("\n  ab,ab"), std::string::npos) << "continuation lines are indented";
    EXPECT_TRUE(*parseRegistryText(text) == root);
}

TEST(RegistryFileFormat, ReadsHandEditedFiles) {
    auto root = parseRegistryText(
        "\xEF\xBB\xBF; a comment\r\n"
        "\r\n"
        "[Software\\A]\r\n"
        "  ; indented comment\r\n"
        "\"N\" = dword:ED\r\n"
        "\"B\"=hex: 01, 0A ,\\\r\n"
        "    FF\r\n"
        "[software\\a\\Sub]\r\n"
        "[SOFTWARE\\a]\r\n"
        "\"n\"=\"replaced\"\r\n");
    const RegistryKey* a = root->find({"software", "A"});
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->name(), "A");
    ASSERT_EQ(a->values().size(), 2u) << "sections and names merge ignoring case";
    EXPECT_EQ(a->values()[0], RegistryValue::string("N", "replaced"));
    EXPECT_EQ(a->values()[1].data, (std::vector<uint8_t>{0x01, 0x0a, 0xff}));
    EXPECT_NE(a->findSubKey("SUB"), nullptr);
}

TEST(RegistryFileFormat, RefusesDamagedTextNamingTheLine) {
    const struct {
        const char* text;
        const char* why;
    } cases[] = {
        {"\"x\"=\"value before any section\"\n", "a value must follow a section line"},
        {"[A\\\\B]\n", "invalid key path"},
        {"[A\n", "must end with ']'"},
        {"[A]\n\"x\"=\"unterminated\n", "missing closing"},
        {"[A]\n\"x\"=\"bad \\q escape\"\n", "unknown escape"},
        {"[A]\n\"x\"=\"text\" trailing\n", "after the string"},
        {"[A]\n\"x\"=dword:123456789\n", "one to eight hex digits"},
        {"[A]\n\"x\"=dword:zz\n", "invalid hex digit"},
        {"[A]\n\"x\"=hex:0g\n", "invalid hex byte"},
        {"[A]\n\"x\"=hex:01 02\n", "expected ','"},
        {"[A]\n\"x\"=hex:01,\\\n", "ends inside a continued hex value"},
        {"[A]\n\"x\"=hex(x):01\n", "invalid hex type"},
        {"[A]\n\"x\"=text:1\n", "unknown value type"},
        {"[A]\n\"x\"\n", "expected '='"},
        {"[A]\ngarbage\n", "expected a section, a value or a comment"},
        {"[A]\n\"\"=\"empty name\"\n", "an empty value name is written @"},
    };
    for (const auto& c : cases) {
        try {
            parseRegistryText(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const RegistryFormatError& e) {
            EXPECT_NE(std::string(e.what()).find(c.why), std::string::npos) << c.text << " -> " << e.what();
            EXPECT_EQ(std::string(e.what()).rfind("line ", 0), 0u) << e.what();
        }
    }
}

TEST(RegistryFileFormat, DamagedTextEitherParsesOrIsRefusedAndWhatParsesRoundTrips) {
    const std::string valid = formatRegistryText(*smallStore()) + "[K]\n\"b\"=hex:01,02,\\\n  03\n\"e\"=\"\\\"\\\\\"\n";
    const char alphabet[] = "[]\\\"@=:,;-xX0fF\n\r\t hexdword()";
    std::mt19937 random(7);
    int parsed = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string text = valid;
        int edits = std::uniform_int_distribution<int>(1, 4)(random);
        for (int e = 0; e < edits; ++e) {
            size_t at = std::uniform_int_distribution<size_t>(0, text.size() - 1)(random);
            char c = alphabet[std::uniform_int_distribution<size_t>(0, sizeof alphabet - 2)(random)];
            switch (random() % 3) {
            case 0: text[at] = c; break;
            case 1: text.insert(at, 1, c); break;
            default: text.erase(at, 1); break;
            }
        }
        std::unique_ptr<RegistryKey> root;
        try {
            root = parseRegistryText(text);
        } catch (const RegistryFormatError&) {
            continue;
        }
        ++parsed;
        std::string written = formatRegistryText(*root);
        EXPECT_TRUE(*parseRegistryText(written) == *root) << text;
    }
    EXPECT_GT(parsed, 100);
}

}  // namespace
}  // namespace lindora
