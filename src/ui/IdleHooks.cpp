#include "ui/IdleHooks.h"

#include <algorithm>

#include "ui/WindowSystem.h"

namespace lindora {

IdleHookId IdleHooks::add(Callback callback) {
    const IdleHookId id = nextId_++;
    hooks_.push_back({id, std::move(callback)});
    return id;
}

void IdleHooks::remove(IdleHookId id) {
    std::erase_if(hooks_, [id](const Hook& h) { return h.id == id; });
}

void IdleHooks::run(const std::function<void(const Callback&)>& invoke) {
    std::vector<IdleHookId> ids;
    ids.reserve(hooks_.size());
    for (const Hook& h : hooks_) ids.push_back(h.id);
    for (IdleHookId id : ids) {
        auto it = std::find_if(hooks_.begin(), hooks_.end(), [id](const Hook& h) { return h.id == id; });
        if (it == hooks_.end()) continue;
        // A copy: the callback may remove itself while it runs.
        const Callback callback = it->callback;
        invoke(callback);
    }
}

IdleHook& IdleHook::operator=(IdleHook&& other) noexcept {
    if (this != &other) {
        reset();
        id_ = other.id_;
        other.id_ = 0;
    }
    return *this;
}

void IdleHook::reset() {
    if (id_ == 0) return;
    WindowSystem::instance().removeIdleHook(id_);
    id_ = 0;
}

}  // namespace lindora
