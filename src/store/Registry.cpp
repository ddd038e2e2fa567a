#include "store/Registry.h"

#include "store/RegistryRoots.h"

namespace lindora {

namespace {

[[noreturn]] void invalidType(const std::string& name) {
    throw ERegistryException("Invalid data type for '" + name + "'");
}

}  // namespace

Registry::Registry(RegistryRoot root) : root_(root), store_(RegistryRoots::store(root)) {}

Registry::Registry(std::shared_ptr<RegistryStore> store)
    : root_(store->readOnly() ? RegistryRoot::LocalMachine : RegistryRoot::CurrentUser), store_(std::move(store)) {}

Registry::~Registry() {
    try {
        saveIfWritten();
    } catch (const std::exception&) {
        // The store keeps the changes pending and reports a failure at its own end.
    }
}

void Registry::SetRootKey(RegistryRoot root) {
    if (root == root_) return;
    CloseKey();
    root_ = root;
    store_ = RegistryRoots::store(root);
}

void Registry::saveIfWritten() {
    if (wrote_) {
        wrote_ = false;
        store_->flushOrDefer();
    }
}

void Registry::CloseKey() {
    current_.reset();
    currentPath_.clear();
    currentWritable_ = false;
    saveIfWritten();
}

std::optional<KeyPath> Registry::resolve(const std::string& key) const {
    bool absolute = !key.empty() && key[0] == '\\';
    auto path = parseKeyPath(absolute ? std::string_view(key).substr(1) : std::string_view(key));
    if (!path) return std::nullopt;
    if (absolute || !current_) return path;
    KeyPath full = *current_;
    full.insert(full.end(), path->begin(), path->end());
    return full;
}

bool Registry::openWith(const std::string& key, bool canCreate, RegAccess access) {
    auto path = resolve(key);
    if (!path) return false;
    bool writable = access == RegAccess::ReadWrite;
    if (writable && store_->readOnly()) return false;
    store_->refresh();
    bool exists = canCreate && !key.empty() ? store_->createKey(*path) : store_->keyExists(*path);
    if (!exists) return false;

    bool relative = key.empty() || key[0] != '\\';
    std::string recorded = relative && current_ && !key.empty() ? currentPath_ + "\\" + key
                           : relative && current_               ? currentPath_
                           : relative                           ? key
                                                                : key.substr(1);
    CloseKey();
    current_ = std::move(*path);
    currentPath_ = std::move(recorded);
    currentWritable_ = writable;
    return true;
}

bool Registry::OpenKey(const std::string& key, bool canCreate) { return openWith(key, canCreate, Access); }

bool Registry::OpenKeyReadOnly(const std::string& key) { return openWith(key, false, RegAccess::Read); }

bool Registry::CreateKey(const std::string& key) {
    auto path = resolve(key);
    if (!path || path->empty() || store_->readOnly()) return false;
    bool created = !store_->keyExists(*path) && store_->createKey(*path);
    if (created) {
        wrote_ = true;
        if (!current_) saveIfWritten();  // no key stays open to be closed later
    }
    return created;
}

bool Registry::KeyExists(const std::string& key) {
    auto path = resolve(key);
    if (!path) return false;
    store_->refresh();
    return store_->keyExists(*path);
}

bool Registry::DeleteKey(const std::string& key) {
    auto path = resolve(key);
    if (!path || !store_->deleteKey(*path, RegistryStore::DeleteMode::RefuseIfSubKeys)) return false;
    wrote_ = true;
    if (!current_) saveIfWritten();
    return true;
}

bool Registry::DeleteKeyTree(const std::string& key) {
    auto path = resolve(key);
    if (!path || !store_->deleteKey(*path, RegistryStore::DeleteMode::WholeTree)) return false;
    wrote_ = true;
    if (!current_) saveIfWritten();
    return true;
}

std::optional<RegistryValue> Registry::findValue(const std::string& name) {
    return store_->value(currentOrRoot(), name);
}

bool Registry::ValueExists(const std::string& name) { return findValue(name).has_value(); }

bool Registry::DeleteValue(const std::string& name) {
    if (!currentWritable_ && current_) return false;
    if (!store_->deleteValue(currentOrRoot(), name)) return false;
    wrote_ = true;
    if (!current_) saveIfWritten();
    return true;
}

std::optional<RegDataInfo> Registry::GetDataInfo(const std::string& name) {
    auto value = findValue(name);
    if (!value) return std::nullopt;
    RegDataInfo info;
    info.RegData = dataTypeOf(value->type);
    bool terminated = value->type == RegType::String || value->type == RegType::ExpandString;
    info.DataSize = int(value->data.size()) + (terminated ? 1 : 0);
    return info;
}

int Registry::GetDataSize(const std::string& name) {
    auto info = GetDataInfo(name);
    return info ? info->DataSize : -1;
}

RegDataType Registry::GetDataType(const std::string& name) {
    auto info = GetDataInfo(name);
    return info ? info->RegData : RegDataType::rdUnknown;
}

std::vector<std::string> Registry::GetValueNames() { return store_->valueNames(currentOrRoot()); }

std::vector<std::string> Registry::GetKeyNames() { return store_->subKeyNames(currentOrRoot()); }

bool Registry::HasSubKeys() { return store_->hasSubKeys(currentOrRoot()); }

std::string Registry::ReadString(const std::string& name) {
    auto value = findValue(name);
    if (!value) return {};
    if (value->type != RegType::String && value->type != RegType::ExpandString) invalidType(name);
    return value->text();
}

int32_t Registry::ReadInteger(const std::string& name) {
    auto value = findValue(name);
    if (!value || value->type != RegType::DWord || value->data.size() != 4) invalidType(name);
    const auto& d = value->data;
    return int32_t(uint32_t(d[0]) | uint32_t(d[1]) << 8 | uint32_t(d[2]) << 16 | uint32_t(d[3]) << 24);
}

bool Registry::ReadBool(const std::string& name) { return ReadInteger(name) != 0; }

std::vector<uint8_t> Registry::ReadBinaryData(const std::string& name) {
    auto value = findValue(name);
    if (!value) return {};
    if (dataTypeOf(value->type) != RegDataType::rdBinary && dataTypeOf(value->type) != RegDataType::rdUnknown)
        invalidType(name);
    return std::move(value->data);
}

void Registry::write(RegistryValue value) {
    bool allowed = current_ ? currentWritable_ : Access == RegAccess::ReadWrite;
    if (!allowed || !store_->setValue(currentOrRoot(), value))
        throw ERegistryException("Failed to set data for '" + value.name + "'");
    wrote_ = true;
    if (!current_) saveIfWritten();
}

void Registry::WriteString(const std::string& name, const std::string& value) {
    write(RegistryValue::string(name, value));
}

void Registry::WriteInteger(const std::string& name, int32_t value) {
    write(RegistryValue::dword(name, uint32_t(value)));
}

void Registry::WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }

void Registry::WriteBinaryData(const std::string& name, std::span<const uint8_t> data) {
    write(RegistryValue::binary(name, data));
}

}  // namespace lindora
