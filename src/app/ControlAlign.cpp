#include "app/ControlAlign.h"

#include <algorithm>

#include "ui/Window.h"

namespace lindora {

Rect remainingClientArea(const Window& parent, const Window* except) {
    const Rect client = parent.clientRect();
    Rect area = client;
    auto edgeChildren = [&](auto&& take) {
        for (const Window* c : parent.children())
            if (c != except && c->handleAllocated() && c->isVisibleStyle() && !c->bounds().isEmpty()) take(c->bounds());
    };
    // Full-width bands first: they decide the height that the side bands share.
    edgeChildren([&](const Rect& b) {
        if (b.left > client.left || b.right < client.right) return;
        if (b.top <= area.top && b.bottom > area.top) area.top = std::min(b.bottom, area.bottom);
        else if (b.bottom >= area.bottom && b.top < area.bottom) area.bottom = std::max(b.top, area.top);
    });
    edgeChildren([&](const Rect& b) {
        if (b.top > area.top || b.bottom < area.bottom) return;
        if (b.left <= area.left && b.right > area.left) area.left = std::min(b.right, area.right);
        else if (b.right >= area.right && b.left < area.right) area.right = std::max(b.left, area.left);
    });
    return area;
}

}  // namespace lindora

namespace lindora {

const EnumInfo& enumInfoOf(Align) {
    static const EnumInfo info("Align", {"alNone", "alClient"});
    return info;
}

}  // namespace lindora
