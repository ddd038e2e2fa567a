#pragma once
// The passes that give every bar of one dock row its position, length and thickness, in
// (along, across) terms so that horizontal and vertical docks share them. Pure: the sizes come
// from the bars through the callbacks, and the caller moves the windows.
#include <functional>
#include <vector>

namespace lindora {

// One bar of the row as the passes see it; lengths include the bar's frame along the row.
struct RowBar {
    int minLength = 0;
    int fullLength = 0;
    // The col's position along the row.
    int wantedPos = 0;
    bool wholeRow = false;
    bool multiLine = false;
    bool useRestSpace = false;
};

struct RowBarPlace {
    int pos = 0;
    int length = 0;
    int thickness = 0;  // across the row, frame included
    bool truncated = false;
};

struct RowPlacement {
    std::vector<RowBarPlace> bars;  // one per RowBar; a whole-row bar places only the first
    int thickness = 0;              // the row's: the largest of its bars'
};

class DockRowLayout {
public:
    // Thickness (frame included) of bar `index` sized for `length` (frame included), knowing
    // whether it is truncated now.
    using SizedThickness = std::function<int(int index, int length, bool truncated)>;
    // Thickness (frame included) of bar `index` at its full size.
    using FullThickness = std::function<int(int index)>;

    // Lays out a row of `rowLength` (the dock's client length): the whole-row, shrinking,
    // fitting and rest-space passes, then the common thickness and the stretch of a truncated
    // last bar.
    static RowPlacement place(const std::vector<RowBar>& bars, int rowLength, const SizedThickness& sized,
                              const FullThickness& full);

private:
    static void shrink(const std::vector<RowBar>& bars, int rowLength, RowPlacement& out);
    static void fit(const std::vector<RowBar>& bars, int rowLength, RowPlacement& out);
    static void useRestSpace(const std::vector<RowBar>& bars, int rowLength, RowPlacement& out);
};

}  // namespace lindora
