#pragma once
// The changes a process made to a store since it last read the file. Saving replays them on
// the file as it is on disk at that moment, so changes other processes saved meanwhile stay.
#include <vector>

#include "store/RegistryKey.h"

namespace lindora {

struct RegistryChange {
    enum class Kind {
        CreateKey,
        SetValue,
        DeleteValue,
        DeleteKey,      // refused while the key holds subkeys
        DeleteKeyTree,  // the key with everything below it
    };
    Kind kind;
    KeyPath path;
    RegistryValue value;  // SetValue: the value; DeleteValue: only its name

    // Applies the change to a tree and reports whether it changed anything. SetValue creates
    // the keys along its path. DeleteKey on a key that has gained subkeys removes only the
    // key's values, so that keys written by others are never lost with it.
    bool applyTo(RegistryKey& root) const;
};

class RegistryJournal {
public:
    void record(RegistryChange change) { changes_.push_back(std::move(change)); }
    void replayOn(RegistryKey& root) const;
    bool empty() const { return changes_.empty(); }
    void clear() { changes_.clear(); }
    size_t size() const { return changes_.size(); }

private:
    std::vector<RegistryChange> changes_;
};

}  // namespace lindora
