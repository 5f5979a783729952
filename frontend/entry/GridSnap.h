// The size a table window's grid snaps to while its border is dragged: whole columns and whole
// rows, with room for a scroll bar where not everything fits.
#pragma once

#include <vector>

namespace korven {

struct TGridSize {
    int Width  = 0;
    int Height = 0;
};

struct TGridMetrics {
    std::vector<int> ColumnWidths;  ///< the row-number column first
    int HeaderHeight    = 0;
    int RowHeight       = 1;
    int RowCount        = 0;
    int ScrollBarExtent = 0;
    int Frame           = 0;  ///< frame width on each side
};

/// The snapped size for a requested grid size. At least the row-number column and one data
/// column, and at least one row, stay visible.
TGridSize SnapGridSize(const TGridMetrics& grid, TGridSize requested);

}  // namespace korven
