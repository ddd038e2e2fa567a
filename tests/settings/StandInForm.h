#pragma once
// A form as the settings see it, for tests: a component that owns a top-level window on the
// offscreen backend and describes itself through FormAccess, and a menu item that describes
// itself through MenuModel.
#include <memory>
#include <string>
#include <vector>

#include "base/Component.h"
#include "settings/FormAccess.h"
#include "settings/MenuModel.h"
#include "settings/PSettings.h"
#include "ui/Window.h"

namespace lindora::test {

class CountingWindow : public Window {
public:
    std::vector<unsigned> messages;
    int count(unsigned msg) const {
        int n = 0;
        for (unsigned m : messages) n += m == msg;
        return n;
    }

protected:
    void wndProc(Message& m) override {
        messages.push_back(m.msg);
        Window::wndProc(m);
    }
};

class StandInForm : public Component, public FormAccessProvider {
    LINDORA_CLASS(StandInForm)
public:
    explicit StandInForm(Component* owner = nullptr);
    // Like a real form: the window goes (WM_DESTROY) before the components.
    ~StandInForm() override;

    CountingWindow window;
    FormBorderKind border = FormBorderKind::Sizeable;
    bool borderIcons = true;
    bool mdiChild = false;
    bool screenCenter = false;
    bool defaultPosOnly = false;
    bool positionKept = false;  // the settings claimed the position they applied
    bool mainForm = false;
    Window* appWindow = nullptr;
    Rect normal;  // the restored rectangle while minimised or maximised

    void createWindow(const Rect& bounds, bool visible = true);
    std::unique_ptr<FormAccess> createFormAccess() override;

    // OnAutoRestore handler of the form descriptions in the tests.
    void FormSettingsAutoRestore(Persistent* sender, bool& proceed);
};

// A classic menu item: caption, ordered entries, parent, click.
class StandInMenuItem : public Component, public MenuModelProvider {
    LINDORA_CLASS(StandInMenuItem)
public:
    explicit StandInMenuItem(Component* owner = nullptr);
    ~StandInMenuItem() override;

    std::string caption;
    std::function<void(Component&)> onClick;
    std::vector<StandInMenuItem*> entries;
    StandInMenuItem* parent = nullptr;

    StandInMenuItem* add(const std::string& caption);
    void click() {
        if (onClick) onClick(*this);
    }
    std::vector<std::string> captions() const;
    MenuModel& menuModel() override;
};

}  // namespace lindora::test
