#include "bars/docks/DockRow.h"

#include <algorithm>

namespace lindora {

DockCol* DockRow::colOf(const DockedBar& bar) const {
    for (const auto& c : cols_)
        if (&c->barControl() == &bar) return c.get();
    return nullptr;
}

int DockRow::indexOf(const DockCol& col) const {
    for (std::size_t i = 0; i < cols_.size(); ++i)
        if (cols_[i].get() == &col) return static_cast<int>(i);
    return -1;
}

DockCol& DockRow::insertCol(int index, DockedBar& bar) {
    index = std::clamp(index, 0, colCount());
    auto it = cols_.insert(cols_.begin() + index, std::make_unique<DockCol>(*this, bar));
    return **it;
}

void DockRow::removeCol(DockCol& col) {
    std::erase_if(cols_, [&col](const auto& c) { return c.get() == &col; });
}

}  // namespace lindora
