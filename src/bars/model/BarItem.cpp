#include "bars/model/BarItem.h"

#include <algorithm>

#include "bars/model/Bar.h"
#include "bars/model/BarAction.h"
#include "bars/model/BarButton.h"
#include "bars/model/BarFramework.h"
#include "bars/model/BarItemLinks.h"
#include "bars/model/BarManager.h"
#include "bars/model/BarSubItem.h"
#include "bars/model/BarWindows.h"
#include "bars/model/FormLink.h"
#include "bars/model/ItemProperties.h"
#include "base/ClassBuilder.h"

namespace lindora {

// ---------------------------------------------------------------------------------------------
// BarItemActionLink

BarItemActionLink::BarItemActionLink(BarItem& item, BarAction& action) : item_(&item), action_(&action) {
    last_ = snapshot();
    listenerId_ = action.addChangeListener([this](BarAction&) { actionChanged(); });
}

BarItemActionLink::~BarItemActionLink() {
    if (action_) action_->removeChangeListener(listenerId_);
}

BarItemActionLink::Snapshot BarItemActionLink::snapshot() const {
    Snapshot s;
    s.caption = action_->caption();
    s.hint = action_->hint();
    s.checked = action_->checked();
    s.enabled = action_->enabled();
    s.visible = action_->visible();
    s.helpContext = action_->helpContext();
    s.imageIndex = action_->imageIndex();
    s.shortCut = action_->shortCut();
    return s;
}

namespace {
BarItemVisible visibleOf(bool v) { return v ? ivAlways : ivNever; }
}  // namespace

bool BarItemActionLink::isCaptionLinked() const { return item_->caption() == action_->caption(); }
bool BarItemActionLink::isCheckedLinked() const {
    auto* b = dynamic_cast<BarButton*>(item_);
    return b && b->down() == action_->checked();
}
bool BarItemActionLink::isEnabledLinked() const { return item_->enabled() == action_->enabled(); }
bool BarItemActionLink::isHelpContextLinked() const { return item_->helpContext() == action_->helpContext(); }
bool BarItemActionLink::isHintLinked() const { return item_->hint() == action_->hint(); }
bool BarItemActionLink::isImageIndexLinked() const { return item_->imageIndex() == action_->imageIndex(); }
bool BarItemActionLink::isShortCutLinked() const { return item_->shortCut() == action_->shortCut(); }
bool BarItemActionLink::isVisibleLinked() const { return item_->visible() == visibleOf(action_->visible()); }
bool BarItemActionLink::isOnExecuteLinked() const { return action_->OnExecute.assigned(); }

bool BarItemActionLink::execute() { return action_->execute(); }

void BarItemActionLink::actionChanged() {
    const Snapshot old = last_;
    last_ = snapshot();
    BarItem& i = *item_;
    i.updatingFromAction_ = true;
    try {
        if (i.caption() == old.caption) i.setCaption(last_.caption);
        if (auto* b = dynamic_cast<BarButton*>(&i); b && b->down() == old.checked) b->setDown(last_.checked);
        if (i.enabled() == old.enabled) i.setEnabled(last_.enabled);
        if (i.helpContext() == old.helpContext) i.setHelpContext(last_.helpContext);
        if (i.hint() == old.hint) i.setHint(last_.hint);
        if (i.imageIndex() == old.imageIndex) i.setImageIndex(last_.imageIndex);
        if (i.shortCut() == old.shortCut) i.setShortCut(last_.shortCut);
        if (i.visible() == visibleOf(old.visible)) i.setVisible(visibleOf(last_.visible));
    } catch (...) {
        i.updatingFromAction_ = false;
        throw;
    }
    i.updatingFromAction_ = false;
}

// ---------------------------------------------------------------------------------------------
// BarItem

const ClassInfo& BarItem::classInfo() {
    static const ClassInfo info =
        ClassBuilder<BarItem>("BarItem", Component::classInfo())
            .property("Action", &BarItem::action, &BarItem::setAction)
            .property("Align", &BarItem::align, &BarItem::setAlign)
            .defaultValue(iaLeft)
            .property("Caption", &BarItem::caption, &BarItem::setCaption)
            .stored([](const BarItem& i) {
                return !(i.actionLink() && i.actionLink()->isCaptionLinked()) && !i.caption().empty();
            })
            .property("Category", &BarItem::category, &BarItem::setCategory)
            .property("Description", &BarItem::description, &BarItem::setDescription)
            .stored([](const BarItem& i) { return !i.description().empty(); })
            .property("Enabled", &BarItem::enabled, &BarItem::setEnabled)
            .defaultValue(true)
            .stored([](const BarItem& i) { return !(i.actionLink() && i.actionLink()->isEnabledLinked()); })
            .property("HelpContext", &BarItem::helpContext, &BarItem::setHelpContext)
            .defaultValue(0)
            .stored([](const BarItem& i) { return !(i.actionLink() && i.actionLink()->isHelpContextLinked()); })
            .property("Hint", &BarItem::hint, &BarItem::setHint)
            .stored([](const BarItem& i) {
                return !(i.actionLink() && i.actionLink()->isHintLinked()) && !i.hint().empty();
            })
            .property("Visible", &BarItem::visible, &BarItem::setVisible)
            .stored([](const BarItem& i) { return !(i.actionLink() && i.actionLink()->isVisibleLinked()); })
            .event("OnDestroy", &BarItem::OnDestroy)
            .abstract();
    return info;
}

BarItem::BarItem(Component* owner) : Component(owner) {
    BarManagerList& list = BarFramework::managerList();
    BarManager* m = owner ? list.managerByForm(owner) : nullptr;
    if (!m && list.count() > 0) m = list.managers().front();
    if (m) {
        manager_ = m;
        m->registerItem(this);
    }
    // A change inside the glyph (not only setGlyph) reaches the controls.
    glyph_.OnChange.bind([this](Persistent*) {
        if (!isLoading()) glyphChanged();
    });
}

BarItem::~BarItem() {
    OnDestroy(this);
    BarFramework::removeTemporaryItem(this);
    {
        bool onToolbar = std::any_of(links_.begin(), links_.end(),
                                     [](BarItemLink* l) { return l->barControl() && l->barControl()->isToolbar(); });
        std::unique_ptr<BarLockUpdate> lock;
        if (onToolbar && manager_ && !manager_->isDestroying()) lock = std::make_unique<BarLockUpdate>(manager_);
        while (!links_.empty()) delete links_.back();
    }
    if (manager_) manager_->unregisterItem(this);
    actionLink_.reset();
}

bool BarItem::isLoadingItem() const { return isLoading(); }
bool BarItem::isDesigningItem() const { return isDesigning(); }

void BarItem::setBarManager(BarManager* manager) {
    if (manager == manager_) return;
    if (manager_) manager_->unregisterItem(this);
    manager_ = manager;
    if (manager_) manager_->registerItem(this);
    barManagerChanged();
}

BarAction* BarItem::action() const { return actionLink_ ? &actionLink_->action() : nullptr; }

void BarItem::setAction(BarAction* value) {
    if (value == action()) return;
    if (BarAction* old = action()) removeFreeNotification(old);
    actionLink_.reset();
    if (!value) return;
    actionLink_ = std::make_unique<BarItemActionLink>(*this, *value);
    freeNotification(value);
    actionChange(*value, value->isLoading() || isLoading());
}

void BarItem::setAlign(BarItemAlign value) {
    if (value == align_) return;
    align_ = value;
    notifyControls();
}

void BarItem::setCaption(const std::string& value) {
    if (value == caption_) return;
    bool hintFollows = false;
    if (!dynamic_cast<CustomBarSubItem*>(this) && !updatingFromAction_) {
        std::string shortHint = hint_.substr(0, hint_.find('|'));
        hintFollows = hint_.empty() || shortHint == captionToHint(caption_);
    }
    caption_ = value;
    if (isLoading()) return;
    if (hintFollows) {
        auto bar = hint_.find('|');
        std::string longPart = bar == std::string::npos ? std::string() : hint_.substr(bar + 1);
        hint_ = captionToHint(value);
        if (bar != std::string::npos) hint_ += "|" + longPart;
    }
    captionChanged();
}

void BarItem::setCategory(int value) {
    if (isLoading()) {
        category_ = value;
        return;
    }
    if (!manager_ || value < 0 || value >= manager_->categories().count()) return;
    if (value == category_) return;
    category_ = value;
    refreshCustomizing();
    manager_->designerModified();
}

void BarItem::setDescription(const std::string& value) {
    description_ = value;
    refreshCustomizing();
}

void BarItem::setEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    if (!isLoading()) enabledChanged();
}

void BarItem::setHelpContext(int value) { helpContext_ = value; }

void BarItem::setHint(const std::string& value) { hint_ = value; }

void BarItem::setVisible(BarItemVisible value) {
    if (isLoading()) {
        pendingVisible_ = value;
        return;
    }
    if (value == visible_) return;
    visible_ = value;
    pendingVisible_ = value;
    visibleChanged();
}

void BarItem::setImageIndex(int value) {
    if (value == imageIndex_) return;
    imageIndex_ = value;
    if (!isLoading()) glyphChanged();
}

void BarItem::setShortCut(int value) {
    if (value == shortCut_) return;
    shortCut_ = value;
    if (!isLoading()) shortCutChanged();
}

BarItemLink* BarItem::selectedLink() const {
    for (BarItemLink* l : links_)
        if (l->control() && l->control()->isSelected()) return l;
    return nullptr;
}

bool BarItem::isAvailable() const {
    bool customizing = manager_ && manager_->isCustomizing();
    if (visible_ == ivAlways) return isAvailableAtRunTime() || customizing;
    if (visible_ == ivInCustomizing) return customizing;
    return false;
}

bool BarItem::getEnabled() const {
    if (manager_ && manager_->isCustomizing() && !manager_->isDesigning() && category_ >= 0) return true;
    return enabled_;
}

void BarItem::click() {
    if (!canClicked()) return;
    doClick();
}

void BarItem::doClick() {
    if (!getEnabled()) return;
    try {
        if (manager_) manager_->doClickItem(this);
        doOnClick();
    } catch (const std::exception& e) {
        reportException(e);
    }
}

void BarItem::doOnClick() {
    BarAction* a = action();
    bool sameHandler = a && a->OnExecute.assigned() && OnClick.assigned() && !OnClick.methodName().empty() &&
                       OnClick.methodName() == a->OnExecute.methodName() && OnClick.target() == a->OnExecute.target();
    if (OnClick.assigned() && (!a || !sameHandler)) {
        OnClick(this);
    } else if (!isDesigning() && actionLink_) {
        actionLink_->execute();
    }
}

void BarItem::forEachControl(const std::function<void(BarItemControl&)>& f, int skip) {
    for (BarItemLink* l : std::vector<BarItemLink*>(links_)) {
        if (skip >= 0 && l->userDefine().contains(static_cast<BarUserDefine>(skip))) continue;
        if (l->control()) f(*l->control());
    }
    refreshCustomizing();
}

void BarItem::refreshCustomizing() {}

void BarItem::captionChanged() {
    forEachControl([](BarItemControl& c) { c.captionChanged(); }, udCaption);
}
void BarItem::enabledChanged() {
    forEachControl([](BarItemControl& c) { c.enabledChanged(); });
}
void BarItem::glyphChanged() {
    forEachControl([](BarItemControl& c) { c.glyphChanged(); }, udGlyph);
}
void BarItem::hotImagesChanged() {}
void BarItem::largeImagesChanged() {}
void BarItem::shortCutChanged() {
    forEachControl([](BarItemControl& c) { c.shortCutChanged(); });
}
void BarItem::refreshControls() {
    forEachControl([](BarItemControl& c) { c.repaint(); });
}
void BarItem::repaintOwners() {
    // Each window once, however many links of the item it shows.
    std::vector<ItemLinksWindow*> windows;
    for (BarItemLink* l : links_)
        if (ItemLinksWindow* w = l->barControl(); w && std::find(windows.begin(), windows.end(), w) == windows.end())
            windows.push_back(w);
    for (ItemLinksWindow* w : windows) w->recalculate();
}

void BarItem::visibleChanged() {
    if (isDesigning()) return;
    BarLockUpdate lock(manager_);
    for (BarItemLink* l : std::vector<BarItemLink*>(links_)) {
        if (BarItemLinks* ls = l->links()) ls->refreshLists();
        if (isAvailable()) {
            l->markUsed(false);
            l->createControl();  // only for a link that is itself visible
            if (l->control()) l->control()->visibleChanged();
        } else {
            if (BarItemLinks* ls = l->links()) ls->moveToRecentEnd(l);
            if (l->control()) l->control()->visibleChanged();
            l->destroyControl();
        }
    }
    refreshCustomizing();
}

bool BarItem::canAccelerate(const BarItemLink&) const { return getEnabled(); }

ImageListComponent* BarItem::getImages() const { return manager_ ? manager_->images() : nullptr; }

void BarItem::actionChange(BarAction& a, bool checkDefaults) {
    if (!checkDefaults || caption_.empty()) setCaption(a.caption());
    if (!checkDefaults || enabled_) setEnabled(a.enabled());
    if (!checkDefaults || helpContext_ == 0) setHelpContext(a.helpContext());
    if (!checkDefaults || hint_.empty()) setHint(a.hint());
    if (!checkDefaults || imageIndex_ == -1) setImageIndex(a.imageIndex());
    if (!checkDefaults || shortCut_ == 0) setShortCut(a.shortCut());
    if (!checkDefaults || visible_ == ivAlways) setVisible(a.visible() ? ivAlways : ivNever);
    if (!checkDefaults || !OnClick.assigned()) {
        if (a.OnExecute.assigned()) OnClick.setValue(a.OnExecute.value());
    }
}

void BarItem::notifyControls() {
    if (isLoading()) return;
    forEachControl([](BarItemControl& c) { c.refresh(); });
}

bool BarItem::hasParent() const { return manager_ && category_ >= 0; }

Component* BarItem::getParentComponent() const { return manager_; }

void BarItem::setParentComponent(Component* parent) {
    if (auto* m = dynamic_cast<BarManager*>(parent)) setBarManager(m);
}

void BarItem::loaded() {
    Component::loaded();
    if (BarAction* a = action()) actionChange(*a, true);
}

void BarItem::setName(const std::string& name) {
    Component::setName(name);
    refreshCustomizing();
}

void BarItem::notification(Component* component, Operation operation) {
    Component::notification(component, operation);
    if (operation == opRemove && actionLink_ && component == &actionLink_->action()) {
        actionLink_->actionFreed();
        actionLink_.reset();
    }
}

}  // namespace lindora
