#pragma once
// One registry store kept in one file (see RegistryFileFormat.h).
//
// The store reads its file on first use and keeps the tree in memory. Changes apply to memory
// at once and are recorded in a journal; flush() writes them: under an exclusive lock on
// "<file>.lock" it reads the file as it is now, replays the journal on it and replaces the file
// atomically (temporary file in the same folder, fsync, rename). Two processes saving at once
// therefore lose nothing. The file is created with mode 0600 and its folder, when the store
// creates it, with 0700. refresh() takes in what other processes saved since.
//
// A file that cannot be parsed is renamed to "<file>.corrupt-<UTC time>" and reported through
// the diagnostic handler; the store then starts empty. A read-only store never touches its file.
//
// A batch (RegistryBatch.h) holds back the saves Registry objects ask for at key closes, so that
// a save cycle replaces the file once; batches belong to the thread that opened them.
//
// Thread-safe; Registry objects on top of it are not.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "store/AtomicFile.h"
#include "store/RegistryJournal.h"
#include "store/RegistryKey.h"

namespace lindora {

class RegistryStore {
public:
    enum class Access { ReadWrite, ReadOnly };
    enum class DeleteMode { RefuseIfSubKeys, WholeTree };

    RegistryStore(std::filesystem::path file, Access access, RegistryDiagnosticHandler diagnostics = {});
    // Saves what is still pending; a failure then goes to the diagnostic handler.
    ~RegistryStore();
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    const std::filesystem::path& file() const { return file_; }
    bool readOnly() const { return access_ == Access::ReadOnly; }
    void setDiagnosticHandler(RegistryDiagnosticHandler handler);

    bool keyExists(const KeyPath& path);
    std::optional<RegistryValue> value(const KeyPath& path, std::string_view name);
    std::vector<std::string> valueNames(const KeyPath& path);
    std::vector<std::string> subKeyNames(const KeyPath& path);
    bool hasSubKeys(const KeyPath& path);
    // A copy of the whole tree, for inspection.
    std::unique_ptr<RegistryKey> snapshot();

    // Changes. On a read-only store they change nothing and return false.
    bool createKey(const KeyPath& path);                      // true when the key exists afterwards
    bool setValue(const KeyPath& path, RegistryValue value);  // false when the key does not exist
    bool deleteValue(const KeyPath& path, std::string_view name);
    bool deleteKey(const KeyPath& path, DeleteMode mode);  // false when missing or refused

    bool hasPendingChanges();
    // Writes pending changes merged into the file on disk. Raises ERegistryException when the
    // file cannot be written; the changes then stay pending.
    void flush();
    // What closing a written key asks for: flush() now, or at the end of the calling thread's
    // outermost batch when one is open.
    void flushOrDefer();
    // Reads the file again when another process has replaced it; pending changes stay on top.
    void refresh();

    // Batches of the calling thread; they nest. endBatch() reports whether it ended the
    // outermost one, which its caller then saves. RegistryBatch pairs them.
    void beginBatch();
    bool endBatch();
    // How many times this store has replaced its file.
    uint64_t fileWrites();

private:
    std::filesystem::path file_;
    Access access_;
    RegistryDiagnosticHandler diagnostics_;
    std::mutex mutex_;
    std::unique_ptr<RegistryKey> root_;  // null until first use
    RegistryJournal journal_;
    FileStamp stamp_;  // the version of the file root_ is based on
    // Set when the file turned out damaged after loading and was set aside: until the next
    // save, the tree held here is the best record there is.
    bool ownTreeIsBase_ = false;
    // Open batches per thread, with their nesting depth.
    std::vector<std::pair<std::thread::id, int>> batches_;
    uint64_t fileWrites_ = 0;

    std::filesystem::path lockFile() const;
    void ensureLoaded();  // callers hold mutex_
    void loadLocked();
    void reloadIfChanged();
    // The file's tree (empty when there is no file), or null when it is damaged; under the
    // lock a damaged file is set aside. Raises std::system_error when it cannot be read.
    std::unique_ptr<RegistryKey> readDisk(FileStamp& stamp, bool underLock);
    // The same for reading without a pending save: failures are reported, never raised.
    std::unique_ptr<RegistryKey> readDiskReporting(FileStamp& stamp);
    void setAside(const std::string& reason);
    void removeStaleTemporaries();
    // The calling thread's entry in batches_, or its end; callers hold mutex_.
    std::vector<std::pair<std::thread::id, int>>::iterator callersBatch();
    void report(const std::string& message);
    bool apply(RegistryChange change);
};

}  // namespace lindora
