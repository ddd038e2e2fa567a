#pragma once
// The live windows by handle, and the z-order of the top-level windows (topmost first), which
// the backend's surfaces follow.
#include <map>
#include <vector>

#include "ui/Window.h"

namespace lindora {

class WindowTable {
public:
    // Handles are never reused within a run, so stale handles stay stale.
    WindowHandle add(Window* w);
    void remove(Window* w) { windows_.erase(w->handle()); }
    Window* find(WindowHandle h) const;

    const std::vector<Window*>& topLevels() const { return zOrder_; }
    bool isTopLevel(const Window* w) const;
    // A new top-level goes on top of its kind.
    void addTopLevel(Window* w);
    void removeTopLevel(Window* w);
    // Puts w after insertAfter (a window, or one of Window's Bottom / TopMost / NoTopMost marks,
    // or nullptr for the top). Topmost windows stay above the others; owned windows stay above
    // their owner.
    void raise(Window* w, Window* insertAfter);

private:
    void restack();

    std::map<WindowHandle, Window*> windows_;
    WindowHandle nextHandle_ = 0x100;
    std::vector<Window*> zOrder_;
};

}  // namespace lindora
