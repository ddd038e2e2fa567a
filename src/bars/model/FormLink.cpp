#include "bars/model/FormLink.h"

#include "base/Component.h"
#include "base/Exception.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/FormAccess.h"
#include "ui/PlatformIntegration.h"

namespace lindora {

namespace formlink {

bool isForm(const Component* component) { return formAccessOf(component) != nullptr; }

Component* parentForm(Component* component) {
    for (Component* c = component; c; c = c->owner())
        if (isForm(c)) return c;
    return nullptr;
}

Window* windowOf(Component* form) {
    FormAccess* f = formAccessOf(form);
    return f ? f->formWindow() : nullptr;
}

Color colorOf(const Component* form) {
    const FormAccess* f = formAccessOf(form);
    return f ? f->color() : clBtnFace;
}

bool isVisible(Component* form) {
    FormAccess* f = formAccessOf(form);
    return f && f->visible();
}

bool isActive(Component* form) {
    FormAccess* f = formAccessOf(form);
    return f && f->isActiveForm();
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
