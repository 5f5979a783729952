// What a load of the plot data file reads from the project.
#include "project/PlotInput.h"

#include "entry/SystemTables.h"

namespace korven {

TPlotProject PlotProjectOf(const TProgramData& data) {
    TPlotProject values;
    values.Units            = data.Units;
    values.DesignMethod     = data.DesignMethod;
    values.LoadType         = data.LoadType;
    values.MinDiameter      = data.MinDiameter;
    values.SafetyFactorSide = data.SafetyFactorSide;
    values.SafetyFactorBase = data.SafetyFactorBase;
    return values;
}

std::vector<TLayerRow> LayerRowsOf(const TProgramData& data) {
    std::vector<TLayerRow> layers;
    const TGridTable& soil = data.Tables().SoilLayers();
    for (int r = 0; r < soil.RowCount(); ++r)
        layers.push_back({soil.Column(kSoilType).IntegerAt(r), soil.Column(kSoilDepth).FloatAt(r)});
    return layers;
}

}  // namespace korven
