#pragma once
// The bar manager: the one non-visual component that owns a form's toolbars and menus: its
// bars, the list of its items, categories, groups, dock sites, font, images and painter.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "bars/model/Bar.h"
#include "bars/model/BarManagerCategories.h"
#include "bars/model/BarPainter.h"
#include "bars/model/BarPopupMenuLinks.h"
#include "bars/model/BarTypes.h"
#include "bars/model/LookAndFeel.h"
#include "base/Component.h"
#include "base/Event.h"
#include "gfx/PersistentGraphics.h"

namespace lindora {

class BarButton;
class BarGroup;
class BarItem;
class BarItemLink;
class BarWindow;
class DockControl;
class FormObserver;
class Reader;
class Writer;

// The manager's two background pictures.
class BarBackgrounds : public Persistent {
    LINDORA_CLASS(BarBackgrounds)

public:
    BitmapProperty& bar() { return bar_; }
    const BitmapProperty& bar() const { return bar_; }
    BitmapProperty& subMenu() { return subMenu_; }
    const BitmapProperty& subMenu() const { return subMenu_; }
    void assign(const Persistent& source) override;

private:
    BitmapProperty bar_;
    BitmapProperty subMenu_;
};

class BarManager : public Component {
    LINDORA_CLASS(BarManager)

public:
    // `owner` must be a form without a manager; none takes the application's main form.
    explicit BarManager(Component* owner = nullptr);
    ~BarManager() override;

    // ---- published properties
    bool allowCallFromAnotherForm() const { return allowCallFromAnotherForm_; }
    void setAllowCallFromAnotherForm(bool v) { allowCallFromAnotherForm_ = v; }
    bool allowReset() const { return allowReset_; }
    void setAllowReset(bool v) { allowReset_ = v; }
    bool alwaysMerge() const { return alwaysMerge_; }
    void setAlwaysMerge(bool v) { alwaysMerge_ = v; }
    bool alwaysSaveText() const { return alwaysSaveText_; }
    void setAlwaysSaveText(bool v) { alwaysSaveText_ = v; }
    bool autoDockColor() const { return autoDockColor_; }
    void setAutoDockColor(bool v);
    bool autoHideEmptyBars() const { return autoHideEmptyBars_; }
    void setAutoHideEmptyBars(bool v);
    bool scaled() const { return scaled_; }
    void setScaled(bool v);
    FontProperty& font() { return font_; }
    const FontProperty& font() const { return font_; }
    void setFont(const FontProperty& f) { font_.assign(f); }
    BarBackgrounds& backgrounds() { return backgrounds_; }
    const BarBackgrounds& backgrounds() const { return backgrounds_; }
    Bars& bars() { return *bars_; }
    const Bars& bars() const { return *bars_; }
    void setBars(const Bars& b) { bars_->assign(b); }
    int buttonArrowWidth() const { return buttonArrowWidth_; }
    void setButtonArrowWidth(int v);
    bool canCustomize() const { return canCustomize_; }
    void setCanCustomize(bool v) { canCustomize_ = v; }
    BarManagerCategories& categories() { return *categories_; }
    const BarManagerCategories& categories() const { return *categories_; }
    void setCategories(const Persistent& c) { categories_->assign(c); }
    Color dockColor() const;
    void setDockColor(Color c);
    bool flatCloseButton() const { return flatCloseButton_; }
    void setFlatCloseButton(bool v);
    BitmapProperty& helpButtonGlyph() { return helpButtonGlyph_; }
    const BitmapProperty& helpButtonGlyph() const { return helpButtonGlyph_; }
    int helpContext() const { return helpContext_; }
    void setHelpContext(int v) { helpContext_ = v; }
    bool hideFloatingBarsWhenInactive() const { return hideFloatingBarsWhenInactive_; }
    void setHideFloatingBarsWhenInactive(bool v);
    Color imageListBkColor() const { return imageListBkColor_; }
    void setImageListBkColor(Color c) { imageListBkColor_ = c; }
    const std::string& iniFileName() const { return iniFileName_; }
    void setIniFileName(const std::string& v) { iniFileName_ = v; }
    int largeButtonArrowWidth() const { return largeButtonArrowWidth_; }
    void setLargeButtonArrowWidth(int v);
    bool largeIcons() const { return largeIcons_; }
    void setLargeIcons(bool v);
    LookAndFeel& lookAndFeel() { return lookAndFeel_; }
    const LookAndFeel& lookAndFeel() const { return lookAndFeel_; }
    bool makeDisabledImagesFaded() const { return makeDisabledImagesFaded_; }
    void setMakeDisabledImagesFaded(bool v);
    BarMenuAnimations menuAnimations() const { return menuAnimations_; }
    void setMenuAnimations(BarMenuAnimations v) { menuAnimations_ = v; }
    bool menusShowRecentItemsFirst() const { return menusShowRecentItemsFirst_; }
    void setMenusShowRecentItemsFirst(bool v) { menusShowRecentItemsFirst_ = v; }
    int mostRecentItemsPercents() const { return mostRecentItemsPercents_; }
    void setMostRecentItemsPercents(int v);
    BarDockingStyles notDocking() const { return notDocking_; }
    void setNotDocking(BarDockingStyles v);
    BarPopupMenuLinks& popupMenuLinks() { return *popupMenuLinks_; }
    const BarPopupMenuLinks& popupMenuLinks() const { return *popupMenuLinks_; }
    const std::string& registryPath() const { return registryPath_; }
    void setRegistryPath(const std::string& v) { registryPath_ = v; }
    bool showCloseButton() const { return showCloseButton_; }
    void setShowCloseButton(bool v);
    bool showFullMenusAfterDelay() const { return showFullMenusAfterDelay_; }
    void setShowFullMenusAfterDelay(bool v) { showFullMenusAfterDelay_ = v; }
    bool showHelpButton() const { return showHelpButton_; }
    void setShowHelpButton(bool v) { showHelpButton_ = v; }
    bool showHint() const { return showHint_; }
    void setShowHint(bool v) { showHint_ = v; }
    bool showHintForDisabledItems() const { return showHintForDisabledItems_; }
    void setShowHintForDisabledItems(bool v) { showHintForDisabledItems_ = v; }
    bool showShortCutInHint() const { return showShortCutInHint_; }
    void setShowShortCutInHint(bool v) { showShortCutInHint_ = v; }
    bool storeInIniFile() const { return storeInIniFile_; }
    void setStoreInIniFile(bool v) { storeInIniFile_ = v; }
    bool storeInRegistry() const { return storeInRegistry_; }
    void setStoreInRegistry(bool v) { storeInRegistry_ = v; }
    bool stretchGlyphs() const { return stretchGlyphs_; }
    void setStretchGlyphs(bool v) { stretchGlyphs_ = v; }
    BarManagerStyle style() const { return style_; }
    void setStyle(BarManagerStyle v);
    bool sunkenBorder() const { return sunkenBorder_; }
    void setSunkenBorder(bool v);
    bool useF10ForMenu() const { return useF10ForMenu_; }
    void setUseF10ForMenu(bool v) { useF10ForMenu_ = v; }
    bool useFullReset() const { return useFullReset_; }
    void setUseFullReset(bool v) { useFullReset_ = v; }
    bool useLargeImagesForLargeIcons() const { return useLargeImagesForLargeIcons_; }
    void setUseLargeImagesForLargeIcons(bool v);
    bool useSystemFont() const { return useSystemFont_; }
    void setUseSystemFont(bool v);
    int waitForDockingTime() const { return waitForDockingTime_; }
    void setWaitForDockingTime(int v) {
        if (v >= 0) waitForDockingTime_ = v;
    }

    // The five image lists.
    enum ImageListKind { ilImages, ilHotImages, ilLargeImages, ilDisabledImages, ilDisabledLargeImages };
    ImageListComponent* imageList(ImageListKind kind) const { return imageLists_[kind].list; }
    void setImageList(ImageListKind kind, ImageListComponent* list);
    ImageListComponent* images() const { return imageList(ilImages); }
    void setImages(ImageListComponent* l) { setImageList(ilImages, l); }

    // ---- events
    using BarEvent = Event<BarManager*, Bar*>;
    using BarItemLinkEvent = Event<BarManager*, BarItemLink*>;
    BarEvent OnBarAdd, OnBarAfterReset, OnBarBeforeReset, OnBarClose, OnBarDelete, OnBarDockingStyleChange,
        OnBarVisibleChange;
    BarItemLinkEvent OnItemLinkAdd, OnItemLinkChange, OnItemLinkDelete;
    NotifyEvent OnCloseButtonClick, OnHelpButtonClick, OnHideCustomizingForm, OnShowCustomizingForm;
    // Sender, Style, DockControl, var CanDocking.
    Event<Bar*, BarDockingStyle, DockControl*, bool&> OnDocking;
    Event<BarManager*, BarManager*, bool> OnMenuMerge;
    Event<BarManager*, BarItemLinks*> OnShowCustomizingPopup, OnShowToolbarsPopup;
    Event<BarManager*, BarItem*> OnClickItem;

    // ---- virtual operations
    virtual void doClickItem(BarItem* item) { OnClickItem(this, item); }
    virtual bool canDocking(Bar* bar, BarDockingStyle style, DockControl* site);
    // The painter kind of the effective style.
    virtual BarPainterKind getPainterClass() const;
    virtual void doBarAfterReset(Bar* bar) { OnBarAfterReset(this, bar); }
    virtual void doBarBeforeReset(Bar* bar) { OnBarBeforeReset(this, bar); }
    virtual void doBarClose(Bar* bar) { OnBarClose(this, bar); }
    virtual void doBarDockingStyleChange(Bar* bar);
    virtual void doCloseButtonClick() { OnCloseButtonClick(this); }
    virtual void doHelpButtonClick() { OnHelpButtonClick(this); }
    virtual void doShowCustomizingPopup(BarItemLinks* links) { OnShowCustomizingPopup(this, links); }
    virtual void doShowToolbarsPopup(BarItemLinks* links) { OnShowToolbarsPopup(this, links); }

    // ---- items, bars, lookup
    int itemCount() const { return static_cast<int>(items_.size()); }
    // None outside 0..ItemCount-1.
    BarItem* items(int index) const;
    const std::vector<BarItem*>& itemList() const { return items_; }
    BarItem* itemByName(std::string_view name) const;
    Bar* barByCaption(const std::string& caption) const;
    Bar* mainMenuBar() const { return mainMenuBar_; }
    BarWindow* mainMenuControl() const;
    const std::vector<BarGroup*>& groups() const { return groups_; }
    const std::vector<Component*>& popupMenus() const { return popupMenus_; }
    const std::vector<DockControl*>& dockControls() const { return dockControls_; }
    Component* form() const { return owner(); }

    // ---- style and painter
    BarManagerStyle effectiveStyle() const;
    bool isStyleNotStandard() const { return effectiveStyle() != bmsStandard; }
    bool isFlat() const { return style_ == bmsFlat; }
    int iconSize() const { return iconSize_; }
    // The painter of the effective style, from the installed controls integration; null
    // without one. Taken again whenever the style changes.
    const BarPainter* painter() const { return painter_; }
    // Sizes derived from the painter (0 without one): the kept painter metrics, and the
    // button size and drop-down arrow width of this manager's toolbars.
    int gripOffset() const { return gripOffset_; }
    int gripAreaSize() const { return gripAreaSize_; }
    int separatorIndent() const { return separatorIndent_; }
    int buttonWidth() const { return buttonWidth_; }
    int buttonHeight() const { return buttonHeight_; }
    int arrowWidth() const { return arrowWidth_; }
    // The font the windows draw with: the manager's font, with the system's icon-title
    // height when Scaled.
    const Font& derivedFont() const { return derivedFont_; }
    // The controls integration was installed or replaced: the painter is taken again.
    void controlsIntegrationChanged() { applyStyle(); }
    // Whether visual themes are active; this platform has no theme services, so never.
    static bool themesActive();

    // ---- system changes (told by the form observation)
    // The system's fonts changed: the system menu font again, or its height when scaled.
    void systemFontChanged() { applySystemFont(); }
    // The visual theme changed: the style is recomputed as for a Style change.
    void themeChanged() { applyStyle(); }
    // The system colours changed: the painters' brushes are rebuilt.
    void systemColorsChanged();
    // The watch over the owner form's messages (activation, minimising, system changes).
    FormObserver& formObserver() { return *formObserver_; }
    // The painters' resources (made by the first painter taken), or null.
    BarPainterResources* painterResources() const { return painterResources_.get(); }

    // ---- lock, state
    bool lockUpdate() const { return lockUpdate_; }
    void setLockUpdate(bool v);
    bool isCustomizing() const { return customizing_ || isDesigning(); }
    // Customizing mode on or off: every collection's lists are rebuilt, since in customizing
    // mode every link with an item is shown.
    void setCustomizing(bool v);
    // The link whose control is selected (hot) in one of the manager's windows, or none.
    BarItemLink* hotLink() const { return hotLink_; }
    void setHotLink(BarItemLink* link) { hotLink_ = link; }
    // Forgets the hot link; when `link` is given only if it is that one.
    void forgetHotLink(const BarItemLink* link = nullptr);
    bool isInStyleChange() const { return inStyleChange_; }
    bool ownerFormActive() const { return ownerFormActive_; }
    void setOwnerFormActive(bool v) { ownerFormActive_ = v; }
    // Tells the form designer that what is stored changed; there is no designer at run time, and
    // the docks realigning at the end of loading do not count.
    void designerModified() {}
    bool isAligning() const { return aligning_; }
    bool allowResetBars() const { return readCount_ == 1 && allowReset_; }
    int readCount() const { return readCount_; }
    int initialUseCount() const { return initialUseCount_; }

    // ---- dock sites
    void addDockControl(DockControl* site);
    void removeDockControl(DockControl* site);
    DockControl* dockControlByName(const std::string& path) const;
    static std::string dockControlPath(const Component* site);

    // ---- names
    std::string uniqueItemName(const BarItem& item) const;

    // ---- categories and their data
    void getItemsByCategory(int category, std::vector<BarItem*>& list, bool availableOnly = false) const;
    BarItemVisible getCategoryItemsVisible(int index) const;
    void setCategoryItemsVisible(int index, BarItemVisible value);
    bool getCategoryVisible(int index) const;
    void setCategoryVisible(int index, bool value);
    int categoryIndexOfVisible(int n) const;

    // ---- toolbars popup
    // The entries the toolbars popup would show now: temporary checked buttons, one per
    // listable bar, and "&Customize..." last. Owned by the returned links' private owner.
    struct ToolbarsPopup;
    std::unique_ptr<ToolbarsPopup> buildToolbarsPopup();

    // ---- used by bars, items and links
    void registerItem(BarItem* item);
    void unregisterItem(BarItem* item);
    void registerGroup(BarGroup* group);
    void unregisterGroup(BarGroup* group);
    void setMainMenuBar(Bar* bar) { mainMenuBar_ = bar; }
    void itemLinkAdded(BarItemLink* link);
    void itemLinkChanged(BarItemLink* link);
    void itemLinkDeleting(BarItemLink* link);
    void barAdded(Bar* bar);
    void barDeleting(Bar* bar);
    void barVisibleChanged(Bar* bar);
    // Runs f for every bar window that exists.
    void forEachBarWindow(const std::function<void(BarWindow&)>& f) const;
    void recalculateBarWindows();
    void repaintDocks();
    // The manager's font changed (not from a bar).
    void applyFontToBars();

    // ---- component
    void loaded() override;
    void defineProperties(Filer& filer) override;
    void getChildren(const std::function<void(Component&)>& proc, Component* root) override;
    void setName(const std::string& name) override;

    // The process-wide flags of a bar reset: building the scratch copy of the form, and
    // assigning from it (links then take the owner form's item of the same name).
    static bool buildingResetCopy();
    static bool applyingReset();
    // A scratch copy of the owner form read from its stored description (null without one).
    std::unique_ptr<Component> buildResetCopy() const;
    // Marks the assignment of a bar from the design copy.
    struct ResetScope {
        ResetScope();
        ~ResetScope();
        ResetScope(const ResetScope&) = delete;
        ResetScope& operator=(const ResetScope&) = delete;
    };

protected:
    void notification(Component* component, Operation operation) override;

private:
    friend class Bar;
    void applyStyle();
    void takePainter();
    // The close button area of the main menu bar changes: a hot link there is forgotten.
    void forgetHotLinkOnMainMenu();
    void computeIconSize();
    void computeInitialUseCount();
    void fontChanged();
    void applySystemFont();
    void rebuildDerivedFont();
    void imagesChanged(ImageListKind kind);
    void readDockControlHeights(Reader& reader);
    void writeDockControlHeights(Writer& writer);

    bool allowCallFromAnotherForm_ = false;
    bool allowReset_ = true;
    bool alwaysMerge_ = false;
    bool alwaysSaveText_ = false;
    bool autoDockColor_ = true;
    bool autoHideEmptyBars_ = false;
    bool scaled_ = true;
    FontProperty font_;
    BarBackgrounds backgrounds_;
    std::unique_ptr<Bars> bars_;
    int buttonArrowWidth_ = 11;
    bool canCustomize_ = true;
    std::unique_ptr<BarManagerCategories> categories_;
    Color dockColor_ = clBtnFace;
    bool flatCloseButton_ = false;
    BitmapProperty helpButtonGlyph_;
    int helpContext_ = 0;
    bool hideFloatingBarsWhenInactive_ = true;
    Color imageListBkColor_ = Color(0xFF00FF);
    std::string iniFileName_;
    int largeButtonArrowWidth_ = 13;
    bool largeIcons_ = false;
    LookAndFeel lookAndFeel_;
    bool makeDisabledImagesFaded_ = false;
    BarMenuAnimations menuAnimations_ = maNone;
    bool menusShowRecentItemsFirst_ = true;
    int mostRecentItemsPercents_ = 95;
    BarDockingStyles notDocking_;
    std::unique_ptr<BarPopupMenuLinks> popupMenuLinks_;
    std::string registryPath_;
    bool showCloseButton_ = false;
    bool showFullMenusAfterDelay_ = true;
    bool showHelpButton_ = false;
    bool showHint_ = true;
    bool showHintForDisabledItems_ = true;
    bool showShortCutInHint_ = false;
    bool storeInIniFile_ = false;
    bool storeInRegistry_ = false;
    bool stretchGlyphs_ = true;
    BarManagerStyle style_ = bmsEnhanced;
    bool sunkenBorder_ = false;
    bool useF10ForMenu_ = true;
    bool useFullReset_ = false;
    bool useLargeImagesForLargeIcons_ = false;
    bool useSystemFont_ = true;
    int waitForDockingTime_ = 21;

    struct ImageLink {
        ImageListComponent* list = nullptr;
        int listenerId = 0;
    };
    std::array<ImageLink, 5> imageLists_;

    std::vector<BarItem*> items_;
    std::vector<BarGroup*> groups_;
    std::vector<Component*> popupMenus_;
    std::vector<DockControl*> dockControls_;
    Bar* mainMenuBar_ = nullptr;
    const BarPainter* painter_ = nullptr;
    std::unique_ptr<BarPainterResources> painterResources_;
    int gripOffset_ = 0;
    int gripAreaSize_ = 0;
    int separatorIndent_ = 0;
    int buttonWidth_ = 0;
    int buttonHeight_ = 0;
    int arrowWidth_ = 0;
    BarItemLink* hotLink_ = nullptr;
    Font derivedFont_;
    int iconSize_ = 16;
    int initialUseCount_ = 20;
    bool lockUpdate_ = false;
    bool inStyleChange_ = false;
    bool customizing_ = false;
    bool ownerFormActive_ = false;
    int readCount_ = 0;
    bool fontGuard_ = false;
    // Set while the docks realign at the end of loading.
    bool aligning_ = false;
    std::unique_ptr<FormObserver> formObserver_;
};

// The toolbars popup's entries: temporary checked buttons (owned here) and their links.
struct BarManager::ToolbarsPopup {
    explicit ToolbarsPopup(BarManager& manager);
    ~ToolbarsPopup();
    BarManager& manager;
    std::unique_ptr<BarItemLinks> links;
    std::vector<std::unique_ptr<BarButton>> buttons;
    std::vector<Bar*> bars;  // the bar of each bar entry, in order
    BarButton* customizeButton = nullptr;
};

// Brackets a batch of changes: locks the manager's updates and restores the previous value.
class BarLockUpdate {
public:
    explicit BarLockUpdate(BarManager* manager);
    ~BarLockUpdate();
    BarLockUpdate(const BarLockUpdate&) = delete;
    BarLockUpdate& operator=(const BarLockUpdate&) = delete;

private:
    BarManager* manager_;
    bool previous_ = false;
};

}  // namespace lindora
