#include "RowLayout.h"

#include <algorithm>

namespace Diagram {

int TRowLayout::RowAt(int y, int rows, int scroll) const {
    if (y < HeaderHeight)
        return -1;
    const int row = (y - HeaderHeight + scroll) / RowHeight;
    return row < rows ? row : -1;
}

int TRowLayout::MaxScroll(int rows, int viewHeight) const {
    return std::max(0, ContentHeight(rows) - viewHeight);
}

} // namespace Diagram
