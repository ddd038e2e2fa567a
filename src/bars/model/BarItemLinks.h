#pragma once
// Item links: one placement of an item on a bar, in a submenu or in a popup menu, each with its
// own group start, visibility, user overrides and usage statistics; and their collection with
// the derived lists that the windows show.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bars/model/BarTypes.h"
#include "base/Collection.h"
#include "gfx/Geometry.h"
#include "gfx/PersistentGraphics.h"

namespace lindora {

class BarItem;
class BarItemControl;
class BarItemLinks;
class BarManager;
class ItemControlClass;
class ItemLinksWindow;

class BarItemLink : public CollectionItem {
    LINDORA_CLASS(BarItemLink)

public:
    explicit BarItemLink(Collection* collection = nullptr);
    ~BarItemLink() override;

    BarItemLinks* links() const;
    BarManager* barManager() const;

    BarItem* item() const { return item_; }
    // None frees the link. A link that would make a sub item contain itself throws
    // EBarError(RecursiveSubItems) and keeps no item.
    void setItem(BarItem* item);

    // Effective group start (see the rules on hidden links); the stored flag is storedBeginGroup.
    bool beginGroup() const;
    bool storedBeginGroup() const { return beginGroup_; }
    void setBeginGroup(bool value);
    bool visible() const { return visible_; }
    void setVisible(bool value);
    bool mostRecentlyUsed() const { return mostRecentlyUsed_; }
    void setMostRecentlyUsed(bool value) { mostRecentlyUsed_ = value; }

    const std::string& userCaption() const { return userCaption_; }
    void setUserCaption(const std::string& caption);
    BarUserDefines userDefine() const { return userDefine_; }
    void setUserDefine(BarUserDefines value);
    BitmapProperty& userGlyph() { return userGlyph_; }
    const BitmapProperty& userGlyph() const { return userGlyph_; }
    void setUserGlyph(const BitmapProperty& glyph);
    BarPaintStyle userPaintStyle() const { return userPaintStyle_; }
    void setUserPaintStyle(BarPaintStyle value);
    int userWidth() const { return userWidth_; }
    void setUserWidth(int value);

    // Derived readings.
    int availableIndex() const;
    int visibleIndex() const;
    int shownIndex() const;
    int recentIndex() const;
    std::string caption() const;
    BarPaintStyle paintStyle() const;
    int width() const;
    bool canVisibleIndex() const;
    ItemLinksWindow* barControl() const;

    // The visual object while the collection is shown.
    BarItemControl* control() const { return control_.get(); }
    void createControl();
    void destroyControl();
    // The control class the item-control registry gives this link where it is shown now; null
    // for an item class without an entry.
    const ItemControlClass* controlClass() const;
    Rect itemRect() const { return itemRect_; }
    void setItemRect(const Rect& r) { itemRect_ = r; }

    int useCount() const { return useCount_; }
    void setUseCount(int n) { useCount_ = n; }
    // Pending values read from a stored layout, applied when loading ends.
    bool pendingVisible() const { return pendingVisible_; }
    void setPendingVisible(bool v) { pendingVisible_ = v; }
    int pendingUseCount() const { return pendingUseCount_; }
    void setPendingUseCount(int n) { pendingUseCount_ = n; }
    int pendingRecentIndex() const { return pendingRecentIndex_; }
    void setPendingRecentIndex(int i) { pendingRecentIndex_ = i; }
    // For a link of a menu built from another link's data: that link (usage marks go to it).
    BarItemLink* sourceLink() const { return sourceLink_; }
    void setSourceLink(BarItemLink* link) { sourceLink_ = link; }

    // Recent items: a click marks with increase; showing marks without.
    void markUsed(bool increase);
    void markUnused();
    // MostRecentlyUsed True: UseCount = InitialUseCount and to the front; else 0 and to the end.
    void resetRecentState();

    void assign(const Persistent& source) override;

private:
    friend class BarItemLinks;
    friend class BarItem;
    bool isLoading() const;
    bool collectionAssigning() const;
    void reportChange();
    bool wouldRecurse(BarItem* item) const;
    // The item told every link that a shown aspect changed.
    void detachFromItem();

    BarItem* item_ = nullptr;
    bool beginGroup_ = false;
    bool visible_ = true;
    bool mostRecentlyUsed_ = true;
    std::string userCaption_;
    BarUserDefines userDefine_;
    BitmapProperty userGlyph_;
    BarPaintStyle userPaintStyle_ = psStandard;
    int userWidth_ = 0;
    std::unique_ptr<BarItemControl> control_;
    Rect itemRect_;
    int useCount_ = 0;
    bool pendingVisible_ = true;
    int pendingUseCount_ = 0;
    int pendingRecentIndex_ = -1;
    BarItemLink* sourceLink_ = nullptr;
    bool destroying_ = false;
};

class BarItemLinks : public Collection {
    LINDORA_CLASS(BarItemLinks)

public:
    // owner: a Bar, a CustomBarSubItem, a popup menu, or a window's private list.
    BarItemLinks(Persistent* owner, BarManager* manager);
    ~BarItemLinks() override;

    BarManager* barManager() const { return manager_; }
    void setBarManager(BarManager* manager) { manager_ = manager; }

    BarItemLink* add() { return static_cast<BarItemLink*>(Collection::add()); }
    using Collection::items;
    BarItemLink* items(int index) const { return static_cast<BarItemLink*>(item(index)); }

    const std::vector<BarItemLink*>& availableLinks() const { return available_; }
    const std::vector<BarItemLink*>& visibleLinks() const { return visible_; }
    const std::vector<BarItemLink*>& shownLinks() const { return shown_; }
    const std::vector<BarItemLink*>& recentLinks() const { return recent_; }
    void refreshLists();

    // How many recently used links to show; -1 for all.
    int recentItemCount() const { return recentItemCount_; }
    int previousRecentItemCount() const { return previousRecentItemCount_; }
    void setRecentItemCount(int count);
    void restoreRecentItemCount() { setRecentItemCount(previousRecentItemCount_); }
    // The number of recent links a menu opening now should show; -1 for all.
    int recentCount() const;
    // Whether the recent-items rules apply to this collection now.
    bool recentItemsActive() const;
    bool useRecentItems() const;
    void setUseRecentItems(bool value) { useRecentItems_ = value; }
    // Restores each link's recent state, optionally its pending visibility, then pending positions.
    void restoreRecentOrder(bool applyVisibility);
    // Moves the links of VisibleLinks to the front of the recent order (after a bar reset).
    void moveVisibleToRecentFront();

    // For a sub item's links: the link through which the menu is open now (the window sets it).
    BarItemLink* parentLink() const { return parentLink_; }
    void setParentLink(BarItemLink* link) { parentLink_ = link; }

    // Cyclic search through fully shown links for a selectable control.
    BarItemLink* firstSelectable() const;
    BarItemLink* lastSelectable() const;
    BarItemLink* next(const BarItemLink* link) const;
    BarItemLink* prev(const BarItemLink* link) const;
    // The first link whose enabled item has this shortcut, searching sub menus too.
    BarItemLink* findShortCut(int shortCut) const;

    ItemLinksWindow* barControl() const { return window_; }
    void setBarControl(ItemLinksWindow* window);
    // Creates the window that shows this collection through the installed factory (null
    // without one). A bar's collection gets a toolbar window, any other a submenu window.
    std::unique_ptr<ItemLinksWindow> createBarControl();

    // True when some link's item is `item` or a sub item whose links contain it.
    bool containsItem(const BarItem* item) const;
    bool isAssigning() const { return assigning_; }
    void assign(const Persistent& source) override;

    // Runs after every change of the collection (a bar sets it to tell the designer).
    std::function<void()> onChange;

    // Recent-order operations used by links.
    void moveToRecentFront(BarItemLink* link);
    void moveToRecentEnd(BarItemLink* link);

protected:
    void update(CollectionItem* item) override;
    CollectionItem* createItem() override;

private:
    friend class BarItemLink;
    // Each link has a control exactly while this collection is shown and the link is visible.
    void syncControls();
    void linksChanged();

    BarManager* manager_;
    ItemLinksWindow* window_ = nullptr;
    std::vector<BarItemLink*> available_, visible_, shown_, recent_;
    int recentItemCount_ = -1;
    int previousRecentItemCount_ = -1;
    bool useRecentItems_ = true;
    bool assigning_ = false;
    bool adding_ = false;
    BarItemLink* parentLink_ = nullptr;
};

}  // namespace lindora
