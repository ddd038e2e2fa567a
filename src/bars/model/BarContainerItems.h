#pragma once
// Container items: expand into several links when the menu that holds them opens.
#include <memory>
#include <vector>

#include "bars/model/BarButton.h"
#include "bars/model/BarItem.h"
#include "bars/model/BarItemLinks.h"
#include "base/StringList.h"

namespace lindora {

class CustomBarContainerItem : public BarItem {
    LINDORA_CLASS(CustomBarContainerItem)

public:
    explicit CustomBarContainerItem(Component* owner = nullptr);
    ~CustomBarContainerItem() override;

    NotifyEvent OnGetData;

    bool isAvailableAtRunTime() const override { return OnGetData.assigned(); }

    // The menu holding `containerLink` opens: raises OnGetData (its exceptions are swallowed)
    // and inserts the generated links at the container link's place. Returns how many.
    int expand(BarItemLink& containerLink);
    // The menu closes: removes the links inserted by expand.
    void collapse(BarItemLinks& links);

protected:
    // The links to insert, in order, with their group starts: (item, begins group).
    virtual std::vector<std::pair<BarItem*, bool>> expansion() = 0;

private:
    std::vector<BarItemLink*> inserted_;
};

// Expands into copies of its own links, the first starting a group.
class BarContainerItem : public CustomBarContainerItem {
    LINDORA_CLASS(BarContainerItem)

public:
    explicit BarContainerItem(Component* owner = nullptr);
    ~BarContainerItem() override;

    BarItemLinks& itemLinks() { return *itemLinks_; }
    const BarItemLinks& itemLinks() const { return *itemLinks_; }
    void setItemLinks(const BarItemLinks& links) { itemLinks_->assign(links); }

    bool isAvailableAtRunTime() const override;

protected:
    std::vector<std::pair<BarItem*, bool>> expansion() override;

private:
    std::unique_ptr<BarItemLinks> itemLinks_;
};

// Expands into one checked-or-plain button per string; "-" starts a group.
class BarListItem : public CustomBarContainerItem {
    LINDORA_CLASS(BarListItem)

public:
    explicit BarListItem(Component* owner = nullptr);
    ~BarListItem() override;

    StringList& items() { return items_; }
    const StringList& items() const { return items_; }
    void setItems(const StringList& items) { items_.assign(items); }
    int itemIndex() const { return itemIndex_; }
    void setItemIndex(int value);
    bool showCheck() const { return showCheck_; }
    void setShowCheck(bool value);
    bool showNumbers() const { return showNumbers_; }
    void setShowNumbers(bool value);
    // The index of ItemIndex among the strings that are not "-"; -1 when none.
    int dataIndex() const;

    bool isAvailableAtRunTime() const override;
    void doClick() override;
    // The generated buttons, one per string that is not "-" (built on first expansion).
    const std::vector<BarButton*>& entries() const { return entries_; }

protected:
    std::vector<std::pair<BarItem*, bool>> expansion() override;
    void notification(Component* component, Operation operation) override;

private:
    void rebuild();
    void clearEntries();
    void entryClicked(Persistent* sender);

    StringList items_;
    int itemIndex_ = -1;
    bool showCheck_ = false;
    bool showNumbers_ = true;
    std::vector<BarButton*> entries_;
    std::vector<int> entryPositions_;  // each entry's position in items_
    bool built_ = false;
};

}  // namespace lindora
