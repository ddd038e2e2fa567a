#include "platform/offscreen/OffscreenInputDriver.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "base/Exception.h"
#include "platform/offscreen/OffscreenIntegration.h"
#include "ui/WindowSystem.h"

namespace lindora {

// ---- input

void OffscreenInputDriver::feedMouse(MouseAction a, MouseButton b) {
    if (!sink_) return;
    MouseInput in;
    in.action = a;
    in.button = b;
    in.screen = cursor_;
    sink_->mouseInput(in);
}

void OffscreenInputDriver::mouseMove(Point screen) {
    cursor_ = screen;
    feedMouse(MouseAction::Move, MouseButton::None);
}

void OffscreenInputDriver::mousePress(MouseButton b) { feedMouse(MouseAction::Press, b); }

void OffscreenInputDriver::mouseRelease(MouseButton b) { feedMouse(MouseAction::Release, b); }

void OffscreenInputDriver::click(Point screen, MouseButton b) {
    mouseMove(screen);
    mousePress(b);
    mouseRelease(b);
}

void OffscreenInputDriver::doubleClick(Point screen) {
    click(screen);
    mouseMove(screen);
    feedMouse(MouseAction::DoubleClick, MouseButton::Left);
    mouseRelease(MouseButton::Left);
}

void OffscreenInputDriver::keyDown(unsigned vk) {
    if (!sink_) return;
    KeyInput in;
    in.down = true;
    in.vk = vk;
    sink_->keyInput(in);
}

void OffscreenInputDriver::keyUp(unsigned vk) {
    if (!sink_) return;
    KeyInput in;
    in.down = false;
    in.vk = vk;
    sink_->keyInput(in);
}

void OffscreenInputDriver::key(unsigned vk, std::initializer_list<unsigned> modifiers) {
    for (unsigned m : modifiers) keyDown(m);
    keyDown(vk);
    keyUp(vk);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) keyUp(*it);
}

void OffscreenInputDriver::typeText(const std::u32string& text) {
    if (!sink_) return;
    const KeyboardLayout& layout = backend_.keyboardLayout();
    for (char32_t ch : text) {
        auto k = layout.keyForChar(ch);
        if (!k) throw Exception("offscreen: a character cannot be typed on the US keyboard layout");
        if (k->ctrl) keyDown(VK_CONTROL);
        if (k->shift) keyDown(VK_SHIFT);
        KeyInput in;
        in.down = true;
        in.vk = k->vk;
        in.text = k->ctrl ? std::u32string{} : std::u32string(1, ch);
        sink_->keyInput(in);
        keyUp(k->vk);
        if (k->shift) keyUp(VK_SHIFT);
        if (k->ctrl) keyUp(VK_CONTROL);
    }
}

// A script's `key` command: modifiers first, the key last; a key alone types its character.
void OffscreenInputDriver::pressKeyCombination(const std::vector<unsigned>& keys) {
    for (std::size_t i = 0; i + 1 < keys.size(); ++i) keyDown(keys[i]);
    const unsigned vk = keys.back();
    KeyInput in;
    in.down = true;
    in.vk = vk;
    if (keys.size() == 1)
        if (char32_t ch = backend_.keyboardLayout().charForKey(vk, false)) in.text = std::u32string(1, ch);
    if (sink_) sink_->keyInput(in);
    keyUp(vk);
    for (std::size_t i = keys.size() - 1; i-- > 0;) keyUp(keys[i]);
}

// ---- prepared answers

DialogButton OffscreenInputDriver::answerDialog(const DialogRequest& r) {
    dialogs_.push_back(r);
    DialogButton answer = r.defaultButton;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    if (std::find(r.buttons.begin(), r.buttons.end(), answer) == r.buttons.end())
        answer = r.buttons.empty() ? DialogButton::OK : r.defaultButton;
    return answer;
}

// ---- the script

void OffscreenInputDriver::setScript(InputScript script) {
    script_ = std::move(script);
    scriptPos_ = 0;
    endClosed_ = false;
    scriptClosed_ = false;
}

bool OffscreenInputDriver::scriptFinished() const {
    return !script_ || (scriptPos_ >= script_->commands().size() && endClosed_);
}

bool OffscreenInputDriver::step() {
    if (!script_) return false;
    if (runNextScriptCommand()) return true;
    if (endClosed_) return false;
    endClosed_ = true;
    if (!scriptClosed_) closeActiveForm(true);
    return true;
}

void OffscreenInputDriver::closeActiveForm(bool endOfScript) {
    WindowSystem& ws = WindowSystem::instance();
    const std::string why = endOfScript ? "end of script" : "script";
    Window* target = endOfScript && mainWindowFinder_ ? mainWindowFinder_() : nullptr;
    if (!target) target = ws.activeWindow();
    if (!target) {
        for (Window* t : ws.topLevels())
            if (t->isWindowVisible() && !(t->style() & WS_POPUP) && !(t->exStyle() & WS_EX_TOOLWINDOW)) target = t;
    }
    if (!target) {
        backend_.record().add("close (" + why + "): no window to close");
        return;
    }
    backend_.record().add("close (" + why + ") " + EventRecord::quote(target->text()));
    ws.post(target, WM_SYSCOMMAND, SC_CLOSE);
}

void OffscreenInputDriver::wait(int ms) {
    if (VirtualClock* clock = backend_.virtualClock()) clock->advance(ms);
    else std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void OffscreenInputDriver::screenshot(const std::string& file) {
    // Commands run only when the loop is idle, so all input so far has been handled; pending
    // paints are what is left.
    WindowSystem::instance().paintPending();
    try {
        backend_.screen().grabScreen().savePNG(file);
        backend_.record().add("screenshot " + EventRecord::quote(file));
    } catch (const Exception& e) {
        backend_.record().add("screenshot failed: " + e.message());
        throw;
    }
}

bool OffscreenInputDriver::runNextScriptCommand() {
    if (!script_ || scriptPos_ >= script_->commands().size()) return false;
    const ScriptCommand& c = script_->commands()[scriptPos_++];
    static const MouseButton buttons[] = {MouseButton::Left, MouseButton::Right, MouseButton::Middle};
    using K = ScriptCommand::Kind;
    switch (c.kind) {
    case K::Move: mouseMove(c.point); break;
    case K::Press: mousePress(buttons[c.button]); break;
    case K::Release: mouseRelease(buttons[c.button]); break;
    case K::Click: click(c.point); break;
    case K::DoubleClick: doubleClick(c.point); break;
    case K::Key: pressKeyCombination(c.keys); break;
    case K::KeyDown: keyDown(c.keys.front()); break;
    case K::KeyUp: keyUp(c.keys.front()); break;
    case K::Type: typeText(c.text); break;
    case K::Wait: wait(c.ms); break;
    case K::Close:
        scriptClosed_ = true;
        closeActiveForm(false);
        break;
    case K::Screenshot: screenshot(c.file); break;
    }
    return true;
}

}  // namespace lindora
