#include "bars/model/BarItemLinks.h"

#include <algorithm>
#include <cmath>

#include "bars/model/Bar.h"
#include "bars/model/BarButton.h"
#include "bars/model/BarControlsIntegration.h"
#include "bars/model/BarEdit.h"
#include "bars/model/BarFramework.h"
#include "bars/model/BarItem.h"
#include "bars/model/BarManager.h"
#include "bars/model/BarSubItem.h"
#include "bars/model/BarWindows.h"
#include "bars/model/ItemControlClass.h"
#include "base/ClassBuilder.h"

namespace lindora {

namespace {

// The component whose loading state the links follow: a bar's manager, a sub item, a menu.
Component* ownerComponent(const BarItemLinks* links) {
    if (!links) return nullptr;
    if (auto* c = dynamic_cast<Component*>(links->owner())) return c;
    if (auto* b = dynamic_cast<Bar*>(links->owner())) return b->barManager();
    return nullptr;
}

int indexIn(const std::vector<BarItemLink*>& list, const BarItemLink* link) {
    auto it = std::find(list.begin(), list.end(), link);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// BarItemLink

const ClassInfo& BarItemLink::classInfo() {
    static const ClassInfo info =
        ClassBuilder<BarItemLink>("BarItemLink", CollectionItem::classInfo())
            .property("Item", &BarItemLink::item, &BarItemLink::setItem)
            .property("BeginGroup", &BarItemLink::beginGroup, &BarItemLink::setBeginGroup)
            .defaultValue(false)
            .property("Visible", &BarItemLink::visible, &BarItemLink::setVisible)
            .property("MostRecentlyUsed", &BarItemLink::mostRecentlyUsed, &BarItemLink::setMostRecentlyUsed)
            .defaultValue(true)
            .property("UserCaption", &BarItemLink::userCaption, &BarItemLink::setUserCaption)
            .stored([](const BarItemLink& l) { return !l.userCaption().empty(); })
            .property("UserDefine", &BarItemLink::userDefine, &BarItemLink::setUserDefine)
            .defaultValue(BarUserDefines{})
            .property(
                "UserGlyph", [](const BarItemLink& l) -> const BitmapProperty& { return l.userGlyph(); },
                [](BarItemLink& l, const BitmapProperty& g) { l.setUserGlyph(g); })
            .stored([](const BarItemLink& l) { return !l.userGlyph().empty(); })
            .property("UserPaintStyle", &BarItemLink::userPaintStyle, &BarItemLink::setUserPaintStyle)
            .defaultValue(psStandard)
            .property("UserWidth", &BarItemLink::userWidth, &BarItemLink::setUserWidth)
            .defaultValue(0);
    return info;
}

BarItemLink::BarItemLink(Collection* collection) : CollectionItem(collection) {
    BarItemLinks* l = links();
    if (!l) return;
    if (BarManager* m = l->barManager()) useCount_ = m->initialUseCount();
    l->recent_.push_back(this);
    if (BarManager* m = l->barManager(); m && !isLoading()) m->itemLinkAdded(this);
}

BarItemLink::~BarItemLink() {
    destroying_ = true;
    BarItemLinks* l = links();
    BarManager* m = l ? l->barManager() : nullptr;
    if (m && !m->isDestroying()) m->itemLinkDeleting(this);
    if (m) m->forgetHotLink(this);
    if (control_) {
        if (ItemLinksWindow* w = barControl()) w->forgetControl(*control_);
        control_.reset();
    }
    if (item_) std::erase(item_->links_, this);
    item_ = nullptr;
    if (l) {
        std::erase(l->recent_, this);
        std::erase(l->available_, this);
        std::erase(l->visible_, this);
        std::erase(l->shown_, this);
        if (l->parentLink_ == this) l->parentLink_ = nullptr;
        if (ItemLinksWindow* w = l->barControl(); w && !w->isDestroying()) w->recalculate();
        if (l->onChange) l->onChange();
    }
}

BarItemLinks* BarItemLink::links() const { return static_cast<BarItemLinks*>(collection()); }

BarManager* BarItemLink::barManager() const { return links() ? links()->barManager() : nullptr; }

bool BarItemLink::isLoading() const {
    Component* c = ownerComponent(links());
    return c && c->isLoading();
}

bool BarItemLink::collectionAssigning() const { return links() && links()->isAssigning(); }

bool BarItemLink::wouldRecurse(BarItem* item) const {
    auto* sub = links() ? dynamic_cast<CustomBarSubItem*>(links()->owner()) : nullptr;
    if (!sub) return false;
    if (item == sub) return true;
    if (auto* s = dynamic_cast<CustomBarSubItem*>(item)) return s->itemLinks().containsItem(sub);
    return false;
}

void BarItemLink::setItem(BarItem* item) {
    if (item == item_) return;
    if (item_) std::erase(item_->links_, this);
    if (!item) {
        item_ = nullptr;
        destroyControl();
        delete this;
        return;
    }
    if (wouldRecurse(item)) {
        item_ = nullptr;
        destroyControl();
        if (links()) links()->refreshLists();
        throw EBarError(bartext::RecursiveSubItems);
    }
    destroyControl();
    item_ = item;
    item->links_.push_back(this);
    BarItemLinks* l = links();
    if (!l) return;
    l->refreshLists();
    // Only a collection owned by a component (a sub item, a popup menu) resets the recent
    // state here; a bar's links keep their place in the recent order.
    auto* owner = dynamic_cast<Component*>(l->owner());
    if (owner && !owner->isLoading()) resetRecentState();
    if (l->barControl() && shownIndex() >= 0) createControl();
    reportChange();
}

bool BarItemLink::beginGroup() const {
    BarItemLinks* l = links();
    if (!l) return beginGroup_;
    const auto& shown = l->shownLinks();
    int si = indexIn(shown, this);
    if (si < 0) return beginGroup_;
    if (si == 0) return false;
    if (beginGroup_) return true;
    // A group start of an available link that is not shown passes to the next shown one.
    const auto& available = l->availableLinks();
    int from = indexIn(available, shown[si - 1]);
    int to = indexIn(available, this);
    for (int i = from + 1; i < to; ++i)
        if (available[i]->beginGroup_) return true;
    return false;
}

void BarItemLink::setBeginGroup(bool value) {
    if (value == beginGroup_) return;
    beginGroup_ = value;
    if (control_) control_->beginGroupChanged();
    reportChange();
}

void BarItemLink::setVisible(bool value) {
    if (isLoading() || collectionAssigning()) {
        pendingVisible_ = value;
        return;
    }
    if (value == visible_) return;
    visible_ = value;
    BarItemLinks* l = links();
    BarManager* m = barManager();
    if (l && !(m && m->isDesigning())) l->refreshLists();
    if (value) {
        markUsed(false);
        if (l && l->barControl()) {
            createControl();
            if (control_) control_->visibleChanged();
        }
    } else {
        if (l) l->moveToRecentEnd(this);
        destroyControl();
    }
    reportChange();
}

void BarItemLink::setUserCaption(const std::string& caption) {
    userCaption_ = caption;
    userDefine_.include(udCaption);
    if (control_) control_->captionChanged();
    reportChange();
}

void BarItemLink::setUserGlyph(const BitmapProperty& glyph) {
    userGlyph_.assign(glyph);
    userDefine_.include(udGlyph);
    if (control_) control_->glyphChanged();
    reportChange();
}

void BarItemLink::setUserPaintStyle(BarPaintStyle value) {
    if (value == paintStyle()) return;
    userPaintStyle_ = value;
    userDefine_.include(udPaintStyle);
    if (control_) control_->paintStyleChanged();
    reportChange();
}

void BarItemLink::setUserWidth(int value) {
    userWidth_ = value < 20 ? 20 : value;
    userDefine_.include(udWidth);
    if (control_) control_->widthChanged();
    reportChange();
}

void BarItemLink::setUserDefine(BarUserDefines value) {
    if (value == userDefine_) return;
    BarUserDefines removed = userDefine_ - value;
    userDefine_ = value;
    if (removed.contains(udCaption)) userCaption_.clear();
    if (removed.contains(udGlyph)) userGlyph_.clear();
    if (removed.contains(udPaintStyle)) userPaintStyle_ = psStandard;
    if (removed.contains(udWidth)) userWidth_ = 0;
    if (control_) {
        control_->captionChanged();
        control_->glyphChanged();
        control_->paintStyleChanged();
        control_->widthChanged();
    }
    reportChange();
}

int BarItemLink::availableIndex() const { return links() ? indexIn(links()->availableLinks(), this) : -1; }
int BarItemLink::visibleIndex() const { return links() ? indexIn(links()->visibleLinks(), this) : -1; }
int BarItemLink::shownIndex() const { return links() ? indexIn(links()->shownLinks(), this) : -1; }
int BarItemLink::recentIndex() const { return links() ? indexIn(links()->recentLinks(), this) : -1; }

std::string BarItemLink::caption() const {
    if (userDefine_.contains(udCaption) || !item_) return userCaption_;
    return item_->caption();
}

BarPaintStyle BarItemLink::paintStyle() const {
    if (userDefine_.contains(udPaintStyle)) return userPaintStyle_;
    if (auto* b = dynamic_cast<const BarButton*>(item_)) return b->paintStyle();
    return psStandard;
}

int BarItemLink::width() const {
    if (userDefine_.contains(udWidth)) return userWidth_;
    if (auto* e = dynamic_cast<const BarEdit*>(item_)) return e->width();
    return 0;
}

bool BarItemLink::canVisibleIndex() const { return item_ && item_->isAvailable() && visible_; }

ItemLinksWindow* BarItemLink::barControl() const { return links() ? links()->barControl() : nullptr; }

const ItemControlClass* BarItemLink::controlClass() const {
    if (!item_) return nullptr;
    if (ItemLinksWindow* w = barControl()) {
        auto* bar = dynamic_cast<Bar*>(links()->owner());
        if (dynamic_cast<BarWindowItem*>(item_) && w->isToolbar() && w->isVertical() && bar &&
            bar->rotateWhenVertical())
            return &itemcontrols::BarButtonControl;
    } else if (auto* bar = links() ? dynamic_cast<Bar*>(links()->owner()) : nullptr) {
        // Without a window the bar's docking style tells whether it would be vertical.
        BarDockingStyle ds = bar->dockingStyle();
        if (dynamic_cast<BarWindowItem*>(item_) && (ds == dsLeft || ds == dsRight) && bar->rotateWhenVertical())
            return &itemcontrols::BarButtonControl;
    }
    const RegItemRecord* r = BarFramework::registry().find(item_->classType());
    return r ? r->controlClass : nullptr;
}

void BarItemLink::createControl() {
    // A control only while the collection is shown and the link is in its visible links.
    if (control_ || !item_ || !barControl() || visibleIndex() < 0) return;
    const ItemControlClass* controlClass = this->controlClass();
    BarControlsIntegration* integration = BarControlsIntegration::instance();
    if (!controlClass || !integration) return;
    control_ = integration->createItemControl(*controlClass, *this);
}

void BarItemLink::destroyControl() {
    if (!control_) return;
    if (ItemLinksWindow* w = barControl()) w->forgetControl(*control_);
    control_.reset();
}

void BarItemLink::reportChange() {
    BarItemLinks* l = links();
    if (!l) return;
    if (ItemLinksWindow* w = l->barControl(); w && w->isCustomizing()) {
        if (!dynamic_cast<Bar*>(l->owner()) && !dynamic_cast<CustomBarSubItem*>(l->owner())) w->recalculate();
        else if (BarManager* m = l->barManager()) m->designerModified();
    }
    if (BarManager* m = l->barManager(); m && !isLoading()) m->itemLinkChanged(this);
}

void BarItemLink::markUsed(bool increase) {
    BarItemLinks* l = links();
    if (!l || !item_ || !item_->isAvailable() || !visible_) return;
    bool wasShown = shownIndex() >= 0;
    l->moveToRecentFront(this);
    if (increase) ++useCount_;
    if (!wasShown && shownIndex() >= 0) {
        ItemLinksWindow* w = l->barControl();
        BarManager* m = l->barManager();
        if (w && w->isToolbar() && m && m->isStyleNotStandard()) w->requestRecalculate();
    }
    // Choosing a menu entry marks the whole path to it.
    if (BarItemLink* parent = l->parentLink()) (parent->sourceLink_ ? parent->sourceLink_ : parent)->markUsed(increase);
}

void BarItemLink::markUnused() {
    BarItemLinks* l = links();
    if (!l) return;
    bool wasShown = shownIndex() >= 0;
    l->moveToRecentEnd(this);
    ItemLinksWindow* w = l->barControl();
    BarManager* m = l->barManager();
    if (wasShown && w && w->isToolbar() && m && m->isStyleNotStandard()) w->requestRecalculate();
}

void BarItemLink::resetRecentState() {
    BarManager* m = barManager();
    if (mostRecentlyUsed_) {
        useCount_ = m ? m->initialUseCount() : 0;
        markUsed(false);
    } else {
        useCount_ = 0;
        markUnused();
    }
}

void BarItemLink::assign(const Persistent& source) {
    auto* src = dynamic_cast<const BarItemLink*>(&source);
    if (!src) {
        CollectionItem::assign(source);
        return;
    }
    userCaption_ = src->userCaption_;
    userGlyph_.assign(src->userGlyph_);
    userPaintStyle_ = src->userPaintStyle_;
    userWidth_ = src->userWidth_;
    BarItem* item = src->item_;
    BarItemLinks* l = links();
    BarManager* m = l ? l->barManager() : nullptr;
    if (item && m) {
        bool byName = BarManager::applyingReset() || dynamic_cast<CustomBarSubItem*>(l->owner()) ||
                      (l->owner() && !dynamic_cast<Bar*>(l->owner()) && dynamic_cast<Component*>(l->owner())) ||
                      m->componentState().contains(csUpdating);
        if (byName) {
            if (BarManager::applyingReset()) {
                Component* found = m->owner() ? m->owner()->findComponent(item->name()) : nullptr;
                item = dynamic_cast<BarItem*>(found);
            } else {
                item = m->itemByName(item->name());
            }
        }
    }
    if (item) setItem(item);
    userDefine_ = src->userDefine_;
    beginGroup_ = src->beginGroup();
    mostRecentlyUsed_ = src->mostRecentlyUsed_;
    setVisible(src->visible_);
}

// ---------------------------------------------------------------------------------------------
// BarItemLinks

const ClassInfo& BarItemLinks::classInfo() {
    static const ClassInfo info = ClassBuilder<BarItemLinks>("BarItemLinks", Collection::classInfo());
    return info;
}

BarItemLinks::BarItemLinks(Persistent* owner, BarManager* manager)
    : Collection(owner, BarItemLink::classInfo()), manager_(manager) {}

BarItemLinks::~BarItemLinks() {
    // The links read this collection's lists while they go.
    clear();
}

CollectionItem* BarItemLinks::createItem() {
    // The collection reports the addition while the link is still being built: the lists
    // follow once it is complete.
    adding_ = true;
    BarItemLink* link = nullptr;
    try {
        link = new BarItemLink(this);
    } catch (...) {
        adding_ = false;
        throw;
    }
    adding_ = false;
    linksChanged();
    return link;
}

void BarItemLinks::update(CollectionItem*) {
    if (!adding_) linksChanged();
}

void BarItemLinks::linksChanged() {
    // Additions, removals and moves: the lists follow the new order and the window is told.
    refreshLists();
    if (window_) window_->linksChanged();
}

bool BarItemLinks::useRecentItems() const {
    if (auto* bar = dynamic_cast<Bar*>(owner())) return bar->useRecentItems();
    // A submenu takes the value of the menu it is opened from.
    if (parentLink_ && parentLink_->links()) return parentLink_->links()->useRecentItems();
    return useRecentItems_;
}

bool BarItemLinks::recentItemsActive() const { return manager_ && manager_->isStyleNotStandard() && useRecentItems(); }

void BarItemLinks::refreshLists() {
    bool all = manager_ && manager_->isCustomizing();
    available_.clear();
    visible_.clear();
    for (CollectionItem* ci : items()) {
        auto* link = static_cast<BarItemLink*>(ci);
        if (!link->item_ || link->destroying_) continue;
        if (!all && !link->item_->isAvailable()) continue;
        available_.push_back(link);
        if (all || link->visible_) visible_.push_back(link);
    }
    int n = all ? -1 : recentItemCount_;
    if (n < 0) {
        shown_ = visible_;
    } else {
        shown_.clear();
        for (BarItemLink* link : recent_) {
            if (static_cast<int>(shown_.size()) >= n) break;
            if (indexIn(visible_, link) >= 0) shown_.push_back(link);
        }
        std::sort(shown_.begin(), shown_.end(),
                  [this](BarItemLink* a, BarItemLink* b) { return indexIn(visible_, a) < indexIn(visible_, b); });
    }
    syncControls();
}

void BarItemLinks::syncControls() {
    if (!window_) return;
    // VisibleLinks keeps the collection's order: one walk over both.
    std::size_t v = 0;
    for (CollectionItem* ci : items()) {
        auto* link = static_cast<BarItemLink*>(ci);
        const bool visible = v < visible_.size() && visible_[v] == link;
        if (visible) ++v;
        if (link->destroying_) continue;
        if (visible) link->createControl();
        else link->destroyControl();
    }
}

void BarItemLinks::setRecentItemCount(int count) {
    if (!recentItemsActive()) count = -1;
    previousRecentItemCount_ = recentItemCount_;
    if (count == recentItemCount_) return;
    recentItemCount_ = count;
    refreshLists();
}

int BarItemLinks::recentCount() const {
    if (!recentItemsActive()) return -1;
    const int n = static_cast<int>(visible_.size());
    if (n == 0) return -1;
    int smallest = visible_.front()->useCount_, largest = smallest;
    for (BarItemLink* l : visible_) {
        smallest = std::min(smallest, l->useCount_);
        largest = std::max(largest, l->useCount_);
    }
    const int percents = manager_->mostRecentItemsPercents();
    const int threshold =
        smallest + static_cast<int>(std::lround(static_cast<double>(largest - smallest) * (100 - percents) / 100.0));
    int count = 0;
    for (int pos = std::min(n, static_cast<int>(recent_.size())) - 1; pos >= 0; --pos)
        if (recent_[pos]->useCount_ >= threshold) {
            count = pos + 1;
            break;
        }
    return count == n ? -1 : count;
}

void BarItemLinks::moveToRecentFront(BarItemLink* link) {
    std::erase(recent_, link);
    recent_.insert(recent_.begin(), link);
    if (recentItemCount_ > 0) refreshLists();
}

void BarItemLinks::moveToRecentEnd(BarItemLink* link) {
    std::erase(recent_, link);
    recent_.push_back(link);
    if (recentItemCount_ > 0) refreshLists();
}

void BarItemLinks::restoreRecentOrder(bool applyVisibility) {
    for (int i = count() - 1; i >= 0; --i)
        if (items(i)->item_) items(i)->resetRecentState();
    if (applyVisibility)
        for (int i = count() - 1; i >= 0; --i) items(i)->setVisible(items(i)->pendingVisible_);
    for (int pos = 0; pos < count(); ++pos)
        for (CollectionItem* ci : items()) {
            auto* link = static_cast<BarItemLink*>(ci);
            if (link->pendingRecentIndex_ != pos) continue;
            std::erase(recent_, link);
            recent_.insert(recent_.begin() + std::min<std::size_t>(pos, recent_.size()), link);
            link->useCount_ = link->pendingUseCount_;
            link->pendingRecentIndex_ = -1;
        }
    refreshLists();
}

void BarItemLinks::moveVisibleToRecentFront() {
    std::vector<BarItemLink*> front, rest;
    for (BarItemLink* l : recent_) (indexIn(visible_, l) >= 0 ? front : rest).push_back(l);
    recent_ = front;
    recent_.insert(recent_.end(), rest.begin(), rest.end());
    refreshLists();
}

BarItemLink* BarItemLinks::firstSelectable() const {
    for (BarItemLink* l : shown_)
        if ((!window_ || window_->fullyShows(*l)) && (!l->control() || l->control()->canSelect())) return l;
    return nullptr;
}

BarItemLink* BarItemLinks::lastSelectable() const {
    for (auto it = shown_.rbegin(); it != shown_.rend(); ++it)
        if ((!window_ || window_->fullyShows(**it)) && (!(*it)->control() || (*it)->control()->canSelect())) return *it;
    return nullptr;
}

BarItemLink* BarItemLinks::next(const BarItemLink* link) const {
    const int n = static_cast<int>(shown_.size());
    int start = indexIn(shown_, link);
    for (int step = 1; step <= n; ++step) {
        BarItemLink* l = shown_[((start < 0 ? -1 : start) + step + n) % n];
        if ((!window_ || window_->fullyShows(*l)) && (!l->control() || l->control()->canSelect())) return l;
    }
    return nullptr;
}

BarItemLink* BarItemLinks::prev(const BarItemLink* link) const {
    const int n = static_cast<int>(shown_.size());
    int start = indexIn(shown_, link);
    for (int step = 1; step <= n; ++step) {
        BarItemLink* l = shown_[((start < 0 ? n : start) - step + 2 * n) % n];
        if ((!window_ || window_->fullyShows(*l)) && (!l->control() || l->control()->canSelect())) return l;
    }
    return nullptr;
}

BarItemLink* BarItemLinks::findShortCut(int shortCut) const {
    if (shortCut == 0) return nullptr;
    for (BarItemLink* l : available_) {
        if (l->item_->shortCut() == shortCut && l->item_->getEnabled()) return l;
        if (auto* sub = dynamic_cast<CustomBarSubItem*>(l->item_))
            if (BarItemLink* found = sub->itemLinks().findShortCut(shortCut)) return found;
    }
    return nullptr;
}

void BarItemLinks::setBarControl(ItemLinksWindow* window) {
    if (window == window_) return;
    if (!window)
        for (CollectionItem* ci : items()) static_cast<BarItemLink*>(ci)->destroyControl();
    window_ = window;
    syncControls();
}

std::unique_ptr<ItemLinksWindow> BarItemLinks::createBarControl() {
    if (!manager_) return nullptr;
    BarControlsIntegration* integration = BarControlsIntegration::instance();
    if (!integration) return nullptr;
    if (auto* bar = dynamic_cast<Bar*>(owner())) return integration->createBarWindow(*manager_, *bar);
    BarManager* m = manager_;
    if (parentLink_ && parentLink_->barManager()) m = parentLink_->barManager();
    return integration->createSubMenuWindow(*m, *this);
}

bool BarItemLinks::containsItem(const BarItem* item) const {
    for (CollectionItem* ci : items()) {
        auto* link = static_cast<BarItemLink*>(ci);
        if (link->item_ == item) return true;
        if (auto* sub = dynamic_cast<CustomBarSubItem*>(link->item_))
            if (sub->itemLinks().containsItem(item)) return true;
    }
    return false;
}

void BarItemLinks::assign(const Persistent& source) {
    if (!dynamic_cast<const BarItemLinks*>(&source)) {
        Collection::assign(source);
        return;
    }
    assigning_ = true;
    try {
        Collection::assign(source);
    } catch (...) {
        assigning_ = false;
        throw;
    }
    assigning_ = false;
    for (CollectionItem* ci : items()) {
        auto* link = static_cast<BarItemLink*>(ci);
        link->setVisible(link->pendingVisible_);
    }
    refreshLists();
    if (onChange) onChange();
}

}  // namespace lindora
