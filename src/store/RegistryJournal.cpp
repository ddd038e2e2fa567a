#include "store/RegistryJournal.h"

namespace lindora {

bool RegistryChange::applyTo(RegistryKey& root) const {
    switch (kind) {
    case Kind::CreateKey: {
        bool created = false;
        root.create(path, &created);
        return created;
    }
    case Kind::SetValue: root.create(path).setValue(value); return true;
    case Kind::DeleteValue: {
        RegistryKey* key = root.find(path);
        return key && key->deleteValue(value.name);
    }
    case Kind::DeleteKey:
    case Kind::DeleteKeyTree: {
        if (path.empty()) return false;  // the root itself cannot be deleted
        KeyPath parentPath(path.begin(), path.end() - 1);
        RegistryKey* parent = root.find(parentPath);
        RegistryKey* key = parent ? parent->findSubKey(path.back()) : nullptr;
        if (!key) return false;
        if (kind == Kind::DeleteKey && !key->subKeys().empty()) {
            key->clearValues();
            return true;
        }
        return parent->removeSubKey(path.back());
    }
    }
    return false;
}

void RegistryJournal::replayOn(RegistryKey& root) const {
    for (const auto& change : changes_) change.applyTo(root);
}

}  // namespace lindora
