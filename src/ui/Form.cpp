#include "ui/Form.h"

#include <algorithm>

#include "base/ClassBuilder.h"
#include "base/Exception.h"
#include "base/FormDescription.h"
#include "gfx/TextEngine.h"
#include "ui/Application.h"
#include "ui/Screen.h"
#include "ui/WindowSystem.h"

namespace lindora {

namespace {

// Posted to a form that frees itself once the current message is done.
constexpr unsigned WM_PRIVATE_RELEASE = 0x7FF1;

}  // namespace

const EnumInfo& enumInfoOf(FormBorderStyle) {
    static const EnumInfo info("FormBorderStyle",
                               {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"});
    return info;
}
const EnumInfo& enumInfoOf(BorderIcon) {
    static const EnumInfo info("BorderIcon", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"});
    return info;
}
const EnumInfo& enumInfoOf(FormStyle) {
    static const EnumInfo info("FormStyle", {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"});
    return info;
}
const EnumInfo& enumInfoOf(Position) {
    static const EnumInfo info("Position",
                               {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
                                "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"});
    return info;
}
const EnumInfo& enumInfoOf(WindowState) {
    static const EnumInfo info("WindowState", {"wsNormal", "wsMinimized", "wsMaximized"});
    return info;
}
const EnumInfo& enumInfoOf(CloseAction) {
    static const EnumInfo info("CloseAction", {"caNone", "caHide", "caFree", "caMinimize"});
    return info;
}

const ClassInfo& Form::classInfo() {
    static const ClassInfo info =
        ClassBuilder<Form>("Form", Component::classInfo())
            .property("Caption", &Form::caption, &Form::setCaption)
            .property("Left", &Form::left, &Form::setLeft)
            .property("Top", &Form::top, &Form::setTop)
            .property("Width", &Form::width, &Form::setWidth)
            .property("Height", &Form::height, &Form::setHeight)
            .property("BorderStyle", &Form::borderStyle, &Form::setBorderStyle)
            .defaultValue(bsSizeable)
            .property("BorderIcons", &Form::borderIcons, &Form::setBorderIcons)
            .property("FormStyle", &Form::formStyle, &Form::setFormStyle)
            .defaultValue(fsNormal)
            .property("Position", &Form::position, &Form::setPosition)
            .defaultValue(poDesigned)
            .property("WindowState", &Form::windowState, &Form::setWindowState)
            .defaultValue(wsNormal)
            .property(
                "Color", [](const Form& f) { return static_cast<std::int64_t>(f.color().value()); },
                [](Form& f, std::int64_t v) { f.setColor(Color(static_cast<std::uint32_t>(v))); })
            .idents(colorIdents())
            .property(
                "Font", [](const Form& f) -> const FontProperty& { return f.fontProperty(); },
                [](Form& f, const FontProperty& v) { f.setFont(v.font()); })
            .property("Visible", &Form::visible, &Form::setVisible)
            .defaultValue(false)
            .property("PixelsPerInch", &Form::pixelsPerInch, &Form::setPixelsPerInch)
            .property("TextHeight", &Form::textHeight, &Form::setTextHeight)
            .event("OnCreate", &Form::OnCreate)
            .event("OnDestroy", &Form::OnDestroy)
            .event("OnShow", &Form::OnShow)
            .event("OnHide", &Form::OnHide)
            .event("OnActivate", &Form::OnActivate)
            .event("OnDeactivate", &Form::OnDeactivate)
            .event("OnResize", &Form::OnResize)
            .event("OnClose", &Form::OnClose)
            .event("OnCloseQuery", &Form::OnCloseQuery);
    return info;
}

Font Form::defaultFont() { return Font("DejaVu Sans", -11, fsNone, clWindowText); }

Form::Form(Component* owner)
    : Component(owner), borderIcons_{biSystemMenu, biMinimize, biMaximize}, font_(defaultFont()) {
    setBackgroundColor(clBtnFace);
    font_.OnChange.bind([this](Persistent*) { invalidate(); });
    if (Application* app = Application::current()) app->formCreated(this);
}

Form::~Form() {
    destroying();
    if (handleAllocated()) OnDestroy(this);
    // The window goes first, as on the classic platform: components that watch its
    // WM_DESTROY (the settings save there) still find the form's components alive.
    Window::destroy();
    destroyComponents();
    if (Application* app = Application::current()) app->formDestroyed(this);
}

void Form::loadFromDescription(std::string_view text) {
    FormReader reader(text);
    reader.readRootComponent(*this);
    doCreate();
    try {
        OnCreate(this);
    } catch (const std::exception& e) {
        if (Application* app = Application::current()) app->handleException(e);
        else throw;
    }
    if (visible_) show();
}

void Form::doCreate() {}

// ---- properties

void Form::setCaption(const std::string& caption) {
    caption_ = caption;
    setText(caption);
}

void Form::applyGeometry(const Rect& r) {
    if (handleAllocated()) {
        if (showState() == ShowState::Normal) setBounds(r);
        else setNormalBounds(r);
    } else {
        designBounds_ = r;
    }
}

// While minimised or maximised, the position setters change the normal rectangle.
Rect Form::placementBase() const { return handleAllocated() ? normalBounds() : designBounds_; }

void Form::setLeft(int v) {
    Rect g = placementBase();
    applyGeometry(Rect::fromSize(v, g.top, g.width(), g.height()));
}
void Form::setTop(int v) {
    Rect g = placementBase();
    applyGeometry(Rect::fromSize(g.left, v, g.width(), g.height()));
}
void Form::setWidth(int v) {
    Rect g = placementBase();
    applyGeometry(Rect::fromSize(g.left, g.top, std::max(0, v), g.height()));
}
void Form::setHeight(int v) {
    Rect g = placementBase();
    applyGeometry(Rect::fromSize(g.left, g.top, g.width(), std::max(0, v)));
}
void Form::setBoundsTo(int l, int t, int w, int h) {
    applyGeometry(Rect::fromSize(l, t, std::max(0, w), std::max(0, h)));
}

int Form::clientWidth() const {
    if (handleAllocated()) return clientRect().width();
    return std::max(0, designBounds_.width() - 2 * 4);
}
int Form::clientHeight() const {
    if (handleAllocated()) return clientRect().height();
    return std::max(0, designBounds_.height() - 2 * 4 - 19);
}

void Form::setBorderStyle(FormBorderStyle s) {
    if (s == borderStyle_) return;
    borderStyle_ = s;
    recreateFrame();
}

void Form::setBorderIcons(BorderIcons icons) {
    if (icons == borderIcons_) return;
    borderIcons_ = icons;
    recreateFrame();
}

void Form::setFormStyle(FormStyle s) {
    if (s == formStyle_) return;
    formStyle_ = s;
    if (handleAllocated())
        setPos(s == fsStayOnTop ? Window::TopMost : Window::NoTopMost, {}, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Form::recreateFrame() {
    if (!handleAllocated()) return;
    CreateParams p;
    createParams(p);
    setStyle(p.style);
    setExStyle(p.exStyle);
    frameChanged();
}

WindowState Form::windowState() const {
    if (!handleAllocated()) return pendingState_;
    switch (showState()) {
    case ShowState::Minimized: return wsMinimized;
    case ShowState::Maximized: return wsMaximized;
    default: return wsNormal;
    }
}

void Form::setWindowState(WindowState s) {
    pendingState_ = s;
    if (!handleAllocated() || !isVisibleStyle()) return;
    setShowState(s == wsMinimized ? ShowState::Minimized : s == wsMaximized ? ShowState::Maximized : ShowState::Normal);
}

void Form::setColor(Color c) {
    setBackgroundColor(c);
    invalidate();
}

void Form::setVisible(bool v) {
    if (isLoading()) {
        visible_ = v;  // shown once loading has finished
        return;
    }
    v ? show() : hide();
}

Rect Form::normalRect() const { return handleAllocated() ? normalBounds() : designBounds_; }

bool Form::isMainForm() const {
    Application* app = Application::current();
    return app && app->mainForm() == this;
}

// ---- window

void Form::createParams(CreateParams& p) {
    std::uint32_t style = WS_CLIPCHILDREN;
    std::uint32_t ex = 0;
    const bool sys = borderIcons_.contains(biSystemMenu);
    switch (borderStyle_) {
    case bsNone: style |= WS_POPUP; break;
    case bsSingle: style |= WS_CAPTION; break;
    case bsSizeable: style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
        style |= WS_CAPTION;
        ex |= WS_EX_DLGMODALFRAME;
        break;
    case bsToolWindow:
        style |= WS_CAPTION;
        ex |= WS_EX_TOOLWINDOW;
        break;
    case bsSizeToolWin:
        style |= WS_CAPTION | WS_THICKFRAME;
        ex |= WS_EX_TOOLWINDOW;
        break;
    }
    if (borderStyle_ != bsNone && sys) {
        style |= WS_SYSMENU;
        if (borderStyle_ == bsSingle || borderStyle_ == bsSizeable) {
            if (borderIcons_.contains(biMinimize)) style |= WS_MINIMIZEBOX;
            if (borderIcons_.contains(biMaximize)) style |= WS_MAXIMIZEBOX;
        }
    }
    if (formStyle_ == fsStayOnTop) ex |= WS_EX_TOPMOST;
    p.style = style;
    p.exStyle = ex;
    p.caption = caption_;
    p.bounds = designBounds_;
    Application* app = Application::current();
    // Forms other than the main form stay above it.
    if (app && app->mainForm() && app->mainForm() != this && app->mainForm()->handleAllocated())
        p.parent = app->mainForm();
}

void Form::handleNeeded() {
    if (handleAllocated()) return;
    Application* app = Application::current();
    if (icon().empty() && app) setIcon(app->icon());
    CreateParams p;
    create(p);
}

void Form::applyPosition() {
    if (positioned_) return;
    positioned_ = true;
    // The window may exist before its first show (a component needed it): then its own
    // rectangle holds whatever was set meanwhile.
    Rect r = placementBase();
    const MonitorInfo monitor = Screen::monitorFromRect(r);
    auto centreOn = [&](const Rect& area) {
        r = Rect::fromSize(area.left + (area.width() - r.width()) / 2, area.top + (area.height() - r.height()) / 2,
                           r.width(), r.height());
    };
    Application* app = Application::current();
    switch (position_) {
    case poScreenCenter:
    case poDesktopCenter: centreOn(monitor.bounds); break;
    case poMainFormCenter:
    case poOwnerFormCenter:
        if (app && app->mainForm() && app->mainForm() != this && app->mainForm()->handleAllocated())
            centreOn(app->mainForm()->bounds());
        else centreOn(monitor.bounds);
        break;
    case poDefault:
    case poDefaultPosOnly: {
        if (keepPosition_) break;
        // The system's default place: a little inside the work area's top-left corner.
        const Rect w = monitor.workArea;
        r = Rect::fromSize(w.left + 22, w.top + 22, r.width(), r.height());
        break;
    }
    default: break;
    }
    if (r != bounds()) setBounds(r);
}

void Form::show() {
    handleNeeded();
    visible_ = true;
    applyPosition();
    Window::show(true);
    if (pendingState_ != wsNormal) setWindowState(pendingState_);
}

void Form::hide() {
    visible_ = false;
    if (handleAllocated()) Window::hide();
}

bool Form::closeQuery() {
    bool canClose = true;
    OnCloseQuery(this, canClose);
    return canClose;
}

void Form::close() {
    if (modal_) {
        if (closeQuery()) modalResult_ = DialogButton::Cancel;
        return;
    }
    if (!closeQuery()) return;
    CloseAction action = caHide;
    OnClose(this, action);
    if (action == caNone) return;
    Application* app = Application::current();
    if (app && app->mainForm() == this) {
        app->terminate();
        return;
    }
    switch (action) {
    case caHide: hide(); break;
    case caMinimize: setWindowState(wsMinimized); break;
    case caFree: release(); break;
    default: break;
    }
}

DialogButton Form::showModal() {
    if (modal_ || isVisibleStyle()) throw Exception("Cannot make a visible window modal");
    WindowSystem& ws = WindowSystem::instance();
    handleNeeded();
    std::vector<WindowHandle> disabled;
    for (Window* t : ws.topLevels())
        if (t != this && t->isEnabledStyle() && t->isWindowVisible()) {
            disabled.push_back(t->handle());
            t->enable(false);
        }
    const WindowHandle self = handle();
    Window* previousActive = ws.activeWindow();
    const WindowHandle previousHandle = previousActive ? previousActive->handle() : 0;
    modal_ = true;
    modalResult_ = DialogButton::None;
    show();
    struct Restore {
        std::vector<WindowHandle>& handles;
        ~Restore() {
            WindowSystem& ws = WindowSystem::instance();
            for (WindowHandle h : handles)
                if (Window* w = ws.find(h)) w->enable(true);
        }
    } restore{disabled};
    ws.runLoop([&] { return ws.find(self) != this || modalResult_ != DialogButton::None || !isVisibleStyle(); });
    if (ws.find(self) != this) return DialogButton::Cancel;
    modal_ = false;
    if (isVisibleStyle()) hide();
    for (WindowHandle h : disabled)
        if (Window* w = ws.find(h)) w->enable(true);
    disabled.clear();
    if (Window* w = ws.find(previousHandle)) ws.setActiveWindow(w);
    return modalResult_ == DialogButton::None ? DialogButton::Cancel : modalResult_;
}

void Form::release() {
    if (handleAllocated()) post(WM_PRIVATE_RELEASE);
    else delete this;
}

void Form::wndProc(Message& m) {
    switch (m.msg) {
    case WM_CLOSE: close(); return;
    case WM_PRIVATE_RELEASE: delete this; return;
    case WM_QUERYENDSESSION: m.result = closeQuery() ? 1 : 0; return;
    case WM_SHOWWINDOW:
        Window::wndProc(m);
        if (m.wParam) OnShow(this);
        else OnHide(this);
        return;
    case WM_ACTIVATE: {
        Window::wndProc(m);
        const bool active = loWord(m.wParam) != WA_INACTIVE;
        if (active != wasActive_) {
            wasActive_ = active;
            if (active) OnActivate(this);
            else OnDeactivate(this);
        }
        return;
    }
    case WM_SIZE:
        Window::wndProc(m);
        OnResize(this);
        return;
    case WM_SYSCOMMAND:
        // Minimising the main form minimises the application, as the classic platform does.
        if ((m.wParam & 0xFFF0) == SC_MINIMIZE && isMainForm()) {
            if (Application* app = Application::current()) {
                app->minimize();
                return;
            }
        }
        // The desktop restores (or maximises) a main form minimised with the application:
        // the whole application comes back.
        if (((m.wParam & 0xFFF0) == SC_RESTORE || (m.wParam & 0xFFF0) == SC_MAXIMIZE) && isMainForm() &&
            showState() == ShowState::Minimized) {
            if (Application* app = Application::current(); app && app->isMinimized()) {
                app->restore();
                if ((m.wParam & 0xFFF0) == SC_RESTORE) return;
            }
        }
        break;
    default: break;
    }
    Window::wndProc(m);
}

// ---- the form as the components on it see it

bool Form::isActiveForm() const {
    return handleAllocated() && WindowSystem::instance().activeWindow() == static_cast<const Window*>(this);
}

FormBorderKind Form::borderKind() const {
    switch (borderStyle_) {
    case bsNone: return FormBorderKind::None;
    case bsSingle:
    case bsDialog:
    case bsToolWindow: return FormBorderKind::Fixed;
    default: return FormBorderKind::Sizeable;
    }
}

bool Form::hasMinimizeOrMaximizeIcon() const {
    return borderIcons_.contains(biMinimize) || borderIcons_.contains(biMaximize);
}

Rect Form::workAreaNormalBounds() const {
    // The form answers in screen coordinates; the placement is kept relative to the work area.
    Rect r = normalRect();
    Rect workArea = Screen::monitorFromRect(r).workArea;
    return Rect::fromSize(r.left - workArea.left, r.top - workArea.top, r.width(), r.height());
}

ShowState Form::formState() const {
    switch (windowState()) {
    case wsMinimized: return ShowState::Minimized;
    case wsMaximized: return ShowState::Maximized;
    default: return ShowState::Normal;
    }
}

void Form::setFormState(ShowState state) {
    setWindowState(state == ShowState::Minimized   ? wsMinimized
                   : state == ShowState::Maximized ? wsMaximized
                                                   : wsNormal);
}

Window* Form::applicationWindow() const {
    Application* app = Application::current();
    return app ? app->handleWindow() : nullptr;
}

int Form::textWidth(const std::string& text) const { return TextEngine::instance().measure(font(), text).cx; }

}  // namespace lindora
