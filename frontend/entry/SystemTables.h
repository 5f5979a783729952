// The tables of the main window, made from the stored table layout: the soil layer table and the
// templates of its per-layer parameter tables.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "entry/Table.h"

namespace korven {

/// Columns of the soil layer table.
enum TSoilColumn : int {
    kSoilType  = 0,  ///< soil type code 1 to 9
    kSoilDepth = 1,  ///< depth at the bottom of the layer, L2
    kSoilData  = 2,  ///< the layer's parameter table (rows: top, bottom)
    kMaxSide   = 3,  ///< maximum side friction, F/L2^2 (0: no limit)
    kMaxEnd    = 4,  ///< maximum end bearing, F/L2^2 (0: no limit)
    kLrfdSide  = 5,  ///< LRFD resistance factor, side friction
    kLrfdEnd   = 6,  ///< LRFD resistance factor, end bearing
};

/// The layout the program is built with.
std::string_view BuiltInTableLayout();

class TSystemTables {
public:
    /// The tables of the built-in layout.
    TSystemTables();
    /// The tables of `layout`: objects of class TGridTable, one named "D" (the soil layer
    /// table), the others templates. Throws ETableDefinitionError or EStreamError.
    explicit TSystemTables(std::string_view layout);

    TGridTable& SoilLayers() const { return *soil_; }
    TGridTableList& Templates() { return templates_; }
    /// Every table of the main window: the soil layer table, then the templates.
    std::vector<TGridTable*> Tables() const;

    /// Shows the LRFD factor columns for design method 1 (hides them otherwise; their values
    /// stay) and sets the soil layer table's comments to match.
    void ShowDesignMethod(int designMethod);

    /// The layout of these tables (their definitions and properties, no cell values).
    std::string WriteLayout() const;

private:
    std::unique_ptr<TGridTable> soil_;
    TGridTableList templates_;
    std::vector<std::pair<std::string, TGridTable*>> names_;  // layout order
};

}  // namespace korven
