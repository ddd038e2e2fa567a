#include "ui/WindowTable.h"

#include <algorithm>

namespace lindora {

WindowHandle WindowTable::add(Window* w) {
    const WindowHandle h = nextHandle_;
    nextHandle_ += 4;
    windows_[h] = w;
    return h;
}

Window* WindowTable::find(WindowHandle h) const {
    if (h == 0) return nullptr;
    auto it = windows_.find(h);
    return it == windows_.end() ? nullptr : it->second;
}

bool WindowTable::isTopLevel(const Window* w) const {
    return std::find(zOrder_.begin(), zOrder_.end(), w) != zOrder_.end();
}

void WindowTable::addTopLevel(Window* w) {
    zOrder_.push_back(w);
    raise(w, nullptr);
}

void WindowTable::removeTopLevel(Window* w) { std::erase(zOrder_, w); }

void WindowTable::raise(Window* w, Window* insertAfter) {
    std::erase(zOrder_, w);
    const bool topMost = (w->exStyle() & WS_EX_TOPMOST) != 0;
    std::size_t pos = 0;
    if (insertAfter == Window::Bottom) {
        // Everything else, owned windows included, stays above.
        pos = zOrder_.size();
    } else if (insertAfter && insertAfter != Window::TopMost && insertAfter != Window::NoTopMost) {
        auto it = std::find(zOrder_.begin(), zOrder_.end(), insertAfter);
        pos = it == zOrder_.end() ? 0 : static_cast<std::size_t>(it - zOrder_.begin()) + 1;
    } else if (!topMost) {
        while (pos < zOrder_.size() && (zOrder_[pos]->exStyle() & WS_EX_TOPMOST)) ++pos;
    }
    zOrder_.insert(zOrder_.begin() + static_cast<std::ptrdiff_t>(std::min(pos, zOrder_.size())), w);
    // Windows owned by w move along, directly above it, keeping their order.
    std::vector<Window*> owned;
    for (Window* o : zOrder_)
        if (o != w && o->ownerWindow() == w && !((o->exStyle() & WS_EX_TOPMOST) && !topMost)) owned.push_back(o);
    if (!owned.empty() && insertAfter != Window::Bottom) {
        for (Window* o : owned) std::erase(zOrder_, o);
        auto it = std::find(zOrder_.begin(), zOrder_.end(), w);
        zOrder_.insert(it, owned.begin(), owned.end());
    }
    restack();
}

void WindowTable::restack() {
    // Tell the backend the whole order, bottom up; cheap for the few windows an application has.
    NativeSurface* below = nullptr;
    for (std::size_t i = zOrder_.size(); i-- > 0;) {
        NativeSurface* s = zOrder_[i]->surface();
        if (!s) continue;
        if (!below) s->stackBottom();
        else s->stackAbove(below);
        below = s;
    }
}

}  // namespace lindora
