// The block of one diameter in the plot data file: header, starting points, capacity entries and
// load-settlement groups, read back by position.
#pragma once

#include "run/RunContext.h"

namespace korven::settlement {

using run::real;

/// One capacity row of a diameter, in internal units (ft and tons).
struct PlotRow {
    real LENGTH = 0.0f;  ///< shaft length, ft
    real QS     = 0.0f;  ///< ultimate side resistance, tons
    real QB     = 0.0f;  ///< ultimate base resistance (the shaft weight under uplift), tons
    real QU     = 0.0f;  ///< total ultimate resistance, tons
    real QDN    = 0.0f;  ///< allowable load with both factors of safety, tons
    real LRFDQS = 0.0f;  ///< the row's LRFD side resistance, tons
    real LRFDQB = 0.0f;  ///< the row's LRFD base resistance, tons
};

/// The capacity table of a diameter as the plot data file shows it.
struct PlotCapacity {
    int NROW = 0;                  ///< rows (0 when the diameter produced none)
    run::Array<PlotRow, 500> ROW;  ///< rows in order of increasing length
    real FST = 1.0f;               ///< factor of safety on side resistance
    real FSB = 1.0f;               ///< factor of safety on base resistance (1 under uplift)
};

/// Diameter passes of a run, counted the way the design loop steps: from DSTART by half a foot
/// while the diameter is below DIALIM + 0.02 ft.
int diameterCount(real DSTART, real DIALIM);

/// Writes the block of one diameter: NDIA is the run's diameter count; the settlement groups
/// come from ctx.settle by ctx.NLINE (three lines above 1, else the trend line alone). A
/// diameter without rows gets one zero group.
void writePlotBlock(run::RunContext& ctx, int NDIA, const PlotCapacity& cap);

}  // namespace korven::settlement
