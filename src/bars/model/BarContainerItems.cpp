#include "bars/model/BarContainerItems.h"

#include <algorithm>

#include "bars/model/BarManager.h"
#include "bars/model/ItemProperties.h"

namespace lindora {

// ---- CustomBarContainerItem

const ClassInfo& CustomBarContainerItem::classInfo() {
    static const ClassInfo info = ClassBuilder<CustomBarContainerItem>("CustomBarContainerItem", BarItem::classInfo())
                                      .event("OnGetData", &CustomBarContainerItem::OnGetData)
                                      .abstract();
    return info;
}

CustomBarContainerItem::CustomBarContainerItem(Component* owner) : BarItem(owner) {}

// Inserted links belong to their menus' collections, which free them.
CustomBarContainerItem::~CustomBarContainerItem() = default;

int CustomBarContainerItem::expand(BarItemLink& containerLink) {
    try {
        OnGetData(this);
    } catch (...) {
        // A failing data handler leaves the menu as it is.
    }
    BarItemLinks* links = containerLink.links();
    if (!links) return 0;
    int pos = containerLink.index() + 1;
    int added = 0;
    for (auto& [item, group] : expansion()) {
        BarItemLink* l = links->add();
        l->setIndex(pos + added);
        l->setItem(item);
        l->setBeginGroup(group);
        l->setMostRecentlyUsed(containerLink.mostRecentlyUsed());
        l->setUseCount(containerLink.useCount());
        l->setSourceLink(&containerLink);
        inserted_.push_back(l);
        ++added;
    }
    links->refreshLists();
    return added;
}

void CustomBarContainerItem::collapse(BarItemLinks& links) {
    // Only links still in the collection: freeing an entry's item frees its links too.
    std::vector<BarItemLink*> mine;
    for (CollectionItem* ci : links.items())
        if (std::find(inserted_.begin(), inserted_.end(), ci) != inserted_.end())
            mine.push_back(static_cast<BarItemLink*>(ci));
    for (BarItemLink* l : mine) {
        std::erase(inserted_, l);
        delete l;
    }
    links.refreshLists();
}

// ---- BarContainerItem

const ClassInfo& BarContainerItem::classInfo() {
    static const ClassInfo info =
        ClassBuilder<BarContainerItem>("BarContainerItem", CustomBarContainerItem::classInfo())
            .property(
                "ItemLinks", [](const BarContainerItem& s) -> const BarItemLinks& { return s.itemLinks(); },
                [](BarContainerItem& s, const BarItemLinks& l) { s.setItemLinks(l); });
    return info;
}

BarContainerItem::BarContainerItem(Component* owner)
    : CustomBarContainerItem(owner), itemLinks_(std::make_unique<BarItemLinks>(this, barManager())) {
    itemLinks_->setPropName("ItemLinks");
}

BarContainerItem::~BarContainerItem() { itemLinks_.reset(); }

bool BarContainerItem::isAvailableAtRunTime() const {
    if (CustomBarContainerItem::isAvailableAtRunTime()) return true;
    for (CollectionItem* ci : itemLinks_->items()) {
        auto* l = static_cast<BarItemLink*>(ci);
        if (l->item() && l->item()->isAvailable()) return true;
    }
    return false;
}

std::vector<std::pair<BarItem*, bool>> BarContainerItem::expansion() {
    std::vector<std::pair<BarItem*, bool>> out;
    for (CollectionItem* ci : itemLinks_->items()) {
        auto* l = static_cast<BarItemLink*>(ci);
        if (l->item()) out.emplace_back(l->item(), out.empty() || l->storedBeginGroup());
    }
    return out;
}

// ---- BarListItem

const ClassInfo& BarListItem::classInfo() {
    static const ClassInfo info = ClassBuilder<BarListItem>("BarListItem", CustomBarContainerItem::classInfo())
                                      .property(
                                          "Items", [](const BarListItem& s) -> const StringList& { return s.items(); },
                                          [](BarListItem& s, const StringList& l) { s.setItems(l); })
                                      .property("ItemIndex", &BarListItem::itemIndex, &BarListItem::setItemIndex)
                                      .defaultValue(-1)
                                      .property("ShowCheck", &BarListItem::showCheck, &BarListItem::setShowCheck)
                                      .defaultValue(false)
                                      .property("ShowNumbers", &BarListItem::showNumbers, &BarListItem::setShowNumbers)
                                      .defaultValue(true);
    return info;
}

BarListItem::BarListItem(Component* owner) : CustomBarContainerItem(owner) {
    items_.OnChange.bind([this](Persistent*) { clearEntries(); });
}

BarListItem::~BarListItem() {
    items_.OnChange.clear();
    clearEntries();
}

bool BarListItem::isAvailableAtRunTime() const {
    return CustomBarContainerItem::isAvailableAtRunTime() || !items_.empty();
}

void BarListItem::setItemIndex(int value) {
    if (value == itemIndex_) return;
    itemIndex_ = value;
    if (!showCheck_) return;
    for (std::size_t k = 0; k < entries_.size(); ++k) {
        entries_[k]->setButtonStyle(entryPositions_[k] == itemIndex_ ? bsChecked : bsDefault);
        if (entryPositions_[k] == itemIndex_) entries_[k]->setDown(true);
    }
}

void BarListItem::setShowCheck(bool value) {
    if (value == showCheck_) return;
    showCheck_ = value;
    clearEntries();
}

void BarListItem::setShowNumbers(bool value) {
    if (value == showNumbers_) return;
    showNumbers_ = value;
    clearEntries();
}

int BarListItem::dataIndex() const {
    if (itemIndex_ < 0 || itemIndex_ >= items_.count() || items_[itemIndex_] == "-") return -1;
    int n = 0;
    for (int i = 0; i < itemIndex_; ++i)
        if (items_[i] != "-") ++n;
    return n;
}

void BarListItem::doClick() {
    if (selectedLink()) return;
    BarItem::doClick();
}

void BarListItem::clearEntries() {
    auto entries = std::move(entries_);
    entries_.clear();
    entryPositions_.clear();
    built_ = false;
    for (BarButton* b : entries) {
        removeFreeNotification(b);
        delete b;
    }
}

void BarListItem::rebuild() {
    clearEntries();
    built_ = true;
    int k = 0;
    for (int i = 0; i < items_.count(); ++i) {
        if (items_[i] == "-") continue;
        auto* b = new BarButton(owner());
        if (b->barManager() != barManager()) b->setBarManager(barManager());
        std::string caption = items_[i];
        if (showNumbers_) {
            char key = k < 9 ? static_cast<char>('1' + k) : static_cast<char>('A' + (k - 9));
            caption = std::string("&") + key + " " + caption;
        }
        b->setCaption(caption);
        b->setEnabled(enabled());
        if (showCheck_ && i == itemIndex_) {
            b->setButtonStyle(bsChecked);
            b->setDown(true);
        }
        b->OnClick.bind([this](Persistent* sender) { entryClicked(sender); });
        freeNotification(b);
        entries_.push_back(b);
        entryPositions_.push_back(i);
        ++k;
    }
}

void BarListItem::entryClicked(Persistent* sender) {
    for (std::size_t k = 0; k < entries_.size(); ++k)
        if (entries_[k] == sender) {
            setItemIndex(entryPositions_[k]);
            doClick();
            return;
        }
}

std::vector<std::pair<BarItem*, bool>> BarListItem::expansion() {
    if (!built_) rebuild();
    std::vector<std::pair<BarItem*, bool>> out;
    bool group = true;
    std::size_t k = 0;
    for (int i = 0; i < items_.count(); ++i) {
        if (items_[i] == "-") {
            group = true;
            continue;
        }
        out.emplace_back(entries_[k++], group);
        group = false;
    }
    return out;
}

void BarListItem::notification(Component* component, Operation operation) {
    CustomBarContainerItem::notification(component, operation);
    if (operation != opRemove) return;
    for (std::size_t k = 0; k < entries_.size(); ++k)
        if (entries_[k] == component) {
            entries_.erase(entries_.begin() + static_cast<long>(k));
            entryPositions_.erase(entryPositions_.begin() + static_cast<long>(k));
            built_ = false;
            return;
        }
}

}  // namespace lindora
