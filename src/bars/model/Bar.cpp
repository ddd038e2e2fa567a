#include "bars/model/Bar.h"
#include "bars/model/BarControlsIntegration.h"

#include <algorithm>
#include <set>

#include "bars/model/BarManager.h"
#include "bars/model/BarSubItem.h"
#include "bars/model/BarWindows.h"
#include "bars/model/DockControl.h"
#include "bars/model/FormLink.h"
#include "base/ClassBuilder.h"
#include "base/FormDescription.h"
#include "ui/PlatformIntegration.h"

namespace lindora {

// ---------------------------------------------------------------------------------------------
// Bar

namespace {
std::int64_t colorValue(Color c) { return static_cast<std::int64_t>(c.value()); }
Color toColor(std::int64_t v) { return Color(static_cast<std::uint32_t>(v)); }
}  // namespace

const ClassInfo& Bar::classInfo() {
    static const ClassInfo info =
        ClassBuilder<Bar>("Bar", CollectionItem::classInfo())
            .property("AllowClose", &Bar::allowClose, &Bar::setAllowClose)
            .defaultValue(true)
            .property("AllowCustomizing", &Bar::allowCustomizing, &Bar::setAllowCustomizing)
            .defaultValue(true)
            .property("AllowQuickCustomizing", &Bar::allowQuickCustomizing, &Bar::setAllowQuickCustomizing)
            .defaultValue(true)
            .property("AllowReset", &Bar::allowReset, &Bar::setAllowReset)
            .defaultValue(true)
            .property("BorderStyle", &Bar::borderStyle, &Bar::setBorderStyle)
            .defaultValue(bbsSingle)
            .property("Caption", &Bar::caption, &Bar::setCaption)
            .property(
                "Color", [](const Bar& b) { return colorValue(b.color()); },
                [](Bar& b, std::int64_t v) { b.setColor(toColor(v)); })
            .idents(colorIdents())
            .defaultValue(colorValue(clDefault))
            .property("DockControl", &Bar::dockControl, &Bar::setDockControl)
            .property("DockedDockControl", &Bar::dockedDockControl, &Bar::setDockedDockControl)
            .property("DockedDockingStyle", &Bar::dockedDockingStyle, &Bar::setDockedDockingStyle)
            .stored([](const Bar& b) { return b.dockedDockControl() == nullptr; })
            .property("DockedLeft", &Bar::dockedLeft, &Bar::setDockedLeft)
            .property("DockedTop", &Bar::dockedTop, &Bar::setDockedTop)
            .property("DockingStyle", &Bar::dockingStyle, &Bar::setDockingStyle)
            .stored([](const Bar& b) { return b.dockControl() == nullptr; })
            .property("FloatLeft", &Bar::floatLeft, &Bar::setFloatLeft)
            .property("FloatTop", &Bar::floatTop, &Bar::setFloatTop)
            .property("FloatClientWidth", &Bar::floatClientWidth, &Bar::setFloatClientWidth)
            .property("FloatClientHeight", &Bar::floatClientHeight, &Bar::setFloatClientHeight)
            .property(
                "Font", [](const Bar& b) -> const FontProperty& { return b.font(); },
                [](Bar& b, const FontProperty& f) { b.setFont(f); })
            .stored([](const Bar& b) { return b.useOwnFont(); })
            .property("Hidden", &Bar::hidden, &Bar::setHidden)
            .defaultValue(false)
            .property("IsMainMenu", &Bar::isMainMenu, &Bar::setIsMainMenu)
            .defaultValue(false)
            .property(
                "ItemLinks", [](const Bar& b) -> const BarItemLinks& { return b.itemLinks(); },
                [](Bar& b, const BarItemLinks& l) { b.setItemLinks(l); })
            .property("MultiLine", &Bar::multiLine, &Bar::setMultiLine)
            .defaultValue(false)
            .property("Name", &Bar::name, &Bar::setName)
            .property("NotDocking", &Bar::notDocking, &Bar::setNotDocking)
            .defaultValue(BarDockingStyles{})
            .property("OneOnRow", &Bar::oneOnRow, &Bar::setOneOnRow)
            .property("RotateWhenVertical", &Bar::rotateWhenVertical, &Bar::setRotateWhenVertical)
            .defaultValue(true)
            .property("Row", &Bar::row, &Bar::setRow)
            .property("ShowMark", &Bar::showMark, &Bar::setShowMark)
            .defaultValue(true)
            .property("SizeGrip", &Bar::sizeGrip, &Bar::setSizeGrip)
            .defaultValue(true)
            .property("UseOwnFont", &Bar::useOwnFont, &Bar::setUseOwnFont)
            .property("UseRecentItems", &Bar::useRecentItems, &Bar::setUseRecentItems)
            .defaultValue(true)
            .property("UseRestSpace", &Bar::useRestSpace, &Bar::setUseRestSpace)
            .defaultValue(false)
            .property("Visible", &Bar::visible, &Bar::setVisible)
            .property("WholeRow", &Bar::wholeRow, &Bar::setWholeRow)
            .property(
                "BackgroundBitmap", [](const Bar& b) -> const BitmapProperty& { return b.backgroundBitmap(); },
                [](Bar& b, const BitmapProperty& p) { b.setBackgroundBitmap(p); })
            .stored([](const Bar& b) { return !b.backgroundBitmap().empty(); })
            .property("AlphaBlendValue", &Bar::alphaBlendValue, &Bar::setAlphaBlendValue)
            .defaultValue(255);
    return info;
}

Bar::Bar(Collection* collection) : CollectionItem(collection) {
    BarManager* m = barManager();
    itemLinks_ = std::make_unique<BarItemLinks>(this, m);
    itemLinks_->setPropName("ItemLinks");
    itemLinks_->onChange = [this] { designerModified(); };
    if (m) {
        fontFromManager_ = true;
        font_.assign(m->font());
        fontFromManager_ = false;
    }
    font_.OnChange.bind([this](Persistent*) {
        if (!fontFromManager_) useOwnFont_ = true;
        if (window_) window_->fontChanged();
    });
    background_.OnChange.bind([this](Persistent*) {
        if (window_) window_->frameChanged();
    });
    if (m && !m->isLoading()) m->barAdded(this);
}

Bar::~Bar() {
    BarManager* m = barManager();
    if (m && !m->isDestroying()) {
        m->designerModified();
        m->barDeleting(this);
    }
    hideWindow();
    if (m) {
        for (BarItem* i : std::vector<BarItem*>(m->itemList())) i->barRemoved(*this);
        if (m->mainMenuBar() == this) m->setMainMenuBar(nullptr);
    }
    itemLinks_.reset();
}

BarManager* Bar::barManager() const {
    auto* bars = static_cast<Bars*>(collection());
    return bars ? &bars->barManager() : nullptr;
}

bool Bar::isLoading() const {
    BarManager* m = barManager();
    return m && m->isLoading();
}

void Bar::designerModified() {
    if (BarManager* m = barManager()) m->designerModified();
}

void Bar::repaintWindow() {
    if (window_) {
        window_->recalculate();
        window_->repaint();
    }
}

void Bar::setAllowClose(bool v) {
    if (v == allowClose_) return;
    allowClose_ = v;
    if (window_ && window_->dockingStyle() == dsNone) repaintWindow();
}

void Bar::setAllowQuickCustomizing(bool v) {
    if (v == allowQuickCustomizing_) return;
    allowQuickCustomizing_ = v;
    repaintWindow();
}

void Bar::setBorderStyle(BarBorderStyle v) {
    if (v == borderStyle_) return;
    borderStyle_ = v;
    if (window_) window_->frameChanged();
}

void Bar::setCaption(const std::string& v) {
    if (v == caption_) return;
    BarManager* m = barManager();
    if (m)
        for (CollectionItem* ci : m->bars().items())
            if (ci != this && static_cast<Bar*>(ci)->caption_ == v) return;
    caption_ = v;
    if (window_) window_->captionChanged();
    if (name_.empty() && !isLoading() && m) {
        auto taken = [&](const std::string& n) {
            for (CollectionItem* ci : m->bars().items())
                if (ci != this && static_cast<Bar*>(ci)->name_ == n) return true;
            return false;
        };
        std::string n = v;
        for (int k = 1; taken(n); ++k) n = v + std::to_string(k);
        name_ = n;
    }
    designerModified();
}

void Bar::setColor(Color v) {
    if (v == color_) return;
    color_ = v;
    repaintWindow();
}

void Bar::setDockControl(DockControl* site) {
    BarManager* m = barManager();
    if (site && site->barManager() != m) return;
    if (isLoading()) {
        pendingDockControl_ = site;
        return;
    }
    if (site && m && m->bars().isBuiltInDock(site)) {
        // A built-in site is named by its style, not as a placed site.
        setDockingStyle(site->dockingStyle());
        return;
    }
    if (site == dockControl_) return;
    bool hidden = false;
    if (window_) {
        hideWindow();
        hidden = true;
    }
    dockControl_ = site;
    itemLinks_->setRecentItemCount(-1);
    inDockChange_ = true;
    if (site && dockingStyle_ == dsNone) dockingStyle_ = dsTop;
    inDockChange_ = false;
    if (hidden) showWindow();
    if (m) m->doBarDockingStyleChange(this);
}

void Bar::setDockedDockControl(DockControl* site) {
    dockedDockControl_ = site;
    designerModified();
}

void Bar::setDockingStyle(BarDockingStyle v) {
    if (isLoading()) {
        pendingDockingStyle_ = v;
        return;
    }
    if (v == dockingStyle_ && !dockControl_) return;
    bool hidden = false;
    if (window_ && window_->dockingStyle() != v) {
        hideWindow();
        hidden = true;
    }
    dockingStyle_ = v;
    if (!inDockChange_) {
        inDockChange_ = true;
        dockControl_ = nullptr;
        inDockChange_ = false;
    }
    itemLinks_->setRecentItemCount(-1);
    if (hidden) showWindow();
    if (BarManager* m = barManager()) m->doBarDockingStyleChange(this);
}

void Bar::setIsMainMenu(bool v) {
    if (v == isMainMenu_) return;
    BarManager* m = barManager();
    {
        BarLockUpdate lock(m);
        if (v) {
            if (m && m->mainMenuBar() && m->mainMenuBar() != this) m->mainMenuBar()->setIsMainMenu(false);
            isMainMenu_ = true;
            if (m) m->setMainMenuBar(this);
            setWholeRow(true);
            setMultiLine(true);
        } else {
            isMainMenu_ = false;
            if (m && m->mainMenuBar() == this) m->setMainMenuBar(nullptr);
            setMultiLine(false);
            setWholeRow(false);
        }
    }
    if (!isLoading() && window_ && window_->dockingStyle() != dsNone) window_->repaint();
}

void Bar::setMultiLine(bool v) {
    if (!v && isMainMenu_) return;  // a main menu bar always wraps
    if (v == multiLine_) return;
    multiLine_ = v;
    repaintWindow();
}

void Bar::setNotDocking(BarDockingStyles v) {
    if (v == notDocking_) return;
    notDocking_ = v;
    repaintWindow();
}

void Bar::setRotateWhenVertical(bool v) {
    if (v == rotateWhenVertical_) return;
    rotateWhenVertical_ = v;
    if (window_) window_->fontChanged();
}

void Bar::setShowMark(bool v) {
    if (v == showMark_) return;
    showMark_ = v;
    repaintWindow();
}

void Bar::setSizeGrip(bool v) {
    if (v == sizeGrip_) return;
    sizeGrip_ = v;
    if (window_) window_->frameChanged();
}

void Bar::setUseOwnFont(bool v) {
    if (v == useOwnFont_) return;
    useOwnFont_ = v;
    if (!v) managerFontChanged();
}

void Bar::managerFontChanged() {
    BarManager* m = barManager();
    if (useOwnFont_ || !m) return;
    fontFromManager_ = true;
    font_.assign(m->font());
    fontFromManager_ = false;
}

void Bar::setUseRecentItems(bool v) {
    if (v == useRecentItems_) return;
    useRecentItems_ = v;
    itemLinks_->setUseRecentItems(v);
    itemLinks_->refreshLists();
    if (window_) window_->repaint();
}

void Bar::setUseRestSpace(bool v) {
    if (v == useRestSpace_) return;
    useRestSpace_ = v;
    repaintWindow();
}

bool Bar::visible() const { return visible_; }

void Bar::setVisible(bool v) {
    BarManager* m = barManager();
    if (v && m && m->isDestroying()) return;
    if (v == visible_ && !isLoading()) return;
    hiddenBecauseEmpty_ = false;
    if (isLoading()) {
        pendingVisible_ = v;
        return;
    }
    if (!v && window_) {
        if (visible_ && !(m && m->isDestroying())) window_->storePosition(*this);
        hideWindow();
    }
    visible_ = v;
    if (v) showWindow();
    if (m && !m->isDestroying()) m->barVisibleChanged(this);
    if (m && !m->bars().storageLoading()) designerModified();
}

void Bar::setWholeRow(bool v) {
    if (v == wholeRow_) return;
    wholeRow_ = v;
    if (window_ && window_->dockingStyle() != dsNone) {
        hideWindow();
        showWindow();
    }
}

void Bar::setAlphaBlendValue(int v) {
    v = std::clamp(v, 0, 255);
    if (v == alphaBlendValue_) return;
    alphaBlendValue_ = v;
    if (window_) window_->frameChanged();
}

DockControl* Bar::effectiveDockControl() const {
    if (dockControl_) return dockControl_;
    BarManager* m = barManager();
    return m ? m->bars().dockControl(dockingStyle_) : nullptr;
}

void Bar::showWindow() {
    BarManager* m = barManager();
    BarControlsIntegration* integration = BarControlsIntegration::instance();
    if (window_ || !m || !integration) return;
    window_ = integration->createBarWindow(*m, *this);
    if (!window_) return;
    itemLinks_->setBarControl(window_.get());
    if (dockingStyle_ != dsNone || dockControl_) {
        DockControl* site = effectiveDockControl();
        window_->setDockingStyle(dockingStyle_ == dsNone ? dsTop : dockingStyle_);
        if (site) window_->dockInto(*site, site->clientToScreen(Point(dockedLeft_, dockedTop_)));
        window_->showNoActivate();
    } else {
        window_->setDockingStyle(dsNone);
        window_->floatAt(Rect(Point(floatLeft_, floatTop_), Size(floatClientWidth_, floatClientHeight_)));
        Component* form = m->owner();
        if (formlink::isVisible(form) &&
            (!m->hideFloatingBarsWhenInactive() || formlink::isActive(form) || m->isCustomizing()))
            window_->showNoActivate();
    }
}

void Bar::hideWindow() {
    if (!window_) return;
    itemLinks_->setBarControl(nullptr);
    window_.reset();
}

void Bar::recreateWindow() {
    if (!window_) return;
    hideWindow();
    showWindow();
}

void Bar::applyPending() {
    itemLinks_->restoreRecentOrder(true);
    if (pendingDockControl_) {
        DockControl* site = pendingDockControl_;
        pendingDockControl_ = nullptr;
        setDockControl(site);
    } else {
        setDockingStyle(pendingDockingStyle_);
    }
    bool v = pendingVisible_;
    pendingVisible_ = false;
    if (v != visible_) setVisible(v);
}

void Bar::addDetachingSubItem(CustomBarSubItem* item) {
    if (std::find(detachingSubItems_.begin(), detachingSubItems_.end(), item) == detachingSubItems_.end())
        detachingSubItems_.push_back(item);
}

void Bar::removeDetachingSubItem(CustomBarSubItem* item) { std::erase(detachingSubItems_, item); }

void Bar::assign(const Persistent& source) {
    auto* src = dynamic_cast<const Bar*>(&source);
    if (!src) {
        CollectionItem::assign(source);
        return;
    }
    BarManager* m = barManager();
    setAllowClose(src->allowClose_);
    setAllowCustomizing(src->allowCustomizing_);
    setAllowQuickCustomizing(src->allowQuickCustomizing_);
    setAllowReset(src->allowReset_);
    setCaption(src->caption_);
    if (m && m->componentState().contains(csUpdating)) name_ = src->name_;
    // Sites of another manager's form are not ours.
    auto ownSite = [m](DockControl* s) { return s && s->barManager() == m ? s : nullptr; };
    setDockedDockControl(ownSite(src->dockedDockControl_));
    setDockedDockingStyle(src->dockedDockingStyle_);
    setDockedLeft(src->dockedLeft_);
    setDockedTop(src->dockedTop_);
    setFloatLeft(src->floatLeft_);
    setFloatTop(src->floatTop_);
    setFloatClientWidth(src->floatClientWidth_);
    setFloatClientHeight(src->floatClientHeight_);
    setHidden(src->hidden_);
    setIsMainMenu(src->isMainMenu_);
    itemLinks_->assign(*src->itemLinks_);
    setNotDocking(src->notDocking_);
    setOneOnRow(src->oneOnRow_);
    setRotateWhenVertical(src->rotateWhenVertical_);
    setRow(src->row_);
    setWholeRow(src->wholeRow_);
    DockControl* site = src->dockControl_;
    if (site && src->barManager() && src->barManager()->bars().isBuiltInDock(site)) site = nullptr;
    site = ownSite(site);
    if (src->dockingStyle_ == dockingStyle_ || (site && site != dockControl_)) setDockControl(site);
    else setDockingStyle(src->dockingStyle_);
    setUseRecentItems(src->useRecentItems_);
    setUseRestSpace(src->useRestSpace_);
    setColor(src->color_);
    setFont(src->font_);
    setUseOwnFont(src->useOwnFont_);
    setVisible(src->visible_);
}

bool Bar::reset() {
    std::string text = bartext::ResetQuestion;
    text.replace(text.find("%s"), 2, caption_);
    DialogButton answer = DialogButton::Cancel;
    if (PlatformIntegration* p = PlatformIntegration::instance()) {
        DialogRequest r;
        r.kind = DialogKind::Warning;
        r.title = applicationTitle();
        r.text = text;
        r.buttons = {DialogButton::OK, DialogButton::Cancel};
        r.defaultButton = DialogButton::OK;
        answer = p->services().showMessageDialog(r);
    }
    if (answer != DialogButton::OK) return false;
    resetToDesign();
    return true;
}

namespace {

// Resets the links of every sub item reached from `links` from the design copy's item of the
// same name, each sub item once.
void resetSubItems(BarItemLinks& links, Component& copy, std::set<const BarItem*>& done) {
    for (CollectionItem* ci : std::vector<CollectionItem*>(links.items())) {
        auto* sub = dynamic_cast<CustomBarSubItem*>(static_cast<BarItemLink*>(ci)->item());
        if (!sub || !done.insert(sub).second) continue;
        auto* design = dynamic_cast<CustomBarSubItem*>(copy.findComponent(sub->name()));
        if (!design) continue;
        sub->itemLinks().assign(design->itemLinks());
        for (int i = 0; i < sub->itemLinks().count() && i < design->itemLinks().count(); ++i)
            sub->itemLinks().items(i)->setMostRecentlyUsed(design->itemLinks().items(i)->mostRecentlyUsed());
        sub->itemLinks().restoreRecentOrder(false);
        sub->itemLinks().moveVisibleToRecentFront();
        resetSubItems(sub->itemLinks(), copy, done);
    }
}

}  // namespace

void Bar::resetToDesign() {
    BarManager* m = barManager();
    if (!m || !m->owner()) return;
    std::unique_ptr<Component> copy = m->buildResetCopy();
    if (!copy) return;
    auto* designManager = dynamic_cast<BarManager*>(copy->findComponent(m->name()));
    if (!designManager || index() >= designManager->bars().count()) return;
    Bar* design = designManager->bars().items(index());
    m->doBarBeforeReset(this);
    {
        BarManager::ResetScope scope;
        if (m->useFullReset()) {
            bool wasVisible = visible_;
            assign(*design);
            setVisible(wasVisible);
        } else {
            itemLinks_->assign(design->itemLinks());
        }
        for (int i = 0; i < itemLinks_->count() && i < design->itemLinks().count(); ++i)
            itemLinks_->items(i)->setMostRecentlyUsed(design->itemLinks().items(i)->mostRecentlyUsed());
        itemLinks_->restoreRecentOrder(false);
        itemLinks_->moveVisibleToRecentFront();
        std::set<const BarItem*> done;
        resetSubItems(*itemLinks_, *copy, done);
    }
    m->doBarAfterReset(this);
}

// ---------------------------------------------------------------------------------------------
// Bars

const ClassInfo& Bars::classInfo() {
    static const ClassInfo info = ClassBuilder<Bars>("Bars", Collection::classInfo());
    return info;
}

Bars::Bars(BarManager& manager) : Collection(&manager, Bar::classInfo()), manager_(&manager) {
    setPropName("Bars");
    BarControlsIntegration* controls = BarControlsIntegration::instance();
    for (BarDockingStyle s : {dsLeft, dsTop, dsRight, dsBottom}) {
        std::unique_ptr<DockControl> site = controls ? controls->createDockControl(manager, s) : nullptr;
        docks_[s - dsLeft] = site ? std::move(site) : std::make_unique<DockControl>(nullptr, &manager, s);
    }
    attachDocks();
}

Bars::~Bars() {
    if (hookAlive_) *hookAlive_ = false;
    // Bars refer to the sites: they go first.
    clear();
    for (auto& d : docks_) d.reset();
}

CollectionItem* Bars::createItem() { return new Bar(this); }

DockControl* Bars::dockControl(BarDockingStyle style) const {
    if (style < dsLeft || style > dsBottom) return nullptr;
    return docks_[style - dsLeft].get();
}

bool Bars::isBuiltInDock(const DockControl* site) const {
    return site && std::any_of(docks_.begin(), docks_.end(), [site](const auto& d) { return d.get() == site; });
}

void Bars::attachDocks() {
    Window* formWindow = formlink::windowOf(manager_->owner());
    if (!formWindow || !formWindow->handleAllocated()) return;
    const bool first = !docks_[0]->handleAllocated();
    for (auto& d : docks_) d->attachToForm(formWindow);
    if (!hookAlive_) {
        // The sites follow the form's size before the form places its other controls.
        hookAlive_ = std::make_shared<bool>(true);
        auto previous = std::make_shared<Window::WindowProc>();
        *previous = formWindow->setWindowProc([this, alive = hookAlive_, previous](Message& m) {
            if (*alive && m.msg == WM_SIZE) alignDocks();
            if (*previous) (*previous)(m);
        });
    }
    alignDocks();
    if (first)
        for (CollectionItem* ci : items()) static_cast<Bar*>(ci)->recreateWindow();
    if (first) {
        // The form places its other controls in what the new sites leave of its client area.
        const Rect client = formWindow->clientRect();
        formWindow->send(WM_SIZE, SIZE_RESTORED, makeLParam(client.width(), client.height()));
    }
}

void Bars::alignDocks() {
    DockControl* docks[4] = {docks_[0].get(), docks_[1].get(), docks_[2].get(), docks_[3].get()};
    DockControl::alignManagerDocks(docks);
}

}  // namespace lindora
