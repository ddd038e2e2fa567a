// The views of the window layer's Form and MenuItem that the settings work through.
#include <memory>

#include "base/Component.h"
#include "gfx/TextEngine.h"
#include "settings/FormAccess.h"
#include "settings/FormAdapters.h"
#include "settings/MenuModel.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/MenuItem.h"
#include "ui/Screen.h"

namespace lindora {

namespace {

class FormView : public FormAccess {
public:
    explicit FormView(Form& form) : form_(form) {}

    Window* window() const override { return &form_; }

    FormBorderKind borderKind() const override {
        switch (form_.borderStyle()) {
        case bsNone: return FormBorderKind::None;
        case bsSingle:
        case bsDialog:
        case bsToolWindow: return FormBorderKind::Fixed;
        default: return FormBorderKind::Sizeable;
        }
    }
    bool hasMinimizeOrMaximizeIcon() const override {
        return form_.borderIcons().contains(biMinimize) || form_.borderIcons().contains(biMaximize);
    }
    bool isMdiChild() const override { return form_.formStyle() == fsMDIChild; }
    bool positionIsScreenCenter() const override { return form_.position() == poScreenCenter; }
    void setPositionDefaultPosOnly() override { form_.setPosition(poDefaultPosOnly); }

    Rect normalBounds() const override {
        // The form answers in screen coordinates; the placement is kept relative to the work area.
        Rect r = form_.normalRect();
        Rect workArea = Screen::monitorFromRect(r).workArea;
        return Rect::fromSize(r.left - workArea.left, r.top - workArea.top, r.width(), r.height());
    }
    Rect bounds() const override { return Rect::fromSize(form_.left(), form_.top(), form_.width(), form_.height()); }
    void setLeft(int left) override { form_.setLeft(left); }
    void setTop(int top) override { form_.setTop(top); }
    void setWidth(int width) override { form_.setWidth(width); }
    void setHeight(int height) override { form_.setHeight(height); }
    void keepPosition() override { form_.keepPositionAtShow(); }

    ShowState windowState() const override {
        switch (form_.windowState()) {
        case wsMinimized: return ShowState::Minimized;
        case wsMaximized: return ShowState::Maximized;
        default: return ShowState::Normal;
        }
    }
    void setWindowState(ShowState state) override {
        form_.setWindowState(state == ShowState::Minimized   ? wsMinimized
                             : state == ShowState::Maximized ? wsMaximized
                                                             : wsNormal);
    }

    bool isMainForm() const override { return form_.isMainForm(); }
    Window* applicationWindow() const override {
        Application* app = Application::current();
        return app ? app->handleWindow() : nullptr;
    }

    int textWidth(const std::string& text) const override {
        return TextEngine::instance().measure(form_.font(), text).cx;
    }

private:
    Form& form_;
};

class MenuItemModel : public MenuModel {
public:
    static MenuItem& item(Component& c) { return dynamic_cast<MenuItem&>(c); }

    std::vector<Component*> entries(Component& menu) const override {
        const auto& items = item(menu).items();
        return {items.begin(), items.end()};
    }
    Component* parentOf(Component& c) const override { return item(c).parent(); }
    std::string caption(Component& c) const override { return item(c).caption(); }
    void setCaption(Component& c, const std::string& caption) override { item(c).setCaption(caption); }
    Component* createEntry(Component* owner, std::function<void(Component&)> onClick) override {
        auto* entry = new MenuItem(owner);
        if (onClick) entry->OnClick.bind([entry, onClick](Persistent*) { onClick(*entry); });
        return entry;
    }
    void insert(Component& menu, int index, Component& entry) override { item(menu).insert(index, &item(entry)); }
    void remove(Component& menu, Component& entry) override { item(menu).remove(&item(entry)); }
};

}  // namespace

std::unique_ptr<FormAccess> formViewOf(Component* owner) {
    if (auto* form = dynamic_cast<Form*>(owner)) return std::make_unique<FormView>(*form);
    return nullptr;
}

MenuModel* menuItemModelOf(Component* item) {
    static MenuItemModel model;
    return dynamic_cast<MenuItem*>(item) ? &model : nullptr;
}

}  // namespace lindora
