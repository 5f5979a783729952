// What a load of the plot data file reads from the project: its values and its soil layers.
#pragma once

#include <vector>

#include "graphs/PlotLoad.h"
#include "project/ProgramData.h"

namespace korven {

/// The project values the plot loader reads.
TPlotProject PlotProjectOf(const TProgramData& data);

/// The soil layer table as the plot loader and the elevation view read it.
std::vector<TLayerRow> LayerRowsOf(const TProgramData& data);

}  // namespace korven
