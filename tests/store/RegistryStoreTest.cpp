// Saving merges this process's changes into what other processes saved meanwhile. Two stores on
// one file stand for two processes here; RegistryConcurrencyTest runs real ones.
#include <gtest/gtest.h>

#include "RegistryFixture.h"
#include "store/RegistryStore.h"

namespace lindora {
namespace {

using test::readText;
using test::writeText;

class RegistryStoreTest : public test::RegistryFixture {
protected:
    std::unique_ptr<RegistryStore> open() {
        return std::make_unique<RegistryStore>(userFile(), RegistryStore::Access::ReadWrite,
                                               [this](const std::string& m) { diagnostics.push_back(m); });
    }
    static KeyPath path(const char* text) { return *parseKeyPath(text); }
    static std::string text(RegistryStore& store, const char* key, const char* name) {
        auto v = store.value(path(key), name);
        return v ? v->text() : "<missing>";
    }
};

TEST_F(RegistryStoreTest, ConcurrentSavesKeepEachOthersChanges) {
    writeText(userFile(), "[K]\n\"shared\"=\"old\"\n\"doomed\"=\"x\"\n");
    auto a = open(), b = open();
    ASSERT_TRUE(a->keyExists(path("K")));
    ASSERT_TRUE(b->keyExists(path("K")));

    a->setValue(path("K"), RegistryValue::string("fromA", "a"));
    a->deleteValue(path("K"), "doomed");
    b->createKey(path("K\\B"));
    b->setValue(path("K\\B"), RegistryValue::string("fromB", "b"));
    b->setValue(path("K"), RegistryValue::string("shared", "new"));
    a->flush();
    b->flush();

    auto c = open();
    EXPECT_EQ(text(*c, "K", "fromA"), "a");
    EXPECT_EQ(text(*c, "K\\B", "fromB"), "b");
    EXPECT_EQ(text(*c, "K", "shared"), "new");
    EXPECT_EQ(text(*c, "K", "doomed"), "<missing>");
    EXPECT_TRUE(*c->snapshot() == *b->snapshot()) << "after saving, a store holds the merged file";
}

TEST_F(RegistryStoreTest, ADeletedKeyThatGainedSubkeysElsewhereKeepsThem) {
    writeText(userFile(), "[Form\\btn]\n\"Down\"=\"True\"\n");
    auto a = open(), b = open();
    ASSERT_TRUE(a->keyExists(path("Form\\btn")));
    ASSERT_TRUE(b->keyExists(path("Form\\btn")));

    b->setValue(path("Form\\btn"), RegistryValue::string("Other", "kept"));
    b->createKey(path("Form\\btn\\Deeper"));
    b->setValue(path("Form\\btn\\Deeper"), RegistryValue::string("Value", "kept too"));
    b->flush();

    EXPECT_TRUE(a->deleteKey(path("Form\\btn"), RegistryStore::DeleteMode::RefuseIfSubKeys));
    a->flush();
    EXPECT_EQ(text(*a, "Form\\btn\\Deeper", "Value"), "kept too");
    EXPECT_EQ(text(*a, "Form\\btn", "Down"), "<missing>") << "the key's own values go";
    EXPECT_EQ(text(*a, "Form\\btn", "Other"), "<missing>");
}

TEST_F(RegistryStoreTest, RefreshTakesInOtherSavesWithPendingChangesOnTop) {
    auto a = open(), b = open();
    a->createKey(path("K"));
    a->setValue(path("K"), RegistryValue::string("v", "mine"));
    b->createKey(path("K"));
    b->setValue(path("K"), RegistryValue::string("v", "theirs"));
    b->setValue(path("K"), RegistryValue::string("w", "theirs"));
    b->flush();

    a->refresh();
    EXPECT_EQ(text(*a, "K", "w"), "theirs");
    EXPECT_EQ(text(*a, "K", "v"), "mine") << "unsaved changes stay on top";
    EXPECT_TRUE(a->hasPendingChanges());
}

TEST_F(RegistryStoreTest, AFailedSaveRaisesAndKeepsTheChangesPending) {
    std::filesystem::create_directory(folder / "blocked.reg");
    RegistryStore store(folder / "blocked.reg", RegistryStore::Access::ReadWrite,
                        [this](const std::string& m) { diagnostics.push_back(m); });
    store.createKey(path("K"));
    EXPECT_THROW(store.flush(), ERegistryException);
    EXPECT_TRUE(store.hasPendingChanges());
    EXPECT_TRUE(std::filesystem::is_directory(folder / "blocked.reg"));
}

TEST_F(RegistryStoreTest, SavingRemovesTemporariesLeftByADeadWriter) {
    writeText(folder / "user.reg.tmp-999-0", "half a file");
    writeText(folder / "other.txt", "unrelated");
    auto store = open();
    store->createKey(path("K"));
    store->flush();
    EXPECT_EQ(folderEntries(), (std::vector<std::string>{"other.txt", "user.reg", "user.reg.lock"}));
}

TEST_F(RegistryStoreTest, ADamagedFileAppearingLaterDoesNotLoseWhatIsKnown) {
    writeText(userFile(), "[K]\n\"v\"=\"good\"\n");
    auto store = open();
    ASSERT_EQ(text(*store, "K", "v"), "good");
    writeText(userFile(), "[K\n");
    store->refresh();
    EXPECT_EQ(text(*store, "K", "v"), "good");
    ASSERT_EQ(diagnostics.size(), 1u);
    store->setValue(path("K"), RegistryValue::string("w", "new"));
    store->flush();
    auto reread = open();
    EXPECT_EQ(text(*reread, "K", "v"), "good");
    EXPECT_EQ(text(*reread, "K", "w"), "new");
}

}  // namespace
}  // namespace lindora
