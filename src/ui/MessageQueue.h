#pragma once
// The thread's queue of posted messages and its pending quit request. Input waits elsewhere as
// raw events until it is converted; this queue holds only finished messages.
#include <cstdint>
#include <deque>
#include <string>

#include "gfx/Geometry.h"
#include "ui/Messages.h"

namespace lindora {

using WindowHandle = std::uint32_t;  // 0 = no window

// A message as the queue holds it: the window by handle, so that a destroyed window's
// messages are simply dropped.
struct QueuedMessage {
    WindowHandle hwnd = 0;
    Message msg;
    Point pt;  // cursor position when the message was made (screen)
    std::int64_t time = 0;
    std::u32string text;  // characters a key press types (for translate)
};

class MessageQueue {
public:
    void post(QueuedMessage m) { posted_.push_back(std::move(m)); }
    // Puts a message ahead of everything queued (characters of a key press, a message looked at
    // but not taken).
    void pushFront(QueuedMessage m) { posted_.push_front(std::move(m)); }
    // The first posted message; false when there is none.
    bool take(QueuedMessage& out, bool remove);
    bool empty() const { return posted_.empty(); }
    std::size_t size() const { return posted_.size(); }
    // Messages to a destroyed window go with it.
    void dropWindow(WindowHandle h);

    // WM_QUIT comes after the posted messages, once.
    void postQuit(int exitCode);
    bool takeQuit(QueuedMessage& out, bool remove);
    bool quitPosted() const { return quitPosted_; }
    int exitCode() const { return exitCode_; }

    void clear();

private:
    std::deque<QueuedMessage> posted_;
    bool quitPosted_ = false;
    int exitCode_ = 0;
};

}  // namespace lindora
