#include "bars/model/FormLink.h"

#include "base/ClassInfo.h"
#include "base/Component.h"
#include "base/Exception.h"
#include "base/TextUtil.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/PlatformIntegration.h"
#include "ui/Window.h"
#include "ui/WindowSystem.h"

namespace lindora {

namespace formlink {

bool isForm(const Component* component) {
    if (!component) return false;
    if (dynamic_cast<const Form*>(component)) return true;
    // Stand-ins and forms of other kinds publish the form class as an ancestor.
    for (const ClassInfo* c = &component->classType(); c; c = c->parent())
        if (sameText(c->name(), "Form") || sameText(c->name(), "CustomForm")) return true;
    return false;
}

Component* parentForm(Component* component) {
    for (Component* c = component; c; c = c->owner())
        if (isForm(c)) return c;
    return nullptr;
}

Window* windowOf(Component* form) { return dynamic_cast<Window*>(form); }

Color colorOf(const Component* form) {
    if (auto* f = dynamic_cast<const Form*>(form)) return f->color();
    if (form) {
        if (const PropInfo* p = findProperty(*form, "Color"); p && p->kind() == TypeKind::Integer)
            return Color(static_cast<std::uint32_t>(p->getOrdinal(*form)));
    }
    return clBtnFace;
}

bool isVisible(Component* form) {
    if (auto* f = dynamic_cast<Form*>(form)) return f->visible();
    Window* w = windowOf(form);
    return w && w->handleAllocated() && w->isWindowVisible();
}

bool isActive(Component* form) {
    if (Window* w = windowOf(form); w && w->handleAllocated()) return WindowSystem::instance().activeWindow() == w;
    if (const PropInfo* p = form ? findProperty(*form, "Active") : nullptr; p && p->kind() == TypeKind::Enumeration)
        return p->getOrdinal(*form) != 0;
    return false;
}

}  // namespace formlink

namespace {
ApplicationLink& link() {
    static ApplicationLink l;
    return l;
}
}  // namespace

void setApplicationLink(ApplicationLink l) { link() = std::move(l); }

// Without installed answers, the live application object answers.
Component* applicationMainForm() {
    if (link().mainForm) return link().mainForm();
    return Application::current() ? Application::current()->mainForm() : nullptr;
}

std::string applicationTitle() {
    if (link().title) return link().title();
    return Application::current() ? Application::current()->title() : std::string();
}

void reportException(const std::exception& e) {
    if (dynamic_cast<const SilentAbort*>(&e)) return;
    if (link().handleException) {
        link().handleException(e);
        return;
    }
    if (Application* app = Application::current()) {
        app->handleException(e);
        return;
    }
    if (PlatformIntegration* p = PlatformIntegration::instance()) {
        DialogRequest r;
        r.kind = DialogKind::Error;
        r.title = applicationTitle();
        r.text = e.what();
        p->services().showMessageDialog(r);
    }
}

}  // namespace lindora
