#include "store/RegistryStore.h"

#include <algorithm>
#include <ctime>
#include <iostream>
#include <stdexcept>
#include <system_error>

#include "store/RegistryFileFormat.h"

namespace lindora {

namespace fs = std::filesystem;

RegistryStore::RegistryStore(fs::path file, Access access, RegistryDiagnosticHandler diagnostics)
    : file_(std::move(file)), access_(access), diagnostics_(std::move(diagnostics)) {}

RegistryStore::~RegistryStore() {
    try {
        flush();
    } catch (const std::exception& e) {
        report(e.what());
    }
}

void RegistryStore::setDiagnosticHandler(RegistryDiagnosticHandler handler) {
    std::lock_guard lock(mutex_);
    diagnostics_ = std::move(handler);
}

void RegistryStore::report(const std::string& message) {
    if (diagnostics_) diagnostics_(message);
    else std::cerr << "lindora: " << message << '\n';
}

fs::path RegistryStore::lockFile() const { return fs::path(file_).concat(".lock"); }

void RegistryStore::ensureLoaded() {
    if (!root_) loadLocked();
}

void RegistryStore::loadLocked() {
    FileStamp stamp;
    auto tree = readDiskReporting(stamp);
    if (!tree) stamp = stampOf(file_);  // a damaged file has been moved aside by now
    root_ = tree ? std::move(tree) : std::make_unique<RegistryKey>();
    journal_.replayOn(*root_);
    stamp_ = stamp;
}

std::unique_ptr<RegistryKey> RegistryStore::readDisk(FileStamp& stamp, bool underLock) {
    stamp = stampOf(file_);
    std::optional<std::string> text = readWholeFile(file_);
    if (!text) {
        stamp = {};
        return std::make_unique<RegistryKey>();
    }
    try {
        return parseRegistryText(*text);
    } catch (const RegistryFormatError& e) {
        if (underLock) setAside(e.what());
        else if (readOnly())
            report("the settings store " + file_.string() + " cannot be read (" + e.what() + "); it is ignored");
        return nullptr;
    }
}

std::unique_ptr<RegistryKey> RegistryStore::readDiskReporting(FileStamp& stamp) {
    try {
        auto tree = readDisk(stamp, false);
        if (!tree && !readOnly()) {
            // Damaged: look again under the lock, since a writer may have just replaced it.
            createFolders(file_.parent_path(), 0700);
            FileLock lock(lockFile());
            tree = readDisk(stamp, true);
        }
        return tree;
    } catch (const std::system_error& e) {
        // Unreadable, for example for lack of permission. Saving reports it again and never
        // replaces a file it could not read.
        report("cannot read the settings store: " + std::string(e.what()));
        return nullptr;
    }
}

void RegistryStore::setAside(const std::string& reason) {
    char when[32];
    std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    std::strftime(when, sizeof when, "%Y%m%dT%H%M%SZ", &utc);
    fs::path aside = fs::path(file_).concat(std::string(".corrupt-") + when);
    std::error_code ec;
    for (int n = 1; fs::exists(aside, ec); ++n)
        aside = fs::path(file_).concat(std::string(".corrupt-") + when + "-" + std::to_string(n));
    fs::rename(file_, aside, ec);
    if (ec)
        report("the settings store " + file_.string() + " is damaged (" + reason +
               ") and cannot be moved aside: " + ec.message());
    else
        report("the settings store " + file_.string() + " is damaged (" + reason + "); it was kept as " +
               aside.string() + " and a new store is used");
}

void RegistryStore::removeStaleTemporaries() {
    // Only writers holding the lock create temporaries, so any found now were left by a
    // process that died while saving.
    const std::string prefix = atomicTempPrefix(file_);
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(file_.parent_path(), ec)) {
        const std::string name = entry.path().filename().string();
        if (name.compare(0, prefix.size(), prefix) == 0) fs::remove(entry.path(), ec);
    }
}

void RegistryStore::reloadIfChanged() {
    if (!root_) {
        loadLocked();
        return;
    }
    if (stampOf(file_) == stamp_) return;
    FileStamp stamp;
    auto tree = readDiskReporting(stamp);
    if (!tree) {
        // Keep what we know rather than starting empty; the next save writes it back.
        stamp_ = stampOf(file_);
        ownTreeIsBase_ = true;
        return;
    }
    ownTreeIsBase_ = false;
    journal_.replayOn(*tree);
    root_ = std::move(tree);
    stamp_ = stamp;
}

std::vector<std::pair<std::thread::id, int>>::iterator RegistryStore::callersBatch() {
    const auto self = std::this_thread::get_id();
    return std::find_if(batches_.begin(), batches_.end(), [self](const auto& b) { return b.first == self; });
}

void RegistryStore::flushOrDefer() {
    {
        std::lock_guard lock(mutex_);
        if (callersBatch() != batches_.end()) return;  // the end of the batch saves
    }
    flush();
}

void RegistryStore::beginBatch() {
    std::lock_guard lock(mutex_);
    auto batch = callersBatch();
    if (batch != batches_.end()) ++batch->second;
    else batches_.emplace_back(std::this_thread::get_id(), 1);
}

bool RegistryStore::endBatch() {
    std::lock_guard lock(mutex_);
    auto batch = callersBatch();
    if (batch == batches_.end()) throw std::logic_error("a registry batch ended that was never begun");
    if (--batch->second > 0) return false;
    batches_.erase(batch);
    return true;
}

uint64_t RegistryStore::fileWrites() {
    std::lock_guard lock(mutex_);
    return fileWrites_;
}

void RegistryStore::refresh() {
    std::lock_guard lock(mutex_);
    reloadIfChanged();
}

bool RegistryStore::keyExists(const KeyPath& path) {
    std::lock_guard lock(mutex_);
    ensureLoaded();
    return root_->find(path) != nullptr;
}

std::optional<RegistryValue> RegistryStore::value(const KeyPath& path, std::string_view name) {
    std::lock_guard lock(mutex_);
    ensureLoaded();
    const RegistryKey* key = root_->find(path);
    const RegistryValue* v = key ? key->findValue(name) : nullptr;
    if (!v) return std::nullopt;
    return *v;
}

std::vector<std::string> RegistryStore::valueNames(const KeyPath& path) {
    std::lock_guard lock(mutex_);
    ensureLoaded();
    std::vector<std::string> names;
    if (const RegistryKey* key = root_->find(path))
        for (const auto& v : key->values()) names.push_back(v.name);
    return names;
}

std::vector<std::string> RegistryStore::subKeyNames(const KeyPath& path) {
    std::lock_guard lock(mutex_);
    ensureLoaded();
    std::vector<std::string> names;
    if (const RegistryKey* key = root_->find(path))
        for (const auto& k : key->subKeys()) names.push_back(k->name());
    return names;
}

bool RegistryStore::hasSubKeys(const KeyPath& path) {
    std::lock_guard lock(mutex_);
    ensureLoaded();
    const RegistryKey* key = root_->find(path);
    return key && !key->subKeys().empty();
}

std::unique_ptr<RegistryKey> RegistryStore::snapshot() {
    std::lock_guard lock(mutex_);
    ensureLoaded();
    return root_->clone();
}

bool RegistryStore::apply(RegistryChange change) {
    bool changed = change.applyTo(*root_);
    if (changed) journal_.record(std::move(change));
    return changed;
}

bool RegistryStore::createKey(const KeyPath& path) {
    std::lock_guard lock(mutex_);
    ensureLoaded();
    if (root_->find(path)) return true;
    if (readOnly()) return false;
    return apply({RegistryChange::Kind::CreateKey, path, {}});
}

bool RegistryStore::setValue(const KeyPath& path, RegistryValue value) {
    std::lock_guard lock(mutex_);
    ensureLoaded();
    if (readOnly() || !root_->find(path)) return false;
    return apply({RegistryChange::Kind::SetValue, path, std::move(value)});
}

bool RegistryStore::deleteValue(const KeyPath& path, std::string_view name) {
    std::lock_guard lock(mutex_);
    ensureLoaded();
    if (readOnly()) return false;
    RegistryValue named;
    named.name = std::string(name);
    return apply({RegistryChange::Kind::DeleteValue, path, std::move(named)});
}

bool RegistryStore::deleteKey(const KeyPath& path, DeleteMode mode) {
    std::lock_guard lock(mutex_);
    ensureLoaded();
    const RegistryKey* key = root_->find(path);
    if (readOnly() || path.empty() || !key) return false;
    if (mode == DeleteMode::RefuseIfSubKeys && !key->subKeys().empty()) return false;
    auto kind = mode == DeleteMode::WholeTree ? RegistryChange::Kind::DeleteKeyTree : RegistryChange::Kind::DeleteKey;
    return apply({kind, path, {}});
}

bool RegistryStore::hasPendingChanges() {
    std::lock_guard lock(mutex_);
    return !journal_.empty();
}

void RegistryStore::flush() {
    std::lock_guard guard(mutex_);
    if (readOnly() || journal_.empty()) return;
    try {
        createFolders(file_.parent_path(), 0700);
        FileLock lock(lockFile());
        FileStamp stamp;
        auto merged = readDisk(stamp, true);
        if (merged && !(ownTreeIsBase_ && !stamp.exists)) journal_.replayOn(*merged);
        else merged = root_->clone();  // the file was damaged: what we hold is the best there is
        removeStaleTemporaries();
        writeFileAtomically(file_, formatRegistryText(*merged), 0600);
        ++fileWrites_;
        root_ = std::move(merged);
        journal_.clear();
        ownTreeIsBase_ = false;
        stamp_ = stampOf(file_);
    } catch (const std::system_error& e) {
        throw ERegistryException("Failed to save the settings store " + file_.string() + ": " + e.what());
    }
}

}  // namespace lindora
