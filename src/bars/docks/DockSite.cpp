#include "bars/docks/DockSite.h"

#include <algorithm>

#include "bars/docks/DockRowLayout.h"
#include "bars/docks/DockedBar.h"
#include "bars/model/Bar.h"
#include "bars/model/BarAction.h"
#include "bars/model/BarItem.h"
#include "bars/model/BarManager.h"
#include "base/ClassBuilder.h"
#include "gfx/Canvas.h"
#include "ui/WindowSystem.h"

namespace lindora {

namespace {
// The drop zone before row 0 is split so that its middle five pixels open a new row.
constexpr int kNewRowBand = 5;
constexpr int kNearEdgeCut = (DockingZoneSize - kNewRowBand) / 2;  // 9
constexpr int kFarEdgeCut = DockingZoneSize - kNearEdgeCut;        // 14
}  // namespace

const ClassInfo& DockSite::classInfo() {
    static const ClassInfo info = ClassBuilder<DockSite>("DockSite", DockControl::classInfo()).abstract();
    return info;
}

DockSite::DockSite(Component* owner, BarManager* manager, BarDockingStyle style) : DockControl(owner, manager, style) {
    backgroundBitmap_.OnChange.bind([this](Persistent*) {
        repaintDock();
        repaintBars();
    });
    if (style == dsTop) idleHook_ = windowSystem().addIdleHook([this] { updateActions(); });
}

DockSite::~DockSite() { rows_.clear(); }

// ---------------------------------------------------------------------------------------------
// Rows

DockCol* DockSite::colOf(const DockedBar& bar) const {
    for (const auto& r : rows_)
        if (DockCol* c = r->colOf(bar)) return c;
    return nullptr;
}

int DockSite::rowIndexOf(const DockedBar& bar) const {
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i]->colOf(bar)) return static_cast<int>(i);
    return -1;
}

bool DockSite::loading() const { return barManager() && (barManager()->isLoading() || barManager()->bars().loading()); }

void DockSite::addBarControl(DockedBar& bar, Point screen, bool update) {
    BarManager* manager = barManager();
    if (!manager) return;
    // A bar docked here already moves: it never holds two cols.
    if (DockCol* existing = colOf(bar)) removeBarControl(bar, existing, false);
    const bool collectionLoading = manager->bars().loading();
    const bool restoring = loading() || bar.restoringDockedState();
    int index = 0;
    bool newRow = true;
    if (restoring) {
        index = bar.bar().row();
        newRow = bar.bar().oneOnRow();
    } else {
        const RowHit hit = rowAtPoint(screen);
        index = hit.index;
        newRow = hit.newRow;
    }
    if (bar.bar().wholeRow()) newRow = true;

    if (collectionLoading && index >= rowCount()) {
        // Rows before a restored Row wait, empty, for their own bars.
        while (rowCount() <= index) rows_.push_back(std::make_unique<DockRow>(*this));
    } else {
        index = std::min(index, newRow ? rowCount() : rowCount() - 1);
        index = std::max(index, 0);
    }
    if (index >= rowCount()) newRow = true;
    if (!newRow) {
        const DockRow& r = row(index);
        for (int i = 0; i < r.colCount(); ++i)
            if (&r.col(i).barControl() != &bar && r.col(i).barControl().bar().wholeRow()) newRow = true;
    }

    DockCol* col = nullptr;
    if (newRow) {
        // While loading the row made for a later Row is the one to fill; a row that already
        // holds bars is not made to share with a bar that wants a row of its own.
        DockRow* target = nullptr;
        if (collectionLoading && index < rowCount() && row(index).empty()) target = &row(index);
        if (!target) {
            index = std::clamp(index, 0, rowCount());
            target = rows_.insert(rows_.begin() + index, std::make_unique<DockRow>(*this))->get();
        }
        col = &target->insertCol(target->colCount(), bar);
    } else {
        col = &row(index).insertCol(colAtPoint(index, screen, bar.dragging() ? &bar : nullptr), bar);
    }

    Point p = screen;
    if (!restoring) {
        if (bar.dragging()) p -= bar.dragOffset();
        p -= bar.nonClientOffset();
    }
    p = handleAllocated() ? screenToClient(p) : p;
    if (horizontal()) p.x = std::max(p.x, 0);
    else p.y = std::max(p.y, 0);
    col->setPos(p);

    if (!update) return;
    if (!bar.swappingWindows()) {
        const Rect now = bar.dockedBounds();
        bar.setDockedBounds(Rect(p, now.size()));
    }
    repositionBars();
    if (!collectionLoading) {
        // The layout may have put it elsewhere: that is where it wants to be from now on.
        if (DockCol* c = colOf(bar)) c->setPos(bar.dockedBounds().topLeft());
    }
}

void DockSite::removeBarControl(DockedBar& bar, DockCol* col, bool update) {
    if (!col) col = colOf(bar);
    if (!col) return;
    DockRow& r = col->dockRow();
    r.removeCol(*col);
    if (r.empty()) std::erase_if(rows_, [&r](const auto& p) { return p.get() == &r; });
    if (update) repositionBars();
}

void DockSite::moveBarControl(DockedBar& bar, Point screen) {
    removeBarControl(bar, nullptr, false);
    addBarControl(bar, screen, true);
    if (hasBackground()) repaintBars();
}

std::vector<DockedBar*> DockSite::dockedBars() const {
    std::vector<DockedBar*> out;
    for (const auto& r : rows_)
        for (int i = 0; i < r->colCount(); ++i) out.push_back(&r->col(i).barControl());
    return out;
}

void DockSite::updateActions() {
    BarManager* manager = barManager();
    if (!manager || manager->isDesigning() || manager->isDestroying()) return;
    // Collected first: an update may show or hide links and bars.
    std::vector<BarAction*> actions;
    for (CollectionItem* ci : manager->bars().items()) {
        auto* bar = static_cast<Bar*>(ci);
        if (!bar->visible()) continue;
        const BarItemLinks& links = bar->itemLinks();
        for (int i = 0; i < links.count(); ++i)
            if (BarItem* item = links.items(i)->item())
                if (BarAction* a = item->action(); a && std::find(actions.begin(), actions.end(), a) == actions.end())
                    actions.push_back(a);
    }
    for (BarAction* a : actions) a->update();
}

// ---------------------------------------------------------------------------------------------
// Geometry of the rows

namespace {
int rowThickness(const DockRow& r, bool horizontal) {
    int t = 0;
    for (int i = 0; i < r.colCount(); ++i) {
        const Rect b = r.col(i).barControl().dockedBounds();
        t = std::max(t, horizontal ? b.height() : b.width());
    }
    return t;
}
}  // namespace

int DockSite::rowsSize() const {
    int total = 0;
    for (const auto& r : rows_) total += rowThickness(*r, horizontal());
    return total;
}

Rect DockSite::rowBounds(int index) const {
    if (index < 0 || index >= rowCount()) return {};
    const bool h = horizontal();
    int start = 0;
    if (stackFromFarEdge_ && farEdge()) start = (h ? clientRect().height() : clientRect().width()) - rowsSize();
    for (int i = 0; i < index; ++i) start += rowThickness(row(i), h);
    const int end = start + rowThickness(row(index), h);
    const Rect client = clientRect();
    return h ? Rect(0, start, client.width(), end) : Rect(start, 0, end, client.height());
}

DockSite::RowHit DockSite::rowAtPoint(Point screen) const {
    if (rows_.empty()) return {0, true};
    const int coord = across(handleAllocated() ? screenToClient(screen) : screen);
    const int size = rowsSize();
    const bool far = farEdge();
    const int extent = horizontal() ? clientRect().height() : clientRect().width();
    for (int b = -1; b < rowCount(); ++b) {
        int start = 0, end = 0;
        if (b < 0) {
            start = far ? extent - size - DockingZoneSize : -DockingZoneSize;
            end = start + DockingZoneSize;
        } else {
            const Rect r = rowBounds(b);
            start = horizontal() ? r.top : r.left;
            end = horizontal() ? r.bottom : r.right;
        }
        if (coord < start || coord >= end) continue;
        const int cut = far ? end - kFarEdgeCut : start + kNearEdgeCut;
        if (coord < cut) return {b, false};
        if (coord < cut + kNewRowBand) return {b + 1, true};
        return {b + 1, false};
    }
    return coord < size ? RowHit{0, true} : RowHit{rowCount(), true};
}

int DockSite::colAtPoint(int rowIndex, Point screen, const DockedBar* dragged) const {
    if (rowIndex < 0 || rowIndex >= rowCount() || row(rowIndex).empty()) return 0;
    Point p = handleAllocated() ? screenToClient(screen) : screen;
    if (dragged) p -= dragged->nonClientOffset();
    const DockRow& r = row(rowIndex);
    for (int i = 0; i < r.colCount(); ++i)
        if (along(r.col(i).barControl().dockedBounds().topLeft()) >= along(p)) return i;
    return r.colCount();
}

// ---------------------------------------------------------------------------------------------
// Layout

void DockSite::repositionBars() {
    BarManager* manager = barManager();
    if (!manager || manager->lockUpdate() || manager->isLoading()) return;
    if (Component* form = manager->owner(); form && form->isDestroying()) return;
    if (repositioning_) {
        // Moving the bars or sizing the site came back here: once more when this pass ends.
        repositionAgain_ = true;
        return;
    }
    repositioning_ = true;
    // A pass that changes the site's size may change the rows' length; a few rounds settle it.
    for (int round = 0; round < 3; ++round) {
        repositionAgain_ = false;
        for (std::size_t i = 0; i < rows_.size(); ++i) layoutRow(*rows_[i]);
        updateDockSize();
        if (!repositionAgain_) break;
    }
    repositioning_ = false;
    repaintDock();
}

void DockSite::layoutRow(DockRow& r) {
    if (r.empty()) return;
    const BarDockingStyle style = layoutStyle();
    const bool h = horizontal();
    const Rect client = clientRect();
    const int rowLength = h ? client.width() : client.height();

    std::vector<DockedBar*> bars;
    std::vector<RowBar> metrics;
    for (int i = 0; i < r.colCount(); ++i) {
        DockedBar& b = r.col(i).barControl();
        b.setTruncated(false);
        b.bar().itemLinks().setRecentItemCount(-1);
        const int frame = b.nonClientAlong(style);
        RowBar m;
        m.minLength = b.minLength(style) + frame;
        m.fullLength = b.fullLength(style) + frame;
        if (!b.lengthsCountMark(style) && m.minLength != m.fullLength) m.minLength += MarkWidth;
        m.wantedPos = along(r.col(i).pos());
        m.wholeRow = b.bar().wholeRow();
        m.multiLine = b.bar().multiLine();
        m.useRestSpace = b.bar().useRestSpace();
        bars.push_back(&b);
        metrics.push_back(m);
    }
    auto sized = [&](int index, int length, bool truncated) {
        DockedBar& b = *bars[static_cast<std::size_t>(index)];
        b.setTruncated(truncated);
        int client = length - b.nonClientAlong(style);
        if (truncated && !b.markAlwaysDrawn()) client -= MarkWidth;
        const Size s = b.sizeForLength(style, client);
        return (h ? s.cy : s.cx) + b.nonClientAcross(style);
    };
    auto full = [&](int index) {
        DockedBar& b = *bars[static_cast<std::size_t>(index)];
        return b.fullThickness(style) + b.nonClientAcross(style);
    };
    const RowPlacement placed = DockRowLayout::place(metrics, rowLength, sized, full);

    const Rect band = rowBounds(static_cast<int>(
        std::find_if(rows_.begin(), rows_.end(), [&r](const auto& p) { return p.get() == &r; }) - rows_.begin()));
    const int start = h ? band.top : band.left;
    for (std::size_t i = 0; i < placed.bars.size(); ++i) {
        const RowBarPlace& p = placed.bars[i];
        DockedBar& b = *bars[i];
        // Sized once more for its final length, which also lays its items out.
        sized(static_cast<int>(i), p.length, p.truncated);
        const Rect target = h ? Rect(p.pos, start, p.pos + p.length, start + placed.thickness)
                              : Rect(start, p.pos, start + placed.thickness, p.pos + p.length);
        if (b.dockedBounds() != target) b.setDockedBounds(target);
    }
}

int DockSite::currentThickness() const {
    if (isManagerDock() || !handleAllocated()) return thickness();
    return horizontal() ? bounds().height() : bounds().width();
}

void DockSite::updateDockSize() {
    if (!barManager()) return;
    int size = rowsSize();
    if (size > 0 && sunkenBorder()) size += 2;
    if (rows_.empty()) size = thicknessWithoutRows();
    if (size == currentThickness()) return;
    applyThickness(size);
    repositionOpenMenus();
}

void DockSite::applyThickness(int value) {
    setThickness(value);
    if (!handleAllocated()) return;
    if (isManagerDock()) {
        // The edge sites are placed together; the form then places what they leave.
        barManager()->bars().alignDocks();
        if (Window* form = parent()) {
            const Rect c = form->clientRect();
            form->send(WM_SIZE, SIZE_RESTORED, makeLParam(c.width(), c.height()));
        }
        return;
    }
    Rect b = bounds();
    switch (layoutStyle()) {
    case dsLeft: b.right = b.left + value; break;
    case dsRight: b.left = b.right - value; break;
    case dsBottom: b.top = b.bottom - value; break;
    default: b.bottom = b.top + value; break;
    }
    setBounds(b);
}

// ---------------------------------------------------------------------------------------------
// Frame, background and mouse

bool DockSite::hasBackground() const {
    const BarManager* manager = barManager();
    return !backgroundBitmap_.empty() ||
           (manager && ((manager->painter() && manager->painter()->texturedBackgrounds()) ||
                        !manager->backgrounds().bar().empty()));
}

bool DockSite::sunkenBorder() const { return barManager() && barManager()->sunkenBorder(); }

Color DockSite::dockColor() const {
    BarManager* manager = barManager();
    if (!manager || manager->autoDockColor()) return parent() ? parent()->backgroundColor() : Color(clBtnFace);
    return manager->dockColor();
}

void DockSite::rebuildBorder() {
    if (handleAllocated()) frameChanged();
    for (DockedBar* b : dockedBars()) b->dockFrameChanged();
    repositionBars();
}

void DockSite::repaintBars() {
    for (DockedBar* b : dockedBars()) b->repaint();
}

void DockSite::paintDockBackground(Canvas& canvas, const Rect& area) {
    const BarManager* manager = barManager();
    if (const BarPainter* painter = manager ? manager->painter() : nullptr)
        painter->drawDockBackground(canvas, area, dockColor());
    else canvas.fillRect(area, Brush(dockColor()));
}

void DockSite::eraseBackground(Canvas& canvas) {
    const Rect client = clientRect();
    const BitmapProperty* picture = !backgroundBitmap_.empty() ? &backgroundBitmap_
                                    : (barManager() && !barManager()->backgrounds().bar().empty())
                                        ? &barManager()->backgrounds().bar()
                                        : nullptr;
    if (picture) {
        const Bitmap& tile = picture->bitmap();
        for (int y = 0; y < client.height(); y += tile.height())
            for (int x = 0; x < client.width(); x += tile.width())
                canvas.copyRect(Rect(x, y, x + tile.width(), y + tile.height()), tile,
                                Rect(0, 0, tile.width(), tile.height()));
        return;
    }
    if (!client.isEmpty()) paintDockBackground(canvas, client);
}

void DockSite::wndProc(Message& m) {
    switch (m.msg) {
    case WM_NCCALCSIZE:
        if (sunkenBorder()) {
            auto* p = reinterpret_cast<NcCalcSizeParams*>(m.lParam);
            p->rect = Rect(p->rect.left + 1, p->rect.top + 1, p->rect.right - 1, p->rect.bottom - 1);
            m.result = 0;
            return;
        }
        break;
    case WM_NCPAINT:
        if (sunkenBorder()) {
            auto* canvas = reinterpret_cast<Canvas*>(m.wParam);
            canvas->drawEdge(Rect(0, 0, bounds().width(), bounds().height()), BDR_SUNKENOUTER, BF_RECT);
            m.result = 0;
            return;
        }
        break;
    case WM_ERASEBKGND:
        eraseBackground(*reinterpret_cast<Canvas*>(m.wParam));
        m.result = 1;
        return;
    case WM_SIZE:
        DockControl::wndProc(m);
        if (!barManager() || !barManager()->lockUpdate()) repositionBars();
        // A picture behind the bars shows through them at new offsets.
        if (hasBackground()) repaintBars();
        return;
    case WM_MOVE:
        DockControl::wndProc(m);
        if (hasBackground()) repaintBars();
        return;
    case WM_MOUSEACTIVATE:
        if (!isDesigning()) {
            // A press on empty dock area leaves the focus alone, but brings the form forward.
            if (Window* top = topLevel()) top->bringToTop();
            m.result = MA_NOACTIVATE;
            return;
        }
        break;
    case WM_RBUTTONDOWN:
        if (barManager() && !barManager()->isCustomizing())
            showToolbarsPopup(clientToScreen(Point(loWordSigned(m.lParam), hiWordSigned(m.lParam))));
        return;
    case WM_LBUTTONDBLCLK:
        if (barManager() && barManager()->canCustomize()) showCustomizing();
        return;
    default: break;
    }
    DockControl::wndProc(m);
}

}  // namespace lindora
