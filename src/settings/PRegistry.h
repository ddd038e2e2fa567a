#pragma once
// The registry the settings components open keys with: it asks for full access and, when only
// reading is wanted and full access is refused (the read-only machine-wide store), falls back
// to opening the key for reading.
#include "store/Registry.h"

namespace lindora {

class PRegistry : public Registry {
public:
    using Registry::Registry;

    // A leading "\" makes key absolute; otherwise it is relative to the current key. With
    // canCreate and a non-empty key, missing keys are created.
    bool OpenKey(const std::string& key, bool canCreate) override;
};

}  // namespace lindora
