#pragma once
// A classic menu entry: caption, tag, ordered sub-entries, parent, index and a click. The
// entries are components (their owner frees them); an entry also frees the sub-entries it
// still holds when it is freed, and leaves its parent's list.
#include <string>
#include <vector>

#include "base/Component.h"
#include "base/Event.h"

namespace lindora {

class MenuItem : public Component {
    LINDORA_CLASS(MenuItem)

public:
    explicit MenuItem(Component* owner = nullptr);
    ~MenuItem() override;

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c) { caption_ = c; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool e) { enabled_ = e; }
    bool visible() const { return visible_; }
    void setVisible(bool v) { visible_ = v; }
    bool checked() const { return checked_; }
    void setChecked(bool c) { checked_ = c; }
    // A separator is an entry captioned "-".
    bool isSeparator() const { return caption_ == "-"; }

    int count() const { return static_cast<int>(items_.size()); }
    // The sub-entry at index; throws Exception when out of range.
    MenuItem* item(int index) const;
    const std::vector<MenuItem*>& items() const { return items_; }
    MenuItem* parent() const { return parent_; }
    // Position in the parent's list, -1 without parent.
    int menuIndex() const;

    // Appends or inserts an entry (taken out of its previous parent first). An entry cannot
    // be put inside itself or its own sub-entries: that raises Exception.
    void add(MenuItem* item);
    void insert(int index, MenuItem* item);
    // Takes an entry out of this list without freeing it.
    void remove(MenuItem* item);
    int indexOf(const MenuItem* item) const;

    Event<Persistent*> OnClick;
    // Runs OnClick (only when enabled).
    virtual void click();

    // Form descriptions nest sub-entries inside their parent's block.
    bool hasParent() const override { return parent_ != nullptr; }
    Component* getParentComponent() const override { return parent_; }
    void setParentComponent(Component* parent) override;
    void getChildren(const std::function<void(Component&)>& proc, Component* root) override;

private:
    std::string caption_;
    bool enabled_ = true;
    bool visible_ = true;
    bool checked_ = false;
    MenuItem* parent_ = nullptr;
    std::vector<MenuItem*> items_;
};

}  // namespace lindora
