#pragma once
// A dock site with its rows of docked bars: the manager's four edge sites and, through
// BarDockControl, the sites a form places itself. It keeps the rows, lays out every row along
// the edge, stacks the rows across it and sizes itself to their total thickness.
//
// The site derives from the model's DockControl (the model creates its four edge sites
// through the controls integration, so they are DockSites once the controls layer is
// installed) and answers the model's hooks: realign lays the rows out again, rebuildBorder
// follows the sunken frame.
#include <memory>
#include <vector>

#include "bars/docks/DockRow.h"
#include "bars/model/DockControl.h"
#include "gfx/PersistentGraphics.h"
#include "ui/IdleHooks.h"

namespace lindora {

class Canvas;
class DockedBar;

class DockSite : public DockControl {
    LINDORA_CLASS(DockSite)

public:
    // A built-in site of `manager` for one edge (dsLeft..dsBottom); a placed site passes dsNone.
    DockSite(Component* owner, BarManager* manager, BarDockingStyle style);
    explicit DockSite(Component* owner = nullptr) : DockSite(owner, nullptr, dsNone) {}
    ~DockSite() override;

    // ---- orientation
    // The style the layout follows: the edge of a manager site, or what a placed site's
    // alignment maps to.
    virtual BarDockingStyle layoutStyle() const { return dockingStyle(); }
    bool horizontal() const { return layoutStyle() == dsTop || layoutStyle() == dsBottom; }
    // Right and bottom sites grow toward the form's inside from its far edge.
    bool farEdge() const { return layoutStyle() == dsRight || layoutStyle() == dsBottom; }

    // ---- rows
    int rowCount() const { return static_cast<int>(rows_.size()); }
    DockRow& row(int index) const { return *rows_[static_cast<std::size_t>(index)]; }
    DockCol* colOf(const DockedBar& bar) const;
    // The row of a docked bar, or -1 (the placement record's Row).
    int rowIndexOf(const DockedBar& bar) const;

    // Docks `bar` at a screen point: the point names where the bar's client origin goes (less
    // the drag offset while the user drags it). A bar being restored goes to its stored Row
    // instead. With `update` the bar is placed and the site laid out at once.
    void addBarControl(DockedBar& bar, Point screen, bool update);
    // Takes the bar's col (or `col`) out, dropping a row that becomes empty.
    void removeBarControl(DockedBar& bar, DockCol* col = nullptr, bool update = true);
    void moveBarControl(DockedBar& bar, Point screen);
    // Lays out every row and sizes the site to them.
    void repositionBars();

    // A row's rectangle in client coordinates (empty for a bad index), the rows' total
    // thickness, the row a screen point falls on (or the new row it opens) and the insertion
    // index within a row.
    Rect rowBounds(int index) const;
    int rowsSize() const;
    struct RowHit {
        int index = 0;
        bool newRow = true;
        bool operator==(const RowHit&) const = default;
    };
    RowHit rowAtPoint(Point screen) const;
    // `dragged`: the bar being dragged, whose frame offset is taken off the point.
    int colAtPoint(int rowIndex, Point screen, const DockedBar* dragged = nullptr) const;
    // Makes the site as thick as its rows.
    void updateDockSize();

    // While a bar is dragged over a far-edge site the rows stack from the far client edge, so
    // that a site that has not grown yet shows them where they will be.
    void setStackFromFarEdge(bool value) { stackFromFarEdge_ = value; }

    // ---- background and frame
    BitmapProperty& backgroundBitmap() { return backgroundBitmap_; }
    void setBackgroundBitmap(const BitmapProperty& b) { backgroundBitmap_.assign(b); }
    bool hasBackground() const;
    virtual bool sunkenBorder() const;
    // The colour behind the bars: the parent's with the manager's AutoDockColor, else the
    // manager's DockColor.
    virtual Color dockColor() const;

    // The bars docked here, row by row.
    std::vector<DockedBar*> dockedBars() const;

    // The manager's top site is the client of the bars' actions: at idle time it has the
    // actions of every visible bar's links update themselves.
    void updateActions();

    // ---- the model's hooks
    bool canDockBar(const Bar& bar) const override { return allowDocking(); }
    void realign() override { repositionBars(); }
    void rebuildBorder() override;

protected:
    void wndProc(Message& m) override;
    // The dock background in the client area where no picture covers it: the painter's
    // dock-background operation, a plain fill in the dock's colour without a painter.
    virtual void paintDockBackground(Canvas& canvas, const Rect& area);
    // A right-button press on empty dock area outside customizing: the toolbars popup.
    virtual void showToolbarsPopup(Point screen) {}
    // A left double click on empty dock area while the manager may customize.
    virtual void showCustomizing() {}
    // The site's thickness changed while menus are open: they follow it.
    virtual void repositionOpenMenus() {}
    // The thickness of a site without rows; a placed site may keep its size or show a strip.
    virtual int thicknessWithoutRows() const { return 0; }
    // The site's thickness across its edge now, and the way it takes a new one: a manager site
    // tells its form to place the edge sites again, a placed site moves its own edge.
    int currentThickness() const;
    virtual void applyThickness(int value);
    bool loading() const;

private:
    void layoutRow(DockRow& row);
    void eraseBackground(Canvas& canvas);
    void repaintBars();
    // Along and across the rows, in client coordinates.
    int along(Point p) const { return horizontal() ? p.x : p.y; }
    int across(Point p) const { return horizontal() ? p.y : p.x; }

    std::vector<std::unique_ptr<DockRow>> rows_;
    BitmapProperty backgroundBitmap_;
    bool stackFromFarEdge_ = false;
    bool repositioning_ = false;
    bool repositionAgain_ = false;
    IdleHook idleHook_;
};

}  // namespace lindora
