#pragma once
// The rows of a dock site: a row is one line of bars across the dock's edge, a col one docked
// bar in it with the position it wants along the row.
#include <memory>
#include <vector>

#include "gfx/Geometry.h"

namespace lindora {

class DockSite;
class DockRow;
class DockedBar;

class DockCol {
public:
    DockCol(DockRow& row, DockedBar& bar) : row_(&row), bar_(&bar) {}

    DockRow& dockRow() const { return *row_; }
    DockedBar& barControl() const { return *bar_; }
    // Where the bar wants to be, in dock client coordinates; only the coordinate along the row
    // counts for layout.
    Point pos() const { return pos_; }
    void setPos(Point p) { pos_ = p; }

private:
    friend class DockRow;
    DockRow* row_;
    DockedBar* bar_;
    Point pos_;
};

class DockRow {
public:
    explicit DockRow(DockSite& dock) : dock_(&dock) {}
    DockRow(const DockRow&) = delete;
    DockRow& operator=(const DockRow&) = delete;

    DockSite& dockControl() const { return *dock_; }
    int colCount() const { return static_cast<int>(cols_.size()); }
    bool empty() const { return cols_.empty(); }
    DockCol& col(int index) const { return *cols_[static_cast<std::size_t>(index)]; }
    // The col of a bar, or null.
    DockCol* colOf(const DockedBar& bar) const;
    int indexOf(const DockCol& col) const;

    // A new col for the bar at index (clamped to 0..count).
    DockCol& insertCol(int index, DockedBar& bar);
    void removeCol(DockCol& col);

private:
    DockSite* dock_;
    std::vector<std::unique_ptr<DockCol>> cols_;
};

}  // namespace lindora
