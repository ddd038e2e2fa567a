#pragma once
// Tells a double click from two clicks: the second press of the same button on the same window,
// soon enough and close enough to the first. A third press starts over.
#include <cstdint>

#include "gfx/Geometry.h"

namespace lindora {

using WindowHandle = std::uint32_t;  // 0 = no window

struct DoubleClickLimits {
    int width = 4, height = 4;  // the rectangle, centred on the first press, the second must hit
    int timeMs = 500;
};

class DoubleClickTracker {
public:
    // A press of the button whose press message is downMsg. alreadyDouble: the backend reported
    // a double click itself. wanted: the window takes double clicks (else every press is a
    // first one). Returns true when the press completes a double click.
    bool press(WindowHandle w, unsigned downMsg, Point pt, std::int64_t time, bool alreadyDouble, bool wanted,
               const DoubleClickLimits& limits);
    void forget(WindowHandle w);
    void clear();

private:
    WindowHandle window_ = 0;
    unsigned msg_ = 0;
    std::int64_t time_ = NoClick;
    Point pt_;
    static constexpr std::int64_t NoClick = -1000000;
};

}  // namespace lindora
