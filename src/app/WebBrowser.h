#pragma once
// The browser control of the main window: a child window over whose client area the
// platform's browser engine is placed. It offers one navigate operation and two events; all
// else (rendering, history, scripting) is the engine's business.
//
// The engine is made when the control's window is created (with its parent form's window) and
// goes with it. A navigation asked for before the window is shown waits in the engine and
// runs once it is.
#include <memory>
#include <string>
#include <string_view>

#include "app/ControlAlign.h"
#include "base/Component.h"
#include "base/Event.h"
#include "ui/Window.h"

namespace lindora {

class BrowserEngine;

class WebBrowser : public Component, public Window {
    LINDORA_CLASS(WebBrowser)

public:
    explicit WebBrowser(Component* owner = nullptr);
    ~WebBrowser() override;

    // Starts loading a URL or a plain local file path and returns at once. Errors of the
    // engine (an empty or malformed text) propagate as exceptions to the caller.
    void navigate(std::u16string_view urlOrPath);

    // ---- published properties
    int left() const { return design_.left; }
    int top() const { return design_.top; }
    int width() const { return design_.width(); }
    int height() const { return design_.height(); }
    void setLeft(int v);
    void setTop(int v);
    void setWidth(int v);
    void setHeight(int v);
    Align align() const { return align_; }
    void setAlign(Align a);
    int tabOrder() const { return tabOrder_; }
    void setTabOrder(int v) { tabOrder_ = v; }

    // (Sender, Progress, ProgressMax) and (Sender, Text), raised on the user-interface thread.
    Event<Persistent*, int, int> OnProgressChange;
    Event<Persistent*, const std::u16string&> OnTitleChange;

    // Places the control again by its Align within its parent (after the parent was resized or
    // a docked sibling changed its size).
    void realign();

    // The engine behind the control, null while the control has no window.
    BrowserEngine* engine() const { return engine_.get(); }

    // ---- component
    bool hasParent() const override { return true; }
    Component* getParentComponent() const override { return parentComponent_; }
    void setParentComponent(Component* parent) override;
    void loaded() override;

protected:
    void wndProc(Message& m) override;
    void notification(Component* component, Operation operation) override;

private:
    void createWindow();
    void applyBounds(const Rect& r);

    Component* parentComponent_ = nullptr;
    Window* parentWindow_ = nullptr;
    Rect design_{0, 0, 100, 100};
    Align align_ = alNone;
    int tabOrder_ = -1;
    std::unique_ptr<BrowserEngine> engine_;
};

}  // namespace lindora
