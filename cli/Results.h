// What a run left in its report and runtime file, read back for the summary, the export and the
// sweep table: the capacity rows and settlement lines of every diameter and section E.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace korven::cli {

/// A report row of the capacity table; a field the report filled with asterisks is empty.
using CapacityRow = std::array<std::optional<double>, 8>;

/// One row of a settlement line: top load, top movement, and (soil tips only) tip load and tip
/// movement.
struct SettlementRow {
    double topLoad = 0, topMovement = 0;
    std::optional<double> tipLoad, tipMovement;
};

struct SettlementLine {
    std::string name;  ///< "trend", "upper-bound", "lower-bound" or "rock"
    std::vector<SettlementRow> rows;
};

struct DiameterResult {
    double diameter     = 0;  ///< stem diameter, ft or m
    double baseDiameter = 0;  ///< ft or m
    std::vector<CapacityRow> rows;
    std::vector<SettlementLine> settlement;
};

/// Section E: the most efficient shaft of the run.
struct EfficientShaft {
    double diameter = 0, baseDiameter = 0, length = 0, volume = 0, QU = 0, QUVOLUME = 0;
};

struct RunResults {
    bool si     = false;  ///< the report is in SI units
    bool lrfd   = false;  ///< LRFD design: the design value is LRFD QU, else QDN
    bool uplift = false;  ///< the base column is the weight WT
    std::vector<DiameterResult> diameters;
    std::optional<EfficientShaft> efficient;
    int warnings = 0;  ///< warning blocks in the runtime file
    int errors   = 0;  ///< error blocks in the runtime file

    /// Index of the diameter of section E and the row of it at section E's length.
    std::optional<std::pair<std::size_t, std::size_t>> governing() const;
    /// Column of a capacity row that holds the design value (QDN, or LRFD QU).
    std::size_t designColumn() const { return lrfd ? 7 : 6; }
    /// The report's names of the eight columns of a capacity row.
    std::array<const char*, 8> columnNames() const;
};

/// Reads the report text and the runtime file text of one run.
RunResults readResults(const std::string& report, const std::string& runtime);

}  // namespace korven::cli
