#include "bars/model/FormObserver.h"

#include "bars/model/Bar.h"
#include "bars/model/BarControlsIntegration.h"
#include "bars/model/BarManager.h"
#include "bars/model/BarWindows.h"
#include "bars/model/FormLink.h"
#include "ui/FormAccess.h"
#include "ui/Screen.h"
#include "ui/Window.h"
#include "ui/WindowSystem.h"

namespace lindora {

namespace {

// True when w is a child window inside the form (owned top-levels, such as other forms kept
// above the main form, are not).
bool isChildOf(const Window* w, const Window* form) {
    for (const Window* p = w; p && p->isChild(); p = p->parent())
        if (p->parent() == form) return true;
    return false;
}

Window* windowOfBar(const Bar& bar) { return dynamic_cast<Window*>(bar.control()); }

}  // namespace

FormObserver::FormObserver(BarManager& manager) : manager_(manager) {
    observer_ = windowSystem().addMessageObserver([this](Window* target, const Message& m) { observe(target, m); });
}

FormObserver::~FormObserver() { windowSystem().removeObserver(observer_); }

Window* FormObserver::formWindow() const { return formlink::windowOf(manager_.owner()); }

void FormObserver::observe(Window* target, const Message& m) {
    if (!target || manager_.isDesigning()) return;
    if (target == formWindow()) {
        handleFormMessage(m);
        return;
    }
    // A floating bar that takes or loses the activation speaks for its visible form.
    if (m.msg == WM_ACTIVATE && isOwnBarWindow(target) && formlink::isVisible(manager_.owner())) handleFormMessage(m);
}

bool FormObserver::isOwnBarWindow(const Window* w) const {
    if (!w) return false;
    for (CollectionItem* ci : manager_.bars().items())
        if (windowOfBar(*static_cast<Bar*>(ci)) == w) return true;
    return false;
}

void FormObserver::handleFormMessage(const Message& m) {
    if (manager_.isDestroying()) {
        if (m.msg == WM_DESTROY) saveLayoutOnDestroy();
        return;
    }
    switch (m.msg) {
    case WM_DESTROY: saveLayoutOnDestroy(); break;
    case WM_CREATE:
        // Bars loaded before the form had a window get their sites and windows now; while
        // loading, the end of loading does this.
        if (!manager_.isLoading()) manager_.bars().attachDocks();
        break;
    case WM_ACTIVATE: {
        const bool active = loWord(m.wParam) != WA_INACTIVE;
        Window* other = Window::fromHandle(static_cast<WindowHandle>(m.lParam));
        // Clicking one of the manager's own floating bars keeps the form's state.
        if (!active && isOwnBarWindow(other)) break;
        manager_.setOwnerFormActive(active);
        activateChanged(active, false, other);
        break;
    }
    case WM_ACTIVATEAPP:
        if (m.wParam == 0) {
            activateChanged(false, false, nullptr);
            dropHotItem();
        }
        break;
    case WM_WINDOWPOSCHANGING: {
        const auto* pos = reinterpret_cast<const WindowPos*>(m.lParam);
        if (pos && (pos->flags & SWP_HIDEWINDOW)) activateChanged(false, true, nullptr);
        break;
    }
    case WM_SYSCOLORCHANGE:
        manager_.systemColorsChanged();
        forEachFloatingBar([](Bar& bar, Window* w) {
            if (w && bar.control()) bar.control()->repaint();
        });
        break;
    case WM_SETTINGCHANGE:
        if (m.wParam == SPI_SETNONCLIENTMETRICS) manager_.systemFontChanged();
        else if (m.wParam == SPI_SETWORKAREA) checkFloatingBarsPosition();
        break;
    case WM_DISPLAYCHANGE: checkFloatingBarsPosition(); break;
    case WM_HELP:
        // F1 in the form: the item under the mouse in a bar window shows its topic.
        if (BarControlsIntegration* integration = BarControlsIntegration::instance())
            integration->showItemHelp(manager_);
        break;
    case WM_SYSCOMMAND:
        switch (m.wParam & 0xFFF0) {
        case SC_MINIMIZE:
        case SC_CLOSE: hideFloatingBars(); break;
        case SC_RESTORE:
        case SC_MAXIMIZE: showFloatingBars(); break;
        default: break;
        }
        break;
    default: break;
    }
}

template <class F>
void FormObserver::forEachFloatingBar(F&& f) const {
    for (CollectionItem* ci : manager_.bars().items()) {
        auto* bar = static_cast<Bar*>(ci);
        const bool floating = bar->control() ? bar->control()->dockingStyle() == dsNone
                                             : bar->dockingStyle() == dsNone && !bar->dockControl();
        if (floating) f(*bar, windowOfBar(*bar));
    }
}

void FormObserver::hideFloatingBars() {
    forEachFloatingBar([](Bar&, Window* w) {
        if (w && w->handleAllocated() && w->isVisibleStyle()) w->hide();
    });
}

void FormObserver::showFloatingBars() {
    forEachFloatingBar([](Bar& bar, Window* w) {
        if (!w || !w->handleAllocated() || !bar.visible()) return;
        w->show(false);
        w->invalidate();
    });
}

void FormObserver::activateChanged(bool active, bool hiding, Window* other) {
    if (inActivateChanged_) return;
    inActivateChanged_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{inActivateChanged_};

    const bool hideWhenInactive = manager_.hideFloatingBarsWhenInactive();
    // Bars that stay while the form is inactive show the form's activation in their caption.
    if (!hideWhenInactive && !hiding)
        forEachFloatingBar([](Bar& bar, Window*) {
            if (bar.control()) bar.control()->frameChanged();
        });
    Window* form = formWindow();
    if (active) {
        if (form && form->showState() != ShowState::Minimized) showFloatingBars();
        return;
    }
    if (other && form && isChildOf(other, form)) return;
    if (BarControlsIntegration* integration = BarControlsIntegration::instance()) integration->hideAllMenus();
    if (!hideWhenInactive && !hiding) return;
    // Another window of this program that is not a form (a message box, a popup) leaves them.
    const FormAccess* formAccess = formAccessOf(manager_.owner());
    const Window* appWindow = formAccess ? formAccess->applicationWindow() : nullptr;
    if (!hiding && other && other != appWindow && !dynamic_cast<FormAccess*>(other)) return;
    hideFloatingBars();
    if (form) form->invalidateFrame();
}

void FormObserver::hideWhenInactiveChanged() {
    if (manager_.isLoading() || manager_.isDesigning()) return;
    Window* form = formWindow();
    if (!form || !form->handleAllocated()) return;
    activateChanged(formlink::isActive(manager_.owner()) || !manager_.hideFloatingBarsWhenInactive(), false, nullptr);
}

void FormObserver::checkFloatingBarsPosition() {
    Window* form = formWindow();
    if (!form || !form->handleAllocated()) return;
    const Rect formRect = form->bounds();
    const Point centre((formRect.left + formRect.right) / 2, (formRect.top + formRect.bottom) / 2);
    const Rect area = Screen::monitorFromPoint(centre).workArea;
    forEachFloatingBar([&](Bar& bar, Window* w) {
        const bool hasWindow = w && w->handleAllocated();
        Rect r = hasWindow ? w->bounds()
                           : Rect(Point(bar.floatLeft(), bar.floatTop()),
                                  Size(bar.floatClientWidth(), bar.floatClientHeight()));
        int dx = 0, dy = 0;
        if (r.bottom > area.bottom) dy = area.bottom - r.bottom;
        if (r.top + dy < area.top) dy = area.top - r.top;
        if (r.right > area.right) dx = area.right - r.right;
        if (r.left + dx < area.left) dx = area.left - r.left;
        if (dx == 0 && dy == 0) return;
        if (hasWindow) {
            w->move(Point(r.left + dx, r.top + dy));
        } else {
            bar.setFloatLeft(bar.floatLeft() + dx);
            bar.setFloatTop(bar.floatTop() + dy);
        }
    });
}

void FormObserver::dropHotItem() {
    if (BarControlsIntegration* integration = BarControlsIntegration::instance()) integration->dropHotItem(manager_);
    manager_.forgetHotLink();
}

}  // namespace lindora
