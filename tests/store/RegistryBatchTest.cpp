// Batches: the keys a save cycle writes and closes reach the file in one save at the end of the
// outermost batch, with every guarantee of a single save (merge, mode, failure kept pending).
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <stdexcept>
#include <thread>

#include "RegistryFixture.h"
#include "store/Registry.h"
#include "store/RegistryBatch.h"
#include "store/RegistryStore.h"

namespace lindora {
namespace {

class RegistryBatchTest : public test::RegistryFixture {
protected:
    std::shared_ptr<RegistryStore> user() { return RegistryRoots::store(RegistryRoot::CurrentUser); }

    // What the file holds now, read as another process would.
    std::string onDisk(const KeyPath& key, const char* name) {
        RegistryStore disk(userFile(), RegistryStore::Access::ReadOnly,
                           [this](const std::string& m) { diagnostics.push_back(m); });
        auto v = disk.value(key, name);
        return v ? v->text() : "<missing>";
    }

    // Writes one value into its own key and closes it, as a setting's save does.
    static void writeKey(Registry& reg, const std::string& key, const std::string& name, const std::string& value) {
        ASSERT_TRUE(reg.OpenKey("\\" + key, true));
        reg.WriteString(name, value);
        reg.CloseKey();
    }
};

TEST_F(RegistryBatchTest, KeysClosedInABatchAreSavedOnceAtItsEndMergedWithOtherSaves) {
    auto store = user();
    {
        RegistryBatch batch(RegistryRoot::CurrentUser);
        Registry reg;
        writeKey(reg, "Software\\App\\frmMain\\btnAutoLogin", "Down", "True");
        writeKey(reg, "Software\\App\\frmMain", "ScreenRes", "1024x768");
        ASSERT_TRUE(reg.OpenKey("\\Software\\App\\frmMain", false));
        EXPECT_EQ(reg.ReadString("ScreenRes"), "1024x768") << "reads in the batch see its changes";
        reg.CloseKey();
        EXPECT_TRUE(reg.DeleteKey("\\Software\\App\\frmMain\\btnAutoLogin")) << "a delete with no key open";

        // Another process saves while the batch is open.
        RegistryStore other(userFile(), RegistryStore::Access::ReadWrite);
        other.createKey({"Software", "Other"});
        other.setValue({"Software", "Other"}, RegistryValue::string("Theirs", "kept"));
        other.flush();

        EXPECT_EQ(store->fileWrites(), 0u);
        EXPECT_EQ(onDisk({"Software", "App", "frmMain"}, "ScreenRes"), "<missing>");
        batch.commit();
    }
    EXPECT_EQ(store->fileWrites(), 1u);
    EXPECT_FALSE(store->hasPendingChanges());
    EXPECT_EQ(onDisk({"Software", "App", "frmMain"}, "ScreenRes"), "1024x768");
    EXPECT_EQ(onDisk({"Software", "App", "frmMain", "btnAutoLogin"}, "Down"), "<missing>");
    EXPECT_EQ(onDisk({"Software", "Other"}, "Theirs"), "kept");
    struct stat st {};
    ASSERT_EQ(::stat(userFile().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(folderEntries(), (std::vector<std::string>{"user.reg", "user.reg.lock"}));
    EXPECT_TRUE(diagnostics.empty());
}

TEST_F(RegistryBatchTest, NestedBatchesSaveOnceAtTheOutermostEnd) {
    auto store = user();
    RegistryBatch outer(store);
    Registry reg;
    {
        RegistryBatch inner(RegistryRoot::CurrentUser);
        writeKey(reg, "Software\\A", "v", "1");
        inner.commit();
    }
    {
        RegistryBatch inner(store);  // ended by its destructor alone
        writeKey(reg, "Software\\B", "v", "2");
    }
    EXPECT_EQ(store->fileWrites(), 0u);
    EXPECT_TRUE(store->hasPendingChanges());
    outer.commit();
    EXPECT_EQ(store->fileWrites(), 1u);
    EXPECT_EQ(onDisk({"Software", "A"}, "v"), "1");
    EXPECT_EQ(onDisk({"Software", "B"}, "v"), "2");

    outer.commit();  // a second end changes nothing
    writeKey(reg, "Software\\C", "v", "3");
    EXPECT_EQ(store->fileWrites(), 2u) << "after the batch, closing a key saves at once again";
}

TEST_F(RegistryBatchTest, AnExceptionInsideABatchStillSavesWhatWasChanged) {
    auto store = user();
    try {
        RegistryBatch batch(store);
        Registry reg;
        writeKey(reg, "Software\\App", "Before", "saved");
        ASSERT_TRUE(reg.OpenKey("\\Software\\App\\Open", true));
        reg.WriteString("Unclosed", "saved too");
        throw std::runtime_error("a handler failed");
    } catch (const std::runtime_error&) {}
    EXPECT_EQ(store->fileWrites(), 1u);
    EXPECT_FALSE(store->hasPendingChanges());
    EXPECT_EQ(onDisk({"Software", "App"}, "Before"), "saved");
    EXPECT_EQ(onDisk({"Software", "App", "Open"}, "Unclosed"), "saved too");
}

TEST_F(RegistryBatchTest, AFailedSaveAtTheEndKeepsTheChangesForTheNextSave) {
    // A folder where the file should be: saving cannot replace it.
    std::filesystem::create_directory(userFile());
    auto store = user();
    Registry reg;
    {
        RegistryBatch batch(store);
        writeKey(reg, "Software\\App", "v", "1");
        EXPECT_THROW(batch.commit(), ERegistryException);
    }
    EXPECT_TRUE(store->hasPendingChanges());
    try {
        RegistryBatch batch(store);
        writeKey(reg, "Software\\App", "w", "2");
        throw std::runtime_error("a handler failed");
    } catch (const std::runtime_error&) {
        // The batch's own failed save is not raised over this exception.
    }
    EXPECT_TRUE(store->hasPendingChanges());
    EXPECT_EQ(store->fileWrites(), 0u);

    std::filesystem::remove(userFile());
    store->flush();
    EXPECT_EQ(onDisk({"Software", "App"}, "v"), "1");
    EXPECT_EQ(onDisk({"Software", "App"}, "w"), "2");
}

TEST_F(RegistryBatchTest, ABatchDefersOnlyItsOwnThreadsSaves) {
    auto store = user();
    RegistryBatch batch(store);
    Registry mine;
    writeKey(mine, "Software\\Mine", "v", "batched");
    std::thread([&] {
        Registry theirs;
        writeKey(theirs, "Software\\Theirs", "v", "at once");
    }).join();
    EXPECT_EQ(store->fileWrites(), 1u) << "the other thread's key close saved";
    EXPECT_EQ(onDisk({"Software", "Theirs"}, "v"), "at once");
    batch.commit();
    EXPECT_EQ(onDisk({"Software", "Mine"}, "v"), "batched");
}

}  // namespace
}  // namespace lindora
