#include "ui/Application.h"

#include <algorithm>

#include "base/ClassBuilder.h"
#include "base/Exception.h"
#include "ui/Form.h"
#include "ui/WindowSystem.h"

namespace lindora {

namespace {
Application* currentApplication = nullptr;
}

// The application's own window: never shown on screen in the normal state; minimising the
// application minimises it, and restoring it brings the forms back.
class Application::AppWindow final : public Window {
public:
    explicit AppWindow(Application& app) : app_(app) {}

protected:
    void wndProc(Message& m) override {
        if (m.msg == WM_SYSCOMMAND) {
            switch (m.wParam & 0xFFF0) {
            case SC_MINIMIZE: app_.minimize(); return;
            case SC_RESTORE: app_.restore(); return;
            case SC_CLOSE:
                if (Form* f = app_.mainForm()) f->close();
                return;
            default: break;
            }
        }
        if (m.msg == WM_CLOSE) {
            if (Form* f = app_.mainForm()) f->close();
            return;
        }
        Window::wndProc(m);
    }

private:
    Application& app_;
};

const ClassInfo& Application::classInfo() {
    static const ClassInfo info = ClassBuilder<Application>("Application", Component::classInfo())
                                      .property("Title", &Application::title, &Application::setTitle);
    return info;
}

Application::Application() : Component(nullptr) {
    if (currentApplication) throw Exception("Only one application object can exist at a time");
    currentApplication = this;
    // Handlers that the window system runs on its own behalf report here too.
    WindowSystem::instance().setExceptionHandler([this](const std::exception& e) { handleException(e); });
}

Application::~Application() {
    destroying();
    // The forms go first (the main form last created is freed first by the component rules),
    // while the application can still be found.
    destroyComponents();
    mainForm_ = nullptr;
    window_.reset();
    WindowSystem::instance().setExceptionHandler({});
    currentApplication = nullptr;
}

Application* Application::current() { return currentApplication; }

void Application::initialize() {
    if (window_) return;
    window_ = std::make_unique<AppWindow>(*this);
    CreateParams p;
    p.caption = title_;
    p.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    p.bounds = {0, 0, 0, 0};
    window_->setIcon(icon_);
    window_->create(p);
}

void Application::setTitle(const std::string& title) {
    title_ = title;
    if (window_) window_->setText(title);
}

void Application::setIcon(IconImages images) {
    icon_ = std::move(images);
    if (window_) window_->setIcon(icon_);
}

void Application::formCreated(Form* f) {
    if (!mainForm_) mainForm_ = f;
}

void Application::formDestroyed(Form* f) {
    if (mainForm_ == f) mainForm_ = nullptr;
    std::erase(hiddenByMinimize_, f);
    std::erase_if(minimizedOnDesktop_, [f](const auto& entry) { return entry.first == f; });
}

void Application::dispatchOne(QueuedMessage& m) {
    // Dispatching reports a handler's exception here (see the constructor).
    WindowSystem& ws = WindowSystem::instance();
    ws.translate(m);
    ws.dispatch(m);
}

void Application::run() {
    if (!window_) initialize();
    WindowSystem& ws = WindowSystem::instance();
    if (mainForm_ && showMainForm_ && !mainForm_->isVisibleStyle()) mainForm_->show();
    if (!mainForm_) return;
    while (!terminated_) {
        QueuedMessage m;
        if (!ws.peekMessage(m, true)) {
            try {
                ws.waitForWork();
            } catch (const std::exception& e) {
                handleException(e);
                terminate();
            }
            continue;
        }
        if (m.msg.msg == WM_QUIT) {
            terminated_ = true;
            break;
        }
        dispatchOne(m);
    }
}

void Application::terminate() {
    if (terminated_) return;
    WindowSystem::instance().postQuit(0);
}

void Application::processMessages() {
    WindowSystem& ws = WindowSystem::instance();
    QueuedMessage m;
    do {
        while (ws.peekMessage(m, true)) {
            if (m.msg.msg == WM_QUIT) {
                terminated_ = true;
                return;
            }
            dispatchOne(m);
        }
    } while (ws.queueDrained());
    ws.paintPending();
}

void Application::handleException(const std::exception& e) {
    if (dynamic_cast<const SilentAbort*>(&e)) return;
    if (OnException) {
        OnException(this, e);
        return;
    }
    std::string text = e.what();
    // Messages read as sentences.
    if (!text.empty() && text.back() != '.' && text.back() != '!' && text.back() != '?') text += '.';
    showMessageDialog(text, DialogKind::Error, {DialogButton::OK}, DialogButton::OK, title_);
}

void Application::minimize() {
    if (!window_) initialize();
    if (isMinimized()) return;
    // Minimised first: the forms then leave the screen with an application that is minimised,
    // and whoever watches them go (the placement saved on hiding) sees that state.
    window_->setShowState(ShowState::Minimized);
    // The forms leave the screen with the application and come back with it.
    hiddenByMinimize_.clear();
    minimizedOnDesktop_.clear();
    for (Component* c : components()) {
        if (auto* f = dynamic_cast<Form*>(c); f && f->handleAllocated() && f->isVisibleStyle()) {
            if (f->surface() && f->surface()->desktopFrame()) {
                // A hidden window would leave no way back on such a desktop.
                minimizedOnDesktop_.emplace_back(f, f->showState());
                f->setShowState(ShowState::Minimized);
                continue;
            }
            hiddenByMinimize_.push_back(f);
            f->Window::hide();
        }
    }
}

void Application::restore() {
    if (!window_ || !isMinimized()) return;
    window_->setShowState(ShowState::Normal);
    std::vector<Form*> forms = hiddenByMinimize_;
    hiddenByMinimize_.clear();
    const auto minimized = minimizedOnDesktop_;
    minimizedOnDesktop_.clear();
    for (const auto& [f, state] : minimized) {
        if (!f->handleAllocated() || f->showState() != ShowState::Minimized) continue;
        f->setShowState(state);
        if (f == mainForm_) WindowSystem::instance().setActiveWindow(f);
    }
    for (Form* f : forms) f->Window::show(f == mainForm_);
}

bool Application::isMinimized() const { return window_ && window_->showState() == ShowState::Minimized; }

DialogButton Application::messageBox(const std::string& text, const std::string& caption, DialogKind kind,
                                     std::vector<DialogButton> buttons, DialogButton defaultButton) {
    return showMessageDialog(text, kind, std::move(buttons), defaultButton, caption.empty() ? title_ : caption);
}

}  // namespace lindora
