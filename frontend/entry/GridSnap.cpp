// Snapping a grid to whole columns and rows.
#include "GridSnap.h"

#include <algorithm>

namespace korven {

TGridSize SnapGridSize(const TGridMetrics& grid, TGridSize requested) {
    const int columns  = static_cast<int>(grid.ColumnWidths.size());
    const int row      = std::max(1, grid.RowHeight);
    const int rowRoom  = requested.Height - 2 * grid.Frame - grid.HeaderHeight;
    const bool allRows = rowRoom >= grid.RowCount * row;

    const int colRoom = requested.Width - 2 * grid.Frame - (allRows ? 0 : grid.ScrollBarExtent);
    int shown = 0, width = 0;
    while (shown < columns && width + grid.ColumnWidths[static_cast<std::size_t>(shown)] <= colRoom)
        width += grid.ColumnWidths[static_cast<std::size_t>(shown++)];
    const int least = std::min(columns, 2);
    while (shown < least) width += grid.ColumnWidths[static_cast<std::size_t>(shown++)];
    const bool allColumns = shown == columns;

    const int bar   = allColumns ? 0 : grid.ScrollBarExtent;
    int rows        = (rowRoom - bar) / row;
    rows            = std::clamp(rows, std::min(1, grid.RowCount), grid.RowCount);
    const bool fits = rows == grid.RowCount;
    return {width + (fits ? 0 : grid.ScrollBarExtent) + 2 * grid.Frame,
            grid.HeaderHeight + rows * row + bar + 2 * grid.Frame};
}

}  // namespace korven
