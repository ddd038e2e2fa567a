#pragma once
// Collections: ordered items owned by the collection, each knowing its index. A collection is
// itself owned by some persistent object (a bar manager owns its bars) and is streamed in a form
// description as "< item ... end >".
#include <string>
#include <vector>

#include "base/Persistent.h"

namespace lindora {

class Collection;

enum class CollectionNotification { cnAdded, cnExtracting, cnDeleting };
using enum CollectionNotification;

class CollectionItem : public Persistent {
    LINDORA_CLASS(CollectionItem)

public:
    // Appends itself to `collection` when given; the collection then owns it.
    explicit CollectionItem(Collection* collection = nullptr);
    ~CollectionItem() override;  // leaves its collection

    Collection* collection() const { return collection_; }
    // Moves the item to the end of another collection (or out of any when null; the caller
    // then owns it).
    void setCollection(Collection* collection);
    int index() const;  // -1 without collection
    // Moves the item within its collection; the index is clamped to the valid range.
    void setIndex(int index);
    // A number unique within the collection, kept when the item moves.
    int id() const { return id_; }
    virtual std::string displayName() const;
    std::string namePath() const override;

protected:
    // Tells the collection that this item (or, with allItems, every item) changed.
    void changed(bool allItems);

private:
    friend class Collection;
    Collection* collection_ = nullptr;
    int id_ = 0;
};

class Collection : public Persistent {
    LINDORA_CLASS(Collection)

public:
    // `itemClass` must be able to create items (a CollectionItem with a (Collection*) constructor).
    Collection(Persistent* owner, const ClassInfo& itemClass);
    ~Collection() override;  // frees the items, the last first

    Persistent* owner() const { return owner_; }
    const ClassInfo& itemClass() const { return *itemClass_; }

    int count() const { return static_cast<int>(items_.size()); }
    // Throws EPropertyError when out of range.
    CollectionItem* item(int index) const;
    const std::vector<CollectionItem*>& items() const { return items_; }
    CollectionItem* findItemId(int id) const;

    // Creates a new item of the item class at the end (or at `index`).
    CollectionItem* add();
    CollectionItem* insert(int index);
    void remove(int index);  // frees the item
    void clear();            // frees all items

    // Between begin and end, update() is called once at the end instead of per change.
    void beginUpdate();
    void endUpdate();
    int updateCount() const { return updateCount_; }

    // Replaces the items by copies of the source collection's (items assign item by item).
    void assign(const Persistent& source) override;
    std::string namePath() const override;
    // The owner's property name, used in name paths ("BarManager1.Bars[0]").
    const std::string& propName() const { return propName_; }
    void setPropName(std::string name) { propName_ = std::move(name); }

protected:
    // An item changed (null: the whole collection). Not called while updating.
    virtual void update(CollectionItem* item) {}
    virtual void notify(CollectionItem* item, CollectionNotification action) {}
    // Creates an item of the item class; the item appends itself.
    virtual CollectionItem* createItem();
    void changed();

private:
    friend class CollectionItem;
    void insertItem(CollectionItem* item);
    void removeItem(CollectionItem* item);
    void itemChanged(CollectionItem* item);

    Persistent* owner_;
    const ClassInfo* itemClass_;
    std::vector<CollectionItem*> items_;
    int nextId_ = 0;
    int updateCount_ = 0;
    bool pendingUpdate_ = false;
    bool destroying_ = false;
    std::string propName_;
};

}  // namespace lindora
