#include "bars/model/BarManager.h"

#include <algorithm>

#include "bars/model/BarButton.h"
#include "bars/model/BarControlsIntegration.h"
#include "bars/model/BarFramework.h"
#include "bars/model/BarGroup.h"
#include "bars/model/BarItem.h"
#include "bars/model/BarSubItem.h"
#include "bars/model/BarWindows.h"
#include "bars/model/DockControl.h"
#include "bars/model/FormLink.h"
#include "bars/model/FormObserver.h"
#include "base/ClassBuilder.h"
#include "base/Filer.h"
#include "base/FormDescription.h"
#include "base/TextUtil.h"
#include "ui/Screen.h"

namespace lindora {

namespace {
std::int64_t colorValue(Color c) { return static_cast<std::int64_t>(c.value()); }
Color toColor(std::int64_t v) { return Color(static_cast<std::uint32_t>(v)); }

bool& buildingCopyFlag() {
    static bool flag = false;
    return flag;
}
int& applyingResetDepth() {
    static int depth = 0;
    return depth;
}

template <BarManager::ImageListKind K>
auto imageGetter() {
    return [](const BarManager& m) { return m.imageList(K); };
}
template <BarManager::ImageListKind K>
auto imageSetter() {
    return [](BarManager& m, ImageListComponent* l) { m.setImageList(K, l); };
}
}  // namespace

const ClassInfo& BarManager::classInfo() {
    static const ClassInfo info =
        ClassBuilder<BarManager>("BarManager", Component::classInfo())
            .property("AllowCallFromAnotherForm", &BarManager::allowCallFromAnotherForm,
                      &BarManager::setAllowCallFromAnotherForm)
            .defaultValue(false)
            .property("AllowReset", &BarManager::allowReset, &BarManager::setAllowReset)
            .defaultValue(true)
            .property("AlwaysMerge", &BarManager::alwaysMerge, &BarManager::setAlwaysMerge)
            .defaultValue(false)
            .property("AlwaysSaveText", &BarManager::alwaysSaveText, &BarManager::setAlwaysSaveText)
            .defaultValue(false)
            .property("AutoDockColor", &BarManager::autoDockColor, &BarManager::setAutoDockColor)
            .defaultValue(true)
            .property("AutoHideEmptyBars", &BarManager::autoHideEmptyBars, &BarManager::setAutoHideEmptyBars)
            .defaultValue(false)
            .property("Scaled", &BarManager::scaled, &BarManager::setScaled)
            .defaultValue(true)
            .property(
                "Font", [](const BarManager& m) -> const FontProperty& { return m.font(); },
                [](BarManager& m, const FontProperty& f) { m.setFont(f); })
            .property(
                "Backgrounds", [](const BarManager& m) -> const BarBackgrounds& { return m.backgrounds(); },
                [](BarManager& m, const BarBackgrounds& b) { m.backgrounds().assign(b); })
            .property(
                "Bars", [](const BarManager& m) -> const Bars& { return m.bars(); },
                [](BarManager& m, const Bars& b) { m.setBars(b); })
            .property("ButtonArrowWidth", &BarManager::buttonArrowWidth, &BarManager::setButtonArrowWidth)
            .defaultValue(11)
            .property("CanCustomize", &BarManager::canCustomize, &BarManager::setCanCustomize)
            .defaultValue(true)
            .property(
                "Categories", [](const BarManager& m) -> const BarManagerCategories& { return m.categories(); },
                [](BarManager& m, const BarManagerCategories& c) { m.setCategories(c); })
            .property(
                "DockColor", [](const BarManager& m) { return colorValue(m.dockColor()); },
                [](BarManager& m, std::int64_t v) { m.setDockColor(toColor(v)); })
            .idents(colorIdents())
            .stored([](const BarManager& m) { return !m.autoDockColor(); })
            .property("FlatCloseButton", &BarManager::flatCloseButton, &BarManager::setFlatCloseButton)
            .defaultValue(false)
            .property(
                "HelpButtonGlyph", [](const BarManager& m) -> const BitmapProperty& { return m.helpButtonGlyph(); },
                [](BarManager& m, const BitmapProperty& b) { m.helpButtonGlyph().assign(b); })
            .stored([](const BarManager& m) { return !m.helpButtonGlyph().empty(); })
            .property("HelpContext", &BarManager::helpContext, &BarManager::setHelpContext)
            .defaultValue(0)
            .property("HideFloatingBarsWhenInactive", &BarManager::hideFloatingBarsWhenInactive,
                      &BarManager::setHideFloatingBarsWhenInactive)
            .defaultValue(true)
            .property("HotImages", imageGetter<ilHotImages>(), imageSetter<ilHotImages>())
            .property(
                "ImageListBkColor", [](const BarManager& m) { return colorValue(m.imageListBkColor()); },
                [](BarManager& m, std::int64_t v) { m.setImageListBkColor(toColor(v)); })
            .idents(colorIdents())
            .defaultValue(std::int64_t{0xFF00FF})
            .property("Images", imageGetter<ilImages>(), imageSetter<ilImages>())
            .property("DisabledImages", imageGetter<ilDisabledImages>(), imageSetter<ilDisabledImages>())
            .property("DisabledLargeImages", imageGetter<ilDisabledLargeImages>(), imageSetter<ilDisabledLargeImages>())
            .property("IniFileName", &BarManager::iniFileName, &BarManager::setIniFileName)
            .stored([](const BarManager& m) { return !m.iniFileName().empty(); })
            .property("LargeImages", imageGetter<ilLargeImages>(), imageSetter<ilLargeImages>())
            .property("LargeButtonArrowWidth", &BarManager::largeButtonArrowWidth,
                      &BarManager::setLargeButtonArrowWidth)
            .defaultValue(13)
            .property("LargeIcons", &BarManager::largeIcons, &BarManager::setLargeIcons)
            .defaultValue(false)
            .property(
                "LookAndFeel", [](const BarManager& m) -> const LookAndFeel& { return m.lookAndFeel(); },
                [](BarManager& m, const LookAndFeel& l) { m.lookAndFeel().assign(l); })
            .property("MakeDisabledImagesFaded", &BarManager::makeDisabledImagesFaded,
                      &BarManager::setMakeDisabledImagesFaded)
            .defaultValue(false)
            .property("MenuAnimations", &BarManager::menuAnimations, &BarManager::setMenuAnimations)
            .defaultValue(maNone)
            .property("MenusShowRecentItemsFirst", &BarManager::menusShowRecentItemsFirst,
                      &BarManager::setMenusShowRecentItemsFirst)
            .defaultValue(true)
            .property(
                "MostRecentItemsPercents",
                [](const BarManager& m) { return static_cast<std::uint8_t>(m.mostRecentItemsPercents()); },
                [](BarManager& m, std::uint8_t v) { m.setMostRecentItemsPercents(v); })
            .defaultValue(95)
            .property("NotDocking", &BarManager::notDocking, &BarManager::setNotDocking)
            .defaultValue(BarDockingStyles{})
            .property(
                "PopupMenuLinks", [](const BarManager& m) -> const BarPopupMenuLinks& { return m.popupMenuLinks(); },
                [](BarManager& m, const BarPopupMenuLinks& l) { m.popupMenuLinks().assign(l); })
            .property("RegistryPath", &BarManager::registryPath, &BarManager::setRegistryPath)
            .stored([](const BarManager& m) { return !m.registryPath().empty(); })
            .property("ShowCloseButton", &BarManager::showCloseButton, &BarManager::setShowCloseButton)
            .defaultValue(false)
            .property("ShowFullMenusAfterDelay", &BarManager::showFullMenusAfterDelay,
                      &BarManager::setShowFullMenusAfterDelay)
            .defaultValue(true)
            .property("ShowHelpButton", &BarManager::showHelpButton, &BarManager::setShowHelpButton)
            .defaultValue(false)
            .property("ShowHint", &BarManager::showHint, &BarManager::setShowHint)
            .defaultValue(true)
            .property("ShowHintForDisabledItems", &BarManager::showHintForDisabledItems,
                      &BarManager::setShowHintForDisabledItems)
            .defaultValue(true)
            .property("ShowShortCutInHint", &BarManager::showShortCutInHint, &BarManager::setShowShortCutInHint)
            .defaultValue(false)
            .property("StoreInIniFile", &BarManager::storeInIniFile, &BarManager::setStoreInIniFile)
            .defaultValue(false)
            .property("StoreInRegistry", &BarManager::storeInRegistry, &BarManager::setStoreInRegistry)
            .defaultValue(false)
            .property("StretchGlyphs", &BarManager::stretchGlyphs, &BarManager::setStretchGlyphs)
            .defaultValue(true)
            .property("Style", &BarManager::style, &BarManager::setStyle)
            .defaultValue(bmsEnhanced)
            .property("SunkenBorder", &BarManager::sunkenBorder, &BarManager::setSunkenBorder)
            .defaultValue(false)
            .property("UseF10ForMenu", &BarManager::useF10ForMenu, &BarManager::setUseF10ForMenu)
            .defaultValue(true)
            .property("UseFullReset", &BarManager::useFullReset, &BarManager::setUseFullReset)
            .defaultValue(false)
            .property("UseLargeImagesForLargeIcons", &BarManager::useLargeImagesForLargeIcons,
                      &BarManager::setUseLargeImagesForLargeIcons)
            .defaultValue(false)
            .property("UseSystemFont", &BarManager::useSystemFont, &BarManager::setUseSystemFont)
            .property("WaitForDockingTime", &BarManager::waitForDockingTime, &BarManager::setWaitForDockingTime)
            .defaultValue(21)
            .event("OnBarAdd", &BarManager::OnBarAdd)
            .event("OnBarAfterReset", &BarManager::OnBarAfterReset)
            .event("OnBarBeforeReset", &BarManager::OnBarBeforeReset)
            .event("OnBarClose", &BarManager::OnBarClose)
            .event("OnBarDelete", &BarManager::OnBarDelete)
            .event("OnBarDockingStyleChange", &BarManager::OnBarDockingStyleChange)
            .event("OnBarVisibleChange", &BarManager::OnBarVisibleChange)
            .event("OnItemLinkAdd", &BarManager::OnItemLinkAdd)
            .event("OnItemLinkChange", &BarManager::OnItemLinkChange)
            .event("OnItemLinkDelete", &BarManager::OnItemLinkDelete)
            .event("OnCloseButtonClick", &BarManager::OnCloseButtonClick)
            .event("OnDocking", &BarManager::OnDocking)
            .event("OnHelpButtonClick", &BarManager::OnHelpButtonClick)
            .event("OnHideCustomizingForm", &BarManager::OnHideCustomizingForm)
            .event("OnShowCustomizingForm", &BarManager::OnShowCustomizingForm)
            .event("OnMenuMerge", &BarManager::OnMenuMerge)
            .event("OnShowCustomizingPopup", &BarManager::OnShowCustomizingPopup)
            .event("OnShowToolbarsPopup", &BarManager::OnShowToolbarsPopup)
            .event("OnClickItem", &BarManager::OnClickItem);
    return info;
}

// ---------------------------------------------------------------------------------------------
// Construction and destruction

BarManager::BarManager(Component* owner) : Component(owner ? owner : applicationMainForm()) {
    BarFramework::startUp();
    Component* form = this->owner();
    if (!formlink::isForm(form)) throw EBarError(bartext::WrongOwner);
    for (BarManager* m : BarFramework::managerList().managers())
        if (m->owner() == form) throw EBarError(bartext::SecondManager);

    BarFramework::managerList().add(this);
    categories_ = std::make_unique<BarManagerCategories>(*this);
    bars_ = std::make_unique<Bars>(*this);
    dockColor_ = clBtnFace;
    font_.OnChange.bind([this](Persistent*) { fontChanged(); });
    // The bar background is drawn by the painter: a new picture re-applies the style.
    backgrounds_.bar().OnChange.bind([this](Persistent*) {
        if (!isLoading()) applyStyle();
    });
    computeInitialUseCount();
    popupMenuLinks_ = std::make_unique<BarPopupMenuLinks>(this);
    computeIconSize();
    lookAndFeel_.OnChange.bind([this](Persistent*) {
        if (!isLoading()) applyStyle();
    });
    applySystemFont();
    applyStyle();
    formObserver_ = std::make_unique<FormObserver>(*this);
}

BarManager::~BarManager() {
    setState(csDestroying, true);
    formObserver_.reset();
    lookAndFeel_.OnChange.clear();
    backgrounds_.bar().OnChange.clear();
    customizing_ = false;
    for (Component* p : std::vector<Component*>(popupMenus_)) delete p;
    popupMenus_.clear();
    for (int k = 0; k < 5; ++k) setImageList(static_cast<ImageListKind>(k), nullptr);
    for (BarGroup* g : std::vector<BarGroup*>(groups_)) delete g;
    groups_.clear();
    font_.OnChange.clear();
    // The bars go while the collection is still reachable: their docked windows leaving a
    // shown site make the manager's sites realign.
    bars_->clear();
    bars_.reset();
    for (DockControl* d : std::vector<DockControl*>(dockControls_)) d->setBarManager(nullptr);
    dockControls_.clear();
    while (!items_.empty()) delete items_.back();
    BarFramework::managerList().remove(this);
    categories_.reset();
    popupMenuLinks_.reset();
}

// ---------------------------------------------------------------------------------------------
// Setters

void BarManager::setAutoDockColor(bool v) {
    if (v == autoDockColor_) return;
    autoDockColor_ = v;
    repaintDocks();
}

void BarManager::setAutoHideEmptyBars(bool v) {
    if (v == autoHideEmptyBars_) return;
    autoHideEmptyBars_ = v;
    if (!v)
        for (CollectionItem* ci : bars_->items()) static_cast<Bar*>(ci)->setHiddenBecauseEmpty(false);
}

Color BarManager::dockColor() const { return autoDockColor_ ? formlink::colorOf(owner()) : dockColor_; }

void BarManager::setDockColor(Color c) {
    dockColor_ = c;
    autoDockColor_ = false;
    repaintDocks();
}

void BarManager::setButtonArrowWidth(int v) {
    if (v < 2 || v == buttonArrowWidth_) return;
    buttonArrowWidth_ = v;
    computeIconSize();
    recalculateBarWindows();
}

void BarManager::setLargeButtonArrowWidth(int v) {
    if (v < 2 || v == largeButtonArrowWidth_) return;
    largeButtonArrowWidth_ = v;
    recalculateBarWindows();
}

void BarManager::setFlatCloseButton(bool v) {
    if (v == flatCloseButton_) return;
    forgetHotLinkOnMainMenu();
    flatCloseButton_ = v;
    if (BarWindow* w = mainMenuControl()) w->repaint();
}

void BarManager::forgetHotLinkOnMainMenu() {
    if (hotLink_ && mainMenuBar_ && hotLink_->links() == &mainMenuBar_->itemLinks()) hotLink_ = nullptr;
}

void BarManager::setShowCloseButton(bool v) {
    if (v == showCloseButton_) return;
    forgetHotLinkOnMainMenu();
    showCloseButton_ = v;
    if (BarWindow* w = mainMenuControl()) w->repaint();
}

void BarManager::setLargeIcons(bool v) {
    if (v == largeIcons_) return;
    largeIcons_ = v;
    computeIconSize();
    designerModified();
    recalculateBarWindows();
}

void BarManager::setUseLargeImagesForLargeIcons(bool v) {
    if (v == useLargeImagesForLargeIcons_) return;
    useLargeImagesForLargeIcons_ = v;
    computeIconSize();
    recalculateBarWindows();
}

void BarManager::setMakeDisabledImagesFaded(bool v) {
    if (v == makeDisabledImagesFaded_) return;
    makeDisabledImagesFaded_ = v;
    recalculateBarWindows();
}

void BarManager::setMostRecentItemsPercents(int v) {
    mostRecentItemsPercents_ = std::clamp(v, 0, 100);
    computeInitialUseCount();
}

void BarManager::setCustomizing(bool v) {
    if (v == customizing_) return;
    customizing_ = v;
    BarLockUpdate lock(this);
    for (CollectionItem* ci : bars_->items()) static_cast<Bar*>(ci)->itemLinks().refreshLists();
    for (BarItem* i : items_)
        if (auto* sub = dynamic_cast<CustomBarSubItem*>(i)) sub->itemLinks().refreshLists();
}

void BarManager::forgetHotLink(const BarItemLink* link) {
    if (!link || hotLink_ == link) hotLink_ = nullptr;
}

void BarManager::computeInitialUseCount() {
    const int p = mostRecentItemsPercents_;
    if (p >= 100) {
        initialUseCount_ = 0;
        return;
    }
    int n = 1;
    while (n * (100 - p) / 100 <= 0) ++n;
    initialUseCount_ = n;
}

void BarManager::setNotDocking(BarDockingStyles v) {
    if (v == notDocking_) return;
    notDocking_ = v;
    if (!isLoading()) applyStyle();
}

void BarManager::setStyle(BarManagerStyle v) {
    if (v == style_) return;
    style_ = v;
    if (!isLoading()) applyStyle();
}

void BarManager::setSunkenBorder(bool v) {
    if (v == sunkenBorder_) return;
    sunkenBorder_ = v;
    for (BarDockingStyle s : {dsLeft, dsTop, dsRight, dsBottom}) bars_->dockControl(s)->rebuildBorder();
    for (DockControl* d : dockControls_) d->rebuildBorder();
}

void BarManager::setImageList(ImageListKind kind, ImageListComponent* list) {
    ImageLink& link = imageLists_[kind];
    if (list == link.list) return;
    if (link.list) {
        link.list->images().removeChangeListener(link.listenerId);
        removeFreeNotification(link.list);
    }
    link = {};
    if (list) {
        link.list = list;
        link.listenerId = list->images().addChangeListener([this, kind](ImageList&) { imagesChanged(kind); });
        freeNotification(list);
    }
    imagesChanged(kind);
}

void BarManager::imagesChanged(ImageListKind kind) {
    if (isLoading() || isDestroying()) return;
    BarLockUpdate lock(this);
    for (BarItem* i : std::vector<BarItem*>(items_)) {
        switch (kind) {
        case ilImages:
        case ilDisabledImages:
            if (i->imageIndex() >= 0) i->glyphChanged();
            break;
        case ilHotImages:
            if (i->usesHotImages()) i->hotImagesChanged();
            break;
        case ilLargeImages:
        case ilDisabledLargeImages:
            if (i->usesLargeImages()) i->largeImagesChanged();
            break;
        }
    }
    if (kind == ilLargeImages) computeIconSize();
}

// ---------------------------------------------------------------------------------------------
// Fonts

void BarManager::setUseSystemFont(bool v) {
    if (v == useSystemFont_ && !v) return;
    useSystemFont_ = v;
    if (v) applySystemFont();
}

void BarManager::setScaled(bool v) {
    if (v == scaled_) return;
    scaled_ = v;
    if (v && !useSystemFont_) applySystemFont();
    rebuildDerivedFont();
}

void BarManager::applySystemFont() {
    const SystemFontSpec menu = Screen::nonClientFonts().menu;
    fontGuard_ = true;
    if (useSystemFont_) {
        Font f = Screen::fontFrom(menu, font_.color());
        font_.setFont(f);
    } else if (scaled_) {
        font_.setHeight(menu.height);
    }
    fontGuard_ = false;
    rebuildDerivedFont();
    applyFontToBars();
}

void BarManager::fontChanged() {
    if (fontGuard_) return;
    useSystemFont_ = false;
    if (scaled_) {
        fontGuard_ = true;
        font_.setHeight(Screen::nonClientFonts().menu.height);
        fontGuard_ = false;
    }
    rebuildDerivedFont();
    applyFontToBars();
}

void BarManager::rebuildDerivedFont() {
    derivedFont_ = font_.font();
    if (scaled_) {
        int h = Screen::nonClientFonts().iconTitle.height;
        derivedFont_.setHeight(h >= -10 ? -11 : h);
    }
}

void BarManager::applyFontToBars() {
    if (!bars_) return;
    for (CollectionItem* ci : bars_->items()) static_cast<Bar*>(ci)->managerFontChanged();
}

// ---------------------------------------------------------------------------------------------
// Style and painter

bool BarManager::themesActive() { return false; }

BarManagerStyle BarManager::effectiveStyle() const {
    if (style_ != bmsUseLookAndFeel) return style_;
    if (lookAndFeel_.nativeStyle() && themesActive()) return bmsXP;
    switch (lookAndFeel_.kind()) {
    case lfFlat: return bmsEnhanced;
    case lfStandard: return bmsStandard;
    case lfUltraFlat: return bmsFlat;
    case lfOffice11: return bmsOffice11;
    }
    return bmsEnhanced;
}

BarPainterKind BarManager::getPainterClass() const {
    switch (effectiveStyle()) {
    case bmsFlat: return BarPainterKind::Flat;
    case bmsXP: return themesActive() ? BarPainterKind::XP : BarPainterKind::Enhanced;
    case bmsEnhanced: return BarPainterKind::Enhanced;
    case bmsOffice11: return BarPainterKind::Office11;
    default: return BarPainterKind::Standard;
    }
}

void BarManager::computeIconSize() {
    if (!largeIcons_) iconSize_ = 16;
    else if (useLargeImagesForLargeIcons_ && imageList(ilLargeImages)) iconSize_ = imageList(ilLargeImages)->width();
    else iconSize_ = 32;
    buttonWidth_ = painter_ ? iconSize_ + painter_->buttonHorizontalMargin() : 0;
    buttonHeight_ = painter_ ? iconSize_ + painter_->buttonVerticalMargin() : 0;
    arrowWidth_ = painter_ ? painter_->dropDownArrowWidth(*this) : 0;
}

void BarManager::takePainter() {
    BarControlsIntegration* integration = BarControlsIntegration::instance();
    painter_ = integration ? integration->painter(getPainterClass()) : nullptr;
    gripOffset_ = painter_ ? painter_->gripOffset() : 0;
    gripAreaSize_ = painter_ ? painter_->gripAreaSize() : 0;
    separatorIndent_ = painter_ ? painter_->separatorIndent() : 0;
    if (painter_ && !painterResources_) painterResources_ = painter_->createManagerResources();
}

void BarManager::setHideFloatingBarsWhenInactive(bool v) {
    if (v == hideFloatingBarsWhenInactive_) return;
    hideFloatingBarsWhenInactive_ = v;
    if (formObserver_) formObserver_->hideWhenInactiveChanged();
}

void BarManager::systemColorsChanged() {
    if (painterResources_) painterResources_->systemColorsChanged();
}

void BarManager::applyStyle() {
    inStyleChange_ = true;
    takePainter();
    computeIconSize();
    forEachBarWindow([](BarWindow& w) { w.frameChanged(); });
    if (bars_)
        for (BarDockingStyle s : {dsLeft, dsTop, dsRight, dsBottom}) {
            bars_->dockControl(s)->realign();
            bars_->dockControl(s)->repaintDock();
        }
    for (DockControl* d : dockControls_) {
        d->realign();
        d->repaintDock();
    }
    recalculateBarWindows();
    inStyleChange_ = false;
}

// ---------------------------------------------------------------------------------------------
// Lock, windows, docks

void BarManager::setLockUpdate(bool v) {
    if (v == lockUpdate_) return;
    lockUpdate_ = v;
    auto forEachDock = [this](const std::function<void(DockControl&)>& f) {
        if (bars_)
            for (BarDockingStyle s : {dsLeft, dsTop, dsRight, dsBottom}) f(*bars_->dockControl(s));
        for (DockControl* d : dockControls_) f(*d);
    };
    forEachDock([v](DockControl& d) {
        if (d.handleAllocated() && d.isWindowVisible()) d.setLockUpdate(v);
    });
    forEachBarWindow([v](BarWindow& w) { w.setLockUpdate(v); });
    if (!v) {
        forEachDock([](DockControl& d) {
            if (d.handleAllocated() && d.isWindowVisible()) {
                d.realign();
                d.repaintDock();
            }
        });
        recalculateBarWindows();
    }
}

BarLockUpdate::BarLockUpdate(BarManager* manager) : manager_(manager) {
    if (!manager_) return;
    previous_ = manager_->lockUpdate();
    manager_->setLockUpdate(true);
}

BarLockUpdate::~BarLockUpdate() {
    if (manager_) manager_->setLockUpdate(previous_);
}

void BarManager::forEachBarWindow(const std::function<void(BarWindow&)>& f) const {
    if (!bars_) return;
    for (CollectionItem* ci : bars_->items())
        if (BarWindow* w = static_cast<Bar*>(ci)->control()) f(*w);
}

void BarManager::recalculateBarWindows() {
    forEachBarWindow([](BarWindow& w) {
        w.recalculate();
        w.repaint();
    });
}

void BarManager::repaintDocks() {
    if (bars_)
        for (BarDockingStyle s : {dsLeft, dsTop, dsRight, dsBottom}) {
            DockControl* d = bars_->dockControl(s);
            if (d->handleAllocated()) d->setBackgroundColor(dockColor());
            d->repaintDock();
        }
    for (DockControl* d : dockControls_) d->repaintDock();
}

BarWindow* BarManager::mainMenuControl() const { return mainMenuBar_ ? mainMenuBar_->control() : nullptr; }

void BarManager::addDockControl(DockControl* site) {
    if (!site || std::find(dockControls_.begin(), dockControls_.end(), site) != dockControls_.end()) return;
    dockControls_.push_back(site);
    freeNotification(site);
}

void BarManager::removeDockControl(DockControl* site) {
    auto it = std::find(dockControls_.begin(), dockControls_.end(), site);
    if (it == dockControls_.end()) return;
    dockControls_.erase(it);
    removeFreeNotification(site);
}

DockControl* BarManager::dockControlByName(const std::string& path) const {
    Component* found = nullptr;
    auto dot = path.find('.');
    if (dot != std::string::npos) {
        // A global component (a form), then nested components inside it.
        std::string first = path.substr(0, dot);
        Component* root = nullptr;
        for (Component* f : {owner(), applicationMainForm()})
            if (f && sameText(f->name(), first)) root = f;
        if (!root)
            for (BarManager* m : BarFramework::managerList().managers())
                if (m->owner() && sameText(m->owner()->name(), first)) root = m->owner();
        std::string rest = path.substr(dot + 1);
        found = root;
        while (found && !rest.empty()) {
            auto next = rest.find('.');
            found = found->findComponent(rest.substr(0, next));
            rest = next == std::string::npos ? std::string() : rest.substr(next + 1);
        }
    } else if (owner()) {
        found = owner()->findComponent(path);
    }
    if (!found) return nullptr;
    auto* site = dynamic_cast<DockControl*>(found);
    if (!site) throw EConvertError("Invalid class typecast");
    return site;
}

std::string BarManager::dockControlPath(const Component* site) {
    if (!site) return {};
    std::string path = site->name();
    for (const Component* o = site->owner(); o && !o->name().empty(); o = o->owner()) path = o->name() + "." + path;
    return path;
}

bool BarManager::canDocking(Bar* bar, BarDockingStyle style, DockControl* site) {
    bool answer;
    if (bar && bar->notDocking().contains(style)) answer = false;
    else if (!site || bars_->isBuiltInDock(site)) answer = !notDocking_.contains(style);
    else answer = bar ? site->canDockBar(*bar) : site->allowDocking();
    OnDocking(bar, style, site, answer);
    return answer;
}

// ---------------------------------------------------------------------------------------------
// Items, bars, groups

BarItem* BarManager::items(int index) const {
    if (index < 0 || index >= itemCount()) return nullptr;
    return items_[static_cast<std::size_t>(index)];
}

BarItem* BarManager::itemByName(std::string_view name) const {
    for (BarItem* i : items_)
        if (sameText(i->name(), name)) return i;
    return nullptr;
}

Bar* BarManager::barByCaption(const std::string& caption) const {
    for (CollectionItem* ci : bars_->items())
        if (static_cast<Bar*>(ci)->caption() == caption) return static_cast<Bar*>(ci);
    return nullptr;
}

std::string BarManager::uniqueItemName(const BarItem& item) const {
    const std::string base = item.className();
    for (int n = 1;; ++n) {
        std::string candidate = base + std::to_string(n);
        if (!itemByName(candidate)) return candidate;
    }
}

void BarManager::registerItem(BarItem* item) {
    if (std::find(items_.begin(), items_.end(), item) == items_.end()) items_.push_back(item);
}

void BarManager::unregisterItem(BarItem* item) { std::erase(items_, item); }

void BarManager::registerGroup(BarGroup* group) {
    if (std::find(groups_.begin(), groups_.end(), group) == groups_.end()) groups_.push_back(group);
}

void BarManager::unregisterGroup(BarGroup* group) { std::erase(groups_, group); }

void BarManager::itemLinkAdded(BarItemLink* link) {
    if (!isLoading()) OnItemLinkAdd(this, link);
}
void BarManager::itemLinkChanged(BarItemLink* link) {
    if (!isLoading()) OnItemLinkChange(this, link);
}
void BarManager::itemLinkDeleting(BarItemLink* link) {
    if (!isDestroying()) OnItemLinkDelete(this, link);
}
void BarManager::barAdded(Bar* bar) {
    if (!isLoading()) OnBarAdd(this, bar);
}
void BarManager::barDeleting(Bar* bar) {
    if (!isDestroying()) OnBarDelete(this, bar);
}
void BarManager::barVisibleChanged(Bar* bar) {
    if (!isDestroying()) OnBarVisibleChange(this, bar);
}
void BarManager::doBarDockingStyleChange(Bar* bar) {
    if (!bars_->loading()) OnBarDockingStyleChange(this, bar);
}

// ---------------------------------------------------------------------------------------------
// Categories

void BarManager::getItemsByCategory(int category, std::vector<BarItem*>& list, bool availableOnly) const {
    list.clear();
    if (category < 0 || category >= categories_->count()) return;
    for (BarItem* i : items_)
        if (i->category() == category && (!availableOnly || (i->isAvailable() && !i->isExcludedFromLists())))
            list.push_back(i);
}

BarItemVisible BarManager::getCategoryItemsVisible(int index) const { return categories_->data(index).itemsVisible; }

void BarManager::setCategoryItemsVisible(int index, BarItemVisible value) {
    if (index < 0 || index >= categories_->count()) return;
    BarCategoryData d = categories_->data(index);
    if (isLoading()) {
        d.pendingItemsVisible = value;
        categories_->setData(index, d);
        return;
    }
    const BarItemVisible old = d.itemsVisible;
    d.itemsVisible = value;
    d.pendingItemsVisible = value;
    categories_->setData(index, d);
    std::vector<Bar*> emptyBefore;
    if (autoHideEmptyBars_)
        for (CollectionItem* ci : bars_->items())
            if (static_cast<Bar*>(ci)->itemLinks().visibleLinks().empty()) emptyBefore.push_back(static_cast<Bar*>(ci));
    {
        BarLockUpdate lock(this);
        std::vector<BarItem*> list;
        getItemsByCategory(index, list);
        if (value == ivAlways) std::reverse(list.begin(), list.end());
        for (BarItem* i : list)
            if (i->visible() == old) i->setVisible(value);
        if (autoHideEmptyBars_)
            for (CollectionItem* ci : bars_->items()) {
                auto* bar = static_cast<Bar*>(ci);
                bool empty = bar->itemLinks().visibleLinks().empty();
                bool wasEmpty = std::find(emptyBefore.begin(), emptyBefore.end(), bar) != emptyBefore.end();
                if (empty && !wasEmpty && bar->visible()) {
                    bar->setVisible(false);
                    bar->setHiddenBecauseEmpty(true);
                } else if (!empty && value == ivAlways && bar->hiddenBecauseEmpty()) {
                    bar->setVisible(true);
                }
            }
    }
    designerModified();
}

bool BarManager::getCategoryVisible(int index) const { return categories_->data(index).visible; }

void BarManager::setCategoryVisible(int index, bool value) {
    if (index < 0 || index >= categories_->count()) return;
    BarCategoryData d = categories_->data(index);
    d.visible = value;
    categories_->setData(index, d);
    designerModified();
}

int BarManager::categoryIndexOfVisible(int n) const {
    if (isDesigning()) return n >= 0 && n < categories_->count() ? n : -1;
    for (int i = 0; i < categories_->count(); ++i)
        if (categories_->data(i).visible && n-- == 0) return i;
    return -1;
}

// ---------------------------------------------------------------------------------------------
// Toolbars popup

BarManager::ToolbarsPopup::ToolbarsPopup(BarManager& m)
    : manager(m), links(std::make_unique<BarItemLinks>(nullptr, &m)) {}

BarManager::ToolbarsPopup::~ToolbarsPopup() {
    links.reset();
    buttons.clear();
}

std::unique_ptr<BarManager::ToolbarsPopup> BarManager::buildToolbarsPopup() {
    auto popup = std::make_unique<ToolbarsPopup>(*this);
    auto makeButton = [&](const std::string& caption) {
        auto b = std::make_unique<BarButton>(nullptr);
        b->setBarManager(this);
        b->setCaption(caption);
        BarFramework::addTemporaryItem(b.get());
        BarButton* raw = b.get();
        popup->buttons.push_back(std::move(b));
        BarItemLink* link = popup->links->add();
        link->setItem(raw);
        return std::pair{raw, link};
    };
    for (CollectionItem* ci : bars_->items()) {
        auto* bar = static_cast<Bar*>(ci);
        if (!bar->allowClose() || bar->isMainMenu() || bar->hidden()) continue;
        if (bar->control() && !bar->control()->canBeListed()) continue;
        auto [button, link] = makeButton(bar->caption());
        button->setButtonStyle(bsChecked);
        button->setDown(bar->visible());
        button->OnClick.bind([bar](Persistent*) { bar->setVisible(!bar->visible()); });
        popup->bars.push_back(bar);
    }
    if (canCustomize_) {
        auto [button, link] = makeButton(bartext::Customize);
        button->setEnabled(!customizing_);
        link->setBeginGroup(true);
        button->OnClick.bind([this](Persistent*) {
            setCustomizing(true);
            OnShowCustomizingForm(this);
        });
        popup->customizeButton = button;
    }
    popup->links->refreshLists();
    doShowToolbarsPopup(popup->links.get());
    return popup;
}

// ---------------------------------------------------------------------------------------------
// Streaming and notifications

bool BarManager::buildingResetCopy() { return buildingCopyFlag(); }
bool BarManager::applyingReset() { return applyingResetDepth() > 0; }
BarManager::ResetScope::ResetScope() { ++applyingResetDepth(); }
BarManager::ResetScope::~ResetScope() { --applyingResetDepth(); }

std::unique_ptr<Component> BarManager::buildResetCopy() const {
    if (!owner() || !findFormDescription(owner()->className())) return nullptr;
    bool previous = buildingCopyFlag();
    buildingCopyFlag() = true;
    std::unique_ptr<Component> copy;
    try {
        copy = createScratchCopy(*owner());
    } catch (...) {
        buildingCopyFlag() = previous;
        throw;
    }
    buildingCopyFlag() = previous;
    return copy;
}

void BarManager::loaded() {
    Component::loaded();
    ++readCount_;
    if (categories_->count() == 0) categories_->add(bartext::DefaultCategory, BarCategoryData{});
    if (lockUpdate_) return;
    bars_->setLoading(true);
    for (BarItem* i : std::vector<BarItem*>(items_)) {
        if (auto* sub = dynamic_cast<CustomBarSubItem*>(i)) sub->itemLinks().restoreRecentOrder(true);
        i->setVisible(i->pendingVisible());
    }
    for (CollectionItem* ci : std::vector<CollectionItem*>(bars_->items())) static_cast<Bar*>(ci)->applyPending();
    // A stored layout (registry or INI file) would be applied here; this application keeps none.
    bars_->setLoading(false);
    for (int i = 0; i < categories_->count(); ++i) setCategoryItemsVisible(i, categories_->data(i).pendingItemsVisible);
    aligning_ = true;
    bars_->attachDocks();
    for (BarDockingStyle s : {dsLeft, dsTop, dsRight, dsBottom}) bars_->dockControl(s)->realign();
    for (DockControl* d : dockControls_) d->realign();
    aligning_ = false;
    applyStyle();
}

void BarManager::readDockControlHeights(Reader& reader) {
    reader.readListBegin();
    // Left width, right width, top height, bottom height.
    const BarDockingStyle order[4] = {dsLeft, dsRight, dsTop, dsBottom};
    for (int k = 0; !reader.endOfList(); ++k) {
        auto v = reader.readInteger();
        if (k < 4) bars_->dockControl(order[k])->setThickness(static_cast<int>(v));
    }
    reader.readListEnd();
    bars_->alignDocks();
}

void BarManager::writeDockControlHeights(Writer& writer) {
    writer.writeListBegin();
    for (BarDockingStyle s : {dsLeft, dsRight, dsTop, dsBottom})
        writer.writeInteger(bars_->dockControl(s)->thickness());
    writer.writeListEnd();
}

void BarManager::defineProperties(Filer& filer) {
    Component::defineProperties(filer);
    filer.defineProperty(
        "DockControlHeights", [this](Reader& r) { readDockControlHeights(r); },
        [this](Writer& w) { writeDockControlHeights(w); }, true);
}

void BarManager::getChildren(const std::function<void(Component&)>& proc, Component* root) {
    for (BarItem* i : items_)
        if (i->category() >= 0 && i->owner() == root) proc(*i);
    for (BarGroup* g : groups_)
        if (g->owner() == root) proc(*g);
}

void BarManager::setName(const std::string& name) {
    const std::string old = this->name();
    Component::setName(name);
    if (!isDesigning() || old.empty() || sameText(old, name)) return;
    for (BarItem* i : std::vector<BarItem*>(items_)) {
        const std::string& n = i->name();
        if (i->owner() != owner() || n.size() <= old.size() || !sameText(n.substr(0, old.size()), old)) continue;
        try {
            i->setName(name + n.substr(old.size()));
        } catch (const EComponentError&) {
            // a clash leaves that item's name as it was
        }
    }
}

void BarManager::notification(Component* component, Operation operation) {
    Component::notification(component, operation);
    if (operation != opRemove) return;
    for (int k = 0; k < 5; ++k)
        if (imageLists_[k].list == component) {
            // The items drew from it: they repaint without it.
            imageLists_[k] = {};
            imagesChanged(static_cast<ImageListKind>(k));
        }
    if (popupMenuLinks_) popupMenuLinks_->componentFreed(component);
    std::erase(popupMenus_, component);
    if (auto* d = dynamic_cast<DockControl*>(component)) std::erase(dockControls_, d);
}

}  // namespace lindora
