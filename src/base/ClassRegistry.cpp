#include "base/ClassRegistry.h"

#include <algorithm>

#include "base/ClassInfo.h"
#include "base/Exception.h"
#include "base/TextUtil.h"

namespace lindora {

ClassRegistry& ClassRegistry::instance() {
    static ClassRegistry registry;
    return registry;
}

void ClassRegistry::registerClass(const ClassInfo& info) {
    const ClassInfo* existing = find(info.name());
    if (existing == &info) return;
    if (existing) throw EComponentError("A class named " + info.name() + " is already registered");
    classes_.push_back(&info);
}

void ClassRegistry::unregisterClass(const ClassInfo& info) {
    classes_.erase(std::remove(classes_.begin(), classes_.end(), &info), classes_.end());
}

bool ClassRegistry::isRegistered(const ClassInfo& info) const {
    return std::find(classes_.begin(), classes_.end(), &info) != classes_.end();
}

const ClassInfo* ClassRegistry::find(std::string_view name) const {
    for (const ClassInfo* c : classes_)
        if (sameText(c->name(), name)) return c;
    return nullptr;
}

const ClassInfo& ClassRegistry::get(std::string_view name) const {
    const ClassInfo* c = find(name);
    if (!c) throw EClassNotFound("Class " + std::string(name) + " not found");
    return *c;
}

ClassRegistration::ClassRegistration(std::initializer_list<const ClassInfo*> classes) {
    auto& registry = ClassRegistry::instance();
    try {
        for (const ClassInfo* c : classes) {
            if (registry.isRegistered(*c)) continue;
            registry.registerClass(*c);
            added_.push_back(c);
        }
    } catch (...) {
        for (const ClassInfo* c : added_) registry.unregisterClass(*c);
        throw;
    }
}

ClassRegistration::~ClassRegistration() {
    for (const ClassInfo* c : added_) ClassRegistry::instance().unregisterClass(*c);
}

}  // namespace lindora
