#include "bars/docks/ColumnHeightSearch.h"

namespace lindora {

int tallestHeightReaching(int lowest, int highest, int width, const std::function<int(int height)>& widthAt) {
    if (highest <= lowest) return lowest;
    if (widthAt(highest) >= width) return highest;
    // Invariant: widthAt(tooTall) < width; the answer lies below it.
    int tooTall = highest;
    int low = lowest;
    if (widthAt(low) < width) return lowest;
    // widthAt(low) >= width: the answer lies in [low, tooTall).
    while (tooTall - low > 1) {
        const int mid = low + (tooTall - low) / 2;
        if (widthAt(mid) >= width) low = mid;
        else tooTall = mid;
    }
    return low;
}

}  // namespace lindora
