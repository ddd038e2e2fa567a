// A setting bound by a dotted path: what it reads from each kind of property, what it writes
// back, and the accessors' conversions and errors.
#include <gtest/gtest.h>

#include <memory>

#include "SettingsTestClasses.h"
#include "base/StringList.h"
#include "settings/PSetting.h"
#include "settings/SettingsExceptions.h"

namespace lindora::test {
namespace {

class SettingBinding : public ::testing::Test {
protected:
    std::unique_ptr<Component> form = std::make_unique<Component>();
    StandInButton* button = nullptr;
    StandInButton* other = nullptr;

    void SetUp() override {
        form->setName("frmTest");
        button = new StandInButton(form.get());
        button->setName("btnAutoLogin");
        other = new StandInButton(form.get());
        other->setName("btnOther");
    }

    PSetting* bound(const std::string& path) {
        auto* s = new PSetting(form.get());
        s->setBoundProperty(path);
        return s;
    }
};

struct ReadCase {
    const char* path;
    PValueType kind;
    const char* text;  // for text kinds
    int integer;       // for kind 2
};

TEST_F(SettingBinding, ReadsEachPropertyKindIntoTheTaggedValue) {
    button->lines().add("one");
    button->lines().add("two words");
    button->memo = {"x"};
    const ReadCase cases[] = {
        {"btnAutoLogin.Down", pvtString, "False", 0},
        {"btnAutoLogin.Caption", pvtString, "Auto Login", 0},
        {"btnAutoLogin.Width", pvtInteger, "", 75},
        {"btnAutoLogin.HotKey", pvtInteger, "", 'A'},
        {"btnAutoLogin.Tone", pvtString, "tnPlain", 0},
        {"btnAutoLogin.Edges", pvtString, "", 0},
        {"btnAutoLogin.TagValue", pvtVariant, "", 0},
        {"btnAutoLogin.Lines", pvtStrings, "one,\"two words\"", 0},
        {"btnAutoLogin.Extent.Size", pvtInteger, "", 8},
        {"btnAutoLogin.Buddy", pvtNone, "", 0},
        {"btnAutoLogin.Memo", pvtHidden, "", 0},
        {"btnAutoLogin.Blob", pvtHidden, "", 0},
        {"btnAutoLogin.Columns", pvtCollection, "", 0},
        // the form's own name in front is dropped, compared exactly
        {"frmTest.btnAutoLogin.Width", pvtInteger, "", 75},
        {"FRMTEST.btnAutoLogin.Width", pvtNone, "", 0},
        // properties and components are found ignoring case
        {"BTNAUTOLOGIN.down", pvtString, "False", 0},
        {"btnMissing.Down", pvtNone, "", 0},
        {"btnAutoLogin.NoSuchProperty", pvtNone, "", 0},
        {"btnAutoLogin", pvtNone, "", 0},
        {"btnAutoLogin..Down", pvtNone, "", 0},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.path);
        PSetting* s = bound(c.path);
        s->refresh();
        EXPECT_EQ(s->value().Kind, c.kind);
        if (c.kind == pvtInteger) {
            EXPECT_EQ(s->value().IntValue, c.integer);
        }
        if (s->value().holdsText()) {
            EXPECT_EQ(s->value().Text, c.text);
        }
    }
}

TEST_F(SettingBinding, ReadsFloatsReferencesAndObjects) {
    button->setBuddy(other);
    PSetting* buddy = bound("btnAutoLogin.Buddy");
    EXPECT_EQ(buddy->asString(), "btnOther");
    EXPECT_EQ(buddy->value().Kind, pvtString);

    PSetting* ratio = bound("btnAutoLogin.Ratio");
    EXPECT_EQ(ratio->asFloat().toDouble(), 0.5);
    EXPECT_EQ(ratio->value().Kind, pvtFloat);

    PSetting* hidden = bound("btnAutoLogin.Memo");
    hidden->refresh();
    EXPECT_EQ(hidden->value().Object, button);
    PSetting* columns = bound("btnAutoLogin.Columns");
    columns->refresh();
    EXPECT_EQ(columns->value().Object, &button->columns());
}

TEST_F(SettingBinding, ABooleanPropertyIsTextAndSettingItTakesEffectAtOnce) {
    PSetting* s = bound("btnAutoLogin.Down");
    s->snapshot();
    EXPECT_EQ(s->defaultValue().Kind, pvtString);
    EXPECT_EQ(s->defaultValue().Text, "False");

    s->setAsString("True");
    EXPECT_TRUE(button->down());
    EXPECT_TRUE(s->asBoolean());
    EXPECT_EQ(s->value().Kind, pvtString);

    s->setAsBoolean(false);  // "False" by name
    EXPECT_FALSE(button->down());
    button->setDown(true);  // a getter reads the property first
    EXPECT_EQ(s->asString(), "True");
}

TEST_F(SettingBinding, NumericPropertiesTakeNumbersAndNumericTextOnly) {
    PSetting* width = bound("btnAutoLogin.Width");
    width->setAsString("42");
    EXPECT_EQ(button->width(), 42);
    width->setAsString("12.7");
    EXPECT_EQ(button->width(), 12);
    width->setAsFloat(-3.9);
    EXPECT_EQ(button->width(), -3);
    width->setAsString("wide");
    EXPECT_EQ(button->width(), -3);
    width->setAsBoolean(true);  // kind 4 is not among the numeric kinds
    EXPECT_EQ(button->width(), -3);

    PSetting* ratio = bound("btnAutoLogin.Ratio");
    ratio->setAsInteger(3);
    EXPECT_EQ(button->ratio(), 3.0);
    ratio->setAsString("x");
    EXPECT_EQ(button->ratio(), 3.0);
}

TEST_F(SettingBinding, EnumerationsSetsAndReferencesAreWrittenByName) {
    PSetting* tone = bound("btnAutoLogin.Tone");
    tone->setAsString("TNLOUD");
    EXPECT_EQ(button->tone(), tnLoud);
    tone->setAsString("tnNoSuchTone");  // an unknown name leaves the property alone
    EXPECT_EQ(button->tone(), tnLoud);

    PSetting* edges = bound("btnAutoLogin.Edges");
    EXPECT_EQ(edges->asString(), "");
    edges->setAsString("EDBOTTOM,edTop");
    EXPECT_EQ(button->edges(), (Edges{edTop, edBottom}));
    EXPECT_EQ(edges->asString(), "edTop,edBottom");
    edges->setAsString("edLeft,bogus");
    EXPECT_EQ(button->edges(), (Edges{edLeft}));

    PSetting* buddy = bound("btnAutoLogin.Buddy");
    buddy->setAsString("btnother");
    EXPECT_EQ(button->buddy(), other);
    buddy->setAsString("nobody");
    EXPECT_EQ(button->buddy(), other);

    PSetting* tag = bound("btnAutoLogin.TagValue");
    tag->setAsInteger(7);
    EXPECT_EQ(button->tagValue(), Variant(std::int64_t{7}));
}

TEST_F(SettingBinding, StringListsAreReplacedByListsButGainALineFromText) {
    PSetting* lines = bound("btnAutoLogin.Lines");
    StringList source({"a", "b c"});
    lines->setAsStrings(source);
    EXPECT_EQ(button->lines().lines(), (std::vector<std::string>{"a", "b c"}));
    lines->setAsStrings(source);
    EXPECT_EQ(button->lines().count(), 2);

    lines->setAsString("extra");
    lines->apply();
    EXPECT_EQ(button->lines().lines(), (std::vector<std::string>{"a", "b c", "extra", "extra"}));
}

TEST_F(SettingBinding, AUnresolvedPathReadsEmptyAndWritesNothing) {
    PSetting* s = bound("btnMissing.Down");
    s->setAsString("True");
    EXPECT_FALSE(button->down());
    EXPECT_EQ(s->asString(), "");
    EXPECT_EQ(s->value().Kind, pvtNone);
}

// Getters by kind, on a setting without a bound property.
TEST(SettingAccessors, ConvertEveryKindOrRaiseTheFixedMessage) {
    PSetting s;
    EXPECT_FALSE(s.asBoolean());
    EXPECT_EQ(s.asInteger(), 0);
    EXPECT_EQ(s.asString(), "");
    EXPECT_EQ(s.asVariant(), Variant(std::string()));

    s.setAsString("12.7");
    EXPECT_EQ(s.asInteger(), 12);
    EXPECT_EQ(s.asFloat().toDouble(), 12.7);
    s.setAsString("-12.7");
    EXPECT_EQ(s.asInteger(), -12);
    s.setAsString("letters");
    EXPECT_EQ(s.asInteger(), 0);
    EXPECT_EQ(s.asFloat().toDouble(), 0.0);
    s.setAsString("true");
    EXPECT_FALSE(s.asBoolean());  // only "True" exactly
    s.setAsString("1e12");
    EXPECT_EQ(s.asInteger(), 2147483647);  // saturates instead of overflowing

    s.setAsInteger(-5);
    EXPECT_TRUE(s.asBoolean());
    EXPECT_EQ(s.asString(), "-5");
    EXPECT_EQ(s.asFloat().toDouble(), -5.0);
    EXPECT_EQ(s.asVariant(), Variant(std::int64_t{-5}));

    s.setAsFloat(2.75);
    EXPECT_EQ(s.asInteger(), 2);
    EXPECT_EQ(s.asString(), "2.75");
    EXPECT_EQ(s.asVariant(), Variant(2.75));

    s.setAsBoolean(true);
    EXPECT_EQ(s.asInteger(), 1);
    EXPECT_EQ(s.asFloat().toDouble(), 1.0);
    EXPECT_EQ(s.asString(), "True");
    EXPECT_EQ(s.asVariant(), Variant(true));

    s.setAsVariant(Variant(3.5));
    EXPECT_EQ(s.value().Kind, pvtVariant);
    EXPECT_EQ(s.asString(), "3.5");
    EXPECT_EQ(s.asInteger(), 3);

    s.setAsDateTime(1.5);
    EXPECT_EQ(s.value().Kind, pvtDateTime);
    EXPECT_EQ(s.asFloat().toDouble(), 1.5);
    EXPECT_EQ(s.asDateTime(), 1.5);
    EXPECT_EQ(s.asString(), "1899-12-31 12:00:00");
    try {
        s.asBoolean();
        FAIL();
    } catch (const EPSettingException& e) {
        EXPECT_STREQ(e.what(), "TPSetting.AsBoolean cannot convert from TDateTime type");
    }
    try {
        s.asInteger();
        FAIL();
    } catch (const EPSettingException& e) {
        EXPECT_STREQ(e.what(), "TPSetting.AsInteger cannot convert from TDateTime type");
    }

    s.setAsStrings(StringList({"a", "b"}));
    EXPECT_EQ(s.asString(), "a,b");
    StringList out({"old"});
    s.asStrings(out);
    EXPECT_EQ(out.lines(), (std::vector<std::string>{"a", "b"}));
    const std::pair<std::function<void()>, const char*> stringsErrors[] = {
        {[&] { s.asBoolean(); }, "TPSetting.AsBoolean cannot convert from TStrings type"},
        {[&] { s.asInteger(); }, "TPSetting.AsInteger cannot convert from TStrings type"},
        {[&] { s.asFloat(); }, "TPSetting.AsFloat cannot convert from TStrings type"},
    };
    for (const auto& [call, message] : stringsErrors) {
        try {
            call();
            ADD_FAILURE() << message;
        } catch (const EPSettingException& e) {
            EXPECT_STREQ(e.what(), message);
        }
    }
}

TEST_F(SettingBinding, HiddenPropertiesAndCollectionsRefuseTheAccessors) {
    PSetting* s = bound("btnAutoLogin.Memo");
    s->refresh();
    StringList list;
    const std::function<void()> getters[] = {
        [&] { s->asBoolean(); }, [&] { s->asInteger(); }, [&] { s->asFloat(); },
        [&] { s->asString(); },  [&] { s->asVariant(); }, [&] { s->asStrings(list); },
    };
    for (const auto& get : getters) {
        try {
            get();
            ADD_FAILURE();
        } catch (const EPSettingException& e) {
            EXPECT_STREQ(e.what(), "Cannot use GetAs functions with collections or hidden properties");
        }
    }
    PSetting* c = bound("btnAutoLogin.Columns");
    c->refresh();
    try {
        c->setAsInteger(1);
        FAIL();
    } catch (const EPSettingException& e) {
        EXPECT_STREQ(e.what(), "Cannot use SetAs functions with collections or hidden properties");
    }
    EXPECT_EQ(c->value().Kind, pvtCollection);  // unchanged by the refused setter
}

TEST(SettingNames, UniqueNameReplacesEverythingButLettersAndDigits) {
    PSetting s;
    s.setBoundProperty("btnAutoLogin.Down");
    EXPECT_EQ(s.uniqueName(), "btnAutoLogin_Down");
    s.setSettingName("x-1 ä");
    EXPECT_EQ(s.uniqueName(), "btnAutoLogin_Downx_1___");
}

}  // namespace
}  // namespace lindora::test
