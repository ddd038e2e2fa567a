#include "base/Collection.h"

#include <algorithm>

#include "base/ClassBuilder.h"
#include "base/Exception.h"

namespace lindora {

// --- CollectionItem ---

const ClassInfo& CollectionItem::classInfo() {
    static const ClassInfo info = ClassBuilder<CollectionItem>("CollectionItem", Persistent::classInfo()).abstract();
    return info;
}

CollectionItem::CollectionItem(Collection* collection) {
    if (collection) collection->insertItem(this);
}

CollectionItem::~CollectionItem() {
    if (collection_) collection_->removeItem(this);
}

void CollectionItem::setCollection(Collection* collection) {
    if (collection == collection_) return;
    if (collection_) collection_->removeItem(this);
    if (collection) collection->insertItem(this);
}

int CollectionItem::index() const {
    if (!collection_) return -1;
    const auto& items = collection_->items_;
    auto it = std::find(items.begin(), items.end(), this);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void CollectionItem::setIndex(int index) {
    if (!collection_) return;
    int current = this->index();
    auto& items = collection_->items_;
    index = std::clamp(index, 0, static_cast<int>(items.size()) - 1);
    if (index == current) return;
    items.erase(items.begin() + current);
    items.insert(items.begin() + index, this);
    changed(true);
}

std::string CollectionItem::displayName() const { return className(); }

std::string CollectionItem::namePath() const {
    if (!collection_) return className();
    return collection_->namePath() + "[" + std::to_string(index()) + "]";
}

void CollectionItem::changed(bool allItems) {
    if (collection_) collection_->itemChanged(allItems ? nullptr : this);
}

// --- Collection ---

const ClassInfo& Collection::classInfo() {
    static const ClassInfo info = ClassBuilder<Collection>("Collection", Persistent::classInfo());
    return info;
}

Collection::Collection(Persistent* owner, const ClassInfo& itemClass) : owner_(owner), itemClass_(&itemClass) {}

Collection::~Collection() {
    destroying_ = true;
    while (!items_.empty()) {
        CollectionItem* item = items_.back();
        items_.pop_back();
        item->collection_ = nullptr;
        delete item;
    }
}

CollectionItem* Collection::item(int index) const {
    if (index < 0 || index >= count()) throw EPropertyError("List index out of bounds (" + std::to_string(index) + ")");
    return items_[static_cast<size_t>(index)];
}

CollectionItem* Collection::findItemId(int id) const {
    for (CollectionItem* item : items_)
        if (item->id_ == id) return item;
    return nullptr;
}

CollectionItem* Collection::createItem() { return itemClass_->createItem(this); }

CollectionItem* Collection::add() {
    CollectionItem* item = createItem();
    if (item && item->collection_ != this) item->setCollection(this);
    return item;
}

CollectionItem* Collection::insert(int index) {
    CollectionItem* item = add();
    item->setIndex(index);
    return item;
}

void Collection::remove(int index) { delete item(index); }

void Collection::clear() {
    if (items_.empty()) return;
    beginUpdate();
    while (!items_.empty()) delete items_.back();
    endUpdate();
}

void Collection::beginUpdate() { ++updateCount_; }

void Collection::endUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0 && pendingUpdate_) {
        pendingUpdate_ = false;
        update(nullptr);
    }
}

void Collection::changed() { itemChanged(nullptr); }

void Collection::itemChanged(CollectionItem* item) {
    if (destroying_) return;
    if (updateCount_ > 0) {
        pendingUpdate_ = true;
        return;
    }
    update(item);
}

void Collection::insertItem(CollectionItem* item) {
    items_.push_back(item);
    item->collection_ = this;
    item->id_ = nextId_++;
    notify(item, cnAdded);
    changed();
}

void Collection::removeItem(CollectionItem* item) {
    if (!destroying_) notify(item, cnExtracting);
    items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
    item->collection_ = nullptr;
    changed();
}

void Collection::assign(const Persistent& source) {
    const auto* other = dynamic_cast<const Collection*>(&source);
    if (!other) {
        Persistent::assign(source);
        return;
    }
    if (other == this) return;
    beginUpdate();
    try {
        clear();
        for (CollectionItem* src : other->items_) add()->assign(*src);
    } catch (...) {
        endUpdate();
        throw;
    }
    endUpdate();
}

std::string Collection::namePath() const {
    std::string path = owner_ ? owner_->namePath() : className();
    if (!propName_.empty()) path += "." + propName_;
    return path;
}

}  // namespace lindora
