// Saving and restoring single settings: the exact bytes of every value kind, scrambled values,
// removing unchanged values, and what a restore does with odd stored data.
#include <gtest/gtest.h>

#include <memory>

#include "SettingsFixture.h"
#include "SettingsTestClasses.h"
#include "settings/PRegistry.h"
#include "settings/PSetting.h"
#include "settings/SettingStorage.h"
#include "settings/ValueScrambler.h"

namespace lindora::test {
namespace {

using Bytes = std::vector<uint8_t>;

const std::string kBase = "Software\\Quintvel\\Lindora\\1.0\\frmTest";

class SettingStorage : public SettingsStoreFixture {
protected:
    std::unique_ptr<Component> form = std::make_unique<Component>();
    StandInButton* button = nullptr;

    void SetUp() override {
        SettingsStoreFixture::SetUp();
        form->setName("frmTest");
        button = new StandInButton(form.get());
        button->setName("btnAutoLogin");
    }

    PSetting* bound(const std::string& path) {
        auto* s = new PSetting(form.get());
        s->setBoundProperty(path);
        s->snapshot();
        return s;
    }
    PSetting* named(const std::string& name) {
        auto* s = new PSetting(form.get());
        s->setSettingName(name);
        return s;
    }
    void save(PSetting& s, bool force) {
        PRegistry r;
        saveSetting(r, kBase, s, force);
    }
    void restore(PSetting& s) {
        PRegistry r;
        restoreSetting(r, kBase, s);
    }
};

struct LayoutCase {
    const char* name;
    std::function<void(PSetting&)> set;
    Bytes bytes;
};

TEST_F(SettingStorage, EveryBinaryKindHasItsExactBytes) {
    const LayoutCase cases[] = {
        {"Float", [](PSetting& s) { s.setAsFloat(1.5); }, {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x3F}},
        {"DateTime", [](PSetting& s) { s.setAsDateTime(2.0); }, {5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0x40}},
        {"NegativeFloat",
         [](PSetting& s) { s.setAsFloat(-0.75); },
         {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFE, 0xBF}},
        {"MainForm", [](PSetting& s) { s.setAsBoolean(true); }, {4, 0, 0, 0, 1}},
        {"Off", [](PSetting& s) { s.setAsBoolean(false); }, {4, 0, 0, 0, 0}},
        {"Variant", [](PSetting& s) { s.setAsVariant(Variant("ab")); }, {6, 0, 0, 0, 2, 0, 0, 0, 'a', 'b'}},
        {"MRUList", [](PSetting& s) { s.setAsStrings(StringList()); }, {7, 0, 0, 0, 0, 0, 0, 0}},
        {"Files",
         [](PSetting& s) {
             s.setAsStrings(StringList({"a b", "c"}));
         },
         {7, 0, 0, 0, 7, 0, 0, 0, '"', 'a', ' ', 'b', '"', ',', 'c'}},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        PSetting* s = named(c.name);
        c.set(*s);
        save(*s, false);
        EXPECT_EQ(typeAt(kBase, c.name), RegDataType::rdBinary);
        EXPECT_EQ(binaryAt(kBase, c.name), c.bytes);
    }
}

TEST_F(SettingStorage, StringsAndIntegersUseTheirOwnRegistryTypes) {
    PSetting* down = bound("btnAutoLogin.Down");
    save(*down, true);
    Registry r;
    ASSERT_TRUE(r.OpenKeyReadOnly(kBase + "\\btnAutoLogin"));
    EXPECT_EQ(r.GetDataType("Down"), RegDataType::rdString);
    EXPECT_EQ(r.ReadString("Down"), "False");

    PSetting* left = named("Left");
    left->setAsInteger(-1234567);
    save(*left, false);
    ASSERT_TRUE(r.OpenKeyReadOnly("\\" + kBase));
    EXPECT_EQ(r.GetDataType("Left"), RegDataType::rdInteger);
    EXPECT_EQ(r.ReadInteger("Left"), -1234567);

    PSetting* empty = named("Nothing");
    save(*empty, true);  // kind 0 writes nothing
    EXPECT_FALSE(valueExists(kBase, "Nothing"));
}

TEST_F(SettingStorage, StoredNumbersComeBackByteForByteAfterARestore) {
    // Extended encodings that no double holds: the setting keeps and writes them unchanged.
    const Bytes stored[] = {
        {3, 0, 0, 0, 0x01, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F},                    // a signalling NaN
        {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x40, 0x00, 0x40},                       // an unnormal
        {5, 0, 0, 0, 0x01, 0, 0, 0, 0, 0, 0, 0x80, 0x0E, 0x40},                    // 2^15 + 2^-48: a date-time
        {3, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x3E, 0x40},  // 2^64 - 1
    };
    for (const Bytes& bytes : stored) {
        {
            PRegistry r;
            ASSERT_TRUE(r.OpenKey("\\" + kBase, true));
            r.WriteBinaryData("Number", bytes);
        }
        PSetting* s = named("Number");
        restore(*s);
        ASSERT_EQ(s->value().Kind, bytes[0]);
        save(*s, false);
        EXPECT_EQ(binaryAt(kBase, "Number"), bytes);
    }
}

TEST_F(SettingStorage, AnEmptyValueOpensItsKeyAndAnEncryptedOneKeepsItsHeaderOnlyBlock) {
    PSetting* nowhere = bound("lstNowhere.Items");  // resolves to nothing: an empty value
    ASSERT_EQ(nowhere->value().Kind, pvtNone);
    save(*nowhere, true);
    EXPECT_TRUE(keyExists(kBase + "\\lstNowhere")) << "the key is opened with creation";
    EXPECT_FALSE(valueExists(kBase + "\\lstNowhere", "Items")) << "with nothing written";

    PSetting* secret = named("Secret");
    secret->setEncrypted(true);
    save(*secret, true);
    const Bytes stored = binaryAt(kBase, "Secret");
    ASSERT_EQ(stored.size(), 14u) << "the payload's length (0) plus 14";
    EXPECT_EQ(unscrambleBytes(stored, "Secret"), (Bytes{5, 0, 0, 0, 'T', 'P', 'S', 'O', 'K', 0, 0, 0, 0}));

    secret->setAsInteger(7);
    restore(*secret);
    EXPECT_EQ(secret->value().Kind, pvtNone) << "the header-only block restores as empty";
}

TEST_F(SettingStorage, HiddenPropertiesAndCollectionsStreamTheirObjects) {
    button->memo = {"x"};
    button->blob = {0xAA, 0xBB};
    auto* col = static_cast<Column*>(button->columns().add());
    col->setCaption("Name");
    col->setWidth(120);

    PSetting* memo = bound("btnAutoLogin.Memo");
    PSetting* blob = bound("btnAutoLogin.Blob");
    PSetting* columns = bound("btnAutoLogin.Columns");
    for (PSetting* s : {memo, blob, columns}) save(*s, false);  // these kinds always count as changed
    const std::string key = kBase + "\\btnAutoLogin";
    EXPECT_EQ(binaryAt(key, "Memo"), (Bytes{8, 0, 0, 0, 1, 7, 1, 0, 0, 0, 'x', 0}));
    EXPECT_EQ(binaryAt(key, "Blob"), (Bytes{8, 0, 0, 0, 0xAA, 0xBB}));
    Bytes stored = binaryAt(key, "Columns");
    ASSERT_GE(stored.size(), 5u);
    EXPECT_EQ(Bytes(stored.begin(), stored.begin() + 5), (Bytes{9, 0, 0, 0, 14}));

    button->memo.clear();
    button->blob.clear();
    button->columns().clear();
    for (PSetting* s : {memo, blob, columns}) restore(*s);
    EXPECT_EQ(button->memo, (std::vector<std::string>{"x"}));
    EXPECT_EQ(button->blob, (Bytes{0xAA, 0xBB}));
    ASSERT_EQ(button->columns().count(), 1);
    EXPECT_EQ(static_cast<Column*>(button->columns().item(0))->caption(), "Name");
    EXPECT_EQ(static_cast<Column*>(button->columns().item(0))->width(), 120);
}

TEST_F(SettingStorage, ScrambledValuesFollowTheRunningSumAndCheckTheirKey) {
    // The plain block of True: "TPSOK" with its length, the kind, one byte.
    const Bytes plain = {5, 0, 0, 0, 'T', 'P', 'S', 'O', 'K', 4, 0, 0, 0, 1};
    const std::string key = "btnAutoLogin_Down";
    const uint8_t seed = 0x2A;
    Bytes expected = {seed};
    unsigned b = seed;
    for (size_t j = 0; j < plain.size(); ++j) {
        b = (b + plain[j]) % 255;
        expected.push_back(uint8_t(key[j % key.size()] ^ b));
    }
    const Bytes scrambled = scrambleBytes(plain, key, seed);
    ASSERT_EQ(scrambled, expected);
    EXPECT_EQ(scrambled.size(), 1u + 14u);  // payload plus 14

    PRegistry r;
    ASSERT_TRUE(r.OpenKey("\\" + kBase + "\\btnAutoLogin", true));
    r.WriteBinaryData("Down", scrambled);
    r.CloseKey();

    PSetting* right = bound("btnAutoLogin.Down");
    right->setEncrypted(true);
    restore(*right);
    EXPECT_TRUE(button->down());
    EXPECT_EQ(right->value().Kind, pvtBoolean);

    // A setting whose unique name differs reads the same bytes with another key: the check fails.
    button->setDown(false);
    auto* wrong = new PSetting(form.get());
    wrong->setBoundProperty("frmTest.btnAutoLogin.Down");  // same key, another key text
    wrong->setEncrypted(true);
    restore(*wrong);
    EXPECT_EQ(wrong->value().Kind, pvtNone);
    EXPECT_FALSE(button->down());
}

TEST_F(SettingStorage, EncryptedSavesDifferEachTimeAndReadBackTheSameValue) {
    PSetting* s = named("Secret");
    s->setEncrypted(true);
    s->setAsString("pass word");
    save(*s, true);
    Bytes first = binaryAt(kBase, "Secret");
    EXPECT_EQ(first.size(), 4u + 9u + 14u);
    Bytes second;
    // A fresh seed each time: a few tries all but rule out equal seeds by chance.
    for (int i = 0; i < 8 && (second.empty() || second == first); ++i) {
        save(*s, true);
        second = binaryAt(kBase, "Secret");
    }
    EXPECT_NE(first, second);

    for (const Bytes& stored : {first, second}) {
        PRegistry r;
        ASSERT_TRUE(r.OpenKey("\\" + kBase, true));
        r.WriteBinaryData("Secret", stored);
        r.CloseKey();
        PSetting* back = named("Secret");
        back->setEncrypted(true);
        restore(*back);
        EXPECT_EQ(back->value().Kind, pvtString);
        EXPECT_EQ(back->asString(), "pass word");
    }

    // Integers of -1 hold the byte 255, which the sum alone cannot carry.
    PSetting* minus = named("Minus");
    minus->setEncrypted(true);
    minus->setAsInteger(-1);
    save(*minus, true);
    PSetting* back = named("Minus");
    back->setEncrypted(true);
    restore(*back);
    EXPECT_EQ(back->asInteger(), -1);
}

TEST_F(SettingStorage, UnchangedValuesAreRemovedWithTheirEmptyKeyButNotAKeyWithSubkeys) {
    PSetting* down = bound("btnAutoLogin.Down");
    save(*down, true);
    ASSERT_TRUE(valueExists(kBase + "\\btnAutoLogin", "Down"));

    save(*down, false);  // unchanged from its default: removed, and the now empty key too
    EXPECT_FALSE(keyExists(kBase + "\\btnAutoLogin"));
    EXPECT_TRUE(keyExists(kBase));

    // A longer path keeps a value in a subkey of "btnAutoLogin".
    button->extent().setSize(12);
    PSetting* size = bound("btnAutoLogin.Extent.Size");
    button->extent().setSize(14);
    save(*size, false);
    save(*down, true);
    save(*down, false);
    EXPECT_FALSE(valueExists(kBase + "\\btnAutoLogin", "Down"));
    EXPECT_TRUE(keyExists(kBase + "\\btnAutoLogin"));
    EXPECT_TRUE(valueExists(kBase + "\\btnAutoLogin\\Extent", "Size"));

    // A changed value is written even without force.
    button->setDown(true);
    save(*down, false);
    EXPECT_TRUE(valueExists(kBase + "\\btnAutoLogin", "Down"));
}

TEST_F(SettingStorage, AStoredStringIsConvertedForAnIntegerProperty) {
    PRegistry r;
    ASSERT_TRUE(r.OpenKey("\\" + kBase + "\\btnAutoLogin", true));
    r.WriteString("Width", "142");
    r.WriteInteger("Down", 1);  // an integer for a Boolean: not a name, ignored
    r.CloseKey();
    PSetting* width = bound("btnAutoLogin.Width");
    PSetting* down = bound("btnAutoLogin.Down");
    restore(*width);
    restore(*down);
    EXPECT_EQ(width->value().Kind, pvtString);
    EXPECT_EQ(button->width(), 142);
    EXPECT_FALSE(button->down());
}

TEST_F(SettingStorage, UnreadableDataIsIgnoredButAPropertyErrorStopsTheRestore) {
    PRegistry r;
    ASSERT_TRUE(r.OpenKey("\\" + kBase + "\\btnAutoLogin", true));
    r.WriteBinaryData("Ratio", Bytes{3, 0, 0, 0, 1, 2});               // too short for a float
    r.WriteBinaryData("Caption", Bytes{7, 0, 0, 0, 9, 0, 0, 0, 'a'});  // text shorter than its length
    r.WriteString("Tone", "tnLoud");
    r.WriteInteger("HotKey", 300);  // beyond a character
    r.CloseKey();

    PSetting* ratio = bound("btnAutoLogin.Ratio");
    PSetting* caption = bound("btnAutoLogin.Caption");
    PSetting* tone = bound("btnAutoLogin.Tone");
    PSetting* missing = bound("btnAutoLogin.Width");
    restore(*ratio);
    restore(*caption);
    restore(*tone);
    restore(*missing);
    EXPECT_EQ(button->ratio(), 0.5);
    EXPECT_EQ(button->caption(), "Auto Login");
    EXPECT_EQ(button->tone(), tnLoud);
    EXPECT_EQ(button->width(), 75);

    PSetting* hotKey = bound("btnAutoLogin.HotKey");
    EXPECT_THROW(restore(*hotKey), EPropertyError);
    EXPECT_EQ(button->hotKey(), 'A');
}

TEST_F(SettingStorage, AWriteTheStoreRefusesRaisesItsError) {
    PSetting* s = named("Left");
    s->setAsInteger(1);
    PRegistry machine(RegistryRoot::LocalMachine);
    try {
        saveSetting(machine, kBase, *s, true);
        FAIL();
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'Left'");
    }
}

TEST_F(SettingStorage, SettingsSuppliedByApplicationSettingsAreNeverStored) {
    PSetting* s = bound("btnAutoLogin.Down");
    s->setRelAppSetting("AutoLogin");
    button->setDown(true);
    save(*s, true);
    EXPECT_FALSE(keyExists(kBase));
}

}  // namespace
}  // namespace lindora::test
