#include "bars/docks/DockRowLayout.h"

#include <algorithm>

namespace lindora {

namespace {

// The sums of the minimum and the full lengths of the bars before `index`: a bar may not start
// before the bars ahead of it have their minimum, nor further than their full lengths.
struct Before {
    int min = 0;
    int full = 0;
};

std::vector<Before> sumsBefore(const std::vector<RowBar>& bars) {
    std::vector<Before> sums(bars.size());
    Before running;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        sums[i] = running;
        running.min += bars[i].minLength;
        running.full += bars[i].fullLength;
    }
    return sums;
}

// At most the full sum, and at least the minimum sum (which wins when the mark makes the
// minimums overlap the full lengths).
int clampBetween(int value, const Before& before) { return std::max(before.min, std::min(value, before.full)); }

}  // namespace

RowPlacement DockRowLayout::place(const std::vector<RowBar>& bars, int rowLength, const SizedThickness& sized,
                                  const FullThickness& full) {
    RowPlacement out;
    out.bars.resize(bars.size());
    if (bars.empty()) return out;

    if (bars.front().wholeRow) {
        // Alone in its row: it takes the whole length.
        const RowBar& b = bars.front();
        RowBarPlace& p = out.bars.front();
        p.pos = 0;
        p.length = std::max(rowLength, b.minLength);
        p.truncated = !b.multiLine && p.length < b.fullLength;
        p.thickness = sized(0, p.length, p.truncated);
        out.bars.resize(1);
    } else {
        int sumFull = 0;
        for (const RowBar& b : bars) sumFull += b.fullLength;
        if (rowLength < sumFull) shrink(bars, rowLength, out);
        else fit(bars, rowLength, out);
        for (std::size_t i = 0; i < bars.size(); ++i) {
            RowBarPlace& p = out.bars[i];
            const int index = static_cast<int>(i);
            p.thickness = (p.truncated || bars[i].multiLine) ? sized(index, p.length, p.truncated) : full(index);
        }
        useRestSpace(bars, rowLength, out);
    }

    for (const RowBarPlace& p : out.bars) out.thickness = std::max(out.thickness, p.thickness);
    RowBarPlace& last = out.bars.back();
    if (last.truncated) last.length = std::max(rowLength - last.pos, bars[out.bars.size() - 1].minLength);
    return out;
}

void DockRowLayout::shrink(const std::vector<RowBar>& bars, int rowLength, RowPlacement& out) {
    const std::vector<Before> before = sumsBefore(bars);
    int available = rowLength;
    for (std::size_t i = bars.size(); i-- > 0;) {
        const RowBar& b = bars[i];
        RowBarPlace& p = out.bars[i];
        const int wanted = clampBetween(b.wantedPos, before[i]);
        const int space = available - wanted;
        if (space < b.fullLength) {
            p.truncated = !(b.multiLine || b.minLength == b.fullLength);
            p.length = std::max(space, b.minLength);
        } else {
            p.length = b.fullLength;
        }
        if (i == 0) p.length = std::max(p.length, available);
        p.pos = clampBetween(available - p.length, before[i]);
        available -= p.length;
    }
}

void DockRowLayout::fit(const std::vector<RowBar>& bars, int rowLength, RowPlacement& out) {
    const std::vector<Before> before = sumsBefore(bars);
    int limit = rowLength;
    for (std::size_t i = bars.size(); i-- > 0;) {
        const RowBar& b = bars[i];
        RowBarPlace& p = out.bars[i];
        p.length = b.fullLength;
        p.pos = b.wantedPos;
        if (p.pos + p.length > limit) p.pos = limit - p.length;
        p.pos = std::max(p.pos, before[i].full);
        limit = p.pos;
    }
}

void DockRowLayout::useRestSpace(const std::vector<RowBar>& bars, int rowLength, RowPlacement& out) {
    for (std::size_t i = 0; i < bars.size(); ++i) {
        if (!bars[i].useRestSpace) continue;
        RowBarPlace& p = out.bars[i];
        p.pos = i == 0 ? 0 : out.bars[i - 1].pos + out.bars[i - 1].length;
        const int end = i + 1 < bars.size() ? out.bars[i + 1].pos : rowLength;
        p.length = std::max(end - p.pos, bars[i].minLength);
    }
}

}  // namespace lindora
