#pragma once

namespace Diagram {

// Vertical layout: the time scale on top, then row 0 (T0) and one row per channel, with
// the row names in a column on the left. `scroll` is how far the rows are scrolled up.
struct TRowLayout {
    int HeaderHeight = 26;
    int RowHeight = 34;
    int LabelWidth = 200;

    int RowTop(int row, int scroll = 0) const { return HeaderHeight + row * RowHeight - scroll; }
    // -1 above the first row (the time scale) or below the last of `rows`.
    int RowAt(int y, int rows, int scroll = 0) const;
    int ContentHeight(int rows) const { return HeaderHeight + rows * RowHeight; }
    // Largest useful scroll for a view `viewHeight` high.
    int MaxScroll(int rows, int viewHeight) const;
};

} // namespace Diagram
