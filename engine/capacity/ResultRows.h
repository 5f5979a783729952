// Result rows of a diameter pass: capacity against shaft length, and the resampled table.
#pragma once

#include "run/RunContext.h"

namespace korven::capacity {

using run::real;
using run::RunContext;

/// Total and allowable loads of a row from its side and base resistance (tons).
struct DesignValues {
    real QU;   ///< total ultimate resistance
    real QDN;  ///< allowable load, factors of safety on side and base
    real QBD;  ///< allowable load, factor of safety on the base only
};
DesignValues designValues(real QS, real QB, real FST, real FSB);

/// Weight of a shaft (tons) of concrete at 150 pcf, its stem below the water table buoyed.
real shaftWeight(real VOLUME, real LENGTH, real WT, real D);

/// The layer entry that holds a depth (ft): the first whose bottom is at or below it; the last
/// layer for depths below the profile.
int layerHolding(const RunContext& ctx, real depth);

/// How the rows of a pass ended.
enum class PassEnd {
    DesignLoad,   ///< a row's QDN exceeded the design load
    DesignDepth,  ///< a row reached the design depth
    LastRow,      ///< the rows ran out first
    NoRows,       ///< the profile is too short for any row
};

/// Forms the rows of the pass from its step records, writes them, and records the layer at the
/// final length.
PassEnd formRows(RunContext& ctx);

/// Writes the rows resampled by the print increment to the report (design-depth control).
void writeResampled(RunContext& ctx);

}  // namespace korven::capacity
