#pragma once
// Bars: the toolbars of a manager, and their collection with the four built-in dock sites.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "bars/model/BarItemLinks.h"
#include "bars/model/BarTypes.h"
#include "base/Collection.h"
#include "gfx/Color.h"
#include "gfx/PersistentGraphics.h"

namespace lindora {

class BarManager;
class BarWindow;
class CustomBarSubItem;
class DockControl;

class Bar : public CollectionItem {
    LINDORA_CLASS(Bar)

public:
    explicit Bar(Collection* collection = nullptr);
    ~Bar() override;

    BarManager* barManager() const;

    bool allowClose() const { return allowClose_; }
    void setAllowClose(bool v);
    bool allowCustomizing() const { return allowCustomizing_; }
    void setAllowCustomizing(bool v) { allowCustomizing_ = v; }
    bool allowQuickCustomizing() const { return allowQuickCustomizing_; }
    void setAllowQuickCustomizing(bool v);
    bool allowReset() const { return allowReset_; }
    void setAllowReset(bool v) { allowReset_ = v; }
    BarBorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(BarBorderStyle v);
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& v);
    Color color() const { return color_; }
    void setColor(Color v);
    DockControl* dockControl() const { return dockControl_; }
    void setDockControl(DockControl* site);
    DockControl* dockedDockControl() const { return dockedDockControl_; }
    void setDockedDockControl(DockControl* site);
    BarDockingStyle dockedDockingStyle() const { return dockedDockingStyle_; }
    void setDockedDockingStyle(BarDockingStyle v) { dockedDockingStyle_ = v; }
    int dockedLeft() const { return dockedLeft_; }
    void setDockedLeft(int v) { dockedLeft_ = v < 0 ? 0 : v; }
    int dockedTop() const { return dockedTop_; }
    void setDockedTop(int v) { dockedTop_ = v < 0 ? 0 : v; }
    BarDockingStyle dockingStyle() const { return dockingStyle_; }
    void setDockingStyle(BarDockingStyle v);
    int floatLeft() const { return floatLeft_; }
    void setFloatLeft(int v) { floatLeft_ = v; }
    int floatTop() const { return floatTop_; }
    void setFloatTop(int v) { floatTop_ = v; }
    int floatClientWidth() const { return floatClientWidth_; }
    void setFloatClientWidth(int v) { floatClientWidth_ = v; }
    int floatClientHeight() const { return floatClientHeight_; }
    void setFloatClientHeight(int v) { floatClientHeight_ = v; }
    FontProperty& font() { return font_; }
    const FontProperty& font() const { return font_; }
    void setFont(const FontProperty& f) { font_.assign(f); }
    bool hidden() const { return hidden_; }
    void setHidden(bool v) { hidden_ = v; }
    bool isMainMenu() const { return isMainMenu_; }
    void setIsMainMenu(bool v);
    BarItemLinks& itemLinks() { return *itemLinks_; }
    const BarItemLinks& itemLinks() const { return *itemLinks_; }
    void setItemLinks(const BarItemLinks& links) { itemLinks_->assign(links); }
    bool multiLine() const { return multiLine_; }
    void setMultiLine(bool v);
    // Unique among the manager's bars (case-sensitive); used by layout persistence.
    const std::string& name() const { return name_; }
    void setName(const std::string& v) { name_ = v; }
    BarDockingStyles notDocking() const { return notDocking_; }
    void setNotDocking(BarDockingStyles v);
    bool oneOnRow() const { return oneOnRow_; }
    void setOneOnRow(bool v) { oneOnRow_ = v; }
    bool rotateWhenVertical() const { return rotateWhenVertical_; }
    void setRotateWhenVertical(bool v);
    int row() const { return row_; }
    void setRow(int v) { row_ = v < 0 ? 0 : v; }
    bool showMark() const { return showMark_; }
    void setShowMark(bool v);
    bool sizeGrip() const { return sizeGrip_; }
    void setSizeGrip(bool v);
    bool useOwnFont() const { return useOwnFont_; }
    void setUseOwnFont(bool v);
    bool useRecentItems() const { return useRecentItems_; }
    void setUseRecentItems(bool v);
    bool useRestSpace() const { return useRestSpace_; }
    void setUseRestSpace(bool v);
    bool visible() const;
    void setVisible(bool v);
    bool wholeRow() const { return wholeRow_; }
    void setWholeRow(bool v);
    BitmapProperty& backgroundBitmap() { return background_; }
    const BitmapProperty& backgroundBitmap() const { return background_; }
    void setBackgroundBitmap(const BitmapProperty& b) { background_.assign(b); }
    int alphaBlendValue() const { return alphaBlendValue_; }
    void setAlphaBlendValue(int v);

    // DockControl when set, else the built-in site of DockingStyle; none while floating.
    DockControl* effectiveDockControl() const;
    // The bar's window, while it is shown.
    BarWindow* control() const { return window_.get(); }
    bool hiddenBecauseEmpty() const { return hiddenBecauseEmpty_; }
    void setHiddenBecauseEmpty(bool v) { hiddenBecauseEmpty_ = v; }

    // Asks the reset question; on OK resets to the form's stored design state. True when reset.
    bool reset();
    // Resets without asking (the answer was OK).
    void resetToDesign();
    void assign(const Persistent& source) override;
    std::string displayName() const override { return caption_; }

    // The manager applies the pending values read from the stream when loading ends.
    void applyPending();
    // The manager's font changed: a bar that follows it takes it.
    void managerFontChanged();
    // A detachable sub item names this bar.
    void addDetachingSubItem(CustomBarSubItem* item);
    void removeDetachingSubItem(CustomBarSubItem* item);
    // A shown bar whose dock had no window yet makes its window again once the dock has one.
    void recreateWindow();

private:
    bool isLoading() const;
    void showWindow();
    void hideWindow();
    void repaintWindow();
    void designerModified();

    bool allowClose_ = true;
    bool allowCustomizing_ = true;
    bool allowQuickCustomizing_ = true;
    bool allowReset_ = true;
    BarBorderStyle borderStyle_ = bbsSingle;
    std::string caption_;
    Color color_ = clDefault;
    DockControl* dockControl_ = nullptr;
    DockControl* dockedDockControl_ = nullptr;
    BarDockingStyle dockedDockingStyle_ = dsTop;
    int dockedLeft_ = 0;
    int dockedTop_ = 0;
    BarDockingStyle dockingStyle_ = dsNone;
    int floatLeft_ = 0;
    int floatTop_ = 0;
    int floatClientWidth_ = 0;
    int floatClientHeight_ = 0;
    FontProperty font_;
    bool hidden_ = false;
    bool isMainMenu_ = false;
    std::unique_ptr<BarItemLinks> itemLinks_;
    bool multiLine_ = false;
    std::string name_;
    BarDockingStyles notDocking_;
    bool oneOnRow_ = false;
    bool rotateWhenVertical_ = true;
    int row_ = 0;
    bool showMark_ = true;
    bool sizeGrip_ = true;
    bool useOwnFont_ = false;
    bool useRecentItems_ = true;
    bool useRestSpace_ = false;
    bool visible_ = false;
    bool wholeRow_ = false;
    BitmapProperty background_;
    int alphaBlendValue_ = 255;

    std::unique_ptr<BarWindow> window_;
    std::vector<CustomBarSubItem*> detachingSubItems_;
    DockControl* pendingDockControl_ = nullptr;
    BarDockingStyle pendingDockingStyle_ = dsNone;
    bool pendingVisible_ = false;
    bool hiddenBecauseEmpty_ = false;
    bool inDockChange_ = false;
    bool fontFromManager_ = false;
};

class Bars : public Collection {
    LINDORA_CLASS(Bars)

public:
    explicit Bars(BarManager& manager);
    ~Bars() override;

    BarManager& barManager() const { return *manager_; }
    Bar* add() { return static_cast<Bar*>(Collection::add()); }
    using Collection::items;
    Bar* items(int index) const { return static_cast<Bar*>(item(index)); }

    // The built-in site for a docking style (dsLeft..dsBottom), none for dsNone.
    DockControl* dockControl(BarDockingStyle style) const;
    bool isBuiltInDock(const DockControl* site) const;
    // Places the built-in sites in the form's window (once it has one) along its edges.
    void attachDocks();
    void alignDocks();

    // Set by the manager while Loaded applies the bars.
    bool loading() const { return loading_; }
    void setLoading(bool v) { loading_ = v; }
    // Set while a stored layout is applied.
    bool storageLoading() const { return storageLoading_; }
    void setStorageLoading(bool v) { storageLoading_ = v; }

protected:
    CollectionItem* createItem() override;

private:
    BarManager* manager_;
    std::array<std::unique_ptr<DockControl>, 4> docks_;
    // Cleared when the bars go: the form's window procedure hook then only passes messages on.
    std::shared_ptr<bool> hookAlive_;
    bool loading_ = false;
    bool storageLoading_ = false;
};

}  // namespace lindora
