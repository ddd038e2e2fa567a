#include "bars/controls/ItemControl.h"

#include "bars/controls/CustomBarControl.h"
#include "bars/model/BarButton.h"
#include "bars/model/BarItem.h"
#include "bars/model/BarItemLinks.h"
#include "bars/model/BarManager.h"
#include "bars/painters/BarItemControlPainter.h"
#include "bars/painters/PainterColors.h"
#include "gfx/ImageList.h"
#include "gfx/PersistentGraphics.h"
#include "ui/PlatformIntegration.h"

namespace lindora {

void PlayMenuSound(const std::string& alias) {
    if (PlatformIntegration* platform = PlatformIntegration::instance()) platform->services().playSound(alias);
}

ItemControl::ItemControl(BarItemLink& link) : BarItemControl(link) {}

ItemControl::~ItemControl() {
    // The manager's hot link was this control's selection.
    if (BarManager* m = barManager(); m && m->hotLink() == &link()) m->forgetHotLink(&link());
}

BarItem* ItemControl::item() const { return link().item(); }
BarManager* ItemControl::barManager() const { return link().barManager(); }
CustomBarControl* ItemControl::parent() const { return dynamic_cast<CustomBarControl*>(link().barControl()); }
const BarItemControlPainter& ItemControl::painter() const {
    if (CustomBarControl* p = parent()) return p->painter();
    const BarManager* m = barManager();
    return PainterFor(m ? m->getPainterClass() : BarPainterKind::Standard);
}
Rect ItemControl::itemRect() const { return link().itemRect(); }

bool ItemControl::inSubMenu() const {
    CustomBarControl* p = parent();
    return p && p->isSubMenu();
}
bool ItemControl::onToolbar() const {
    CustomBarControl* p = parent();
    return p && p->isToolbar();
}
bool ItemControl::onVerticalBar() const {
    CustomBarControl* p = parent();
    return p && p->isVertical();
}
bool ItemControl::onRotatedBar() const {
    CustomBarControl* p = parent();
    return p && p->isRotated();
}

BarDrawContext ItemControl::drawContext() const {
    BarDrawContext c;
    c.manager = barManager();
    if (CustomBarControl* p = parent()) {
        c.inSubmenu = p->isSubMenu();
        c.isMainMenu = p->isMainMenu();
        c.vertical = p->isVertical();
        c.barBackground = p->backgroundBrush();
        c.itemHeight = p->textItemHeight();
        c.arrowSize = p->arrowSize();
        c.submenuItemHeight = p->isSubMenu() ? p->menuItemHeight() : 0;
    }
    c.bitsPerPixel = DisplayBitsPerPixel();
    return c;
}

ItemDrawKind ItemControl::drawKind() const {
    if (inSubMenu()) return ItemDrawKind::Menu;
    return onRotatedBar() ? ItemDrawKind::RotatedToolbar : ItemDrawKind::Toolbar;
}

// ---- change notices

void ItemControl::changed() { rebuild(); }

void ItemControl::rebuild() {
    if (CustomBarControl* p = parent()) p->rebuildBar();
}

void ItemControl::captionChanged() {
    // An iaClient item keeps its size: only its text changes.
    if (effectiveAlign() == iaClient) repaint();
    else changed();
}

void ItemControl::enabledChanged() {
    BarManager* m = barManager();
    if (!enabled() && m && m->hotLink() == &link()) m->forgetHotLink(&link());
    repaint();
}

void ItemControl::shortCutChanged() {
    // Only menus show shortcuts.
    if (inSubMenu()) rebuild();
}

void ItemControl::stateChanged() {
    if (!clickPressed_) repaint();
}

void ItemControl::repaint() {
    CustomBarControl* p = parent();
    if (p && !p->isDestroying()) p->repaintItem(*this);
}

// ---- selection and clicks

bool ItemControl::canSelectInCustomizing() const {
    const BarItem* i = item();
    return i && (i->barManager() == barManager() || !i->barManager());
}

bool ItemControl::isSelectable() const {
    const BarManager* m = barManager();
    if (m && m->isCustomizing()) return canSelectInCustomizing();
    return true;
}

bool ItemControl::isSelected() const {
    CustomBarControl* p = parent();
    return p && p->selectedControl() == this && (enabled() || !selectedByMouse_);
}

bool ItemControl::needsCapture() const {
    const BarManager* m = barManager();
    return (m && m->isDesigning()) || isExpandable();
}

void ItemControl::controlClick(bool byMouse) {
    if (!enabled()) return;
    std::weak_ptr<bool> alive = alive_;
    controlPress(byMouse);
    // The press may have closed the window that showed it.
    if (alive.expired()) return;
    if (parent() && link().control() == this) controlUnclick(byMouse);
}

void ItemControl::controlActivate(bool) { active_ = true; }
void ItemControl::controlInactivate(bool) { active_ = false; }

void ItemControl::controlUnclick(bool) {
    BarItemLink* link = &this->link();
    BarItem* item = link->item();
    if (!item) return;
    if (playsClickSound()) PlayMenuSound("MenuCommand");
    BarItemLink* clickLink = link->sourceLink() ? link->sourceLink() : link;
    const bool clicks = canClick();
    const bool closes = closesMenus();
    if (closes) {
        if (BarItemLink* source = link->sourceLink()) source->markUsed(true);
        link->markUsed(true);
    }
    // Drawn pressed while the handler runs; a button can ask not to be.
    auto* button = dynamic_cast<BarButton*>(item);
    const bool pressedWhileClicking = !button || item->unclickAfterDoing();
    if (pressedWhileClicking) clickPressed_ = true;
    std::weak_ptr<bool> alive = alive_;
    // The menus close before the handler runs; that may free this control.
    if (closes)
        if (CustomBarControl* p = parent()) p->hideAll();
    if (clicks) {
        item->setClickItemLink(clickLink);
        item->doClick();  // reports its own exceptions
        item->setClickItemLink(nullptr);
    }
    if (pressedWhileClicking && !alive.expired()) {
        clickPressed_ = false;
        repaint();
    }
}

// ---- what it shows

std::string ItemControl::caption() const { return link().caption(); }

bool ItemControl::enabled() const {
    const BarItem* i = item();
    return i && i->getEnabled();
}

const Bitmap& ItemControl::glyph() const {
    if (link().userDefine().contains(udGlyph)) return link().userGlyph().bitmap();
    static const Bitmap none;
    const BarItem* i = item();
    return i ? i->glyph().bitmap() : none;
}

int ItemControl::imageIndex() const {
    const BarItem* i = item();
    return i ? i->getImageIndex() : -1;
}

const ImageList* ItemControl::images() const {
    const BarManager* m = barManager();
    if (!m) return nullptr;
    const bool large = m->largeIcons() && !inSubMenu();
    if (large && m->useLargeImagesForLargeIcons()) {
        if (!enabled())
            if (ImageListComponent* d = m->imageList(BarManager::ilDisabledLargeImages)) return &d->images();
        if (ImageListComponent* l = m->imageList(BarManager::ilLargeImages)) return &l->images();
    }
    if (!enabled())
        if (ImageListComponent* d = m->imageList(BarManager::ilDisabledImages)) return &d->images();
    if (const BarItem* i = item())
        if (ImageListComponent* l = i->getImages()) return &l->images();
    return nullptr;
}

const ImageList* ItemControl::hotImages() const {
    const BarManager* m = barManager();
    ImageListComponent* l = m ? m->imageList(BarManager::ilHotImages) : nullptr;
    return l ? &l->images() : nullptr;
}

const ImageList* ItemControl::largeImages() const {
    const BarManager* m = barManager();
    if (!m) return nullptr;
    ImageListComponent* l = m->imageList(enabled() ? BarManager::ilLargeImages : BarManager::ilDisabledLargeImages);
    if (!l && !enabled()) l = m->imageList(BarManager::ilLargeImages);
    return l ? &l->images() : nullptr;
}

std::string ItemControl::hint() const {
    const BarItem* i = item();
    return i ? i->hint() : std::string();
}

bool ItemControl::hasHint() const { return !hint().empty() && onToolbar(); }

bool ItemControl::canDrawGlyph() const {
    if (enabled()) return true;
    const BarManager* m = barManager();
    const bool disabledImages = m && m->imageList(BarManager::ilDisabledImages);
    return disabledImages && glyph().isEmpty();
}

int ItemControl::shortCut() const {
    const BarItem* i = item();
    return i ? i->shortCut() : 0;
}

bool ItemControl::hasUsableGlyph() const {
    if (!glyph().isEmpty()) return true;
    const int index = imageIndex();
    const ImageList* list = images();
    return list && index >= 0 && index < list->count();
}

// ---- size and place

BarItemAlign ItemControl::effectiveAlign() const {
    CustomBarControl* p = parent();
    const BarItem* i = item();
    if (p && i && p->isToolbar() && p->alignAllowed(link())) return i->align();
    return iaLeft;
}

Size ItemControl::sizeInParent() const {
    Size s{width(), height()};
    if (effectiveAlign() == iaClient) {
        if (!onVerticalBar()) s.cx = minWidth();
        else s.cy = onRotatedBar() ? minWidth() : minHeight();
    }
    return s;
}

}  // namespace lindora
