#pragma once
// Shared fixture of the window layer tests: a fresh offscreen backend with a virtual clock per
// test, and a window that logs the messages it receives.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/offscreen/OffscreenIntegration.h"
#include "ui/Window.h"
#include "ui/WindowSystem.h"

namespace lindora::test {

// One line per message: "<window name> <message name>[ wParam]".
using MessageLog = std::vector<std::string>;

std::string messageName(unsigned msg);

class LogWindow : public Window {
public:
    LogWindow(std::string name, MessageLog* log, std::vector<unsigned> logged = {})
        : name_(std::move(name)), log_(log), logged_(std::move(logged)) {}

    const std::string& name() const { return name_; }
    std::vector<Message> received;            // every message, in order
    std::function<bool(Message&)> onMessage;  // true: handled, skip the default
    std::function<void(Canvas&)> onPaint;
    int hitTestOverride = 0;  // answered to WM_NCHITTEST when not 0

    std::vector<Message> receivedOf(unsigned msg) const {
        std::vector<Message> out;
        for (const auto& m : received)
            if (m.msg == msg) out.push_back(m);
        return out;
    }

protected:
    void wndProc(Message& m) override {
        received.push_back(m);
        if (log_ && (logged_.empty() || std::find(logged_.begin(), logged_.end(), m.msg) != logged_.end()))
            log_->push_back(name_ + " " + messageName(m.msg));
        if (m.msg == WM_NCHITTEST && hitTestOverride) {
            m.result = hitTestOverride;
            return;
        }
        if (onMessage && onMessage(m)) return;
        Window::wndProc(m);
    }
    void paint(Canvas& c) override {
        if (onPaint) onPaint(c);
    }

private:
    std::string name_;
    MessageLog* log_;
    std::vector<unsigned> logged_;
};

class UiTest : public ::testing::Test {
protected:
    void SetUp() override { platform_ = &OffscreenIntegration::install(); }
    void TearDown() override { PlatformIntegration::install(nullptr); }

    OffscreenIntegration& platform() { return *platform_; }
    WindowSystem& ws() { return WindowSystem::instance(); }

    // A shown top-level (overlapped with caption unless style says otherwise).
    static void createTop(Window& w, Rect bounds, std::uint32_t style = WS_OVERLAPPEDWINDOW, std::uint32_t exStyle = 0,
                          Window* owner = nullptr) {
        CreateParams p;
        p.caption = "top";
        p.style = style | WS_VISIBLE;
        p.exStyle = exStyle;
        p.bounds = bounds;
        p.parent = owner;
        w.create(p);
    }
    static void createChild(Window& w, Window& parent, Rect bounds, std::uint32_t style = 0) {
        CreateParams p;
        p.style = WS_CHILD | WS_VISIBLE | style;
        p.bounds = bounds;
        p.parent = &parent;
        w.create(p);
    }

private:
    OffscreenIntegration* platform_ = nullptr;
};

}  // namespace lindora::test
