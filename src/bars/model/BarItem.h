#pragma once
// A bar item: a command with caption, hint, image, shortcut, enabled and visible state and a
// click handler. Items are owned by the form and listed by their manager; they appear only
// through item links, each of which gets an item control from the item-control registry.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bars/model/BarTypes.h"
#include "base/Component.h"
#include "base/Event.h"
#include "gfx/PersistentGraphics.h"

namespace lindora {

class Bar;
class BarAction;
class BarItem;
class BarItemControl;
class BarItemLink;
class BarManager;
class ImageListComponent;

// Follows an action: each aspect is linked while the item's value equals the action's.
class BarItemActionLink {
public:
    BarItemActionLink(BarItem& item, BarAction& action);
    ~BarItemActionLink();
    BarAction& action() const { return *action_; }
    // The action is being freed: forget it without touching it.
    void actionFreed() { action_ = nullptr; }

    bool isCaptionLinked() const;
    bool isCheckedLinked() const;
    bool isEnabledLinked() const;
    bool isHelpContextLinked() const;
    bool isHintLinked() const;
    bool isImageIndexLinked() const;
    bool isShortCutLinked() const;
    bool isVisibleLinked() const;
    bool isOnExecuteLinked() const;
    bool execute();

private:
    struct Snapshot {
        std::string caption, hint;
        bool checked = false, enabled = true, visible = true;
        int helpContext = 0, imageIndex = -1, shortCut = 0;
    };
    void actionChanged();
    Snapshot snapshot() const;

    BarItem* item_;
    BarAction* action_;
    Snapshot last_;
    int listenerId_;
};

class BarItem : public Component {
    LINDORA_CLASS(BarItem)

public:
    explicit BarItem(Component* owner = nullptr);
    ~BarItem() override;

    BarManager* barManager() const { return manager_; }

    BarAction* action() const;
    void setAction(BarAction* action);
    BarItemActionLink* actionLink() const { return actionLink_.get(); }
    BarItemAlign align() const { return align_; }
    void setAlign(BarItemAlign value);
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& value);
    int category() const { return category_; }
    void setCategory(int value);
    const std::string& description() const { return description_; }
    void setDescription(const std::string& value);
    bool enabled() const { return enabled_; }
    void setEnabled(bool value);
    int helpContext() const { return helpContext_; }
    void setHelpContext(int value);
    const std::string& hint() const { return hint_; }
    void setHint(const std::string& value);
    BarItemVisible visible() const { return visible_; }
    void setVisible(BarItemVisible value);
    BarItemVisible pendingVisible() const { return pendingVisible_; }

    BitmapProperty& glyph() { return glyph_; }
    const BitmapProperty& glyph() const { return glyph_; }
    void setGlyph(const BitmapProperty& glyph) { glyph_.assign(glyph); }
    int imageIndex() const { return imageIndex_; }
    void setImageIndex(int value);
    int shortCut() const { return shortCut_; }
    void setShortCut(int value);
    bool unclickAfterDoing() const { return unclickAfterDoing_; }
    void setUnclickAfterDoing(bool value) { unclickAfterDoing_ = value; }

    NotifyEvent OnClick;
    NotifyEvent OnDestroy;

    const std::vector<BarItemLink*>& links() const { return links_; }
    int linkCount() const { return static_cast<int>(links_.size()); }
    BarItemLink* selectedLink() const;
    // The link through which the current click came; set only during the click.
    BarItemLink* clickItemLink() const { return clickItemLink_; }
    void setClickItemLink(BarItemLink* link) { clickItemLink_ = link; }

    bool isAvailable() const;
    bool getEnabled() const;
    bool updatingFromAction() const { return updatingFromAction_; }

    // Programmatic click; the click as delivered by an item control.
    virtual void click();
    virtual void doClick();

    // ---- virtual operations
    virtual void barManagerChanged() {}
    virtual bool canClicked() const { return true; }
    virtual void captionChanged();
    virtual void enabledChanged();
    virtual int getImageIndex() const { return imageIndex_; }
    virtual bool isExcludedFromLists() const { return false; }
    virtual void glyphChanged();
    virtual bool canAccelerate(const BarItemLink& link) const;
    virtual void hotImagesChanged();
    virtual bool isAvailableAtRunTime() const { return true; }
    virtual void largeImagesChanged();
    virtual void barRemoved(Bar& bar) {}
    virtual void shortCutChanged();
    // Every link's control repaints (the item's size stays).
    virtual void refreshControls();
    // The windows showing the item lay themselves out again and repaint.
    virtual void repaintOwners();
    virtual bool usesHotImages() const { return false; }
    virtual bool usesLargeImages() const { return false; }
    virtual void visibleChanged();
    virtual ImageListComponent* getImages() const;

    // ---- overridable notifications
    // Copies the action's values; with checkDefaults only into values still at their default.
    virtual void actionChange(BarAction& action, bool checkDefaults);
    // Asks every link's control to refresh so that its window rebuilds.
    virtual void notifyControls();
    virtual void doOnClick();

    // Streaming: a child of the manager when its category is 0 or more.
    bool hasParent() const override;
    Component* getParentComponent() const override;
    void setParentComponent(Component* parent) override;
    void loaded() override;
    void setName(const std::string& name) override;

    // Moves the item to another manager (streams read into a manager's block).
    void setBarManager(BarManager* manager);

protected:
    void notification(Component* component, Operation operation) override;
    // Calls f for the control of every link, skipping links whose UserDefine has `skip`
    // (an override of that aspect), then refreshes the customizing dialog.
    void forEachControl(const std::function<void(BarItemControl&)>& f, int skip = -1);
    void refreshCustomizing();
    bool isLoadingItem() const;
    bool isDesigningItem() const;

private:
    friend class BarItemLink;
    friend class BarItemActionLink;
    friend class BarManagerCategories;

    BarManager* manager_ = nullptr;
    std::unique_ptr<BarItemActionLink> actionLink_;
    BarItemAlign align_ = iaLeft;
    std::string caption_;
    int category_ = -1;
    std::string description_;
    bool enabled_ = true;
    int helpContext_ = 0;
    std::string hint_;
    BarItemVisible visible_ = ivAlways;
    BarItemVisible pendingVisible_ = ivAlways;
    BitmapProperty glyph_;
    int imageIndex_ = -1;
    int shortCut_ = 0;
    bool unclickAfterDoing_ = true;
    std::vector<BarItemLink*> links_;
    BarItemLink* clickItemLink_ = nullptr;
    bool updatingFromAction_ = false;
};

}  // namespace lindora
