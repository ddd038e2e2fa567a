#include "settings/HiddenPropsUse.h"

#include "base/Persistent.h"
#include "base/TextUtil.h"

namespace lindora {

HiddenPropsUse::HiddenPropsUse(Persistent& object) { object.defineProperties(*this); }

void HiddenPropsUse::defineProperty(const std::string& name, ReadProc read, WriteProc write, bool) {
    if (read && write) entries_.push_back({name, std::move(read), std::move(write), {}, {}, false});
}

void HiddenPropsUse::defineBinaryProperty(const std::string& name, StreamProc read, StreamProc write, bool) {
    if (read && write) entries_.push_back({name, {}, {}, std::move(read), std::move(write), true});
}

const HiddenPropsUse::Entry* HiddenPropsUse::find(std::string_view name) const {
    for (const Entry& e : entries_)
        if (sameText(e.name, name)) return &e;
    return nullptr;
}

}  // namespace lindora
