#include "ui/HelpSystem.h"

namespace lindora {

HelpSystem& HelpSystem::instance() {
    static HelpSystem help;
    return help;
}

void HelpSystem::showContext(int context) { request({context, false, {}}); }

void HelpSystem::showContextPopup(int context, Point at) { request({context, true, at}); }

void HelpSystem::request(const HelpRequest& r) {
    if (r.context == 0) return;
    last_ = r;
    ++count_;
    if (viewer_) viewer_(r);
}

}  // namespace lindora
