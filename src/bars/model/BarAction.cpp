#include "bars/model/BarAction.h"

#include "base/ClassBuilder.h"

namespace lindora {

const ClassInfo& BarAction::classInfo() {
    static const ClassInfo info = ClassBuilder<BarAction>("BarAction", Component::classInfo())
                                      .property("Caption", &BarAction::caption, &BarAction::setCaption)
                                      .property("Checked", &BarAction::checked, &BarAction::setChecked)
                                      .defaultValue(false)
                                      .property("Enabled", &BarAction::enabled, &BarAction::setEnabled)
                                      .defaultValue(true)
                                      .property("HelpContext", &BarAction::helpContext, &BarAction::setHelpContext)
                                      .defaultValue(0)
                                      .property("Hint", &BarAction::hint, &BarAction::setHint)
                                      .property("ImageIndex", &BarAction::imageIndex, &BarAction::setImageIndex)
                                      .defaultValue(-1)
                                      .property("ShortCut", &BarAction::shortCut, &BarAction::setShortCut)
                                      .defaultValue(0)
                                      .property("Visible", &BarAction::visible, &BarAction::setVisible)
                                      .defaultValue(true)
                                      .event("OnExecute", &BarAction::OnExecute)
                                      .event("OnUpdate", &BarAction::OnUpdate);
    return info;
}

BarAction::BarAction(Component* owner) : Component(owner) {}
BarAction::~BarAction() = default;

void BarAction::changed() {
    auto copy = listeners_;  // a listener may remove itself
    for (auto& [id, l] : copy) l(*this);
}

#define LINDORA_ACTION_SETTER(Name, member, Type) \
    void BarAction::Name(Type v) {                \
        if (member == v) return;                  \
        member = v;                               \
        changed();                                \
    }
LINDORA_ACTION_SETTER(setCaption, caption_, const std::string&)
LINDORA_ACTION_SETTER(setChecked, checked_, bool)
LINDORA_ACTION_SETTER(setEnabled, enabled_, bool)
LINDORA_ACTION_SETTER(setHelpContext, helpContext_, int)
LINDORA_ACTION_SETTER(setHint, hint_, const std::string&)
LINDORA_ACTION_SETTER(setImageIndex, imageIndex_, int)
LINDORA_ACTION_SETTER(setShortCut, shortCut_, int)
LINDORA_ACTION_SETTER(setVisible, visible_, bool)
#undef LINDORA_ACTION_SETTER

bool BarAction::execute() {
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

bool BarAction::doHint(std::string& hint) {
    bool canShow = true;
    OnHint(hint, canShow);
    return canShow;
}

bool BarAction::update() {
    if (!OnUpdate) return false;
    OnUpdate(this);
    return true;
}

int BarAction::addChangeListener(Listener listener) {
    listeners_.emplace_back(nextId_, std::move(listener));
    return nextId_++;
}

void BarAction::removeChangeListener(int id) {
    std::erase_if(listeners_, [id](const auto& e) { return e.first == id; });
}

}  // namespace lindora
