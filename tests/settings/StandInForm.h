#pragma once
// A form as the settings see it, for tests: a component that owns a top-level window on the
// offscreen backend and whose border, position mode and application facts a test sets freely;
// and a menu item that describes itself through MenuModel.
#include <memory>
#include <string>
#include <vector>

#include "base/Component.h"
#include "settings/MenuModel.h"
#include "settings/PSettings.h"
#include "ui/FormAccess.h"
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

class StandInForm : public Component, public FormAccess {
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

    // ---- FormAccess
    Window* formWindow() const override { return const_cast<CountingWindow*>(&window); }
    Color color() const override { return clBtnFace; }
    bool visible() const override { return window.handleAllocated() && window.isWindowVisible(); }
    bool isActiveForm() const override { return false; }
    FormBorderKind borderKind() const override { return border; }
    bool hasMinimizeOrMaximizeIcon() const override { return borderIcons; }
    bool isMdiChild() const override { return mdiChild; }
    bool positionIsScreenCenter() const override { return screenCenter; }
    void setPositionDefaultPosOnly() override;
    Rect workAreaNormalBounds() const override;
    Rect formBounds() const override { return window.bounds(); }
    void setLeft(int left) override;
    void setTop(int top) override;
    void setWidth(int width) override;
    void setHeight(int height) override;
    void keepPosition() override { positionKept = true; }
    ShowState formState() const override { return window.showState(); }
    void setFormState(ShowState state) override;
    bool isMainForm() const override { return mainForm; }
    Window* applicationWindow() const override { return appWindow; }
    // Seven pixels a character, like a small proportional font on average.
    int textWidth(const std::string& text) const override { return static_cast<int>(text.size()) * 7; }

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
