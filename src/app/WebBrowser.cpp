#include "app/WebBrowser.h"

#include <algorithm>

#include "base/ClassBuilder.h"
#include "platform/browser/BrowserEngine.h"
#include "platform/browser/BrowserEngineFactory.h"
#include "ui/Form.h"

namespace lindora {

const ClassInfo& WebBrowser::classInfo() {
    static const ClassInfo info = ClassBuilder<WebBrowser>("WebBrowser", Component::classInfo())
                                      .property("Left", &WebBrowser::left, &WebBrowser::setLeft)
                                      .property("Top", &WebBrowser::top, &WebBrowser::setTop)
                                      .property("Width", &WebBrowser::width, &WebBrowser::setWidth)
                                      .property("Height", &WebBrowser::height, &WebBrowser::setHeight)
                                      .property("Align", &WebBrowser::align, &WebBrowser::setAlign)
                                      .defaultValue(alNone)
                                      .property("TabOrder", &WebBrowser::tabOrder, &WebBrowser::setTabOrder)
                                      .defaultValue(-1)
                                      .event("OnProgressChange", &WebBrowser::OnProgressChange)
                                      .event("OnTitleChange", &WebBrowser::OnTitleChange);
    return info;
}

WebBrowser::WebBrowser(Component* owner) : Component(owner) { setBackgroundColor(clWindow); }

WebBrowser::~WebBrowser() {
    destroying();
    if (parentComponent_) parentComponent_->removeFreeNotification(this);
    // The engine leaves its surface before the window and the engine go.
    hostNativeChild(nullptr);
    engine_.reset();
    Window::destroy();
}

void WebBrowser::setParentComponent(Component* parent) {
    if (parent == parentComponent_) return;
    if (parentComponent_) parentComponent_->removeFreeNotification(this);
    parentComponent_ = parent;
    parentWindow_ = dynamic_cast<Window*>(parent);
    if (parentComponent_) parentComponent_->freeNotification(this);
    if (!isLoading()) createWindow();
}

void WebBrowser::notification(Component* component, Operation operation) {
    if (operation == opRemove && component == parentComponent_) {
        hostNativeChild(nullptr);
        engine_.reset();
        Window::destroy();
        parentComponent_ = nullptr;
        parentWindow_ = nullptr;
    }
}

void WebBrowser::loaded() {
    Component::loaded();
    createWindow();
}

void WebBrowser::createWindow() {
    if (handleAllocated() || !parentWindow_ || isDestroying()) return;
    if (auto* form = dynamic_cast<Form*>(parentWindow_)) form->handleNeeded();
    if (!parentWindow_->handleAllocated()) return;
    CreateParams p;
    p.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    p.bounds = design_;
    p.parent = parentWindow_;
    create(p);
    engine_ = createBrowserEngine();
    engine_->OnProgressChange = [this](int progress, int progressMax) {
        OnProgressChange(this, progress, progressMax);
    };
    engine_->OnTitleChange = [this](const std::u16string& text) { OnTitleChange(this, text); };
    hostNativeChild(engine_.get());
    realign();
}

void WebBrowser::navigate(std::u16string_view urlOrPath) {
    // Made on demand so that a navigation from the creation handler always has an engine.
    createWindow();
    if (!engine_) throw Exception("The browser " + name() + " has no window to show pages in");
    engine_->navigate(urlOrPath);
}

void WebBrowser::applyBounds(const Rect& r) {
    if (handleAllocated()) setBounds(r);
}

void WebBrowser::setLeft(int v) {
    design_ = Rect::fromSize(v, design_.top, design_.width(), design_.height());
    applyBounds(design_);
}
void WebBrowser::setTop(int v) {
    design_ = Rect::fromSize(design_.left, v, design_.width(), design_.height());
    applyBounds(design_);
}
void WebBrowser::setWidth(int v) {
    design_ = Rect::fromSize(design_.left, design_.top, std::max(0, v), design_.height());
    applyBounds(design_);
}
void WebBrowser::setHeight(int v) {
    design_ = Rect::fromSize(design_.left, design_.top, design_.width(), std::max(0, v));
    applyBounds(design_);
}

void WebBrowser::setAlign(Align a) {
    if (a == align_) return;
    align_ = a;
    realign();
}

void WebBrowser::realign() {
    if (align_ != alClient || !handleAllocated() || !parentWindow_) return;
    const Rect r = remainingClientArea(*parentWindow_, this);
    if (r != bounds()) setBounds(r);
}

void WebBrowser::wndProc(Message& m) {
    Window::wndProc(m);
    // Keep the published bounds in step with where the window really is.
    if (m.msg == WM_WINDOWPOSCHANGED && handleAllocated()) design_ = bounds();
}

}  // namespace lindora
