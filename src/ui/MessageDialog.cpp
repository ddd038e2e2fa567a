#include "ui/MessageDialog.h"

#include "base/Exception.h"
#include "ui/WindowSystem.h"

namespace lindora {

std::string dialogTitle(DialogKind kind) {
    switch (kind) {
    case DialogKind::Information: return "Information";
    case DialogKind::Warning: return "Warning";
    case DialogKind::Error: return "Error";
    case DialogKind::Confirmation: return "Confirm";
    }
    return {};
}

DialogButton showMessageDialog(const std::string& text, DialogKind kind, std::vector<DialogButton> buttons,
                               DialogButton defaultButton, const std::string& title) {
    PlatformIntegration* p = PlatformIntegration::instance();
    if (!p) throw Exception("No platform backend is installed");
    WindowSystem& ws = WindowSystem::instance();
    DialogRequest r;
    r.kind = kind;
    r.title = title.empty() ? dialogTitle(kind) : title;
    r.text = text;
    r.buttons = buttons.empty() ? std::vector<DialogButton>{DialogButton::OK} : std::move(buttons);
    r.defaultButton = defaultButton;
    Window* active = ws.activeWindow();
    r.owner = active ? active->surface() : nullptr;
    // Modal: the application's windows take no input until the dialog is answered.
    std::vector<WindowHandle> disabled;
    for (Window* t : ws.topLevels())
        if (t->isEnabledStyle()) {
            disabled.push_back(t->handle());
            t->enable(false);
        }
    DialogButton answer = DialogButton::Cancel;
    try {
        answer = p->services().showMessageDialog(r);
    } catch (...) {
        for (WindowHandle h : disabled)
            if (Window* w = ws.find(h)) w->enable(true);
        throw;
    }
    for (WindowHandle h : disabled)
        if (Window* w = ws.find(h)) w->enable(true);
    if (Window* w = active && ws.find(active->handle()) == active ? active : nullptr) ws.setActiveWindow(w);
    return answer;
}

}  // namespace lindora
