#include "StandInForm.h"

#include <algorithm>

#include "base/ClassBuilder.h"
#include "ui/Screen.h"

namespace lindora::test {

namespace {

class StandInMenuModel : public MenuModel {
public:
    static StandInMenuItem& item(Component& c) { return dynamic_cast<StandInMenuItem&>(c); }

    std::vector<Component*> entries(Component& menu) const override {
        auto& m = item(menu);
        return {m.entries.begin(), m.entries.end()};
    }
    Component* parentOf(Component& c) const override { return item(c).parent; }
    std::string caption(Component& c) const override { return item(c).caption; }
    void setCaption(Component& c, const std::string& caption) override { item(c).caption = caption; }
    Component* createEntry(Component* owner, std::function<void(Component&)> onClick) override {
        auto* e = new StandInMenuItem(owner);
        e->onClick = std::move(onClick);
        return e;
    }
    void insert(Component& menu, int index, Component& entry) override {
        auto& m = item(menu);
        auto& e = item(entry);
        m.entries.insert(m.entries.begin() + index, &e);
        e.parent = &m;
    }
    void remove(Component& menu, Component& entry) override {
        auto& m = item(menu);
        m.entries.erase(std::remove(m.entries.begin(), m.entries.end(), &entry), m.entries.end());
        item(entry).parent = nullptr;
    }
};

}  // namespace

const ClassInfo& StandInForm::classInfo() {
    static const ClassInfo info = ClassBuilder<StandInForm>("StandInForm", Component::classInfo())
                                      .method("FormSettingsAutoRestore", &StandInForm::FormSettingsAutoRestore);
    return info;
}

StandInForm::StandInForm(Component* owner) : Component(owner) {}

StandInForm::~StandInForm() {
    window.destroy();
    destroyComponents();
}

void StandInForm::createWindow(const Rect& bounds, bool visible) {
    CreateParams p;
    p.caption = name();
    p.style = WS_OVERLAPPEDWINDOW | (visible ? std::uint32_t{WS_VISIBLE} : std::uint32_t{0});
    p.bounds = bounds;
    window.create(p);
}

void StandInForm::setPositionDefaultPosOnly() {
    screenCenter = false;
    defaultPosOnly = true;
}

Rect StandInForm::workAreaNormalBounds() const {
    Rect r = window.showState() == ShowState::Normal ? window.bounds() : normal;
    Rect wa = Screen::workArea();
    return Rect::fromSize(r.left - wa.left, r.top - wa.top, r.width(), r.height());
}

void StandInForm::setLeft(int left) {
    Rect b = window.bounds();
    window.setBounds(Rect::fromSize(left, b.top, b.width(), b.height()));
}

void StandInForm::setTop(int top) {
    Rect b = window.bounds();
    window.setBounds(Rect::fromSize(b.left, top, b.width(), b.height()));
}

void StandInForm::setWidth(int width) {
    Rect b = window.bounds();
    window.setBounds(Rect::fromSize(b.left, b.top, width, b.height()));
}

void StandInForm::setHeight(int height) {
    Rect b = window.bounds();
    window.setBounds(Rect::fromSize(b.left, b.top, b.width(), height));
}

void StandInForm::setFormState(ShowState state) {
    if (window.showState() == ShowState::Normal) normal = window.bounds();
    window.setShowState(state);
}

void StandInForm::FormSettingsAutoRestore(Persistent* sender, bool&) {
    auto* settings = dynamic_cast<PSettings*>(sender);
    settings->setCompanyName("Quintvel");
    settings->setSoftwareName("Lindora");
    settings->setSoftwareVersion("1.0");
}

const ClassInfo& StandInMenuItem::classInfo() {
    static const ClassInfo info = ClassBuilder<StandInMenuItem>("StandInMenuItem", Component::classInfo());
    return info;
}

StandInMenuItem::StandInMenuItem(Component* owner) : Component(owner) {}

StandInMenuItem::~StandInMenuItem() {
    if (parent)
        parent->entries.erase(std::remove(parent->entries.begin(), parent->entries.end(), this), parent->entries.end());
    for (StandInMenuItem* e : entries) e->parent = nullptr;
}

StandInMenuItem* StandInMenuItem::add(const std::string& text) {
    auto* e = new StandInMenuItem(owner());
    e->caption = text;
    e->parent = this;
    entries.push_back(e);
    return e;
}

std::vector<std::string> StandInMenuItem::captions() const {
    std::vector<std::string> out;
    for (auto* e : entries) out.push_back(e->caption);
    return out;
}

MenuModel& StandInMenuItem::menuModel() {
    static StandInMenuModel model;
    return model;
}

}  // namespace lindora::test
