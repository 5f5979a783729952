// The twelve result graphs and their filling from the plot data file the engine writes.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "graphs/PltData.h"

namespace korven {

/// What the main window tells the user when a load after a run fails; the reader's own message
/// is not shown.
inline constexpr const char* kPlotLoadError = "An error occured in running the main program.";

/// The project values a load reads, and the one it writes.
struct TPlotProject {
    int Units                    = 1;  ///< 1 English, 2 SI
    int DesignMethod             = 2;  ///< 1 LRFD, 2 ASD
    int LoadType                 = 1;  ///< 1 compression, 2 uplift
    long double MinDiameter      = 0;  ///< ft or m
    long double SafetyFactorSide = 2.5L;
    long double SafetyFactorBase = 3.0L;
    /// Written by the load: the settlement-bounds indicator of the first diameter (0 when the
    /// results hold no settlement bounds).
    int SettlementAvailable = 1;
};

/// One row of the soil layer table.
struct TLayerRow {
    int SoilType            = 0;  ///< 1 to 9
    long double BottomDepth = 0;  ///< depth at the bottom of the layer
};

/// The result graphs of the main window with their fixed captions, units and settings.
class TResultGraphs {
public:
    TResultGraphs();
    TResultGraphs(const TResultGraphs&)            = delete;
    TResultGraphs& operator=(const TResultGraphs&) = delete;

    TGraphPlot pltSkin, pltTip, pltTotal;
    TGraphPlot FSpltSkin, FSpltTip, FSpltTotal;
    TGraphPlot pltCombine, pltCombineD;
    TGraphPlot pltAxial, pltUpper, pltLower, pltCombinedSettle;

    std::array<TGraphPlot*, 12> All();

    /// Every graph without curves or layers, as before the first results.
    void Clear();

    /// Fills the graphs from the plot data file. False when the file cannot be read to the end
    /// of what it announces: the graphs keep what was filled so far and `error`, when given,
    /// receives the reader's message. Writes `project.SettlementAvailable`.
    bool LoadPlotData(const std::string& fileName, TPlotProject& project,
                      const std::vector<TLayerRow>& layers, std::string* error = nullptr);
};

/// Gives `graph` one band per soil layer, named by its soil type, whose single point holds the
/// pattern code (x) and the depth of the layer bottom (y). Nothing happens to a graph without
/// points.
void AddLayersGraphPlot(TGraphPlot& graph, const std::vector<TLayerRow>& layers);

}  // namespace korven
