#include "bars/controls/BarControl.h"

#include <algorithm>
#include <functional>

#include "bars/controls/BarButtonControl.h"
#include "bars/controls/BarHint.h"
#include "bars/controls/BarSubItemControl.h"
#include "bars/controls/BarWinControl.h"
#include "bars/controls/FloatingBarBounds.h"
#include "bars/controls/ItemControl.h"
#include "bars/controls/MenuChain.h"
#include "bars/docks/DockSite.h"
#include "bars/model/Bar.h"
#include "bars/model/BarItem.h"
#include "bars/model/BarItemLinks.h"
#include "bars/model/BarManager.h"
#include "bars/painters/BarItemControlPainter.h"
#include "ui/Form.h"
#include "ui/Messages.h"
#include "ui/Screen.h"
#include "ui/WindowSystem.h"

namespace lindora {

namespace {
ItemControl* controlOf(const BarItemLink& link) { return dynamic_cast<ItemControl*>(link.control()); }
}  // namespace

BarControl::BarControl(BarManager& manager, Bar& bar) : CustomBarControl(manager, bar.itemLinks()), bar_(&bar) {}

BarControl::~BarControl() {
    setDestroying();
    leaveSite();
    if (itemLinks().barControl() == static_cast<BarWindow*>(this)) itemLinks().setBarControl(nullptr);
    destroy();
}

// ---- shape

bool BarControl::multiLineFor(BarDockingStyle style) const { return style == dsNone || bar_->multiLine(); }
bool BarControl::multiLineNow() const { return multiLineFor(style_); }

bool BarControl::markVisible() const {
    if (!bar_->showMark() || style_ == dsNone) return false;
    if (truncated_) return true;
    return markAlwaysDrawn() && bar_->allowQuickCustomizing();
}

bool BarControl::markAlwaysDrawn() const { return false; }

int BarControl::separatorSize() const { return painter().separatorThickness(); }

bool BarControl::isRotated() const { return !horizontal() && bar_->rotateWhenVertical(); }
bool BarControl::isMainMenu() const { return bar_->isMainMenu(); }

bool BarControl::alignAllowed(const BarItemLink& link) const {
    const auto& links = itemLinks().visibleLinks();
    return !links.empty() && links.back() == &link;
}

Point BarControl::clientToScreen(Point client) const { return Window::clientToScreen(client); }

void BarControl::invalidateRect(const Rect& r) {
    if (handleAllocated() && !r.isEmpty()) invalidate(r, false);
}

bool BarControl::fullyShows(const BarItemLink& link) const { return !link.itemRect().isEmpty(); }

Rect BarControl::itemRectOf(const BarItemLink& link) const { return link.itemRect(); }

ItemControl* BarControl::controlAt(Point client) const {
    for (BarItemLink* link : itemLinks().visibleLinks())
        if (link->itemRect().contains(client)) return controlOf(*link);
    return nullptr;
}

Rect BarControl::markRect() const {
    if (!markVisible()) return {};
    const Rect c = clientRect();
    return horizontal() ? Rect(c.right - MarkWidth, c.top, c.right, c.bottom)
                        : Rect(c.left, c.bottom - MarkWidth, c.right, c.bottom);
}

std::vector<BarItemLink*> BarControl::visibleLinks() const { return itemLinks().visibleLinks(); }

BarControl::Measure BarControl::measure(const BarItemLink& link, BarDockingStyle style) const {
    ItemControl* c = controlOf(link);
    if (!c) return {barManager().buttonWidth(), barManager().buttonHeight()};
    const Size s = c->sizeInParent();
    return isHorizontalStyle(style) ? Measure{s.cx, s.cy} : Measure{s.cy, s.cx};
}

// ---- DockedBar: lengths

int BarControl::minLength(BarDockingStyle style) {
    const auto links = visibleLinks();
    int len = 0;
    if (links.empty()) {
        len = isHorizontalStyle(style) ? barManager().buttonWidth() : barManager().buttonHeight();
    } else if (multiLineFor(style) || isHorizontalStyle(style) != horizontal()) {
        for (BarItemLink* l : links) len = std::max(len, measure(*l, style).length);
    } else {
        // The link a single line shows first when it shows one link only.
        len = measure(*firstShownAlone(), style).length;
    }
    if (isHorizontalStyle(style) && style != dsNone && markVisible()) len += MarkWidth;
    return len;
}

bool BarControl::filtersRecentItems() const { return itemLinks().recentItemsActive() && !barManager().isDesigning(); }

BarItemLink* BarControl::firstShownAlone() const {
    const auto& visible = itemLinks().visibleLinks();
    if (visible.empty()) return nullptr;
    if (filtersRecentItems())
        for (BarItemLink* l : itemLinks().recentLinks())
            if (std::find(visible.begin(), visible.end(), l) != visible.end()) return l;
    return visible.front();
}

int BarControl::singleLineLength(const std::vector<BarItemLink*>& links, BarDockingStyle style, int available,
                                 int* thickness, bool* allFit) const {
    int pos = 0, thick = 0;
    bool first = true;
    *allFit = true;
    for (BarItemLink* l : links) {
        const Measure m = measure(*l, style);
        const int s = l->beginGroup() && !first ? separatorSize() : 0;
        if (!first && pos + s + m.length > available) {
            *allFit = false;
            break;
        }
        pos += s + m.length;
        thick = std::max(thick, m.thickness);
        first = false;
    }
    *thickness = thick;
    return pos;
}

int BarControl::fullLength(BarDockingStyle style) {
    const auto links = visibleLinks();
    int len = 0;
    bool first = true;
    for (BarItemLink* l : links) {
        if (l->beginGroup() && !first) len += separatorSize();
        len += measure(*l, style).length;
        first = false;
    }
    if (isHorizontalStyle(style) && style != dsNone && markVisible()) len += MarkWidth;
    return std::max(len, minLength(style));
}

int BarControl::fullThickness(BarDockingStyle style) {
    int t = 0;
    for (BarItemLink* l : visibleLinks()) t = std::max(t, measure(*l, style).thickness);
    if (t == 0) t = isHorizontalStyle(style) ? barManager().buttonHeight() : barManager().buttonWidth();
    return t;
}

bool BarControl::lengthsCountMark(BarDockingStyle style) { return isHorizontalStyle(style) && markVisible(); }

BarControl::Measure BarControl::wrap(BarDockingStyle style, int lineLength) {
    const auto links = visibleLinks();
    const int sep = separatorSize();
    int pos = 0, lineThickness = 0, finished = 0, longest = 0;
    // The last group start on the current line, with the line's extent before it.
    int groupStart = -1, posBeforeGroup = 0, thicknessBeforeGroup = 0;
    for (int i = 0; i < static_cast<int>(links.size()); ++i) {
        BarItemLink* link = links[static_cast<std::size_t>(i)];
        ItemControl* c = controlOf(*link);
        const Measure m = measure(*link, style);
        const int s = link->beginGroup() && pos > 0 ? sep : 0;
        if (pos > 0 && pos + s + m.length > lineLength) {
            int breakAt = i;
            // A group start that does not fit breaks before itself: the groups before it are
            // whole and stay. Otherwise the line breaks before its last group start.
            if (s == 0 && groupStart >= 0) {
                // Break before the group instead, so that it stays together on the next line.
                breakAt = groupStart;
                pos = posBeforeGroup;
                lineThickness = thicknessBeforeGroup;
                i = groupStart;
                link = links[static_cast<std::size_t>(i)];
                c = controlOf(*link);
            }
            const Measure mm = breakAt == i ? measure(*link, style) : m;
            finished += lineThickness + (link->beginGroup() ? sep : 0);
            longest = std::max(longest, pos);
            pos = mm.length;
            lineThickness = mm.thickness;
            groupStart = -1;
            if (c) c->setBreakBefore(true);
            continue;
        }
        if (c) c->setBreakBefore(false);
        if (s > 0) {
            groupStart = i;
            posBeforeGroup = pos;
            thicknessBeforeGroup = lineThickness;
        }
        pos += s + m.length;
        lineThickness = std::max(lineThickness, m.thickness);
    }
    longest = std::max(longest, pos);
    return {longest, finished + lineThickness};
}

Size BarControl::sizeForLength(BarDockingStyle style, int length) {
    const bool horz = isHorizontalStyle(style);
    Size result;
    if (multiLineFor(style) && (horz || style == dsNone)) {
        int lineLength = std::max(length, minLength(style));
        if (style != dsNone && markVisible()) lineLength -= MarkWidth;
        const Measure m = wrap(style, lineLength);
        int w = std::max(length, m.length);
        result = Size(w, std::max(m.thickness, fullThickness(style)));
        if (style == dsNone) result.cx = std::max(m.length, minLength(style));
    } else if (multiLineFor(style)) {
        // Vertical: columns stacked from the right edge leftward. The rule walks the column
        // height down from the full length, one pixel at a time, to the first height whose
        // columns all fit the given one. Every height from there down to the given one wraps
        // alike (no link that fits at the taller height overflows at the shorter, and a group
        // start that overflows breaks before itself either way), so the walk ends with the
        // columns of a wrap at the given height: one wrap instead of one per pixel.
        const int lineLength = std::max(length, minLength(style));
        const Measure m = wrap(style, lineLength);
        result = Size(std::max(m.thickness, fullThickness(style)), std::max(lineLength, m.length));
    } else if (horz) {
        int avail = std::max(length, minLength(style));
        if (!visibleLinks().empty() && markVisible()) avail -= MarkWidth;
        int thick = 0;
        bool allFit = true;
        int pos = 0;
        if (filtersRecentItems()) {
            // Show as many of the most recently used links as fit; the rest wait behind the mark.
            BarItemLinks& links = itemLinks();
            const int visible = static_cast<int>(links.visibleLinks().size());
            int count = 1;
            for (; count <= visible; ++count) {
                links.setRecentItemCount(count);
                int t = 0;
                const int p = singleLineLength(links.shownLinks(), style, avail, &t, &allFit);
                if (!allFit) break;
                pos = p;
                thick = t;
            }
            // One link always shows: the count that did not fit is at least 2.
            links.setRecentItemCount(count > visible ? -1 : count - 1);
        } else {
            pos = singleLineLength(visibleLinks(), style, avail, &thick, &allFit);
        }
        int w = std::max(minLength(style), pos);
        if (markVisible()) w += MarkWidth;
        result = Size(std::max(w, length), thick ? thick : fullThickness(style));
    } else {
        result = Size(fullThickness(style), std::max(length, minLength(style)));
    }
    return result;
}

// ---- the frame

bool BarControl::movable() const {
    const BarDockingStyles all{dsNone, dsLeft, dsTop, dsRight, dsBottom};
    return !(bar_->notDocking() == all || barManager().notDocking() == all);
}

Rect BarControl::frameInsets() const {
    if (style_ == dsNone) {
        const Rect b = painter().floatingBorderInsets();
        return {b.left, b.top + painter().floatingCaptionHeight(), b.right, b.bottom};
    }
    Rect r;
    if (bar_->borderStyle() == bbsSingle) r = painter().dockedBorderInsets();
    const int grip = movable() ? barManager().gripAreaSize() : 0;
    if (horizontal()) r.left += grip;
    else r.top += grip;
    return r;
}

int BarControl::nonClientAlong(BarDockingStyle style) const {
    const Rect r = frameInsets();
    return isHorizontalStyle(style) == horizontal() ? (horizontal() ? r.left + r.right : r.top + r.bottom)
                                                    : (horizontal() ? r.top + r.bottom : r.left + r.right);
}

int BarControl::nonClientAcross(BarDockingStyle style) const {
    const Rect r = frameInsets();
    return isHorizontalStyle(style) == horizontal() ? (horizontal() ? r.top + r.bottom : r.left + r.right)
                                                    : (horizontal() ? r.left + r.right : r.top + r.bottom);
}

Point BarControl::nonClientOffset() const {
    const Rect r = frameInsets();
    return {r.left, r.top};
}

// ---- layout

void BarControl::calcItemRects() {
    for (CollectionItem* ci : itemLinks().items()) static_cast<BarItemLink*>(ci)->setItemRect({});
    const Rect client = clientRect();
    const bool horz = horizontal();
    const bool multi = multiLineNow();
    const int clientLength = horz ? client.width() : client.height();
    const int clientThickness = horz ? client.height() : client.width();
    int lineLength = clientLength - (markVisible() ? MarkWidth : 0);
    const auto& links = itemLinks().shownLinks();
    int pos = 0, offset = 0, lineThickness = multi ? 0 : clientThickness;
    std::size_t first = 0;
    BarItemLink* lastPlaced = nullptr;
    bool cut = false;

    auto place = [&](BarItemLink& l, const Rect& r) { l.setItemRect(r); };
    auto centreLine = [&](std::size_t from, std::size_t to) {
        for (std::size_t k = from; k < to; ++k) {
            BarItemLink* l = links[k];
            Rect r = l->itemRect();
            if (r.isEmpty()) continue;
            const int t = horz ? r.height() : r.width();
            const int d = (lineThickness - t) / 2;
            if (horz) r = r.translated(0, d);
            else r = r.translated(-d, 0);
            l->setItemRect(r);
        }
    };

    std::size_t i = 0;
    for (; i < links.size(); ++i) {
        BarItemLink* link = links[i];
        if (!link->control()) link->createControl();
        ItemControl* c = controlOf(*link);
        if (!c) continue;
        c->setLastInRow(false);
        const Measure m = measure(*link, style_);
        int s = link->beginGroup() && pos > 0 ? separatorSize() : 0;
        if ((pos > 0 && pos + s + m.length > lineLength) || (multi && c->breakBefore() && i > 0)) {
            if (!multi) {
                cut = true;
                break;
            }
            if (lastPlaced)
                if (ItemControl* lc = controlOf(*lastPlaced)) lc->setLastInRow(true);
            centreLine(first, i);
            first = i;
            offset += lineThickness + s;
            pos = 0;
            s = 0;
            lineThickness = 0;
        }
        Rect r;
        if (multi) {
            r = horz ? Rect(Point(pos + s, offset), Size(m.length, m.thickness))
                     : Rect(Point(client.width() - offset - m.thickness, pos + s), Size(m.thickness, m.length));
        } else {
            r = horz ? Rect(Point(pos + s, (lineThickness - m.thickness) / 2), Size(m.length, m.thickness))
                     : Rect(Point((lineThickness - m.thickness) / 2, pos + s), Size(m.thickness, m.length));
        }
        const BarItemAlign align = c->effectiveAlign();
        const int end = horz ? r.right : r.bottom;
        int shift = 0;
        if (align == iaCenter) shift = (lineLength - end) / 2;
        else if (align == iaRight) shift = lineLength - end;
        if (shift > 0) {
            if (horz) r = r.translated(shift, 0);
            else r = r.translated(0, shift);
        }
        if (align == iaClient && lineLength > end) {
            if (horz) r.right = lineLength;
            else r.bottom = lineLength;
        }
        place(*link, r);
        lastPlaced = link;
        if (align != iaLeft) {
            pos = lineLength;
            if (i + 1 < links.size()) truncated_ = true;
        } else {
            pos += s + m.length;
        }
        if (multi) lineThickness = std::max(lineThickness, m.thickness);
    }
    if (lastPlaced)
        if (ItemControl* lc = controlOf(*lastPlaced)) lc->setLastInRow(true);
    if (multi) centreLine(first, std::min(i, links.size()));
    if (!multi && style_ != dsNone) {
        const bool wasTruncated = truncated_;
        // Links held back by the recent-items filter wait behind the mark as well.
        truncated_ = cut || itemLinks().shownLinks().size() < itemLinks().visibleLinks().size();
        if (wasTruncated != truncated_ && bar_->showMark()) {
            // The mark takes its length from the line: lay out again with it.
            if (!rebuilding_) {
                rebuilding_ = true;
                calcItemRects();
                rebuilding_ = false;
            }
        }
    }
}

// ---- BarWindow

DockControl* BarControl::dockControl() const { return dock_; }
DockSite* BarControl::site() const { return dynamic_cast<DockSite*>(dock_); }

void BarControl::setDockingStyle(BarDockingStyle style) {
    if (style == style_) return;
    style_ = style;
    truncated_ = false;
    if (handleAllocated()) Window::frameChanged();
}

void BarControl::dockStyleChanged(BarDockingStyle style) { setDockingStyle(style); }

void BarControl::ensureHandle(Window* parent, const Rect& bounds) {
    CreateParams p;
    p.caption = bar_->caption();
    p.bounds = bounds;
    p.parent = parent;
    if (style_ != dsNone && parent) {
        p.style = WS_CHILD | WS_CLIPSIBLINGS;
    } else {
        p.style = WS_POPUP;
        p.exStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    }
    if (handleAllocated()) {
        const bool wantChild = (p.style & WS_CHILD) != 0;
        if (wantChild != isChild()) destroy();
    }
    if (!handleAllocated()) create(p);
    else if (isChild()) setParent(parent);
}

void BarControl::leaveSite() {
    if (DockSite* s = site()) s->removeBarControl(*this, nullptr, !s->isDestroying());
    dock_ = nullptr;
}

void BarControl::dockInto(DockControl& dock, Point screen) {
    if (dock_ && dock_ != &dock) leaveSite();
    dock_ = &dock;
    if (style_ == dsNone) setDockingStyle(dock.dockingStyle() == dsNone ? dsTop : dock.dockingStyle());
    // A dock without its window yet: the bar makes its window again once the dock has one.
    if (!dock.handleAllocated()) return;
    ensureHandle(&dock, Rect(Point(0, 0), Size(50, 30)));
    if (DockSite* s = site()) {
        ++restoring_;
        s->addBarControl(*this, screen, true);
        --restoring_;
    }
    calcItemRects();
}

void BarControl::floatAt(const Rect& clientOnScreen) {
    leaveSite();
    setDockingStyle(dsNone);
    const Rect f = frameInsets();
    Size client = clientOnScreen.size();
    if (client.cx <= 0 || client.cy <= 0) client = sizeForLength(dsNone, fullLength(dsNone));
    else client = sizeForLength(dsNone, client.cx);
    const Rect b(clientOnScreen.left - f.left, clientOnScreen.top - f.top, clientOnScreen.left + client.cx + f.right,
                 clientOnScreen.top + client.cy + f.bottom);
    Window* owner = nullptr;
    if (DockControl* top = barManager().bars().dockControl(dsTop))
        if (top->handleAllocated()) owner = top;
    ensureHandle(owner, b);
    setBounds(b);
    calcItemRects();
}

void BarControl::showNoActivate() {
    if (!handleAllocated()) return;
    show(false);
    repaint();
}

void BarControl::storePosition(Bar& bar) {
    if (!handleAllocated() || barManager().isLoading()) return;
    if (style_ == dsNone) {
        const Rect c = Window::clientToScreen(clientRect());
        bar.setFloatLeft(c.left);
        bar.setFloatTop(c.top);
        bar.setFloatClientWidth(c.width());
        bar.setFloatClientHeight(c.height());
        return;
    }
    DockSite* s = site();
    if (!s || s->isDestroying()) return;
    bar.setDockedDockingStyle(style_);
    bar.setDockedDockControl(s->barManager() && s->barManager()->bars().dockControl(style_) == s ? nullptr : s);
    const int row = s->rowIndexOf(*this);
    bar.setRow(row < 0 ? 0 : row);
    bar.setOneOnRow(row >= 0 && s->row(row).colCount() == 1);
    bar.setDockedLeft(bounds().left);
    bar.setDockedTop(bounds().top);
}

void BarControl::captionChanged() {
    if (handleAllocated()) setText(bar_->caption());
    if (style_ == dsNone && handleAllocated()) invalidateFrame();
}

void BarControl::frameChanged() {
    if (handleAllocated()) Window::frameChanged();
    rebuildBar();
}

void BarControl::setLockUpdate(bool locked) {
    locked_ = locked;
    if (!locked) rebuildBar();
}

void BarControl::rebuildBar() {
    if (locked_ || rebuilding_ || !handleAllocated() || isDestroying()) return;
    rebuilding_ = true;
    if (DockSite* s = site()) {
        s->repositionBars();
    } else if (style_ == dsNone) {
        const Size c = sizeForLength(dsNone, clientRect().width());
        const Rect f = frameInsets();
        Rect b = bounds();
        b.right = b.left + c.cx + f.left + f.right;
        b.bottom = b.top + c.cy + f.top + f.bottom;
        setBounds(b);
    }
    rebuilding_ = false;
    calcItemRects();
    repaint();
}

void BarControl::keepFloatingBoundsReachable(WindowPos& pos) const {
    if ((pos.flags & SWP_NOMOVE) && (pos.flags & SWP_NOSIZE)) return;
    const bool sized = !(pos.flags & SWP_NOSIZE);
    pos.bounds =
        FloatingBarBounds::constrain(pos.bounds, sized, Screen::monitors(), WindowSystem::instance().cursorPos());
    // The rules may move a window that was only sized.
    if (pos.bounds.topLeft() != bounds().topLeft()) pos.flags &= ~SWP_NOMOVE;
}

// ---- DockedBar: the window

void BarControl::setDockedBounds(const Rect& b) {
    setBounds(b);
    calcItemRects();
}

void BarControl::repaint() {
    if (!handleAllocated()) return;
    invalidate();
    invalidateFrame();
}

// ---- menu mode

void BarControl::setActive(bool value) {
    if (value == active()) return;
    CustomBarControl::setActive(value);
    if (value || !MenuChain::isAlive(this)) return;
    if (ItemControl* pressed = pressedControl()) {
        setPressedControl(nullptr, false);
        if (windowSystem().capture() == this) windowSystem().releaseCapture();
        if (!MenuChain::isAlive(this)) return;
        pressed->repaint();
    }
    menuOpenedByClick_ = false;
    deactivateMenuMode();
}

void BarControl::selectControl(ItemControl* control) {
    ItemControl* old = selectedControl();
    if (control == old) return;
    if (old) {
        old->controlInactivate(true);
        if (!MenuChain::isAlive(this)) return;
    }
    CustomBarControl::selectControl(control);
    if (!control || control->active() || !active()) return;
    // The new selection is activated at once; a sub item opens when a menu was opened before.
    if (auto* sub = dynamic_cast<BarSubItemControl*>(control); sub && menuOpenedByClick_) sub->controlPress(false);
    else control->controlActivate(true);
}

void BarControl::activateMenuMode(ItemControl* control) {
    if (active()) {
        if (control) selectControl(control);
        return;
    }
    WindowSystem& ws = windowSystem();
    if (Window* tracked = ws.mouseLeaveTracked();
        tracked && tracked != this && dynamic_cast<CustomBarControl*>(tracked))
        ws.cancelMouseLeave(tracked);
    Window* focus = ws.focus();
    savedFocus_ = focus ? focus->handle() : 0;
    if (!barManager().isCustomizing())
        if (auto* form = dynamic_cast<Window*>(barManager().form());
            form && form->isTopLevel() && form->isWindowVisible())
            form->setPos(nullptr, {}, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    menuOpenedByClick_ = false;
    setActive(true);
    MenuChain::setActiveMenuBar(&barManager(), this);
    if (!control)
        if (BarItemLink* first = itemLinks().firstSelectable()) control = controlOf(*first);
    if (control) selectControl(control);
}

void BarControl::deactivateMenuMode() {
    if (MenuChain::activeMenuBar(&barManager()) != this) return;
    MenuChain::setActiveMenuBar(&barManager(), nullptr);
    setActive(false);
    if (!MenuChain::isAlive(this)) return;
    WindowSystem& ws = windowSystem();
    // Hot tracking starts afresh where the mouse is.
    const Point cursor = ws.cursorPos();
    if (Window* under = ws.windowFromPoint(cursor).window)
        if (auto* bar = dynamic_cast<CustomBarControl*>(under)) {
            bar->resetLastMousePos();
            const Point c = under->screenToClient(cursor);
            ws.post(under, WM_MOUSEMOVE, 0, makeLParam(c.x, c.y));
        }
    Window* saved = savedFocus_ ? ws.find(savedFocus_) : nullptr;
    savedFocus_ = 0;
    if (saved && ws.applicationActive() && saved->isWindowVisible() && ws.focus() != saved) ws.setFocus(saved);
}

void BarControl::hideAll() {
    deactivateMenuMode();
    if (MenuChain::isAlive(this)) setActive(false);
}

bool BarControl::ignoresMouseMove() const {
    if (style_ == dsNone) return false;
    const auto* form = dynamic_cast<const Window*>(barManager().form());
    return form && form->isTopLevel() && windowSystem().activeWindow() != form;
}

void BarControl::setMarkState(MarkState state) {
    if (state == markState_) return;
    markState_ = state;
    if (handleAllocated()) {
        if (state != MarkState::Hot) windowSystem().killTimer(this, kMarkTimer);
        invalidate(markRect(), false);
    }
    if (BarHintController* hints = BarHintController::instance())
        hints->setHintActive(barManager(), state == MarkState::Hot,
                             state == MarkState::Hot ? BarHintController::MoreButtonsText : "");
    if (state == MarkState::Open) {
        PlayMenuSound("MenuPopup");
        showQuickCustomizingPopup();
    }
}

void BarControl::mouseMoved(Point client) {
    if (!pressedControl() && clientRect().contains(client)) {
        const bool overMark = markRect().contains(client);
        if (overMark && markState_ == MarkState::Normal) {
            setMarkState(MarkState::Hot);
            if (style_ == dsNone) windowSystem().setTimer(this, kMarkTimer, kMarkInterval);
        } else if (!overMark && markState_ == MarkState::Hot) {
            setMarkState(MarkState::Normal);
        }
    }
    CustomBarControl::mouseMoved(client);
}

void BarControl::mouseLeft() {
    if (!active() && markState_ == MarkState::Hot) setMarkState(MarkState::Normal);
    CustomBarControl::mouseLeft();
}

void BarControl::leftButtonDoubleClick(Point client) {
    ItemControl* control = controlAt(client);
    if (!control) {
        if (lastHitTest_ == HTCAPTION && !barManager().isDesigning()) toggleDocking();
        return;
    }
    if (!doubleClickSelection(control, client)) leftButtonDown(client);
}

void BarControl::leftButtonDown(Point client) {
    if (ignoreNextButtonUp()) return;
    if (style_ == dsNone && !barManager().hideFloatingBarsWhenInactive())
        if (auto* form = dynamic_cast<Window*>(barManager().form()); form && form->isTopLevel())
            windowSystem().setActiveWindow(form);
    if (markRect().contains(client)) {
        setMarkState(markState_ == MarkState::Open ? MarkState::Hot : MarkState::Open);
        return;
    }
    ItemControl* control = controlAt(client);
    if (control && !(control->enabled() && control->canSelect())) control = nullptr;
    if (control) {
        if (!active()) {
            activateMenuMode(control);
        } else if (auto* inner = dynamic_cast<BarWinControl*>(control);
                   control != selectedControl() || (inner && !inner->focused())) {
            menuOpenedByClick_ = false;
            selectControl(control);
        } else if (!dynamic_cast<BarButtonControl*>(control) && menuOpenedByClick_) {
            // A second press on an open sub item closes the menu.
            deactivateMenuMode();
            return;
        }
        if (!MenuChain::isAlive(this)) return;
        if (active() && !control->hasInnerWindow()) menuOpenedByClick_ = true;
        if (control->link().control() == control) pressControl(*control, client);
        return;
    }
    setActive(false);
    if (!MenuChain::isAlive(this)) return;
    // Outside any item: the grip or an empty part moves the bar; a part of the frame that the
    // bar answers as client area (a size grip) gets the press the frame would have had.
    if (lastHitTest_ == HTCAPTION) {
        startDragging(client);
    } else if (lastHitTest_ != HTCLIENT) {
        const Point screen = Window::clientToScreen(client);
        send(WM_NCLBUTTONDOWN, static_cast<WParam>(lastHitTest_), makeLParam(screen.x, screen.y));
    }
}

bool BarControl::selectLink(BarItemLink* link) {
    ItemControl* control = link ? controlOf(*link) : nullptr;
    if (!control) return false;
    selectControl(control);
    return true;
}

void BarControl::moveToNextToolbar(bool backwards) {
    std::vector<BarControl*> bars;
    for (CollectionItem* item : barManager().bars().items())
        if (auto* bc = dynamic_cast<BarControl*>(static_cast<Bar*>(item)->control());
            bc &&
            (bc == this || (bc->handleAllocated() && bc->isWindowVisible() && !bc->itemLinks().shownLinks().empty())))
            bars.push_back(bc);
    const auto at = std::find(bars.begin(), bars.end(), this);
    if (bars.size() < 2 || at == bars.end()) return;
    const std::size_t n = bars.size(), i = static_cast<std::size_t>(at - bars.begin());
    BarControl* other = bars[backwards ? (i + n - 1) % n : (i + 1) % n];
    hideAll();
    other->activateMenuMode(nullptr);
}

bool BarControl::keyPressed(unsigned vk) {
    if (CustomBarControl::keyPressed(vk)) return true;
    WindowSystem& ws = windowSystem();
    const bool shift = ws.keyState(VK_SHIFT) < 0;
    const bool ctrl = ws.keyState(VK_CONTROL) < 0;
    ItemControl* selected = selectedControl();
    if (selected && selected->wantsKey(vk)) {
        selected->keyDown(static_cast<int>(vk));
        return true;
    }
    // Vertical bars turn the arrows.
    if (!horizontal()) {
        switch (vk) {
        case VK_LEFT: vk = VK_UP; break;
        case VK_UP: vk = VK_LEFT; break;
        case VK_RIGHT: vk = VK_DOWN; break;
        case VK_DOWN: vk = VK_RIGHT; break;
        default: break;
        }
    }
    if (vk == VK_TAB) {
        if (ctrl) {
            moveToNextToolbar(shift);
            return true;
        }
        vk = shift ? VK_LEFT : VK_RIGHT;
    }
    BarItemLinks& links = itemLinks();
    const BarItemLink* current = selected ? &selected->link() : nullptr;
    switch (vk) {
    case VK_HOME: selectLink(links.firstSelectable()); return true;
    case VK_END: selectLink(links.lastSelectable()); return true;
    case VK_LEFT: selectLink(current ? links.prev(current) : links.firstSelectable()); return true;
    case VK_RIGHT: selectLink(current ? links.next(current) : links.firstSelectable()); return true;
    case VK_RETURN:
    case VK_UP:
    case VK_DOWN:
        if (auto* sub = dynamic_cast<BarSubItemControl*>(selected)) {
            if (!sub->isOpen()) {
                menuOpenedByClick_ = true;
                sub->controlPress(false);
            }
        } else if (selected && vk == VK_RETURN) {
            selected->controlClick(false);
        }
        return true;
    case VK_ESCAPE: hideAll(); return true;
    default: break;
    }
    return selectByAccelerator(vk);
}

// ---- the floating frame

Rect BarControl::closeButtonRect() const {
    if (style_ != dsNone || !bar_->allowClose() || !handleAllocated()) return {};
    const Rect b = painter().floatingBorderInsets();
    const Size size = painter().captionButtonSize();
    const int right = bounds().width() - b.right;
    const int left = std::max(b.left, right - size.cx);
    return Rect(left, b.top, right, b.top + std::min(size.cy, painter().floatingCaptionHeight()));
}

int BarControl::hitTest(Point screen) {
    const Rect window = windowRectOnScreen();
    if (!window.contains(screen)) return HTNOWHERE;
    const Point p(screen.x - window.left, screen.y - window.top);
    if (style_ != dsNone || clientRectInWindow().contains(p)) {
        const Point c = screenToClient(screen);
        const ItemControl* control = controlAt(c);
        lastHitTest_ = (control && control->canSelect()) || markRect().contains(c) ? HTCLIENT : HTCAPTION;
        return HTCLIENT;
    }
    if (closeButtonRect().contains(p)) return HTCLOSE;
    // Only the edges size the bar: a corner belongs to the edge beside it, since a floating
    // bar's size follows its layout along one axis at a time.
    const Rect b = painter().floatingBorderInsets();
    if (p.x < b.left) return HTLEFT;
    if (p.x >= window.width() - b.right) return HTRIGHT;
    if (p.y < b.top) return HTTOP;
    if (p.y >= window.height() - b.bottom) return HTBOTTOM;
    return HTCAPTION;
}

Rect BarControl::dragRect() const {
    if (style_ == dsNone || !movable() || !handleAllocated()) return {};
    const int grip = barManager().gripAreaSize();
    const Rect c = clientRect();
    return horizontal() ? Rect(-grip, c.top, 0, c.bottom) : Rect(c.left, -grip, c.right, 0);
}

bool BarControl::nonClientButtonDown(int hit, Point screen) {
    // A press on the frame ends menu mode, as a press on the bar outside its items does.
    MenuChain::hideAll();
    if (!MenuChain::isAlive(this)) return true;
    if (style_ == dsNone && (hit == HTLEFT || hit == HTRIGHT || hit == HTTOP || hit == HTBOTTOM)) {
        // The dragged edge follows the layout, not the mouse alone.
        sizeFloating(hit, screen);
        return true;
    }
    if (hit != HTCLOSE || closeButtonRect().isEmpty()) return false;
    if (trackCloseButton()) closeFloatingBar();
    return true;
}

void BarControl::setCloseButtonState(CaptionButtonState state) {
    if (state == closeState_) return;
    closeState_ = state;
    if (!handleAllocated()) return;
    if (state != CaptionButtonState::Hot) windowSystem().killTimer(this, kCloseButtonTimer);
    invalidateFrame();
}

bool BarControl::captureLoop(const std::function<void(Point screen, bool released)>& track) {
    WindowSystem& ws = windowSystem();
    const WindowHandle self = handle();
    ws.setCapture(this);
    bool done = false, released = false;
    // The loop takes the mouse messages the capture brings, and Esc; everything else is
    // dispatched as usual.
    ws.runLoop([&] {
        for (;;) {
            if (done || ws.find(self) != this || ws.capture() != this) return true;
            QueuedMessage m;
            if (!ws.peekMessage(m, false)) return false;
            if (m.msg.msg == WM_KEYDOWN && m.msg.wParam == VK_ESCAPE) {
                ws.peekMessage(m, true);
                done = true;
                continue;
            }
            if (m.hwnd != self || (m.msg.msg != WM_MOUSEMOVE && m.msg.msg != WM_LBUTTONUP)) return false;
            ws.peekMessage(m, true);
            released = m.msg.msg == WM_LBUTTONUP;
            done = released;
            track(m.pt, released);
        }
    });
    if (ws.find(self) != this) return false;
    if (ws.capture() == this) ws.releaseCapture();
    return released;
}

bool BarControl::trackCloseButton() {
    WindowSystem& ws = windowSystem();
    auto overButton = [this](Point screen) {
        return closeButtonRect().translated(windowRectOnScreen().topLeft()).contains(screen);
    };
    setCloseButtonState(CaptionButtonState::Pressed);
    bool releasedOver = false;
    const WindowHandle self = handle();
    captureLoop([&](Point screen, bool released) {
        const bool inside = overButton(screen);
        setCloseButtonState(inside ? CaptionButtonState::Pressed : CaptionButtonState::Hot);
        releasedOver = released && inside;
    });
    if (ws.find(self) != this) return false;
    if (!releasedOver && overButton(ws.cursorPos())) {
        setCloseButtonState(CaptionButtonState::Hot);
        ws.setTimer(this, kCloseButtonTimer, kMarkInterval);
    } else {
        setCloseButtonState(CaptionButtonState::None);
    }
    return releasedOver;
}

Rect BarControl::floatingBoundsForEdge(int hit, const Rect& start, Point delta) {
    const Rect f = frameInsets();
    const int frameWidth = f.left + f.right, frameHeight = f.top + f.bottom;
    Size client;
    if (hit == HTLEFT || hit == HTRIGHT) {
        const int requested = start.width() + (hit == HTLEFT ? -delta.x : delta.x) - frameWidth;
        client = sizeForLength(dsNone, std::max(requested, 1));
    } else {
        // The narrowest arrangement whose lines fit the requested height; one line when none
        // does. The height only falls as the length grows, so the length is searched by halves.
        const int requested = start.height() + (hit == HTTOP ? -delta.y : delta.y) - frameHeight;
        int low = minLength(dsNone), high = std::max(low, fullLength(dsNone));
        while (low < high) {
            const int mid = low + (high - low) / 2;
            if (sizeForLength(dsNone, mid).cy <= requested) high = mid;
            else low = mid + 1;
        }
        // Laid out last for the length chosen: the items wrap as the new size shows them.
        client = sizeForLength(dsNone, low);
    }
    const int width = client.cx + frameWidth, height = client.cy + frameHeight;
    const int left = hit == HTLEFT ? start.right - width : start.left;
    const int top = hit == HTTOP ? start.bottom - height : start.top;
    return Rect(left, top, left + width, top + height);
}

void BarControl::sizeFloating(int hit, Point start) {
    const Rect startBounds = bounds();
    const WindowHandle self = handle();
    const bool released = captureLoop([&](Point screen, bool) {
        const Rect r = floatingBoundsForEdge(hit, startBounds, Point(screen.x - start.x, screen.y - start.y));
        if (r != bounds()) setPos(nullptr, r, SWP_NOZORDER | SWP_NOACTIVATE);
    });
    // Esc puts the bar back, laid out as it was.
    if (!released && windowSystem().find(self) == this) {
        setPos(nullptr, startBounds, SWP_NOZORDER | SWP_NOACTIVATE);
        rebuildBar();
    }
}

void BarControl::closeFloatingBar() {
    Bar& bar = *bar_;
    BarManager& manager = barManager();
    bar.setVisible(false);
    manager.doBarClose(&bar);
}

bool BarControl::formActive() const {
    if (windowSystem().activeWindow() == this) return true;
    const auto* form = dynamic_cast<const Window*>(barManager().form());
    return form && windowSystem().activeWindow() == form;
}

// ---- window

bool BarControl::handleMouse(Message& m) {
    // While a chain is active, a bar not on it takes no mouse input.
    if (MenuChain::active() && !active()) return false;
    const Point client(loWordSigned(m.lParam), hiWordSigned(m.lParam));
    switch (m.msg) {
    case WM_MOUSEMOVE: mouseMoved(client); break;
    case WM_LBUTTONDOWN: leftButtonDown(client); break;
    case WM_LBUTTONDBLCLK: leftButtonDoubleClick(client); break;
    case WM_LBUTTONUP: leftButtonUp(client); break;
    default: break;
    }
    return true;
}

void BarControl::wndProc(Message& m) {
    if (isMouseMessage(m.msg) || isNcMouseMessage(m.msg)) {
        if (m.msg == WM_MOUSEMOVE || m.msg == WM_LBUTTONDOWN || m.msg == WM_LBUTTONDBLCLK || m.msg == WM_LBUTTONUP) {
            handleMouse(m);
            return;
        }
        if (MenuChain::active() && !active()) return;
        switch (m.msg) {
        case WM_NCMOUSEMOVE:
            if (!closeButtonRect().isEmpty()) {
                setCloseButtonState(m.wParam == HTCLOSE ? CaptionButtonState::Hot : CaptionButtonState::None);
                if (closeState_ == CaptionButtonState::Hot)
                    windowSystem().setTimer(this, kCloseButtonTimer, kMarkInterval);
            }
            break;
        case WM_NCLBUTTONDOWN:
            if (nonClientButtonDown(static_cast<int>(m.wParam), Point(loWordSigned(m.lParam), hiWordSigned(m.lParam))))
                return;
            break;
        case WM_NCLBUTTONDBLCLK:
            if (m.wParam == HTCAPTION && !barManager().isDesigning()) {
                toggleDocking();
                return;
            }
            break;
        default: break;
        }
        if (m.msg == WM_RBUTTONDOWN) {
            if (windowSystem().capture() == this) windowSystem().releaseCapture();
            showToolbarsPopup(Point(loWordSigned(m.lParam), hiWordSigned(m.lParam)));
            return;
        }
        Window::wndProc(m);
        return;
    }
    switch (m.msg) {
    case WM_MOUSELEAVE: mouseLeft(); return;
    case WM_TIMER:
        if (m.wParam == kMarkTimer) {
            // The floating bar's hot mark cools down once the mouse has left it.
            const Point c = screenToClient(windowSystem().cursorPos());
            if (markState_ != MarkState::Hot || !markRect().contains(c)) {
                windowSystem().killTimer(this, kMarkTimer);
                if (markState_ == MarkState::Hot) setMarkState(MarkState::Normal);
            }
            return;
        }
        if (m.wParam == kCloseButtonTimer) {
            if (!closeButtonRect().translated(windowRectOnScreen().topLeft()).contains(windowSystem().cursorPos()))
                setCloseButtonState(CaptionButtonState::None);
            return;
        }
        break;
    case WM_NCACTIVATE:
        // The frame shows the form's activation, not the bar's own: the bar always answers as
        // active, and when it is activated its form, just told it lost the activation to the
        // bar, is told to stay active, so that its caption does not go inactive.
        if (m.wParam && !barManager().isCustomizing())
            if (auto* form = dynamic_cast<Window*>(barManager().form()); form && form != this)
                form->send(WM_NCACTIVATE, 1, static_cast<LParam>(handle()));
        m.wParam = 1;
        Window::wndProc(m);
        m.result = 1;
        return;
    case WM_CAPTURECHANGED:
        captureChanged();
        Window::wndProc(m);
        return;
    case WM_MOUSEACTIVATE:
        if (style_ == dsNone && !active()) setPos(nullptr, {}, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        m.result = MA_NOACTIVATE;
        return;
    case WM_GETDLGCODE: m.result = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS; return;
    case WM_KILLFOCUS:
        if (m.wParam == 0) MenuChain::hideAll();
        return;
    case WM_SETFOCUS: return;
    case WM_ERASEBKGND: m.result = 1; return;  // painting fills the whole client area
    case kRebuildMessage: rebuildBar(); return;
    case WM_SETCURSOR:
        if (static_cast<WindowHandle>(m.wParam) == handle())
            setCursor(dragRect().contains(screenToClient(windowSystem().cursorPos())) ? CursorShape::SizeAll
                                                                                      : CursorShape::Arrow);
        break;
    case WM_NCHITTEST: m.result = hitTest(Point(loWordSigned(m.lParam), hiWordSigned(m.lParam))); return;
    case WM_NCCALCSIZE: {
        auto* p = reinterpret_cast<NcCalcSizeParams*>(m.lParam);
        const Rect f = frameInsets();
        p->rect = Rect(p->rect.left + f.left, p->rect.top + f.top, p->rect.right - f.right, p->rect.bottom - f.bottom);
        m.result = 0;
        return;
    }
    case WM_WINDOWPOSCHANGING:
        if (style_ == dsNone && !isChild()) keepFloatingBoundsReachable(*reinterpret_cast<WindowPos*>(m.lParam));
        break;
    case WM_SIZE:
        Window::wndProc(m);
        calcItemRects();
        return;
    case WM_WINDOWPOSCHANGED:
        Window::wndProc(m);
        if (bar_->visible() && !rebuilding_ && !barManager().isLoading() && restoring_ == 0) storePosition(*bar_);
        return;
    default: break;
    }
    Window::wndProc(m);
}

void BarControl::paintNonClient(Canvas& canvas) {
    BarBorderParams p;
    p.bar = Rect(0, 0, bounds().width(), bounds().height());
    p.vertical = !horizontal();
    p.floating = style_ == dsNone;
    p.showGrip = !p.floating && movable();
    p.isMainMenu = isMainMenu();
    p.barBackground = backgroundBrush();
    p.manager = &barManager();
    if (p.floating) {
        const Rect b = painter().floatingBorderInsets();
        p.borderWidth = b.left;
        painter().drawFloatingBarBorder(canvas, p);
        p.active = formActive();
        FloatingCaptionParams cp;
        const Rect close = closeButtonRect();
        cp.rect = Rect(b.left, b.top, close.isEmpty() ? p.bar.right - b.right : close.left,
                       b.top + painter().floatingCaptionHeight());
        cp.caption = bar_->caption();
        cp.active = p.active;
        cp.font = itemFont();
        painter().drawFloatingCaption(canvas, cp);
        if (!close.isEmpty()) {
            // The strip below a button shorter than the caption.
            canvas.fillRect(Rect(close.left, close.bottom, close.right, b.top + painter().floatingCaptionHeight()),
                            Brush(painter().captionBackgroundColor(p.active)));
            CaptionButtonParams bp;
            bp.rect = close;
            bp.state = closeState_;
            bp.active = p.active;
            bp.manager = &barManager();
            painter().drawCloseButton(canvas, bp);
        }
    } else if (bar_->borderStyle() == bbsSingle) {
        painter().drawDockedBarBorder(canvas, p);
    } else {
        canvas.fillRect(p.bar, p.barBackground);
    }
}

void BarControl::paintItems(Canvas& canvas) {
    const Brush bg = backgroundBrush();
    const Rect client = clientRect();
    const int sep = separatorSize();
    for (BarItemLink* link : itemLinks().shownLinks()) {
        const Rect r = link->itemRect();
        ItemControl* c = controlOf(*link);
        if (r.isEmpty() || !c) continue;
        if (link->beginGroup()) {
            Rect s;
            const bool wrapped = horizontal() ? (r.left == 0 && r.top > 0) : (r.top == 0 && r.right < client.right);
            if (wrapped) {
                s = horizontal() ? Rect(0, r.top - sep, client.right - (markVisible() ? MarkWidth : 0), r.top)
                                 : Rect(r.right, 0, r.right + sep, client.bottom - (markVisible() ? MarkWidth : 0));
                painter().drawSeparator(canvas, s, horizontal(), bg);
            } else if (horizontal() ? r.left >= sep : r.top >= sep) {
                s = horizontal() ? Rect(r.left - sep, r.top, r.left, r.bottom)
                                 : Rect(r.left, r.top - sep, r.right, r.top);
                painter().drawSeparator(canvas, s, !horizontal(), bg);
            }
            c->setSeparatorRect(s);
        }
        c->draw(canvas, r, c->drawKind());
    }
    const Rect mr = markRect();
    if (!mr.isEmpty()) {
        MarkParams mp;
        mp.rect = mr;
        mp.vertical = !horizontal();
        mp.truncated = truncated_;
        mp.state = markState_;
        mp.barBackground = bg;
        mp.manager = &barManager();
        painter().drawMarkBackground(canvas, mp);
        painter().drawMark(canvas, mp);
    }
}

void BarControl::paint(Canvas& canvas) {
    if (isDestroying()) return;
    calcItemRects();
    canvas.fillRect(clientRect(), backgroundBrush());
    paintItems(canvas);
}

}  // namespace lindora
