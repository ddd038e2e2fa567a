// The stored form of settings: key paths and names, the bytes of each value kind, the extended
// number, and the scrambling of encrypted values.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

#include "SettingsFixture.h"
#include "settings/PRegistry.h"
#include "settings/RegisteredOrganization.h"
#include "settings/SettingKeyPath.h"
#include "settings/SettingValueLayout.h"
#include "settings/ValueScrambler.h"
#include "store/Registry.h"

namespace lindora {
namespace {

using Bytes = std::vector<uint8_t>;

StoredValue make(PValueType kind) {
    StoredValue v;
    v.kind = kind;
    return v;
}
StoredValue text(PValueType kind, std::string t) {
    StoredValue v = make(kind);
    v.text = std::move(t);
    return v;
}
StoredValue integer(int32_t i) {
    StoredValue v = make(pvtInteger);
    v.intValue = i;
    return v;
}
StoredValue number(PValueType kind, double f) {
    StoredValue v = make(kind);
    v.floatValue = Extended::fromDouble(f);
    return v;
}
StoredValue boolean(bool b) {
    StoredValue v = make(pvtBoolean);
    v.boolValue = b;
    return v;
}
StoredValue payload(PValueType kind, Bytes p) {
    StoredValue v = make(kind);
    v.payload = std::move(p);
    return v;
}

TEST(SettingKeyPath, BuildsBaseKeysLocationsAndNames) {
    EXPECT_EQ(settingsBaseKeyPath("Quintvel", "Lindora", "1.0", "frmMain"),
              "Software\\Quintvel\\Lindora\\1.0\\frmMain");
    EXPECT_EQ(settingsBaseKeyPath("", "", "", "frmMain"), "Software\\frmMain");
    EXPECT_EQ(settingsBaseKeyPath("", "Lindora", "", "AppSettings"), "Software\\Lindora\\AppSettings");

    const std::string base = "Software\\Q\\frmMain";
    EXPECT_EQ(settingLocation(base, "", "btnAutoLogin.Down"), (SettingLocation{base + "\\btnAutoLogin", "Down"}));
    EXPECT_EQ(settingLocation(base, "Left", "ignored.Path"), (SettingLocation{base, "Left"}));
    EXPECT_EQ(settingLocation(base, "", "Caption"), (SettingLocation{base, "Caption"}));
    EXPECT_EQ(settingLocation(base, "", "a.b.c"), (SettingLocation{base + "\\a\\b", "c"}));

    EXPECT_EQ(settingUniqueName("btnAutoLogin.Down", ""), "btnAutoLogin_Down");
    EXPECT_EQ(settingUniqueName("", "Left"), "Left");
    EXPECT_EQ(settingUniqueName("a.b", "n-1"), "a_bn_1");
    EXPECT_EQ(settingUniqueName("\xC3\xA9", ""), "__");

    EXPECT_EQ(restartValueName("Lindora", "Quintvel"), "PSLINDORAQUINTVEL");
    EXPECT_EQ(restartValueName("My App 2", "Some Very Long Company"), "PSMYAPPSOMEVERYLONGC");
}

TEST(SettingValueLayout, ExtendedNumbersPassThroughByteForByte) {
    // Encodings no arithmetic produces (signalling NaN, unnormal, pseudo-denormal, -0) are kept.
    const Bytes numbers[] = {
        {0x01, 0, 0, 0, 0, 0, 0, 0x80, 0xff, 0x7f},
        {0, 0, 0, 0, 0, 0, 0, 0x40, 0x00, 0x40},
        {0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0x00},
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80},
        {0xcd, 0xcc, 0xcc, 0xcc, 0xcc, 0xcc, 0xcc, 0xcc, 0xfb, 0x3f},
    };
    for (const Bytes& n : numbers) {
        for (uint8_t kind : {uint8_t(pvtFloat), uint8_t(pvtDateTime)}) {
            Bytes stored = {kind, 0, 0, 0};
            stored.insert(stored.end(), n.begin(), n.end());
            auto value = decodeBinaryValue(stored);
            ASSERT_TRUE(value);
            EXPECT_EQ(encodeStoredValue(*value).data, stored);
            auto unscrambled = unscrambleStoredValue(scrambleStoredValue(*value, "Key"), "Key");
            ASSERT_TRUE(unscrambled);
            EXPECT_EQ(unscrambled->floatValue.bytes(), value->floatValue.bytes());
        }
    }
}

TEST(SettingValueLayout, EncodesEachKindToItsGoldenBytes) {
    const struct {
        StoredValue value;
        RegType type;
        Bytes bytes;
    } cases[] = {
        {make(pvtNone), RegType::None, {}},
        {text(pvtString, "True"), RegType::String, {'T', 'r', 'u', 'e'}},
        {integer(237), RegType::DWord, {0xed, 0, 0, 0}},
        {integer(-1), RegType::DWord, {0xff, 0xff, 0xff, 0xff}},
        {number(pvtFloat, 1.0), RegType::Binary, {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xff, 0x3f}},
        {number(pvtDateTime, 2.5), RegType::Binary, {5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xa0, 0x00, 0x40}},
        {boolean(true), RegType::Binary, {4, 0, 0, 0, 1}},
        {boolean(false), RegType::Binary, {4, 0, 0, 0, 0}},
        {text(pvtVariant, "ab"), RegType::Binary, {6, 0, 0, 0, 2, 0, 0, 0, 'a', 'b'}},
        {text(pvtStrings, ""), RegType::Binary, {7, 0, 0, 0, 0, 0, 0, 0}},
        {payload(pvtHidden, {9, 8}), RegType::Binary, {8, 0, 0, 0, 9, 8}},
        {payload(pvtCollection, {1, 0}), RegType::Binary, {9, 0, 0, 0, 1, 0}},
        {make(PValueType(10)), RegType::None, {}},
    };
    for (const auto& c : cases) {
        EncodedValue encoded = encodeStoredValue(c.value);
        EXPECT_EQ(encoded.type, c.type) << int(c.value.kind);
        EXPECT_EQ(encoded.data, c.bytes) << int(c.value.kind);
        if (c.type == RegType::Binary) {
            EXPECT_EQ(decodeBinaryValue(encoded.data), c.value) << int(c.value.kind);
        }
    }
}

TEST(SettingValueLayout, DecodingShortOrUnknownDataGivesNothing) {
    const Bytes cases[] = {
        {},                                  // no kind
        {4, 0, 0},                           // short kind
        {4, 0, 0, 0},                        // Boolean without its byte
        {3, 0, 0, 0, 1, 2, 3},               // float short of ten bytes
        {7, 0, 0, 0, 5, 0, 0, 0, 'a', 'b'},  // text shorter than its length
        {6, 0, 0, 0, 0xff, 0xff, 0xff, 0xff},
        {1, 0, 0, 0, 0, 0, 0, 0},  // a binary value never holds a plain string
        {2, 0, 0, 0, 1, 0, 0, 0},
        {0, 0, 0, 0},
        {10, 0, 0, 0},
    };
    for (const auto& bytes : cases) EXPECT_FALSE(decodeBinaryValue(bytes).has_value()) << bytes.size();
    EXPECT_EQ(decodeBinaryValue(Bytes{7, 0, 0, 0, 0, 0, 0, 0, 'x'}), text(pvtStrings, "")) << "a zero length is empty";
}

TEST(ValueScrambler, FollowsTheModulo255RunningSum) {
    const Bytes plain{1, 2, 3};
    EXPECT_EQ(scrambleBytes(plain, "ab", 10), (Bytes{10, 0x61 ^ 11, 0x62 ^ 13, 0x61 ^ 16}));
    EXPECT_EQ(scrambleBytes(Bytes{10}, "ab", 250), (Bytes{250, 0x61 ^ 5})) << "the sum wraps at 255";
    EXPECT_EQ(unscrambleBytes(Bytes{10, 0x61 ^ 11, 0x62 ^ 13, 0x61 ^ 16}, "ab"), plain);
    EXPECT_TRUE(unscrambleBytes(Bytes{}, "ab").empty());
}

TEST(ValueScrambler, KeepsPlainByte255ApartFromZero) {
    const Bytes plain{255, 0, 255, 255, 7, 0};
    Bytes scrambled = scrambleBytes(plain, "key", 200);
    EXPECT_NE(scrambled[1], scrambled[2]);
    EXPECT_EQ(unscrambleBytes(scrambled, "key"), plain);
    EXPECT_EQ(unscrambleBytes(scrambleBytes(plain, "", 255), ""), plain) << "an empty key text still round trips";
}

TEST(ValueScrambler, EveryKindRoundTripsAndAWrongKeyFailsTheCheck) {
    const std::string key = "btnAutoLogin_Down";
    const StoredValue values[] = {
        text(pvtString, "True"),
        integer(-1),
        integer(123456),
        number(pvtFloat, -0.125),
        number(pvtDateTime, 45678.25),
        boolean(true),
        text(pvtVariant, std::string(255, 'v')),
        text(pvtStrings, "a,\"b c\""),
        payload(pvtHidden, {0xff, 0, 1}),
        payload(pvtCollection, {1, 0xff}),
    };
    for (const auto& value : values) {
        Bytes block = encodePlainBlock(value);
        Bytes stored = scrambleBytes(block, key, 77);
        EXPECT_EQ(stored.size(), block.size() + 1);
        EXPECT_EQ(unscrambleStoredValue(stored, key), value) << int(value.kind);
        EXPECT_FALSE(unscrambleStoredValue(stored, "xtnAutoLogin_Down").has_value()) << int(value.kind);
        Bytes damaged = stored;
        damaged[3] ^= 0x40;
        EXPECT_FALSE(unscrambleStoredValue(damaged, key).has_value()) << int(value.kind);
    }
    EXPECT_EQ(encodePlainBlock(integer(7)), (Bytes{5, 0, 0, 0, 'T', 'P', 'S', 'O', 'K', 2, 0, 0, 0, 7, 0, 0, 0}));
    EXPECT_EQ(scrambleStoredValue(integer(7), key).size(), 4u + 14u) << "the payload's length plus 14";
    EXPECT_FALSE(unscrambleStoredValue(scrambleStoredValue(make(pvtNone), key), key).has_value());
}

class SettingValueStorageTest : public test::SettingsStoreFixture {};

TEST_F(SettingValueStorageTest, ValuesRoundTripThroughTheRegistry) {
    const StoredValue values[] = {text(pvtString, "True"), integer(-7),
                                  number(pvtFloat, 2.5),   boolean(true),
                                  text(pvtStrings, "a,b"), payload(pvtCollection, {1, 2})};
    Registry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\T", true));
    for (size_t i = 0; i < std::size(values); ++i) {
        writeStoredValue(reg, "plain" + std::to_string(i), values[i]);
        writeScrambledValue(reg, "secret" + std::to_string(i), values[i], "Key_" + std::to_string(i));
    }
    writeStoredValue(reg, "none", make(pvtNone));
    reg.CloseKey();

    RegistryRoots::reset();
    Registry again;
    ASSERT_TRUE(again.OpenKey("Software\\T", false));
    EXPECT_FALSE(again.ValueExists("none"));
    for (size_t i = 0; i < std::size(values); ++i) {
        EXPECT_EQ(readStoredValue(again, "plain" + std::to_string(i)), values[i]) << i;
        EXPECT_EQ(again.GetDataType("secret" + std::to_string(i)), RegDataType::rdBinary);
        EXPECT_EQ(readScrambledValue(again, "secret" + std::to_string(i), "Key_" + std::to_string(i)), values[i]);
        EXPECT_EQ(readScrambledValue(again, "secret" + std::to_string(i), "Wrong"), make(pvtNone))
            << "a wrong key clears the value";
    }
    EXPECT_FALSE(readStoredValue(again, "missing").has_value());
    EXPECT_FALSE(readScrambledValue(again, "missing", "Key").has_value());
    EXPECT_THROW(readScrambledValue(again, "plain0", "Key_0"), ERegistryException)
        << "a string where scrambled bytes belong is a read error the restore swallows";
}

TEST_F(SettingValueStorageTest, TheMainWindowsSettingsGiveTheGoldenFile) {
    const std::string base = settingsBaseKeyPath("Quintvel", "Lindora", "1.0", "frmMain");
    PRegistry reg;
    SettingLocation autoLogin = settingLocation(base, "", "btnAutoLogin.Down");
    ASSERT_TRUE(reg.OpenKey("\\" + autoLogin.keyPath, true));
    writeStoredValue(reg, autoLogin.valueName, text(pvtString, "True"));
    reg.CloseKey();

    ASSERT_TRUE(reg.OpenKey(base, true));
    const std::pair<const char*, int32_t> placement[] = {{"Left", 237}, {"Top", 100}, {"Width", 800}, {"Height", 600}};
    for (const auto& [name, v] : placement) writeStoredValue(reg, name, integer(v));
    writeStoredValue(reg, "MainForm", boolean(true));
    writeStoredValue(reg, "State", integer(0));
    writeStoredValue(reg, "ScreenRes", text(pvtString, "1024x768"));
    writeStoredValue(reg, "MRUList", text(pvtStrings, ""));
    reg.CloseKey();

    EXPECT_EQ(test::readText(userFile()),
              "; Lindora settings store, version 1\n"
              "\n"
              "[Software\\Quintvel\\Lindora\\1.0\\frmMain]\n"
              "\"Left\"=dword:000000ed\n"
              "\"Top\"=dword:00000064\n"
              "\"Width\"=dword:00000320\n"
              "\"Height\"=dword:00000258\n"
              "\"MainForm\"=hex:04,00,00,00,01\n"
              "\"State\"=dword:00000000\n"
              "\"ScreenRes\"=\"1024x768\"\n"
              "\"MRUList\"=hex:07,00,00,00,00,00,00,00\n"
              "\n"
              "[Software\\Quintvel\\Lindora\\1.0\\frmMain\\btnAutoLogin]\n"
              "\"Down\"=\"True\"\n");
}

TEST_F(SettingValueStorageTest, TheSettingsRegistryFallsBackToReadingTheMachineStore) {
    test::writeText(machineFile(),
                    "[SOFTWARE\\Microsoft\\Windows\\CurrentVersion]\n"
                    "\"RegisteredOrganization\"=\"Example Org\"\n");
    PRegistry settingsRegistry(RegistryRoot::LocalMachine);
    EXPECT_TRUE(settingsRegistry.OpenKey("\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion", false))
        << "full access is refused; reading is not";
    EXPECT_FALSE(settingsRegistry.OpenKey("SOFTWARE\\Other", true));
    EXPECT_EQ(registeredOrganization(), "Example Org");
}

TEST_F(SettingValueStorageTest, RegisteredOrganizationIsEmptyWhenAbsentDamagedOrNotAString) {
    EXPECT_EQ(registeredOrganization(), "");
    test::writeText(machineFile(),
                    "[SOFTWARE\\Microsoft\\Windows\\CurrentVersion]\n"
                    "\"RegisteredOrganization\"=dword:00000001\n");
    RegistryRoots::reset();
    EXPECT_EQ(registeredOrganization(), "");
    test::writeText(machineFile(), "not a store\n");
    RegistryRoots::reset();
    EXPECT_EQ(registeredOrganization(), "");
}

}  // namespace
}  // namespace lindora
