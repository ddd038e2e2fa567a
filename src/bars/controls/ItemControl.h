#pragma once
// What every item control of the bar windows shares: its link and parent window, its state
// flags, the change notices of its item and link turned into a repaint or a rebuild of the
// window, activation and the click, its size in the window, and drawing through the painter.
#include <memory>
#include <string>

#include "bars/model/BarTypes.h"
#include "bars/model/BarWindows.h"
#include "gfx/Canvas.h"
#include "gfx/Geometry.h"

namespace lindora {

class BarItem;
class BarItemControlPainter;
class BarManager;
class Bitmap;
class CustomBarControl;
class ImageList;
struct BarDrawContext;

// Where a control is drawn: in a toolbar, in a menu, or in a toolbar that turns its texts.
enum class ItemDrawKind { Toolbar = 0, Menu = 1, RotatedToolbar = 2 };

class ItemControl : public BarItemControl {
public:
    explicit ItemControl(BarItemLink& link);
    ~ItemControl() override;

    BarItem* item() const;
    BarManager* barManager() const;
    // The window that shows the link; none when the collection is not shown by a bar window.
    CustomBarControl* parent() const;
    const BarItemControlPainter& painter() const;
    // The link's item rectangle in the parent's client coordinates.
    Rect itemRect() const;

    // ---- state flags
    Rect separatorRect() const { return separatorRect_; }
    void setSeparatorRect(const Rect& r) { separatorRect_ = r; }
    bool breakBefore() const { return breakBefore_; }
    void setBreakBefore(bool v) { breakBefore_ = v; }
    bool hasInnerWindow() const { return hasInnerWindow_; }
    bool active() const { return active_; }
    bool lastInRow() const { return lastInRow_; }
    void setLastInRow(bool v) { lastInRow_ = v; }
    bool clickPressed() const { return clickPressed_; }
    bool selectedByMouse() const { return selectedByMouse_; }
    void setSelectedByMouse(bool v) { selectedByMouse_ = v; }
    // In an expanded menu: the link is one a collapsed menu hides as not recently used (drawn
    // on the lighter background), and the first of a run of such links.
    bool rarelyUsed() const { return rarelyUsed_; }
    bool firstRarelyUsed() const { return firstRarelyUsed_; }
    void setRarelyUsed(bool rarely, bool firstOfRun) {
        rarelyUsed_ = rarely;
        firstRarelyUsed_ = rarely && firstOfRun;
    }

    // ---- the model's change notices
    void captionChanged() override;
    void enabledChanged() override;
    void glyphChanged() override { invalidated(); }
    void hotImagesChanged() override { invalidated(); }
    void largeImagesChanged() override { changed(); }
    void shortCutChanged() override;
    void visibleChanged() override { changed(); }
    void beginGroupChanged() override { changed(); }
    void paintStyleChanged() override { changed(); }
    void widthChanged() override { changed(); }
    void downChanged() override { stateChanged(); }
    void buttonStyleChanged() override { changed(); }
    void dropDownEnabledChanged() override { repaint(); }
    void refresh() override { rebuild(); }
    // The parent's RepaintItem for this control (unless the parent is going).
    void repaint() override;
    bool canSelect() const override { return isSelectable(); }
    // The parent's selection is this control, and it is enabled or was not selected by mouse.
    bool isSelected() const override;
    bool closesMenusWhenClicked() const override { return closesMenus(); }
    bool canClick() const override { return true; }

    // ---- the operations of an item control
    // The item or link changed in a way that changes its size: the parent rebuilds.
    virtual void changed();
    // Something drawn changed: repaint.
    virtual void invalidated() { repaint(); }
    // The item's state (Down) changed: repaint unless drawn click-pressed now.
    virtual void stateChanged();
    virtual void rebuild();
    virtual bool canSelectInCustomizing() const;
    // False only in customizing mode for an item of another manager.
    virtual bool isSelectable() const;
    // A click by mouse or keyboard: press, then, while the parent still shows it, unclick.
    virtual void controlClick(bool byMouse);
    // Activation (hot or open); `immediate` is false for the mouse passing over.
    virtual void controlActivate(bool immediate);
    virtual void controlInactivate(bool immediate);
    virtual void controlPress(bool byMouse) {}
    // The click: marks the link used, closes the menus, and clicks the item.
    virtual void controlUnclick(bool byMouse);
    virtual bool keyDown(int key) { return false; }
    virtual bool wantsKey(int key) const { return false; }
    virtual std::string caption() const;
    virtual bool enabled() const;
    // The link's glyph: its user glyph when defined, else the item's.
    virtual const Bitmap& glyph() const;
    virtual int imageIndex() const;
    // The list the glyph is drawn from: disabled images when disabled and present, large
    // variants with large icons.
    virtual const ImageList* images() const;
    virtual const ImageList* hotImages() const;
    virtual const ImageList* largeImages() const;
    virtual std::string hint() const;
    virtual bool canDrawGlyph() const;
    virtual int shortCut() const;
    // Whether a glyph would show: a non-empty glyph or a valid image index.
    bool hasUsableGlyph() const;
    virtual int width() const { return 0; }
    virtual int height() const { return 0; }
    virtual int minWidth() const { return 1; }
    virtual int minHeight() const { return 1; }
    virtual ItemLinksWindow* subMenuControl() const { return nullptr; }
    virtual bool hasHint() const;
    virtual bool closesMenus() const { return true; }
    virtual bool isExpandable() const { return false; }
    virtual bool keepsPressCapture() const { return false; }
    virtual bool needsCapture() const;
    virtual void draw(Canvas& canvas, const Rect& r, ItemDrawKind kind) {}

    // Expires when the control goes; a handler may free it.
    std::weak_ptr<bool> lifeToken() const { return alive_; }

    // The item's Align where it counts (a toolbar's last link), else iaLeft.
    BarItemAlign effectiveAlign() const;
    // The size the control takes in its window (an iaClient item reports its minimum along).
    Size sizeInParent() const;
    // How the parent draws it now.
    ItemDrawKind drawKind() const;
    bool inSubMenu() const;
    bool onToolbar() const;
    bool onVerticalBar() const;
    bool onRotatedBar() const;
    // The painter's view of the window the control is drawn in.
    BarDrawContext drawContext() const;

protected:
    void setHasInnerWindow(bool v) { hasInnerWindow_ = v; }
    void setActive(bool v) { active_ = v; }
    void setClickPressed(bool v) { clickPressed_ = v; }
    // Whether the click plays the "MenuCommand" sound (buttons in menus).
    virtual bool playsClickSound() const { return false; }

private:
    Rect separatorRect_;
    bool breakBefore_ = false;
    bool hasInnerWindow_ = false;
    bool active_ = false;
    bool lastInRow_ = false;
    bool clickPressed_ = false;
    bool selectedByMouse_ = false;
    bool rarelyUsed_ = false;
    bool firstRarelyUsed_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// Plays a system sound through the window layer's services, when a backend is installed.
void PlayMenuSound(const std::string& alias);

}  // namespace lindora
