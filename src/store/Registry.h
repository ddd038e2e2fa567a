#pragma once
// The key API over a store, in the shape of the classic registry class: choose a root, open a
// key (the current key), then read, write, list and delete its values.
//
// Paths: a leading "\" makes a path absolute (from the root); otherwise it is relative to the
// current key, or to the root when no key is open. Names compare ignoring ASCII case.
//
// Saving: writes change the shared store in memory. Closing a key this object wrote to (CloseKey,
// opening another key, changing the root, destruction) saves the store's pending changes to
// its file; so do changes made while no key is open (CreateKey, DeleteKey). Inside a batch of
// the calling thread (RegistryBatch.h) these saves wait for the batch's end. A failed save
// raises ERegistryException from CloseKey; in the destructor it is swallowed and the changes
// stay pending until the store's next save or its end, which reports a failure.
// Opening a key takes in what other processes saved since the store was read.
//
// Access: keys open for reading and writing by default. The machine-wide store is read-only, so
// OpenKey there fails until Access is Read or OpenKeyReadOnly is used, as it does for users
// without administrative rights on the classic platform.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "store/RegistryStore.h"

namespace lindora {

enum class RegAccess { Read, ReadWrite };

struct RegDataInfo {
    RegDataType RegData = RegDataType::rdUnknown;
    int DataSize = 0;
};

class Registry {
public:
    explicit Registry(RegistryRoot root = RegistryRoot::CurrentUser);
    // A registry over a given store instead of a root's (tests, tools).
    explicit Registry(std::shared_ptr<RegistryStore> store);
    virtual ~Registry();
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    RegistryRoot RootKey() const { return root_; }
    void SetRootKey(RegistryRoot root);  // closes the current key
    RegAccess Access = RegAccess::ReadWrite;

    bool HasCurrentKey() const { return current_.has_value(); }
    // The path of the current key as it was opened, without a leading "\".
    const std::string& CurrentPath() const { return currentPath_; }
    RegistryStore& Store() const { return *store_; }

    // Opens a key and makes it current; with canCreate, missing keys along the path are created.
    virtual bool OpenKey(const std::string& key, bool canCreate);
    bool OpenKeyReadOnly(const std::string& key);
    void CloseKey();

    // Creates a key without opening it.
    bool CreateKey(const std::string& key);
    bool KeyExists(const std::string& key);
    // Deletes a key with its values. Refused (false) while the key has subkeys, so that values
    // kept below it by others are never lost by accident; DeleteKeyTree removes everything.
    bool DeleteKey(const std::string& key);
    bool DeleteKeyTree(const std::string& key);

    // Values of the current key. The empty name is the key's default value.
    bool ValueExists(const std::string& name);
    bool DeleteValue(const std::string& name);
    std::optional<RegDataInfo> GetDataInfo(const std::string& name);
    // Size in bytes, counting a string's terminating zero as the classic platform does; -1 when
    // the value does not exist.
    int GetDataSize(const std::string& name);
    RegDataType GetDataType(const std::string& name);
    std::vector<std::string> GetValueNames();
    std::vector<std::string> GetKeyNames();
    bool HasSubKeys();

    // Reads raise ERegistryException("Invalid data type for '<name>'") for a value of another
    // type. ReadString and ReadBinaryData give an empty result for a missing value;
    // ReadInteger and ReadBool raise.
    std::string ReadString(const std::string& name);
    int32_t ReadInteger(const std::string& name);
    bool ReadBool(const std::string& name);
    std::vector<uint8_t> ReadBinaryData(const std::string& name);

    // Writes raise ERegistryException("Failed to set data for '<name>'") when the store refuses:
    // no writable key is open, or the key has been deleted meanwhile.
    void WriteString(const std::string& name, const std::string& value);
    void WriteInteger(const std::string& name, int32_t value);
    void WriteBool(const std::string& name, bool value);
    void WriteBinaryData(const std::string& name, std::span<const uint8_t> data);

protected:
    // Resolves a path as OpenKey does; nullopt for an invalid path.
    std::optional<KeyPath> resolve(const std::string& key) const;
    bool openWith(const std::string& key, bool canCreate, RegAccess access);

private:
    RegistryRoot root_;
    std::shared_ptr<RegistryStore> store_;
    std::optional<KeyPath> current_;
    std::string currentPath_;
    bool currentWritable_ = false;
    bool wrote_ = false;

    KeyPath currentOrRoot() const { return current_ ? *current_ : KeyPath{}; }
    std::optional<RegistryValue> findValue(const std::string& name);
    void write(RegistryValue value);
    void saveIfWritten();
};

}  // namespace lindora
