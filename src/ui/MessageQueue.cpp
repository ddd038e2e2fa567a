#include "ui/MessageQueue.h"

#include <algorithm>

namespace lindora {

bool MessageQueue::take(QueuedMessage& out, bool remove) {
    if (posted_.empty()) return false;
    out = posted_.front();
    if (remove) posted_.pop_front();
    return true;
}

void MessageQueue::dropWindow(WindowHandle h) {
    std::erase_if(posted_, [&](const QueuedMessage& q) { return q.hwnd == h; });
}

void MessageQueue::postQuit(int exitCode) {
    quitPosted_ = true;
    exitCode_ = exitCode;
}

bool MessageQueue::takeQuit(QueuedMessage& out, bool remove) {
    if (!quitPosted_) return false;
    out = {};
    out.msg.msg = WM_QUIT;
    out.msg.wParam = static_cast<WParam>(exitCode_);
    if (remove) quitPosted_ = false;
    return true;
}

void MessageQueue::clear() {
    posted_.clear();
    quitPosted_ = false;
    exitCode_ = 0;
}

}  // namespace lindora
