#pragma once
// A filer that streams nothing: handed to an object's defineProperties, it records the defined
// properties that can be both read and written, so that a setting can reach a property the
// object streams itself (a "hidden" property) by name.
#include <string>
#include <string_view>
#include <vector>

#include "base/Filer.h"

namespace lindora {

class Persistent;

class HiddenPropsUse : public Filer {
public:
    struct Entry {
        std::string name;
        ReadProc read;  // plain form
        WriteProc write;
        StreamProc readBytes;  // binary form
        StreamProc writeBytes;
        bool binary = false;
    };

    // Records the defined properties of `object`.
    explicit HiddenPropsUse(Persistent& object);
    HiddenPropsUse() = default;

    void defineProperty(const std::string& name, ReadProc read, WriteProc write, bool hasData) override;
    void defineBinaryProperty(const std::string& name, StreamProc read, StreamProc write, bool hasData) override;
    void flushBuffer() override {}

    const std::vector<Entry>& entries() const { return entries_; }
    // By name ignoring ASCII case; null when the object has no such property.
    const Entry* find(std::string_view name) const;
    // Whether the latest property recorded came from the binary form.
    bool Binary() const { return !entries_.empty() && entries_.back().binary; }

private:
    std::vector<Entry> entries_;
};

}  // namespace lindora
